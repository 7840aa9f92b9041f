#pragma once

#include "reporting/report.h"

#include <QDate>
#include <QString>
#include <QVector>
#include <memory>

class QWidget;

namespace app {
class Session;
}

namespace cards {

// What both card prints show above the lines: the article of the price list and the card.
struct CardHeading {
    bool found = false;
    QString jkpov, nazev, mj, cislokarty, druh;
    double mcena = 0, mnoz = 0;
    QVector<int> allergens;   // alergen … alergen8
};

// The card and its article ("select * from cenik where jkpov = ..." gives the allergens).
CardHeading readCardHeading(app::Session& s, const QString& cislokarty);

// "1, 4, 9": the first allergen column and every further non-zero one up to `columns`; nothing
// when the first column is 0.
QString cardAllergenList(const QVector<int>& allergens, int columns);

// A line column of a card print.
struct CardColumn {
    QString caption, field;
    double x, w;
    QString format;
    bool right = false;
};

// The layout both prints share: the title band with the card's data, its allergens and the line
// captions; the lines (issues with a leading "-" on quantity and value), shaded from the start;
// a closing line; the page number.
std::shared_ptr<reporting::Document> cardReport(const QString& name, const QString& title, const CardHeading& h,
                                                int allergenColumns, const QVector<CardColumn>& columns,
                                                const reporting::DataSource& lines);
// Shows a card print, or tells that no card is selected (no document).
void showCardPrint(app::Session& s, std::shared_ptr<reporting::Document> doc, QWidget* parent);

// "Skladová karta ke dni: ": every movement of the card.
std::shared_ptr<reporting::Document> buildCardDetailed(app::Session& s, const QString& cislokarty, const QDate& day);
void previewCardDetailed(app::Session& s, const QString& cislokarty, const QDate& day, QWidget* parent);

// Puts both card prints behind the stock-card browser's print buttons; called once at start.
void installCardPrints();

} // namespace cards
