#pragma once

#include "reporting/report.h"

#include <QString>
#include <array>
#include <memory>

class QWidget;

namespace app {
class Session;
}
namespace reporting {
class Document;
}

namespace stock {

// The print of the document in the workstation buffer (in line order): "Příjem zboží" or
// "Výdej zboží" by the buffer's TYP. The document windows recalculate the buffer first.
std::shared_ptr<reporting::Document> buildDocumentPrint(app::Session& s);

// Builds the print and shows it in the preview window; used by "Tisk" and after every save.
void printDocument(app::Session& s, QWidget* parent);

// The single-document print over the given buffer rows. canteen is printed at the right of an
// issue's title.
class TQtiskf {
public:
    explicit TQtiskf(QString canteen);
    TQtiskf(const TQtiskf&) = delete;
    TQtiskf& operator=(const TQtiskf&) = delete;
    std::shared_ptr<reporting::Document> run(const reporting::DataSource& rows);

private:
    reporting::Report report_{"TQtiskf"};
    QString canteen_;
    bool issue_ = false;
    long long total_ = 0;                   // hundredths
    std::array<long long, 11> groups_{};   // hundredths per group 1–10
};

// What the document prints share: the header block, the line columns, the group subtotals and
// the signatures.
namespace docprint {

// Money summed exactly, in hundredths, from values of two decimal places.
long long cents(double value);
double fromCents(long long c);

// The description of an issue: POPIS, and the allergen list on a line of its own.
QString issueDescription(const QString& popis, const QString& popis2);

// Number, date, cost centre, the supplier block (receipts) or the description (issues) from y.
// The band's height is the block's; a long description makes it grow.
void addHeaderBlock(reporting::Band& b, double y);
void fillHeaderBlock(reporting::BandContext& c, bool issue, const QString& description);
// Column titles and their rule from y (6 mm); "Skup." only for issues.
void addColumnTitles(reporting::Band& b, double y);
void showColumnTitles(reporting::BandContext& c, bool issue);
// The line fields; SKUPINA shows only for issues.
void addLineFields(reporting::Band& b);
void showLineFields(reporting::BandContext& c, bool issue, const QString& quantityFormat);
// The document total under a rule and below it the subtotal slots "skup1"… with their values
// "skupc1"…, five in a row.
void addDocumentTotal(reporting::Band& b, int slotCount);
// The total, and for an issue with subtotals the slots: groups 1–5 one after another, groups
// 6–lastGroup each in its own slot.
void fillDocumentTotal(reporting::BandContext& c, long long total, const std::array<long long, 11>& groups,
                       int lastGroup, bool issue);
// "Převzal:" and "Rozúčtoval:" with their names and a line to sign on, from y (14 mm).
void addSignatures(reporting::Band& b, double y);
// The maker's label and the page number, from y (5 mm).
void addMakerLine(reporting::Band& b, double y);

} // namespace docprint

} // namespace stock
