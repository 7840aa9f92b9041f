#pragma once

#include <QString>

namespace cards {

// The issue window's remembered card pair: on a take-over by description (mode 2) the browser
// tells it the card chosen and the card the buffer line had before, so that "q" can put the new
// card on further lines that still have the old one.
class CardPairReceiver {
public:
    virtual ~CardPairReceiver() = default;
    virtual void rememberCardPair(const QString& newCard, const QString& oldCard) = 0;
};

// What the norm editor lends the browser for a take-over into pracnorm (modes 11 and 12).
class NormLineContext {
public:
    virtual ~NormLineContext() = default;
    virtual QString mealType() const = 0;        // typjid of the line
    virtual QString mealDescription() const = 0; // popis of the line
    // After the take-over: the editor's grid on the quantity column of the line.
    virtual void focusQuantity() = 0;
};

// Set by the caller after creating the browser and before showing it.
struct BrowserSettings {
    // 0, 1, 2: a card for a document line (by article number, card number, description);
    // 11, 12: an article for a norm line (by number, by description); 100: browsing only.
    // Set to -1 when a card was taken over into the document buffer.
    int Tag = 0;
    bool najdi = false;       // position the lists on opening, then cleared
    QString najdi_jkpov;      // article to position on
    QString najdi_kartu;      // card to position on; empty: the first card of the article
    bool jen_nenulove = false;  // only cards whose balance is not zero
    QString stredisko;        // the receipt's "Středisko:", given to cards opened from here
    CardPairReceiver* cardPair = nullptr;   // the issue window in mode 2
    NormLineContext* normLine = nullptr;    // the norm editor in modes 11 and 12
};

} // namespace cards
