#include "cards/skltisk2.h"

#include "app/session.h"
#include "cards/skltisk.h"
#include "db/sqltext.h"
#include "reporting/document.h"

namespace cards {

std::shared_ptr<reporting::Document> buildCardByDays(app::Session& s, const QString& cislokarty, const QDate& day) {
    const CardHeading h = readCardHeading(s, cislokarty);
    if (!h.found) return {};
    const reporting::ResultSetSource lines(
        s.conn().query("select datum, typ, sum(mnozstvi) as mnozstvi, sum(celkem) as celkem, cislpoloz from vse\n"
                       "where cislpoloz = " + sql::q(h.cislokarty) +
                       " group by datum, typ, cislpoloz order by datum, typ"));
    // This print names only the first three allergen columns.
    return cardReport("Tskladtisk2", "Skladová karta po dnech k datu: " + reporting::dateText(day), h, 3,
                      {{"Typ", "TYP", 0, 15, {}},
                       {"Datum", "DATUM", 17, 30, "dd.mm.yyyy"},
                       {"Množství", "MNOZSTVI", 60, 50, "### ###.000", true},
                       {"Celkem", "CELKEM", 120, 60, "### ###.000", true}},
                      lines);
}

void previewCardByDays(app::Session& s, const QString& cislokarty, const QDate& day, QWidget* parent) {
    showCardPrint(s, buildCardByDays(s, cislokarty, day), parent);
}

} // namespace cards
