#include "stock/qtisk2.h"

#include "app/session.h"
#include "core/numformat.h"
#include "reporting/document.h"
#include "reporting/preview.h"

#include <cmath>

using reporting::Band;
using reporting::BandContext;

namespace stock {

namespace docprint {

long long cents(double value) { return std::llround(value * 100); }
double fromCents(long long c) { return double(c) / 100; }

QString issueDescription(const QString& popis, const QString& popis2) {
    QString t = popis;
    if (!popis2.trimmed().isEmpty()) {
        if (!popis.trimmed().isEmpty()) t += ", ";
        t += "\nALERGENY: " + popis2;
    }
    return t;
}

namespace {

// Columns of a document line, mm from the left margin (185 mm of printable width).
struct Column {
    const char* title;
    const char* field;
    double x, w;
    bool right;
};
const Column kColumns[] = {
    {"Číslo karty", "CISLPOLOZ", 1, 20, false},   {"Číslo zboží", "JKPOV", 22, 20, false},
    {"Popis zboží", "TEXT", 43, 53, false},       {"Množství", "MNOZSTVI", 98, 24, true},
    {"Nákupní cena Kč", "NAKUPCENA", 124, 27, true}, {"Celkem Kč", "CELKEM", 153, 20, true},
    {"Skup.", "SKUPINA", 174, 10, true},
};

const char* const kSupplierItems[] = {"lDodavatel", "DODAVATEL", "lIco", "ICO", "lSidlo", "ORGJD", "lCisdokl", "CISLDOKL"};

} // namespace

void addHeaderBlock(Band& b, double y) {
    b.text("lCislo", 3, y, 28, 5, "Číslo dokladu");
    b.field("CISLO", 31, y, 40, 5, "CISLO").bold().size(10);
    b.text("lDatum", 120, y, 16, 5, "Datum:");
    b.field("DATUM", 136, y, 46, 5, "DATUM").bold();
    b.text("lStredisko", 3, y + 6, 28, 5, "Středisko");
    b.field("PROVOZOVNA", 31, y + 6, 60, 5, "PROVOZOVNA");
    b.text("lDodavatel", 3, y + 12, 28, 5, "Dodavatel:");
    b.field("DODAVATEL", 31, y + 12, 85, 5, "DODAVATEL").bold();
    b.text("lIco", 120, y + 12, 16, 5, "IČO:");
    b.field("ICO", 136, y + 12, 46, 5, "ICO");
    b.text("lSidlo", 3, y + 18, 28, 5, "Sídlo:");
    b.field("ORGJD", 31, y + 18, 85, 5, "ORGJD");
    b.text("lCisdokl", 120, y + 18, 28, 5, "Čis. dokl. dod.:");
    b.field("CISLDOKL", 149, y + 18, 33, 5, "CISLDOKL");
    b.text("popis", 3, y + 12, 179, 11, "").wrapped();
}

void fillHeaderBlock(BandContext& c, bool issue, const QString& description) {
    for (const char* name : kSupplierItems) c.setVisible(name, !issue);
    c.setVisible("popis", issue);
    if (issue) c.setText("popis", description);
}

void addColumnTitles(Band& b, double y) {
    for (const Column& col : kColumns) {
        auto& it = b.text(QString("h") + col.field, col.x, y, col.w, 5, col.title).bold().size(8);
        if (col.right) it.right();
    }
    b.hline("hRule", 0, y + 6, 185);
}

void showColumnTitles(BandContext& c, bool issue) { c.setVisible("hSKUPINA", issue); }

void addLineFields(Band& b) {
    for (const Column& col : kColumns) {
        const QString field(col.field);
        const QString format = field == "NAKUPCENA" || field == "CELKEM" ? "### ##0.00" : "";
        auto& it = b.field(field, col.x, 0, col.w, 5, field, format);
        if (col.right) it.right();
    }
}

void showLineFields(BandContext& c, bool issue, const QString& quantityFormat) {
    c.setVisible("SKUPINA", issue);
    c.setText("MNOZSTVI", core::formatNumber(c.number("MNOZSTVI"), quantityFormat));
}

void addDocumentTotal(Band& b, int slotCount) {
    b.hline("sRule", 0, 0.5, 185);
    b.text("lCelkem", 83, 1.5, 69, 6, "Celkem za doklad Kč:").bold().right();
    b.text("celkem", 153, 1.5, 20, 6, "").bold().right();
    for (int k = 0; k < slotCount; ++k) {
        const double x = (k % 5) * 37.0, y = 8.5 + (k / 5) * 5.0;
        b.text(QString("skup%1").arg(k + 1), x, y, 20, 5, "").size(8);
        b.text(QString("skupc%1").arg(k + 1), x + 20, y, 16, 5, "").size(8).right();
    }
}

void fillDocumentTotal(BandContext& c, long long total, const std::array<long long, 11>& groups, int lastGroup,
                       bool issue) {
    c.setText("celkem", core::formatNumber(fromCents(total), "### ##0.00"));
    bool any = false;
    for (int g = 1; g <= lastGroup; ++g) any = any || groups[g] != 0;
    for (int k = 1; k <= lastGroup; ++k) {
        c.setVisible(QString("skup%1").arg(k), false);
        c.setVisible(QString("skupc%1").arg(k), false);
    }
    if (!issue || !any) return;
    auto put = [&](int slot, int group) {
        c.setText(QString("skup%1").arg(slot), QString("z toho sk.%1").arg(group));
        c.setText(QString("skupc%1").arg(slot), core::formatNumber(fromCents(groups[group]), "### ###.00"));
        c.setVisible(QString("skup%1").arg(slot), true);
        c.setVisible(QString("skupc%1").arg(slot), true);
    };
    int next = 1;
    for (int g = 1; g <= std::min(5, lastGroup); ++g)
        if (groups[g] != 0) put(next++, g);
    for (int g = 6; g <= lastGroup; ++g)
        if (groups[g] != 0) put(g, g);
}

void addSignatures(Band& b, double y) {
    b.text("lPrevzal", 3, y, 18, 5, "Převzal:");
    b.field("PREVZAL", 21, y, 60, 5, "PREVZAL");
    b.hline("podpisPrevzal", 21, y + 11, 60).width(0.15);
    b.text("lRozuctoval", 100, y, 22, 5, "Rozúčtoval:");
    b.field("ROZUCTOVAL", 122, y, 60, 5, "ROZUCTOVAL");
    b.hline("podpisRozuctoval", 122, y + 11, 60).width(0.15);
}

void addMakerLine(Band& b, double y) {
    b.text("vyrobce", 0, y, 120, 4, "Talírka – skladová evidence jídelny").italic().size(7);
    b.pageNumber("strana", 135, y, 50, 4).size(7).right();
}

} // namespace docprint

using namespace docprint;

TQtiskf::TQtiskf(QString canteen) : canteen_(std::move(canteen)) {
    reporting::Report& r = report_;
    r.printIfEmpty = true;

    Band& head = r.pageHeader(44);
    head.frame("ramec", 0, 0, 185, 35).width(0.4);
    head.text("QRLabelNazev", 3, 2, 110, 8, "").bold().size(15);
    head.text("jidelna", 100, 2, 82, 8, "").bold().size(11).right();
    addHeaderBlock(head, 11);
    addColumnTitles(head, 37);
    head.beforePrint = [this](BandContext& c) {
        c.setText("QRLabelNazev", issue_ ? "Výdej zboží" : "Příjem zboží");
        c.setText("jidelna", issue_ ? canteen_ : QString());
        fillHeaderBlock(c, issue_, issueDescription(c.string("POPIS"), c.string("POPIS2")));
        showColumnTitles(c, issue_);
        return true;
    };

    Band& line = r.detail(5);
    addLineFields(line);
    line.alternate = true;
    line.beforePrint = [this](BandContext& c) {
        showLineFields(c, issue_, issue_ ? "###0.0000" : "## ##0.0000");
        const long long v = cents(c.number("CELKEM"));
        total_ += v;
        const int g = int(c.number("SKUPINA"));
        // Only groups 1–10 have a subtotal; any other number still counts in the total.
        if (issue_ && g >= 1 && g <= 10) groups_[g] += v;
        return true;
    };

    Band& sum = r.summary(20);
    addDocumentTotal(sum, 10);
    sum.beforePrint = [this](BandContext& c) {
        fillDocumentTotal(c, total_, groups_, 10, issue_);
        return true;
    };

    Band& foot = r.pageFooter(23);
    addSignatures(foot, 2);
    addMakerLine(foot, 18);
}

std::shared_ptr<reporting::Document> TQtiskf::run(const reporting::DataSource& rows) {
    const int typ = rows.columnIndex("TYP");
    issue_ = !(rows.rowCount() > 0 && typ >= 0 && rows.value(0, typ).toString() == "P");
    total_ = 0;
    groups_.fill(0);
    return report_.run(rows);
}

std::shared_ptr<reporting::Document> buildDocumentPrint(app::Session& s) {
    // Read from the table rather than the dataset: the save writes lines by statements too.
    reporting::ResultSetSource rows(s.conn().query("select * from " + s.dm.pracTabulka + " order by id"));
    return TQtiskf(s.aktNazev).run(rows);
}

void printDocument(app::Session& s, QWidget* parent) { reporting::preview(buildDocumentPrint(s), s.prompter(), parent); }

} // namespace stock
