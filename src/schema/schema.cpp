#include "schema/schema.h"

#include "db/connection.h"

namespace schema {

QStringList statements(const QString& script) {
    QStringList out;
    QString cur;
    QChar quote;
    for (qsizetype i = 0; i < script.size(); ++i) {
        const QChar c = script[i];
        if (quote.isNull() && c == '-' && i + 1 < script.size() && script[i + 1] == '-') {
            while (i < script.size() && script[i] != '\n') ++i;
            cur += '\n';
            continue;
        }
        if (!quote.isNull()) {
            cur += c;
            if (c == '\\' && i + 1 < script.size()) cur += script[++i];
            else if (c == quote) quote = QChar();
            continue;
        }
        if (c == '\'' || c == '"' || c == '`') quote = c;
        if (c == ';') {
            if (!cur.trimmed().isEmpty()) out << cur.trimmed();
            cur.clear();
            continue;
        }
        cur += c;
    }
    if (!cur.trimmed().isEmpty()) out << cur.trimmed();
    return out;
}

void run(db::Connection& c, const QString& script) {
    for (const QString& s : statements(script)) c.exec(s);
}

QStringList baseTables() {
    return {"vse",   "sklkarta", "cenik",    "alergeny",   "adresar", "norma", "pracnorm", "pracn",
            "prackal", "normvyd", "prackalv", "jidelnicek", "ident",   "prac"};
}

} // namespace schema
