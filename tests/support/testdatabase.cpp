#include "support/testdatabase.h"

#include "db/sqltext.h"
#include "schema/schema.h"

#include <QCoreApplication>
#include <QDir>
#include <QRandomGenerator>
#include <unistd.h>

namespace testing_support {

db::ConnectionParams serverParams() {
    db::ConnectionParams p;
    p.socket = qEnvironmentVariable("TALIRKA_TEST_SOCKET");
    p.host = qEnvironmentVariableIsSet("TALIRKA_TEST_HOST") ? qEnvironmentVariable("TALIRKA_TEST_HOST") : "127.0.0.1";
    p.port = qEnvironmentVariableIsSet("TALIRKA_TEST_PORT") ? qEnvironmentVariableIntValue("TALIRKA_TEST_PORT") : 3306;
    p.user = qEnvironmentVariableIsSet("TALIRKA_TEST_USER") ? qEnvironmentVariable("TALIRKA_TEST_USER") : "root";
    p.password = qEnvironmentVariable("TALIRKA_TEST_PASSWORD");
    p.connectTimeout = 5;
    return p;
}

TestDatabase::TestDatabase(bool install) {
    name_ = QString("t_%1_%2").arg(getpid()).arg(QRandomGenerator::global()->generate() % 1000000000u);
    try {
        admin_.open(serverParams());
    } catch (const db::Error& e) {
        ADD_FAILURE() << "the test database server is not reachable: " << e.what()
                      << " (run the tests through scripts/test)";
        throw;
    }
    admin_.exec("create database " + name_ + " character set utf8 collate utf8_unicode_ci");
    // The fixture's own statements run under an account of their own, so that the program's
    // "same account already connected" check sees only the connections a test opens on purpose.
    for (const char* host : {"localhost", "%"}) {
        admin_.exec(QString("create user if not exists 'talirka_fixture'@'%1'").arg(host));
        admin_.exec(QString("grant all on *.* to 'talirka_fixture'@'%1' with grant option").arg(host));
    }
    auto own = serverParams();
    own.user = "talirka_fixture";
    own.password.clear();
    own.database = name_;
    admin_.open(own);
    admin_.exec("set names cp1250");
    if (install) schema::run(admin_, QString::fromUtf8(schema::installSql()));
}

TestDatabase::~TestDatabase() {
    try {
        admin_.exec("drop database if exists " + name_);
    } catch (...) {
    }
}

db::ConnectionParams TestDatabase::params() const {
    auto p = serverParams();
    p.database = name_;
    return p;
}

void TestDatabase::exec(const QString& sql) { admin_.exec(sql); }

void TestDatabase::script(const QString& sql) { schema::run(admin_, sql); }

void TestDatabase::addCanteen(const QString& nazev, const QString& oznac) {
    // The program creates this table at start; a test that fills it first makes it the same way.
    admin_.exec("CREATE TABLE IF NOT EXISTS `jidelny` (`id` int(6) NOT NULL AUTO_INCREMENT, `nazev` varchar(50) "
                "DEFAULT NULL, `oznac` char(1) NOT NULL DEFAULT \"\", PRIMARY KEY (`id`)) ENGINE=InnoDB DEFAULT "
                "CHARSET=utf8 COLLATE=utf8_unicode_ci");
    admin_.exec(QString("insert into jidelny (nazev, oznac) values (%1, %2)").arg(sql::q(nazev), sql::q(oznac)));
}

QStringList TestDatabase::columnDefinitions(const QString& table) {
    const auto rs = admin_.query("select column_name, column_type, is_nullable, ifnull(column_default, '-'), extra "
                                 "from information_schema.columns where table_schema = database() and table_name = " +
                                 sql::q(table) + " order by ordinal_position");
    QStringList out;
    for (const auto& r : rs.rows) {
        QStringList parts;
        for (const auto& v : r)
            if (!v.toString().isEmpty()) parts << v.toString();
        out << parts.join(' ');
    }
    return out;
}

QString TestDatabase::scalar(const QString& sql) {
    const auto rs = admin_.query(sql);
    if (rs.isEmpty()) return {};
    return rs.rows[0][0].toString();
}

core::Environment TestWorkstation::env(const QString& computerName) const {
    core::Environment e;
    e.programDir = dir.path();
    e.settingsPath = dir.path() + "/talirka.INI";
    e.computerName = computerName;
    return e;
}

StartedSession::StartedSession(TestDatabase& db, const QString& computerName, bool run) {
    session = std::make_unique<app::Session>(ws.env(computerName), prompter);
    if (run) start(db);
}

void StartedSession::start(TestDatabase& db) { app::DataModuleStartup(*session).run(db.params()); }

void DbTest::SetUp() {
    db = std::make_unique<TestDatabase>();
    started = std::make_unique<StartedSession>(*db);
}

void DbTest::TearDown() {
    started.reset();
    db.reset();
}

} // namespace testing_support
