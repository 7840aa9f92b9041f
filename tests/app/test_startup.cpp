#include "support/testdatabase.h"

#include "app/datamodul.h"
#include "core/cp1250.h"
#include "db/sqltext.h"
#include "schema/schema.h"

#include <QFile>

using namespace testing_support;

namespace {

int count(TestDatabase& db, const QString& sql) { return db.scalar(sql).toInt(); }

bool tableExists(TestDatabase& db, const QString& table) {
    return count(db, "select count(*) from information_schema.tables where table_schema = database() and "
                     "table_name = '" + table + "'") == 1;
}

// The rows of dnorm as "poradi|oznaceni|skupina|oznac", null shown as "-".
QStringList dnorm(TestDatabase& db) {
    const auto rs = db.admin().query("select concat(poradi, '|', ifnull(oznaceni, '-'), '|', ifnull(skupina, '-'), "
                                     "'|', oznac) from dnorm order by id");
    QStringList out;
    for (const auto& r : rs.rows) out << r[0].toString();
    return out;
}

// Seven groups as dnorm.ini holds them when it is missing, then three empty ones.
QStringList defaultGroups(const QString& marker, bool ten) {
    QStringList out;
    for (int n = 1; n <= 7; ++n) out << QString("%1||0|%2").arg(n).arg(marker);
    if (ten)
        for (int n = 8; n <= 10; ++n) out << QString("%1|-|-|%2").arg(n).arg(marker);
    return out;
}

// The canteen fields of a session: "nazevA/oznacA | nazevB/oznacB | aktIndex aktNazev/aktOznac".
QString canteenState(const app::Session& s) {
    return QString("%1/%2 | %3/%4 | %5 %6/%7")
        .arg(s.nazevA, s.oznacA, s.nazevB, s.oznacB, QString::number(s.aktIndex), s.aktNazev, s.aktOznac);
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

const QString kWarning = QString::fromUtf8("POZOR - souběžná práce na více PC!");

TEST(Startup, ComputerNameGivesWorkstationTables) {
    TestDatabase db;
    StartedSession st(db, "PC ŠKOLA-1");
    EXPECT_EQ(st.s().dm.pracTabulka, "prac_PCSKOLA_1");
    EXPECT_EQ(st.s().dm.vzorTabulka, "vzor_prac_PCSKOLA_1");
    EXPECT_EQ(count(db, "select count(*) from information_schema.tables where table_schema = database() and "
                        "table_name = 'prac_PCSKOLA_1'"),
              1);
    EXPECT_EQ(db.columnDefinitions("prac_PCSKOLA_1"), db.columnDefinitions("vse"));
    EXPECT_EQ(st.s().dm.table3.statement(), "select * from prac_PCSKOLA_1 order by id");
}

TEST(Startup, EveryComputerNameGivesATableNameTheServerTakes) {
    TestDatabase db;
    // Every character of cp1250 and a few beyond it, inside a name as a computer could report it.
    QString chars = QString::fromUtf8("日ñ😀");
    for (int b = 0x20; b < 0x100; ++b) chars += core::fromCp1250(QByteArray(1, char(b)));
    QStringList tried;
    for (int i = 0; i < chars.size(); ++i) {
        QString c = chars.mid(i, chars[i].isHighSurrogate() ? 2 : 1);
        if (c.size() == 2) ++i;
        const QString table = "prac_" + core::cleanComputerName("PC" + c + "1");
        if (tried.contains(table)) continue;
        tried << table;
        SCOPED_TRACE(QString("%1 -> %2").arg(c, table).toStdString());
        EXPECT_NO_THROW({
            db.exec("create table " + table + " like vse");
            db.exec("drop table " + table);
        });
    }
    EXPECT_GT(tried.size(), 60);
}

TEST(Startup, OnlyAnIpInTalirkaIniConnectsAsRootToTalirkaOn3306) {
    TestDatabase db;
    StartedSession st(db, "TESTPC", false);
    writeFile(st.s().env.configPath(), "[LogOn]\nIP=127.0.0.1\n");
    // The test server is elsewhere and has no such password: the start fails, having tried these.
    EXPECT_THROW(app::DataModuleStartup(st.s()).run(), db::Error);
    const auto& p = st.s().conn().params();
    EXPECT_EQ(p.host, "127.0.0.1");
    EXPECT_EQ(p.user, "root");
    EXPECT_EQ(p.password, "906386");
    EXPECT_EQ(p.database, "talirka");
    EXPECT_EQ(p.port, 3306);
    EXPECT_FALSE(st.s().conn().isOpen());
}

TEST(Startup, ConnectsWithTheSettingsOfTalirkaIni) {
    TestDatabase db;
    const auto server = serverParams();
    StartedSession st(db, "TESTPC", false);
    writeFile(st.s().env.configPath(), QString("[logon]\nip = %1\nSQLPORT=%2\nuser=%3\npassword=%4\ndatabase=%5\n")
                                           .arg(server.host)
                                           .arg(server.port)
                                           .arg(server.user, server.password, db.name())
                                           .toUtf8());
    app::DataModuleStartup(st.s()).run();
    ASSERT_TRUE(st.s().conn().isOpen());
    EXPECT_EQ(st.s().conn().params().database, db.name());
    EXPECT_EQ(st.s().conn().query("select database() as d").text(0, "d"), db.name());
    EXPECT_TRUE(tableExists(db, "prac_TESTPC"));
}

TEST(Startup, ConnectionSpeaksCp1250Compressed) {
    TestDatabase db;
    StartedSession st(db);
    const auto rs = st.s().conn().query("select @@character_set_client as c, @@character_set_results as r");
    EXPECT_EQ(rs.text(0, "c"), "cp1250");
    EXPECT_EQ(rs.text(0, "r"), "cp1250");
    EXPECT_EQ(st.s().conn().query("show session status like 'Compression'").text(0, "Value"), "ON");
}

// An installation from before the canteens and the newer columns: every column the start adds
// is missing.
TEST(Startup, OldDatabaseGetsEveryMissingColumnAndASecondStartChangesNothing) {
    TestDatabase fresh;
    TestDatabase db;
    db.script("alter table normvyd drop s6, drop s7, drop s8, drop s9, drop s10, drop oznac;"
              "alter table prackalv drop s6, drop s7, drop s8, drop s9, drop s10, drop oznac;"
              "alter table cenik drop KOS_SKUP2, drop KOS_KOEF2, drop KOS_SKUP3, drop KOS_KOEF3, drop KOS_SKUP4, "
              "drop KOS_KOEF4;"
              "alter table prackal drop oznac; alter table vse drop oznac; alter table prac drop oznac;"
              "alter table pracn drop oznac; alter table ident drop oznac; alter table jidelnicek drop oznac");
    ASSERT_NE(db.columnDefinitions("normvyd"), fresh.columnDefinitions("normvyd"));
    StartedSession first(db);
    for (const QString& t : schema::baseTables()) {
        SCOPED_TRACE(t.toStdString());
        EXPECT_EQ(db.columnDefinitions(t), fresh.columnDefinitions(t));
    }
    // The working table is made after the upgrades, so it has the marker too.
    EXPECT_EQ(db.columnDefinitions("prac_TESTPC"), fresh.columnDefinitions("vse"));

    auto createStatements = [&] {
        QStringList out;
        for (const QString& t : schema::baseTables() + QStringList{"jidelny", "dnorm"})
            out << db.admin().query("show create table " + t).rows[0][1].toString();
        return out;
    };
    const QStringList before = createStatements();
    const QString groups = dnorm(db).join('\n');
    StartedSession second(db);
    EXPECT_EQ(createStatements(), before);
    EXPECT_EQ(dnorm(db).join('\n'), groups);
}

TEST(Startup, PriceListWithoutBasketColumnsKeepsItsArticles) {
    TestDatabase db;
    db.exec("alter table cenik drop KOS_SKUP2, drop KOS_KOEF2, drop KOS_SKUP3, drop KOS_KOEF3, drop KOS_SKUP4, "
            "drop KOS_KOEF4");
    db.exec("insert into cenik (jkpov, nazev, mj, kos_skup, kos_koef, alergen) values ('101001', 'Mouka hladká', "
            "'kg', 3, 1.5, 1)");
    StartedSession st(db);
    EXPECT_EQ(db.scalar("select concat_ws('|', jkpov, nazev, kos_skup, kos_koef, alergen, KOS_SKUP2, KOS_KOEF2, "
                        "KOS_SKUP3, KOS_KOEF3, KOS_SKUP4, KOS_KOEF4) from cenik"),
              "101001|Mouka hladká|3|1.500|1|0|0.000|0|0.000|0|0.000");
}

TEST(Startup, NoCanteensLeavesNoActiveCanteenAndTenEmptyMarkerGroups) {
    TestDatabase db;
    StartedSession st(db);
    EXPECT_TRUE(tableExists(db, "jidelny"));
    EXPECT_EQ(canteenState(st.s()), "/ | / | -1 /");
    EXPECT_EQ(dnorm(db), defaultGroups("", true));
}

TEST(Startup, TablesTheProgramCreatesHaveTheirDefinitions) {
    TestDatabase db;
    StartedSession st(db);
    EXPECT_EQ(db.columnDefinitions("jidelny"),
              QStringList({"id int(6) NO - auto_increment", "nazev varchar(50) YES NULL", "oznac char(1) NO ''"}));
    EXPECT_EQ(db.columnDefinitions("dnorm"),
              QStringList({"id int(6) NO - auto_increment", "poradi int(1) YES NULL", "oznaceni varchar(100) YES NULL",
                           "skupina varchar(2) YES NULL", "oznac char(1) NO ''"}));
    for (const char* t : {"jidelny", "dnorm"}) {
        SCOPED_TRACE(t);
        EXPECT_EQ(db.scalar(QString("select concat(engine, ' ', table_collation) from information_schema.tables "
                                    "where table_schema = database() and table_name = '%1'")
                                .arg(t)),
                  "InnoDB utf8mb3_unicode_ci");
    }
}

TEST(Startup, TwoCanteensAndNoGroupsGiveSevenGroupsPerMarker) {
    TestDatabase db;
    db.addCanteen("Školní jídelna", "A");
    db.addCanteen("Výdejna Sever", "B");
    db.addCanteen("Třetí se nepoužívá", "C");
    StartedSession st(db);
    // Only the first two rows count.
    EXPECT_EQ(canteenState(st.s()), "Školní jídelna/A | Výdejna Sever/B | 0 Školní jídelna/A");
    EXPECT_EQ(dnorm(db), defaultGroups("A", false) + defaultGroups("B", false));
}

TEST(Startup, OneCanteenIsBothFirstAndSecondAndGetsTenGroupsOnce) {
    TestDatabase db;
    db.addCanteen("Jídelna U Lípy", "L");
    StartedSession st(db);
    EXPECT_EQ(canteenState(st.s()), "Jídelna U Lípy/L | Jídelna U Lípy/L | 0 Jídelna U Lípy/L");
    // Groups 1 to 10 of the one canteen, none twice.
    EXPECT_EQ(dnorm(db), defaultGroups("L", true));
}

TEST(Startup, ActiveCanteenFromTheWorkstationSettings) {
    TestDatabase db;
    db.addCanteen("Školní jídelna", "A");
    db.addCanteen("Výdejna Sever", "B");
    const struct {
        const char* settings;   // text of the per-workstation file, null: no file
        int aktIndex;
        const char* aktOznac;
    } cases[] = {
        {nullptr, 0, "A"},
        {"[Jidelny]\nAktivni_jidelna=0\n", 0, "A"},
        {"[Jidelny]\nAktivni_jidelna=1\n", 1, "B"},
        {"[JIDELNY]\naktivni_JIDELNA = 1\n", 1, "B"},
        {"[Jidelny]\nAktivni_jidelna=2\n", 2, "B"},     // any value but 0, kept as read
        {"[Jidelny]\nAktivni_jidelna=-1\n", -1, "B"},
        {"[Jidelny]\nAktivni_jidelna=druha\n", 0, "A"},
        {"[Omezeni]\nAktivni_jidelna=1\n", 0, "A"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.settings ? c.settings : "no file");
        StartedSession st(db, "TESTPC", false);
        if (c.settings) writeFile(st.s().env.settingsPath, c.settings);
        st.s().settings.load();
        st.start(db);
        EXPECT_EQ(st.s().aktIndex, c.aktIndex);
        EXPECT_EQ(st.s().aktOznac, c.aktOznac);
        EXPECT_EQ(st.s().aktNazev, QString(c.aktOznac) == "A" ? "Školní jídelna" : "Výdejna Sever");
    }
}

TEST(Startup, GroupNamesAndCodesComeFromDnormIni) {
    const struct {
        const char* what;
        QByteArray file;
    } cases[] = {
        {"cp1250", "[Tfnastavnorm]\r\nsuiEdit1_Text=D\xecti 3-6 let\r\nEdit1_Text=11\r\nsuiEdit2_Text=\xc8" "esk\xe1 "
                   "\"st\xf8" "edn\xed\" \\ 7-10\r\nEdit2_Text=12\r\nSUIEDIT7_TEXT=Zam\xecstnanci\r\nedit7_text=20\r\n"},
        {"utf-8", "[TFNASTAVNORM]\nsuiEdit1_Text=Děti 3-6 let\nEdit1_Text=11\nsuiEdit2_Text=Česká \"střední\" \\ 7-10\n"
                  "Edit2_Text=12\nsuiEdit7_Text=Zaměstnanci\nEdit7_Text=20\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TestDatabase db;
        StartedSession st(db, "TESTPC", false);
        writeFile(st.s().env.inProgramDir("dnorm.ini"), c.file);
        st.start(db);
        EXPECT_EQ(dnorm(db), QStringList({"1|Děti 3-6 let|11|", "2|Česká \"střední\" \\ 7-10|12|", "3||0|",
                                          "4||0|", "5||0|", "6||0|", "7|Zaměstnanci|20|", "8|-|-|", "9|-|-|",
                                          "10|-|-|"}));
    }
}

TEST(Startup, OverlongGroupValuesAreCutToTheirColumns) {
    TestDatabase db;
    StartedSession st(db, "TESTPC", false);
    writeFile(st.s().env.inProgramDir("dnorm.ini"),
              "[Tfnastavnorm]\nsuiEdit1_Text=" + QByteArray(120, 'x') + "\nEdit1_Text=123\n");
    st.start(db);
    EXPECT_EQ(dnorm(db).first(), "1|" + QString(100, 'x') + "|12|");
}

TEST(Startup, ExistingGroupsAreLeftAsTheyAre) {
    TestDatabase db;
    { StartedSession first(db); }
    db.exec("update dnorm set oznaceni = 'Upraveno', skupina = '5' where poradi = 1");
    StartedSession second(db, "TESTPC", false);
    writeFile(second.s().env.inProgramDir("dnorm.ini"), "[Tfnastavnorm]\nsuiEdit1_Text=Nepoužije se\n");
    second.start(db);
    EXPECT_EQ(dnorm(db).first(), "1|Upraveno|5|");
    EXPECT_EQ(dnorm(db).size(), 10);
}

TEST(Startup, SevenOldGroupsWithoutCanteensAreExtendedToTen) {
    TestDatabase db;
    { StartedSession first(db); }
    db.exec("delete from dnorm where poradi > 7");
    StartedSession second(db);
    EXPECT_EQ(dnorm(db).size(), 10);
    EXPECT_EQ(dnorm(db).mid(7), QStringList({"8|-|-|", "9|-|-|", "10|-|-|"}));
}

TEST(Startup, SameAccountInUseWarnsOnceAndGoesOn) {
    TestDatabase db;
    // Two other workstations with the same user in the same database.
    db::Connection other1, other2;
    other1.open(db.params());
    other2.open(db.params());
    StartedSession st(db);
    ASSERT_EQ(st.prompter.records().size(), 1u);
    const auto& m = st.prompter.records()[0].message;
    EXPECT_EQ(m.text, kWarning);
    EXPECT_EQ(m.caption, "Talírka SQL");
    EXPECT_EQ(m.buttons, QStringList({"OK"}));
    EXPECT_EQ(m.icon, ui::Icon::Warning);
    // A warning only: the start went on to the end.
    EXPECT_TRUE(st.s().dm.table5.isOpen());
    EXPECT_TRUE(tableExists(db, "dnorm"));
}

TEST(Startup, LoneWorkstationIsNotWarned) {
    TestDatabase db;
    TestDatabase other;
    // The same user in another database, and another user in this one, do not count.
    db::Connection sameUserElsewhere;
    sameUserElsewhere.open(other.params());
    StartedSession st(db);
    EXPECT_TRUE(st.prompter.records().empty()) << st.prompter.texts().join('\n').toStdString();
    StartedSession second(db, "DRUHYPC");
    EXPECT_EQ(second.prompter.texts(), QStringList({kWarning}));
}

TEST(Startup, MissingBaseTableStopsTheStart) {
    TestDatabase db;
    const QStringList install = schema::statements(QString::fromUtf8(schema::installSql()));
    for (const char* table : {"vse", "normvyd", "prackalv", "cenik", "prackal", "prac", "pracn", "ident", "jidelnicek",
                              "adresar", "norma"}) {
        SCOPED_TRACE(table);
        db.exec(QString("drop table %1").arg(table));
        StartedSession st(db, "TESTPC", false);
        try {
            st.start(db);
            ADD_FAILURE() << "the start went through";
        } catch (const db::Error& e) {
            EXPECT_EQ(e.number(), 1146u);
            EXPECT_TRUE(e.text().contains(QString("%1.%2'").arg(db.name(), table))) << e.text().toStdString();
        }
        const auto create = std::find_if(install.begin(), install.end(), [&](const QString& s) {
            return s.startsWith(QString("CREATE TABLE %1 (").arg(table));
        });
        ASSERT_NE(create, install.end());
        db.exec(*create);
    }
    StartedSession whole(db);
    EXPECT_TRUE(whole.s().dm.table1.isOpen());
}

TEST(Startup, WorkingTableBeginsEmptyAtEveryStart) {
    TestDatabase db;
    { StartedSession first(db); }
    db.exec("insert into prac_TESTPC (cislo, typ, text) values ('20240001', 'P', 'Mouka'), ('20240001', 'P', 'Cukr')");
    db.exec("alter table prac_TESTPC add navic int");
    StartedSession second(db);
    EXPECT_EQ(count(db, "select count(*) from prac_TESTPC"), 0);
    EXPECT_EQ(db.columnDefinitions("prac_TESTPC"), db.columnDefinitions("vse"));
    EXPECT_TRUE(second.s().dm.table3.isOpen());
    EXPECT_TRUE(second.s().dm.table3.isEmpty());

    // The receipt and issue windows empty it the same way.
    db.exec("insert into prac_TESTPC (cislo, typ) values ('21240001', 'V')");
    app::recreateWorkTable(second.s());
    EXPECT_EQ(count(db, "select count(*) from prac_TESTPC"), 0);
    second.s().conn().exec("insert into prac_TESTPC (cislo) values (default)");
    second.s().dm.table3.refresh();
    EXPECT_EQ(second.s().dm.table3.rowCount(), 1);
    // Another workstation's buffer is its own.
    EXPECT_FALSE(tableExists(db, "prac_DRUHYPC"));
}

TEST(Startup, SharedDatasetsAreOpen) {
    TestDatabase db;
    db.exec("insert into adresar (NAZEVPODNI) values ('Pekárna'), ('Mlékárna')");
    db.exec("insert into vse (typ) values ('P')");
    StartedSession st(db);
    const auto& dm = st.s().dm;
    EXPECT_TRUE(dm.table1.isOpen());
    EXPECT_EQ(dm.table1.rowCount(), 2);
    EXPECT_TRUE(dm.table2.isOpen());
    EXPECT_EQ(dm.table2.rowCount(), 0);
    EXPECT_EQ(dm.table2.fields().size(), 25);
    EXPECT_TRUE(dm.table3.isOpen());
    EXPECT_EQ(dm.table3.fields().size(), 25);
    EXPECT_TRUE(dm.table4.isOpen());
    EXPECT_TRUE(dm.table5.isOpen());
    EXPECT_FALSE(dm.pracn.isOpen());
    EXPECT_FALSE(dm.pracnorm.isOpen());
    EXPECT_FALSE(dm.Qseznam.isOpen());
}

TEST(Startup, StepsRunInTheirOrderAndAreTracedInMonitorSql) {
    TestDatabase db;
    StartedSession st(db, "KUCHYŇ-2");
    QFile f(st.s().env.inProgramDir("monitor.sql"));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    QStringList traced;
    for (const QString& line : QString::fromUtf8(f.readAll()).split('\n', Qt::SkipEmptyParts)) traced << line.mid(24);
    const QStringList expected = {
        "connect ",
        "set names cp1250",
        "show processlist",
        "show tables like \"jidelny\"",
        "CREATE TABLE `jidelny` (",
        "select * from jidelny",
        "select s6 from normvyd",
        "select s8 from normvyd",
        "select s6 from prackalv",
        "select s8 from prackalv",
        "select kos_koef2 from cenik",
        "select oznac from normvyd",
        "select oznac from prackalv",
        "select oznac from prackal",
        "select oznac from vse",
        "select oznac from prac",
        "select oznac from pracn",
        "select oznac from normvyd",
        "select oznac from ident",
        "select oznac from jidelnicek",
        "drop table if exists prac_KUCHYN_2",
        "create table prac_KUCHYN_2 like vse",
        "show tables like \"dnorm\"",
        "CREATE TABLE `dnorm` (",
        "insert into dnorm set poradi = 1,",
        "insert into dnorm set poradi = 7,",
        "select * from dnorm",
        "insert into dnorm set poradi = 8,",
        "insert into dnorm set poradi = 10,",
        "select * from dnorm",
        "select * from adresar",
        "select * from vse limit 1,0",
        "select * from prac_KUCHYN_2 order by id",
        "select * from norma",
        "select * from prackal",
    };
    // Each expected statement appears, in this order, among the traced ones.
    int at = 0;
    for (const QString& e : expected) {
        while (at < traced.size() && !traced[at].startsWith(e)) ++at;
        ASSERT_LT(at, traced.size()) << "not traced in order: " << e.toStdString() << "\n"
                                     << traced.join('\n').toStdString();
        ++at;
    }
    EXPECT_EQ(st.s().conn().trace().file(), st.s().env.inProgramDir("monitor.sql"));
}

} // namespace
