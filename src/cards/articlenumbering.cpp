#include "cards/articlenumbering.h"

#include "db/connection.h"
#include "db/sqltext.h"

#include <QSet>

namespace cards {

QString ArticleNumbering::exhaustedMessage(const QString& group) {
    return "Ve skupině " + group + " jsou obsazena všechna čísla zboží (" + group + "001 až " + group +
           "999).\nNové zboží nelze založit, zvolte jiný druh.";
}

QString ArticleNumbering::normalizedGroup(const QString& typed) {
    const QString t = typed.trimmed();
    return t.isEmpty() ? QString("000") : t.rightJustified(3, '0');
}

QString ArticleNumbering::next(const QString& group, const QStringList& existing) {
    if (existing.isEmpty()) return group + "001";
    QString highest;
    for (const QString& j : existing)
        if (j > highest) highest = j;
    bool ok = false;
    const long long n = highest.toLongLong(&ok) + 1;
    const long long d = n - group.toLongLong() * 1000;
    if (ok && d >= 1 && d <= maxArticles) return QString("000000%1").arg(n).right(6);
    // The highest number already ends in 999: the first gap of the group.
    const QSet<QString> taken(existing.begin(), existing.end());
    for (int k = 1; k <= maxArticles; ++k) {
        const QString candidate = group + QString("%1").arg(k, 3, 10, QChar('0'));
        if (!taken.contains(candidate)) return candidate;
    }
    throw NumberingExhausted(exhaustedMessage(group));
}

QString ArticleNumbering::NOVECISLO(db::Connection& c, const QString& group) {
    const auto rs = c.query("select jkpov from cenik where substring(jkpov from 1 for 3) = " + sql::q(group));
    QStringList existing;
    existing.reserve(rs.rowCount());
    for (const auto& row : rs.rows) existing << row[0].toString();
    return next(group, existing);
}

} // namespace cards
