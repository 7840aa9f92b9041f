#include "support/testdatabase.h"

#include "db/sqltext.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

using namespace testing_support;

namespace {

// A connection of its own to the test database, as the program opens it.
struct Connected {
    TestDatabase db;
    db::Connection c;
    Connected() {
        c.open(db.params());
        c.exec("set names cp1250");
    }
};

TEST(Connection, TextsComeBackAsTheyWentIn) {
    Connected t;
    const QStringList texts = {
        "Řízek \"vídeňský\"",
        "O'Brien's",
        "C:\\zaloha\\talirka\\",
        "konec \\",
        "\\\"",
        "první řádek\ndruhý řádek\r\ntřetí",
        "tabulátor\tmezi",
        "-- není komentář",
        "'); drop table vse; --",
        "%1 %2 %3",
        "Žluťoučký kůň úpěl ďábelské ódy €",
        "ĽĺŔŕŐőŰűŁłŚśŹźĄąŞşŻż",
        QString("nula") + QChar(0) + "uprostřed",
        "",
    };
    for (const QString& text : texts) {
        SCOPED_TRACE(text.toStdString());
        t.c.exec("delete from vse");
        t.c.exec("insert into vse (typ, popis) values (\"P\", " + sql::q(text) + ")");
        const auto rs = t.c.query("select popis, length(popis) as delka from vse where popis = " + sql::q(text));
        ASSERT_EQ(rs.rowCount(), 1);
        EXPECT_EQ(rs.text(0, "popis"), text);
        // Stored as characters, not as escapes: the server counts the same length.
        EXPECT_EQ(rs.integer(0, "delka"), QString(text).toUtf8().size());
    }
}

TEST(Connection, TextOutsideCp1250ArrivesAsQuestionMarks) {
    Connected t;
    t.c.exec("insert into vse (typ, text) values (\"P\", " + sql::q("ryba 魚 s ñ") + ")");
    EXPECT_EQ(t.db.scalar("select text from vse"), "ryba ? s ?");
}

TEST(Connection, DiacriticsAreStoredAsUnicodeInTheTables) {
    Connected t;
    t.c.exec("insert into vse (typ, text) values (\"P\", " + sql::q("Čočka") + ")");
    // Read by a connection that speaks utf8, the column holds the real letters.
    db::Connection utf8;
    utf8.open(t.db.params());
    utf8.exec("set names utf8");
    const auto rs = utf8.query("select hex(text) as h from vse");
    EXPECT_EQ(rs.text(0, "h"), QString(QString("Čočka").toUtf8().toHex().toUpper()));
}

struct FailingStatement {
    const char* sql;
    unsigned number;
    const char* text;
};

TEST(Connection, FailedStatementThrowsTheServersNumberAndText) {
    Connected t;
    t.c.exec("insert into vse (id, typ) values (7, \"P\")");
    const FailingStatement cases[] = {
        {"select * from neni", 1146, "Table '%1.neni' doesn't exist"},
        {"select nesmysl from vse", 1054, "Unknown column 'nesmysl' in '"},
        {"selec 1", 1064, "You have an error in your SQL syntax"},
        {"insert into vse (id, typ) values (7, \"V\")", 1062, "Duplicate entry '7' for key 'PRIMARY'"},
        {"insert into vse (mnozstvi) values (\"abc\")", 1366, "Incorrect decimal value: 'abc'"},
        {"insert into vse (typ) values (\"moc dlouhé\")", 1406, "Data too long for column 'TYP'"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.sql);
        try {
            t.c.exec(c.sql);
            ADD_FAILURE() << "no error";
        } catch (const db::Error& e) {
            EXPECT_EQ(e.number(), c.number);
            EXPECT_TRUE(e.text().startsWith(QString(c.text).replace("%1", t.db.name()))) << e.text().toStdString();
            EXPECT_EQ(QString(e.what()), e.text());
            EXPECT_EQ(e.statement(), c.sql);
        }
        // A query fails the same way as a statement.
        EXPECT_THROW(t.c.query(c.sql), db::Error);
        EXPECT_FALSE(t.c.succeeds(c.sql));
    }
    EXPECT_EQ(t.db.scalar("select count(*) from vse"), "1");
    EXPECT_TRUE(t.c.succeeds("select 1"));
}

TEST(Connection, RefusedConnectionsThrowTheServersError) {
    TestDatabase db;
    auto unknownDatabase = db.params();
    unknownDatabase.database = "neni_taková";
    auto wrongPassword = db.params();
    wrongPassword.password = "spatne-heslo";
    wrongPassword.user = "talirka_nikdo";
    const struct {
        db::ConnectionParams params;
        unsigned number;
        const char* text;
    } cases[] = {
        {unknownDatabase, 1049, "Unknown database 'neni_taková'"},
        {wrongPassword, 1045, "Access denied for user 'talirka_nikdo'"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        db::Connection conn;
        try {
            conn.open(c.params);
            ADD_FAILURE() << "connected";
        } catch (const db::Error& e) {
            EXPECT_EQ(e.number(), c.number);
            EXPECT_TRUE(e.text().startsWith(QString::fromUtf8(c.text))) << e.text().toStdString();
        }
        EXPECT_FALSE(conn.isOpen());
        EXPECT_THROW(conn.exec("select 1"), db::Error);
    }
}

int closedPort() {
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ::bind(fd, reinterpret_cast<sockaddr*>(&a), sizeof a);
    socklen_t len = sizeof a;
    ::getsockname(fd, reinterpret_cast<sockaddr*>(&a), &len);
    ::close(fd);
    return ntohs(a.sin_port);
}

TEST(Connection, ClosedPortFailsAtOnce) {
    db::ConnectionParams p;
    p.host = "127.0.0.1";
    p.port = closedPort();
    p.user = "root";
    p.database = "talirka";
    db::Connection c;
    QElapsedTimer t;
    t.start();
    try {
        c.open(p);
        ADD_FAILURE() << "connected to a closed port";
    } catch (const db::Error& e) {
        EXPECT_EQ(e.number(), 2002u) << e.text().toStdString();   // can't connect to the server
        EXPECT_TRUE(e.text().contains("127.0.0.1")) << e.text().toStdString();
    }
    EXPECT_LT(t.elapsed(), 3000);
    EXPECT_FALSE(c.isOpen());
}

TEST(Connection, ServerThatNeverAnswersFailsWithinTheConnectTimeout) {
    // Listening but never greeting, like a hung server: the kernel accepts the connection.
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&a), sizeof a), 0);
    ASSERT_EQ(::listen(fd, 4), 0);
    socklen_t len = sizeof a;
    ::getsockname(fd, reinterpret_cast<sockaddr*>(&a), &len);
    db::ConnectionParams p;
    p.host = "127.0.0.1";
    p.port = ntohs(a.sin_port);
    p.user = "root";
    p.connectTimeout = 1;
    db::Connection c;
    QElapsedTimer t;
    t.start();
    EXPECT_THROW(c.open(p), db::Error);
    EXPECT_LT(t.elapsed(), 5000);
    ::close(fd);
}

TEST(Connection, InsertIdsAndAffectedRows) {
    Connected t;
    t.c.exec("insert into vse (typ) value (default)");
    const auto id = t.c.lastInsertId();
    EXPECT_GT(id, 0u);
    EXPECT_EQ(t.c.query("select last_insert_id() as posledni").integer(0, "posledni"), (long long)id);
    t.c.exec("insert into vse (typ) values (\"V\"), (\"V\"), (\"P\")");
    EXPECT_EQ(t.c.affectedRows(), 3u);
    t.c.exec("update vse set text = \"x\" where typ = \"V\"");
    EXPECT_EQ(t.c.affectedRows(), 2u);
    t.c.exec("delete from vse where typ = \"nic\"");
    EXPECT_EQ(t.c.affectedRows(), 0u);
}

TEST(Connection, StoredProcedureCallsLeaveTheConnectionUsable) {
    Connected t;
    t.c.exec("create procedure dopln(in x int) begin insert into vse (typ, skupina) values (\"P\", x); "
             "select count(*) as n from vse; end");
    t.c.exec("call dopln(3)");
    EXPECT_EQ(t.c.query("select skupina from vse").integer(0, "skupina"), 3);
    const auto rs = t.c.query("call dopln(4)");
    EXPECT_EQ(rs.integer(0, "n"), 2);
    EXPECT_EQ(t.c.query("select count(*) as n from vse").integer(0, "n"), 2);
    EXPECT_THROW(t.c.exec("call neni()"), db::Error);
    EXPECT_TRUE(t.c.succeeds("select 1"));
}

TEST(SqlLiterals, NumbersWithAPointDatesAsTheProgramWritesThem) {
    const struct {
        double value;
        const char* text;
    } numbers[] = {{2.5, "2.5"}, {2.50, "2.5"}, {3, "3"}, {-0.0, "0"}, {-1234.5678, "-1234.5678"},
                   {1234567.125, "1234567.125"}, {0.1 + 0.2, "0.3"}, {1e-7, "0"}, {0.000001, "0.000001"}};
    for (const auto& n : numbers) EXPECT_EQ(sql::num(n.value), n.text) << n.value;
    EXPECT_EQ(sql::num(1.23456, 2), "1.23");
    EXPECT_EQ(sql::num(42), "42");
    EXPECT_EQ(sql::num(-7LL), "-7");
    EXPECT_EQ(sql::date(QDate(2024, 3, 5)), "\"2024-03-05\"");
    EXPECT_EQ(sql::datetime(QDate(2024, 3, 5)), "\"2024-03-05 00:00:00\"");
    EXPECT_EQ(sql::datetime(QDateTime(QDate(2024, 3, 5), QTime(7, 8, 9))), "\"2024-03-05 07:08:09\"");
    EXPECT_EQ(sql::q("a\"b'c\\d\ne"), "\"a\\\"b\\'c\\\\d\\ne\"");
}

TEST(Connection, StatementsOfSeveralLinesRunAsOne) {
    Connected t;
    t.c.exec("insert into vse\n(typ, text)\nvalues (\"P\", \"dva\nřádky\")");
    EXPECT_EQ(t.c.query("select *\nfrom vse\nwhere typ = \"P\"").text(0, "text"), "dva\nřádky");
}

TEST(Connection, ValuesComeBackTyped) {
    Connected t;
    t.c.exec("insert into vse (typ, datum, mnozstvi, celkem, skupina) values (\"P\", " +
             sql::datetime(QDate(2024, 2, 29)) + ", " + sql::num(1234.5678) + ", " + sql::num(-0.5) + ", 3)");
    const auto rs = t.c.query("select datum, mnozstvi, celkem, skupina, typ, date(datum) as den, cislo from vse");
    EXPECT_EQ(rs.value(0, "datum").toDateTime(), QDateTime(QDate(2024, 2, 29), QTime(0, 0)));
    EXPECT_EQ(rs.value(0, "den").toDate(), QDate(2024, 2, 29));
    EXPECT_DOUBLE_EQ(rs.number(0, "mnozstvi"), 1234.5678);
    EXPECT_DOUBLE_EQ(rs.number(0, "celkem"), -0.5);
    EXPECT_EQ(rs.value(0, "skupina").typeId(), QMetaType::LongLong);
    EXPECT_EQ(rs.text(0, "TYP"), "P");          // column names in any case
    EXPECT_EQ(rs.value(0, "cislo").typeId(), QMetaType::QString);
    EXPECT_EQ(rs.fields[rs.indexOf("mnozstvi")].kind, db::FieldKind::Decimal);
    EXPECT_EQ(rs.fields[rs.indexOf("mnozstvi")].decimals, 4);
    EXPECT_EQ(rs.fields[rs.indexOf("cislo")].length, 8);
    EXPECT_THROW(rs.value(0, "neni"), db::Error);
    t.c.exec("insert into vse (typ) values (\"Z\")");
    EXPECT_TRUE(t.c.query("select datum from vse where typ = \"Z\"").value(0, "datum").isNull());
}

TEST(Connection, TransactionRollsBackUnlessCommitted) {
    Connected t;
    {
        db::Transaction tr(t.c);
        t.c.exec("insert into vse (typ, text) values (\"P\", \"zapomenuto\")");
    }
    EXPECT_EQ(t.db.scalar("select count(*) from vse"), "0");

    try {
        db::Transaction tr(t.c);
        t.c.exec("insert into vse (typ, text) values (\"P\", \"napůl\")");
        t.c.exec("insert into neni (typ) values (\"P\")");
        tr.commit();
    } catch (const db::Error&) {
    }
    EXPECT_EQ(t.db.scalar("select count(*) from vse"), "0");

    {
        db::Transaction tr(t.c);
        t.c.exec("insert into vse (typ, text) values (\"P\", \"uloženo\")");
        // Another connection does not see it before the commit.
        EXPECT_EQ(t.db.scalar("select count(*) from vse"), "0");
        tr.commit();
    }
    EXPECT_EQ(t.db.scalar("select text from vse"), "uloženo");
}

class TraceTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString file() const { return dir.filePath("monitor.sql"); }
    // The statements of the trace file, without their time stamps.
    QStringList fileStatements() const {
        QFile f(file());
        if (!f.open(QIODevice::ReadOnly)) return {};
        QStringList out;
        for (const QString& line : QString::fromUtf8(f.readAll()).split('\n', Qt::SkipEmptyParts)) {
            // "yyyy-MM-dd hh:mm:ss.zzz statement"
            EXPECT_TRUE(QDateTime::fromString(line.left(23), "yyyy-MM-dd hh:mm:ss.zzz").isValid()) << line.toStdString();
            out << line.mid(24);
        }
        return out;
    }
};

TEST_F(TraceTest, FileGetsEveryStatementAndMemoryKeepsTheLastHundred) {
    Connected t;
    t.c.trace().setFile(file());
    QStringList expected;
    for (int i = 0; i < 150; ++i) {
        const QString s = QString("select %1 as n").arg(i);
        t.c.query(s);
        expected << s;
    }
    t.c.exec("insert into vse\n(typ) values (\"P\")");
    expected << "insert into vse (typ) values (\"P\")";
    EXPECT_FALSE(t.c.succeeds("select * from neni"));
    expected << "select * from neni";

    EXPECT_EQ(fileStatements(), expected);
    const QStringList last = t.c.trace().last();
    ASSERT_EQ(last.size(), 100);
    EXPECT_EQ(last.front(), "select 52 as n");
    EXPECT_EQ(last[98], "insert into vse\n(typ) values (\"P\")");
    EXPECT_EQ(last.back(), "select * from neni");
}

TEST_F(TraceTest, LastStatementsAppendedOnceMoreForTheDiagnosticCopy) {
    db::StatementTrace trace;
    trace.setFile(file());
    trace.record("select 1");
    trace.record("select 2");
    ASSERT_TRUE(trace.writeLast());
    QFile f(file());
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromUtf8(f.readAll()).split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 5);
    EXPECT_EQ(lines[2], "-- last statements");
    EXPECT_TRUE(lines[3].endsWith(" select 1"));
    EXPECT_TRUE(lines[4].endsWith(" select 2"));

    trace.setActive(false);
    trace.record("select 3");
    EXPECT_EQ(trace.last(), QStringList({"select 1", "select 2"}));
}

TEST_F(TraceTest, PasswordIsNotTraced) {
    TestDatabase db;
    db::Connection c;
    c.trace().setFile(file());
    auto p = db.params();
    p.password = "tajne-heslo-123";
    p.user = "talirka_nikdo";
    EXPECT_THROW(c.open(p), db::Error);
    QFile f(file());
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray text = f.readAll();
    EXPECT_TRUE(text.contains("connect talirka_nikdo@")) << text.constData();
    EXPECT_FALSE(text.contains("tajne-heslo-123"));
}

} // namespace
