#pragma once

#include <QStringList>

namespace db {
class Connection;
}

namespace schema {

const char* installSql();   // the base tables, allergens and an identity row
const char* demoSql();      // a small demo data set for scripts/run-demo

// Splits a script at ";" outside quotes and comments.
QStringList statements(const QString& script);
// Runs every statement of a script.
void run(db::Connection& c, const QString& script);

// The tables a new installation creates.
QStringList baseTables();

} // namespace schema
