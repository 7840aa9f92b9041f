#pragma once

#include <QDate>
#include <QString>
#include <optional>

namespace app {
class Session;
}
namespace db {
class Connection;
}

namespace cards {

// A card to open: the article it belongs to and its unit price.
struct NewCard {
    QString jkpov;
    QString nazev;
    QString jedn;
    QString stredisko;
    double mcena = 0;
};

// Opening stock cards: the card row with the lowest free number and its one "Z" movement.
class CardOpening {
public:
    // Writes the card and its opening movement dated `day`, and returns the card number. Runs in
    // the caller's transaction when there is one. Throws NumberingExhausted before writing
    // anything when the article has all 99 cards.
    static QString zalozKartu(db::Connection& c, const NewCard& card, const QDate& day);

    // A unit price as typed: decimal comma or point, not negative; no value when it is not one.
    static std::optional<double> parsePrice(const QString& text);

    // "Uložit" of the card window: checks the price, opens the card in one transaction and
    // returns its number; tells the user and returns nothing when the price is wrong or the
    // numbers are exhausted.
    static std::optional<QString> save(app::Session& s, NewCard card, const QString& priceText, const QDate& day);
};

} // namespace cards
