#include "support/testdatabase.h"

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
    admin_.exec("use " + name_);
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
