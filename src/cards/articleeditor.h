#pragma once

#include <QString>
#include <QStringList>
#include <array>

namespace app {
class Session;
}

namespace cards {

// One row of the price list as the article window shows it.
struct Article {
    QString druh = "000";   // group, three digits
    QString jkpov;          // article number; given when a new article is saved
    QString nazev;
    QString mj;
    std::array<int, 4> kosSkup{};      // basket groups
    std::array<double, 4> kosKoef{};   // their coefficients
    std::array<int, 8> alergen{};      // allergen numbers, 0 = none
};

// What the article window does to the price list: the allergen lists, reading an article and
// saving a new one or a correction.
class ArticleEditor {
public:
    static constexpr int nazevLength = 50;   // cenik.nazev
    static constexpr int mjLength = 10;      // cenik.mj

    explicit ArticleEditor(app::Session& s) : s_(s) {}

    // One item per allergen, "{alergen}. {popis}", by number.
    QStringList allergenItems();
    // The number an item stands for: its text up to the first "."; 0 when there is none.
    static int allergenNumber(const QString& item);

    // The article with this key; throws db::Error when the server fails.
    Article load(int id);

    // A new article (id 0) gets the next number of its group into a.jkpov; a correction
    // (id of the row) changes only the basket groups, coefficients and allergens.
    // False when the message was shown and nothing was stored.
    bool save(Article& a, int id);

private:
    void update(const Article& a, long long id);

    app::Session& s_;
};

} // namespace cards
