#include "db/sqltext.h"

namespace sql {

QString escape(const QString& text) {
    QString out;
    out.reserve(text.size() + 8);
    for (const QChar c : text) {
        switch (c.unicode()) {
        case 0: out += "\\0"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\\': out += "\\\\"; break;
        case '\'': out += "\\'"; break;
        case '"': out += "\\\""; break;
        case 0x1a: out += "\\Z"; break;
        default: out += c;
        }
    }
    return out;
}

QString q(const QString& text) { return '"' + escape(text) + '"'; }

QString num(double value, int maxPlaces) {
    QString s = QString::number(value, 'f', maxPlaces);
    if (s.contains('.')) {
        while (s.endsWith('0')) s.chop(1);
        if (s.endsWith('.')) s.chop(1);
    }
    if (s == "-0") s = "0";
    return s;
}

QString num(long long value) { return QString::number(value); }

QString date(const QDate& d) { return '"' + d.toString("yyyy-MM-dd") + '"'; }

QString datetime(const QDate& d) { return '"' + d.toString("yyyy-MM-dd") + " 00:00:00\""; }

QString datetime(const QDateTime& dt) { return '"' + dt.toString("yyyy-MM-dd hh:mm:ss") + '"'; }

} // namespace sql
