#include "cards/skltisk.h"

#include "app/session.h"
#include "cards/cardprints.h"
#include "cards/skltisk2.h"
#include "core/numformat.h"
#include "db/sqltext.h"
#include "reporting/document.h"
#include "reporting/preview.h"

using reporting::Band;
using reporting::BandContext;

namespace cards {

CardHeading readCardHeading(app::Session& s, const QString& cislokarty) {
    CardHeading h;
    const auto card = s.conn().query("select * from sklkarta where cislokarty = " + sql::q(cislokarty));
    if (cislokarty.isEmpty() || card.isEmpty()) return h;
    h.found = true;
    h.cislokarty = card.text(0, "cislokarty");
    h.jkpov = card.text(0, "jkpov");
    h.druh = card.text(0, "druh");
    h.mcena = card.number(0, "mcena");
    h.mnoz = card.number(0, "mnoz");
    const auto article = s.conn().query("select * from cenik where jkpov = " + sql::q(h.jkpov));
    if (article.isEmpty()) {
        // A card whose article left the price list still prints, under the card's own name.
        h.nazev = card.text(0, "nazev");
        h.mj = card.text(0, "jedn");
        h.allergens = QVector<int>(8, 0);
        return h;
    }
    h.nazev = article.text(0, "nazev");
    h.mj = article.text(0, "mj");
    h.allergens << int(article.integer(0, "alergen"));
    for (int k = 2; k <= 8; ++k) h.allergens << int(article.integer(0, QString("alergen%1").arg(k)));
    return h;
}

QString cardAllergenList(const QVector<int>& a, int columns) {
    if (a.isEmpty() || a[0] == 0) return {};
    QString out = QString::number(a[0]);
    for (int k = 1; k < std::min<int>(columns, a.size()); ++k)
        if (a[k] != 0) out += ", " + QString::number(a[k]);
    return out;
}

namespace {

void addCardTitle(Band& b) {
    b.text("nadpis", 0, 0, 185, 8, "").bold().size(13);
    b.text("lJkpov", 0, 10, 18, 5, "JKPOV");
    b.text("jkpov", 18, 10, 22, 5, "").bold();
    b.text("lNazev", 42, 10, 14, 5, "Název");
    b.text("nazev", 56, 10, 92, 5, "").bold();
    b.text("lMj", 150, 10, 8, 5, "MJ");
    b.text("mj", 158, 10, 25, 5, "");
    b.text("lKarta", 0, 16, 22, 5, "Číslo karty");
    b.text("cislokarty", 22, 16, 24, 5, "").bold();
    b.text("lDruh", 48, 16, 10, 5, "Druh");
    b.text("druh", 58, 16, 14, 5, "");
    b.text("lCena", 74, 16, 16, 5, "Jed.cena");
    b.text("mcena", 90, 16, 22, 5, "").right();
    b.text("lZustatek", 116, 16, 17, 5, "Zůstatek");
    b.text("mnoz", 133, 16, 25, 5, "").bold().right();
    b.text("lAlergeny", 0, 22, 18, 5, "Alergeny");
    b.text("alergeny", 18, 22, 165, 5, "");
}

} // namespace

std::shared_ptr<reporting::Document> cardReport(const QString& name, const QString& title, const CardHeading& h,
                                                int allergenColumns, const QVector<CardColumn>& columns,
                                                const reporting::DataSource& lines) {
    reporting::Report r(name);
    r.printIfEmpty = true;
    Band& t = r.title(36);
    addCardTitle(t);
    Band& d = r.detail(5);
    for (const CardColumn& col : columns) {
        auto& caption = t.text("h" + col.field, col.x, 29, col.w, 5, col.caption).bold();
        auto& field = d.field(col.field, col.x, 0, col.w, 5, col.field, col.format);
        if (col.right) {
            caption.right();
            field.right();
        }
    }
    t.hline("hRule", 0, 35, 185);
    const QString allergens = cardAllergenList(h.allergens, allergenColumns);
    t.beforePrint = [&](BandContext& c) {
        c.setText("nadpis", title);
        c.setText("jkpov", h.jkpov);
        c.setText("nazev", h.nazev);
        c.setText("mj", h.mj);
        c.setText("cislokarty", h.cislokarty);
        c.setText("druh", h.druh);
        c.setText("mcena", core::formatNumber(h.mcena, "### ###.000"));
        c.setText("mnoz", core::formatNumber(h.mnoz, "### ###.000"));
        c.setText("alergeny", allergens);
        return true;
    };
    d.alternate = true;
    d.beforePrint = [](BandContext& c) {
        if (c.string("TYP") == "V") {
            c.setText("MNOZSTVI", "-" + c.text("MNOZSTVI"));
            c.setText("CELKEM", "-" + c.text("CELKEM"));
        }
        return true;
    };
    r.summary(3).hline("konec", 0, 1, 185);
    r.pageFooter(6).pageNumber("strana", 100, 1, 85, 4).size(7).right();
    return r.run(lines);
}

void showCardPrint(app::Session& s, std::shared_ptr<reporting::Document> doc, QWidget* parent) {
    if (!doc) {
        s.prompter().tell("Talírka", "Není vybraná žádná skladová karta!", ui::Icon::Warning);
        return;
    }
    reporting::preview(std::move(doc), s.prompter(), parent);
}

std::shared_ptr<reporting::Document> buildCardDetailed(app::Session& s, const QString& cislokarty, const QDate& day) {
    const CardHeading h = readCardHeading(s, cislokarty);
    if (!h.found) return {};
    const reporting::ResultSetSource lines(
        s.conn().query("select * from vse where CISLPOLOZ = " + sql::q(h.cislokarty)));
    return cardReport("Tskladtisk", "Skladová karta ke dni: " + reporting::dateText(day), h, 8,
                      {{"Doklad", "CISLO", 0, 25, {}},
                       {"Typ", "TYP", 27, 10, {}},
                       {"Doklad dodav.", "CISLDOKL", 39, 30, {}},
                       {"Datum", "DATUM", 71, 25, {}},
                       {"Množství", "MNOZSTVI", 100, 38, "### ###.000", true},
                       {"Celkem", "CELKEM", 142, 40, "### ###.000", true}},
                      lines);
}

void previewCardDetailed(app::Session& s, const QString& cislokarty, const QDate& day, QWidget* parent) {
    showCardPrint(s, buildCardDetailed(s, cislokarty, day), parent);
}

void installCardPrints() { setCardPrints(previewCardDetailed, previewCardByDays); }

} // namespace cards
