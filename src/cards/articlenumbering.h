#pragma once

#include "cards/cardnumbering.h"

#include <QString>
#include <QStringList>

namespace db {
class Connection;
}

namespace cards {

// Article numbers: the three-digit group and a three-digit sequence 001-999.
class ArticleNumbering {
public:
    static constexpr int maxArticles = 999;

    // The next article number of the group: the group's highest plus one; when the highest ends
    // in 999, the first free number of the group. Throws NumberingExhausted when all 999 are taken.
    static QString NOVECISLO(db::Connection& c, const QString& group);

    // The same rule over the article numbers the group already has.
    static QString next(const QString& group, const QStringList& existing);

    // "5" -> "005": the group as the number field shows it.
    static QString normalizedGroup(const QString& typed);

    static QString exhaustedMessage(const QString& group);
};

} // namespace cards
