#include "cards/cardnumbering.h"

#include "db/connection.h"
#include "db/sqltext.h"

#include <bitset>

namespace cards {

QString CardNumbering::exhaustedMessage(const QString& jkpov) {
    return "Zboží " + jkpov + " má už všech 99 skladových karet (" + jkpov + "01 až " + jkpov +
           "99).\nNovou kartu nelze založit, nejdříve zrušte nepoužívanou kartu tohoto zboží.";
}

QString CardNumbering::lowestFree(const QString& jkpov, const QStringList& existingCards) {
    // Taken sequence numbers; a duplicate card number (two workstations opening a card at once)
    // must not make a taken number look free.
    std::bitset<maxCards + 1> taken;
    for (const QString& card : existingCards) {
        bool ok = false;
        const int n = card.right(2).toInt(&ok);
        if (ok && n >= 1 && n <= maxCards) taken.set(n);
    }
    for (int n = 1; n <= maxCards; ++n)
        if (!taken.test(n)) return jkpov + QString("%1").arg(n, 2, 10, QChar('0'));
    throw NumberingExhausted(exhaustedMessage(jkpov));
}

QString CardNumbering::novecislokarty(db::Connection& c, const QString& jkpov) {
    const auto rs = c.query("select cislokarty from sklkarta where\n"
                            "substring(CISLOKARTY from 1 for 6) = " +
                            sql::q(jkpov) + " order by cislokarty");
    QStringList cards;
    cards.reserve(rs.rowCount());
    for (const auto& row : rs.rows) cards << row[0].toString();
    return lowestFree(jkpov, cards);
}

} // namespace cards
