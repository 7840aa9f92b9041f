#pragma once

#include "reporting/report.h"

#include <QImage>
#include <QSizeF>
#include <QStringList>
#include <vector>

class QPainter;
class QPrinter;

namespace reporting {

// One band as laid out on a page: where it stands and the texts it prints.
struct PlacedBand {
    int band = 0;                 // index into Document::bands
    double y = 0;                 // mm from the top margin
    double height = 0;
    std::optional<QColor> background;
    std::vector<QString> texts;   // per item; a null text takes the item's caption
    std::vector<bool> hidden;     // per item, empty when all show
    // A wrapped text that needs more room pushes the items below it down: items whose top lies
    // at or below shiftFrom move by shift (mm), items reaching across it grow by it, and the band
    // is that much higher.
    double shiftFrom = 1e9;
    double shift = 0;
};

struct Page {
    std::vector<PlacedBand> bands;
};

// The laid-out pages of a report. Painting, printing and the exports all draw from here.
class Document {
public:
    QString name;
    PageSetup page;
    std::vector<Band> bands;   // the band definitions the pages refer to (without their hooks)
    std::vector<Page> pages;

    int pageCount() const { return int(pages.size()); }
    bool isEmpty() const { return pages.empty(); }
    QSizeF pageSize() const { return {page.width, page.height}; }

    // Paints page `index` (0-based) with its top left corner at the painter's origin.
    void paintPage(QPainter& p, int index, double pixelsPerMm) const;
    QImage renderPage(int index, double dpi) const;
    bool savePdf(const QString& path) const;
    bool saveJpeg(const QString& path, int index = 0, double dpi = 150, int quality = 90) const;
    // All pages, or the printer's page range.
    void print(QPrinter& printer) const;

    // Every item of every placed band: "page|band|item|text" (line breaks as "\n", a band's
    // shading as the item "@background", rules and frames as "[line]" / "[frame]").
    QStringList dump() const;
    // One line per placed band with its non-empty texts in reading order: "page|band|a | b | c".
    QStringList lines() const;
    // The lines of one band name only, without page and band: "a | b | c".
    QStringList lines(const QString& bandName) const;

    // Where an item of a placed band stands on its page, mm from the page's top left corner.
    QRectF itemRect(const PlacedBand& pb, int item) const;

    // The text a placed band prints for one of its items ("" when hidden or unknown).
    QString textOf(const PlacedBand& pb, const QString& item) const;
    QString textOf(const PlacedBand& pb, int item) const;

private:
    QString lineOf(const PlacedBand& pb) const;
};

} // namespace reporting
