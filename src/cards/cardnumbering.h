#pragma once

#include <QString>
#include <QStringList>
#include <stdexcept>

namespace db {
class Connection;
}

namespace cards {

// A numbering sequence with no free number left: the article has all 99 cards, or the group all
// 999 article numbers. what() is the message for the user; nothing has been written.
class NumberingExhausted : public std::runtime_error {
public:
    explicit NumberingExhausted(const QString& message)
        : std::runtime_error(message.toStdString()), message_(message) {}
    const QString& message() const { return message_; }

private:
    QString message_;
};

// Card numbers: the six-character article number and a two-digit sequence 01-99. A new card
// gets the lowest free sequence number of its article; "00" is never given and never counts.
class CardNumbering {
public:
    static constexpr int maxCards = 99;

    // The lowest free card number of the article, looked up in sklkarta.
    // Throws NumberingExhausted when 01-99 are all taken.
    static QString novecislokarty(db::Connection& c, const QString& jkpov);

    // The same rule over a list of existing card numbers of the article (in any order).
    static QString lowestFree(const QString& jkpov, const QStringList& existingCards);

    static QString exhaustedMessage(const QString& jkpov);
};

} // namespace cards
