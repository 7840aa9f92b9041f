#pragma once

#include <QDate>
#include <QDateTime>
#include <QString>

// Literals for statements. Text values never go into SQL any other way than through q().
namespace sql {

QString escape(const QString& text);                // backslash escapes, no quotes
QString q(const QString& text);                     // "text", escaped
QString num(double value, int maxPlaces = 6);       // decimal point, no grouping, no trailing zeros
QString num(long long value);
inline QString num(int value) { return num(static_cast<long long>(value)); }
QString date(const QDate& d);                       // "yyyy-mm-dd"
QString datetime(const QDate& d);                   // "yyyy-mm-dd 00:00:00"
QString datetime(const QDateTime& dt);              // "yyyy-mm-dd hh:mm:ss"

} // namespace sql
