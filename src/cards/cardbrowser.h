#pragma once

#include "cards/browsersettings.h"
#include "db/dataset.h"

#include <QDate>
#include <functional>

namespace app {
class Session;
}

namespace cards {

// What the stock-card browser does to data, without its window: the price list, the cards of the
// current article and the movements of the current card, ordered by mode, linked, sorted and
// positioned; and the take-over into the document buffer or the norm buffer.
class CardBrowser {
public:
    CardBrowser(app::Session& s, BrowserSettings& settings);

    db::Dataset sqlcenik;   // the price list
    db::Dataset sqlkarta;   // all cards, filtered to the current article
    db::Dataset tvse;       // movements of the current card

    // The card order after the first key, and the price-list query, by mode.
    static QString cardOrderTail(int tag);
    static QString priceListStatement(int tag);
    QString cardStatement() const;
    const QString& cardSortKey() const { return sortKey_; }

    // Opens the lists for the mode and positions them when najdi is set (then clears it).
    void FormShow();
    // Opens the lists again (after a new article or card) and moves to the article and card.
    void reload(const QString& jkpov, const QString& cislokarty = {});
    // Moves to the article and, when given, its card; false when the article is not listed
    // (the cursor stays where it was).
    bool moveTo(const QString& jkpov, const QString& cislokarty = {});
    // "Mn. cena" (mcena) or "Zůstatek" (mnoz): the first sort key of the cards, descending.
    void sortCards(const QString& key);

    // While the search dialog runs the card list does not follow the price list.
    void setLinked(bool on);
    bool linked() const { return linked_; }
    void linkCards();       // filters the cards to the current article
    void loadMovements();   // reads the movements of the current card

    bool hasArticle() const { return sqlcenik.recNo() >= 0; }
    bool hasCard() const { return sqlkarta.recNo() >= 0; }
    QString currentJkpov() const { return sqlcenik.text("JKPOV"); }
    QString currentCard() const { return sqlkarta.text("CISLOKARTY"); }

    // "převzít": true when something was taken over and the window is to close. Modes below 10
    // fill the document buffer's current line (or a new one) from the current card and set Tag
    // to -1; modes 11 and 12 fill the norm buffer's current line from the current article.
    // Nothing to take over is said to the user and changes nothing.
    bool prevzit();
    void setToday(const QDate& d) { today_ = d; }

    std::function<void()> cardsChanged;       // the card list was filtered or reopened
    std::function<void()> movementsChanged;   // the movement list was read again

private:
    bool takeOverIntoDocument();
    bool takeOverIntoNorm();
    void openLists();
    void tell(const QString& text);

    app::Session& s_;
    BrowserSettings& set_;
    QString sortKey_ = "mnoz";
    bool linked_ = true;
    QDate today_;
    int jkpovColumn_ = -1, mnozColumn_ = -1;
};

} // namespace cards
