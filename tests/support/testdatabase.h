#pragma once

#include "app/datamodul.h"
#include "app/session.h"
#include "db/connection.h"
#include "ui/prompter.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

namespace testing_support {

// The server scripts/test started: TALIRKA_TEST_SOCKET, or TALIRKA_TEST_HOST and TALIRKA_TEST_PORT,
// user TALIRKA_TEST_USER (root). A missing server fails the test; it never skips.
db::ConnectionParams serverParams();

// A fresh database with the installation tables, dropped again at the end.
class TestDatabase {
public:
    explicit TestDatabase(bool install = true);
    ~TestDatabase();
    const QString& name() const { return name_; }
    db::ConnectionParams params() const;   // connects to this database
    // A connection of its own, in this database, under an account the program's sessions do not use.
    db::Connection& admin() { return admin_; }
    // Runs one statement / a ";"-separated script in this database.
    void exec(const QString& sql);
    void script(const QString& sql);
    QString scalar(const QString& sql);     // first column of the first row, "" when none
    // A canteen row (creating jidelny as the program does when it is missing).
    void addCanteen(const QString& nazev, const QString& oznac);
    // The columns of a table in their order, each "name type nullability default [extra]", to
    // compare two tables column by column.
    QStringList columnDefinitions(const QString& table);

private:
    QString name_;
    db::Connection admin_;
};

// A program folder and per-workstation settings file of its own, under a temporary folder.
struct TestWorkstation {
    QTemporaryDir dir;
    core::Environment env(const QString& computerName = "TESTPC") const;
};

// A session over a test database after the real start-up of the data module.
struct StartedSession {
    explicit StartedSession(TestDatabase& db, const QString& computerName = "TESTPC", bool run = true);
    TestWorkstation ws;
    ui::ScriptedPrompter prompter;
    std::unique_ptr<app::Session> session;
    app::Session& s() { return *session; }
    void start(TestDatabase& db);
};

// Base fixture: a fresh database and a started session per test.
class DbTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    std::unique_ptr<TestDatabase> db;
    std::unique_ptr<StartedSession> started;
    app::Session& session() { return started->s(); }
    ui::ScriptedPrompter& prompter() { return started->prompter; }
};

} // namespace testing_support
