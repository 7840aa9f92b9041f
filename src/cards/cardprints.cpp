#include "cards/cardprints.h"

namespace cards {

namespace {
CardPrint& detailed() {
    static CardPrint p;
    return p;
}
CardPrint& byDays() {
    static CardPrint p;
    return p;
}
} // namespace

void setCardPrints(CardPrint d, CardPrint b) {
    detailed() = std::move(d);
    byDays() = std::move(b);
}

void printCardDetailed(app::Session& s, const QString& cislokarty, const QDate& day, QWidget* parent) {
    if (detailed()) detailed()(s, cislokarty, day, parent);
}

void printCardByDays(app::Session& s, const QString& cislokarty, const QDate& day, QWidget* parent) {
    if (byDays()) byDays()(s, cislokarty, day, parent);
}

} // namespace cards
