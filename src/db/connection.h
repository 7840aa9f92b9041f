#pragma once

#include "db/error.h"
#include "db/resultset.h"
#include "db/statementtrace.h"

#include <QString>
#include <memory>

struct st_mysql;

namespace db {

struct ConnectionParams {
    QString host;
    int port = 3306;
    QString user;
    QString password;
    QString database;
    QString socket;           // a local socket, when set it is used instead of host and port
    int connectTimeout = 10;  // seconds; a server that does not answer must not hang the start
};

// One connection to a MariaDB/MySQL server. It speaks cp1250 to the server and UTF-8 QString to
// the program, records every statement in its trace and throws db::Error for every failure.
class Connection {
public:
    Connection();
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    void open(const ConnectionParams& params);
    void close();
    bool isOpen() const { return handle_ != nullptr; }
    const ConnectionParams& params() const { return params_; }

    // Runs a statement; any result it returns is read and dropped.
    void exec(const QString& statement);
    // Runs a select (or show) and fetches all its rows.
    ResultSet query(const QString& statement);
    // Runs a test statement and answers whether the server accepted it (the upgrade checks).
    bool succeeds(const QString& statement);

    unsigned long long affectedRows() const { return affected_; }
    unsigned long long lastInsertId();
    unsigned long threadId() const;

    void begin() { exec("start transaction"); }
    void commit() { exec("commit"); }
    void rollback();

    StatementTrace& trace() { return trace_; }

private:
    [[noreturn]] void fail(const QString& statement);
    void run(const QString& statement);
    void drainResults(const QString& statement);

    st_mysql* handle_ = nullptr;
    ConnectionParams params_;
    StatementTrace trace_;
    unsigned long long affected_ = 0;
};

// Rolls back unless commit() was called, so that a throwing save leaves nothing half written.
class Transaction {
public:
    explicit Transaction(Connection& c) : c_(c) { c_.begin(); }
    ~Transaction() {
        if (!done_) c_.rollback();
    }
    void commit() {
        c_.commit();
        done_ = true;
    }

private:
    Connection& c_;
    bool done_ = false;
};

} // namespace db
