#pragma once

#include <QDate>
#include <QString>
#include <functional>

class QWidget;

namespace app {
class Session;
}

namespace cards {

// The two prints of a stock card, titled with the day given (today from the browser). The print
// code installs them at start; until then the browser's print buttons do nothing.
using CardPrint = std::function<void(app::Session&, const QString& cislokarty, const QDate& day, QWidget* parent)>;

void setCardPrints(CardPrint detailed, CardPrint byDays);

// "tisk karty - podrobný": every movement of the card.
void printCardDetailed(app::Session& s, const QString& cislokarty, const QDate& day, QWidget* parent);
// "tisk karty - po dnech": the movements summed per day and type.
void printCardByDays(app::Session& s, const QString& cislokarty, const QDate& day, QWidget* parent);

} // namespace cards
