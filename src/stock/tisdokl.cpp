#include "stock/tisdokl.h"

#include "app/session.h"
#include "core/numformat.h"
#include "reporting/document.h"
#include "reporting/preview.h"
#include "stock/qtisk2.h"

using reporting::Band;
using reporting::BandContext;
using namespace stock::docprint;

namespace stock {

namespace {

bool isIssue(const BandContext& c) { return c.string("TYP") != "P"; }

} // namespace

reporting::Report TFormtisd::build() {
    reporting::Report r("podokl");
    r.printIfEmpty = true;

    if (Tag == 1) {
        reporting::Group& sup = r.group("dodavatel", "dodavatel");
        Band& h = sup.setHeader(9);
        h.field("ico", 0, 2, 25, 6, "ico").bold().size(10);
        h.field("dodavatel", 27, 2, 150, 6, "dodavatel").bold().size(11);
        h.beforePrint = [this](BandContext&) {
            supplierTotal_ = 0;
            return true;
        };
        Band& f = sup.setFooter(10);
        f.hline("fRule", 0, 1, 185).width(0.4);
        f.field("ico", 0, 2, 25, 6, "ico").bold();
        f.field("dodavatel", 27, 2, 100, 6, "dodavatel").bold();
        f.text("lCelkemDod", 124, 2, 28, 6, "za dodavatele:").right();
        f.text("celkemDod", 153, 2, 20, 6, "").bold().right();
        f.beforePrint = [this](BandContext& c) {
            c.setText("celkemDod", core::formatNumber(fromCents(supplierTotal_), "### ###.00"));
            return true;
        };
    }

    reporting::Group& doc = r.group("cislo", "cislo");
    Band& h = doc.setHeader(42);
    h.hline("hTop", 0, 0.5, 185).width(0.4);
    h.text("nadpis", 3, 2, 80, 7, "").bold().size(13);
    addHeaderBlock(h, 10);
    addColumnTitles(h, 35);
    h.beforePrint = [this](BandContext& c) {
        const bool issue = isIssue(c);
        c.setText("nadpis", issue ? "VÝDEJKA" : "PŘÍJEMKA");
        fillHeaderBlock(c, issue, c.string("POPIS"));
        showColumnTitles(c, issue);
        docTotal_ = 0;
        groups_.fill(0);
        return true;
    };
    Band& f = doc.setFooter(27);
    addDocumentTotal(f, 5);
    addSignatures(f, 14);
    f.beforePrint = [this](BandContext& c) {
        fillDocumentTotal(c, docTotal_, groups_, 5, isIssue(c));
        return true;
    };

    Band& line = r.detail(5);
    addLineFields(line);
    line.alternate = true;
    line.beforePrint = [this](BandContext& c) {
        const bool issue = isIssue(c);
        showLineFields(c, issue, issue ? "###0.0000" : "## ##0.0000");
        const long long v = cents(c.number("CELKEM"));
        docTotal_ += v;
        supplierTotal_ += v;
        grandTotal_ += v;
        const int g = int(c.number("SKUPINA"));
        if (issue && g >= 1 && g <= 5) groups_[g] += v;
        return true;
    };

    Band& sum = r.summary(10);
    sum.hline("sRule", 0, 1, 185).width(0.4);
    sum.text("lCelkem", 93, 2.5, 50, 6, "Celkem:").bold().right();
    sum.text("celkem", 143, 2.5, 30, 6, "").bold().right();
    sum.beforePrint = [this](BandContext& c) {
        c.setText("celkem", core::formatNumber(fromCents(grandTotal_), "## ### ##0.00"));
        return true;
    };

    addMakerLine(r.pageFooter(6), 1);
    return r;
}

std::shared_ptr<reporting::Document> TFormtisd::run(const reporting::DataSource& rows) {
    docTotal_ = supplierTotal_ = grandTotal_ = 0;
    groups_.fill(0);
    return build().run(rows);
}

void TFormtisd::preview(app::Session& s, QWidget* parent) {
    reporting::ResultSetSource rows(s.conn().query(query1));
    reporting::preview(run(rows), s.prompter(), parent);
}

} // namespace stock
