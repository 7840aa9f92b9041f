#include "reporting/document.h"

#include <QFont>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <algorithm>
#include <numeric>

namespace reporting {

namespace {

constexpr double kUnits = 100;   // painting works in 1/100 mm (see qtFont)

QString oneLine(QString s) { return s.replace('\n', "\\n"); }

bool isText(const Item& it) { return it.kind != ItemKind::HLine && it.kind != ItemKind::Frame; }

} // namespace

QString Document::textOf(const PlacedBand& pb, int i) const {
    if (i < 0 || i >= int(pb.texts.size())) return {};
    if (!pb.hidden.empty() && pb.hidden[i]) return {};
    const QString& t = pb.texts[i];
    return t.isNull() ? bands[pb.band].items[i].text : t;
}

QString Document::textOf(const PlacedBand& pb, const QString& item) const {
    return textOf(pb, bands[pb.band].indexOf(item));
}

QRectF Document::itemRect(const PlacedBand& pb, int i) const {
    const Item& it = bands[pb.band].items[i];
    QRectF r = it.rect.translated(page.left, page.top + pb.y);
    // Below the growing text an item moves down; one that reaches across it (its frame) grows.
    if (it.rect.top() >= pb.shiftFrom) r.translate(0, pb.shift);
    else if (it.rect.bottom() > pb.shiftFrom) r.setHeight(r.height() + pb.shift);
    if (it.kind == ItemKind::Frame && it.rect.height() <= 0) r.setBottom(page.top + pb.y + pb.height);
    return r;
}

void Document::paintPage(QPainter& p, int index, double pixelsPerMm) const {
    if (index < 0 || index >= pageCount()) return;
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setRenderHint(QPainter::TextAntialiasing, true);
    p.scale(pixelsPerMm / kUnits, pixelsPerMm / kUnits);
    p.fillRect(QRectF(0, 0, page.width * kUnits, page.height * kUnits), Qt::white);
    const double width = page.printableWidth() * kUnits;
    for (const PlacedBand& pb : pages[index].bands) {
        const Band& b = bands[pb.band];
        if (pb.background)
            p.fillRect(QRectF(page.left * kUnits, (page.top + pb.y) * kUnits, width, pb.height * kUnits), *pb.background);
        for (size_t i = 0; i < b.items.size(); ++i) {
            if (!pb.hidden.empty() && pb.hidden[i]) continue;
            const Item& it = b.items[i];
            const QRectF mm = itemRect(pb, int(i));
            const QRectF r(mm.x() * kUnits, mm.y() * kUnits, mm.width() * kUnits, mm.height() * kUnits);
            if (it.kind == ItemKind::HLine || it.kind == ItemKind::Frame) {
                QPen pen(Qt::black);
                pen.setWidthF(it.lineWidth * kUnits);
                p.setPen(pen);
                p.setBrush(Qt::NoBrush);
                if (it.kind == ItemKind::HLine) p.drawLine(QPointF(r.left(), r.top()), QPointF(r.right(), r.top()));
                else p.drawRect(r);
                continue;
            }
            const QString t = textOf(pb, int(i));
            if (t.isEmpty()) continue;
            p.setPen(Qt::black);
            p.setFont(qtFont(it.font));
            p.drawText(r, int(it.align) | (it.wrap ? Qt::TextWordWrap : Qt::TextSingleLine), t);
        }
    }
    p.restore();
}

QImage Document::renderPage(int index, double dpi) const {
    const double pxPerMm = dpi / 25.4;
    QImage img(qRound(page.width * pxPerMm), qRound(page.height * pxPerMm), QImage::Format_RGB32);
    img.setDotsPerMeterX(qRound(dpi / 0.0254));
    img.setDotsPerMeterY(qRound(dpi / 0.0254));
    img.fill(Qt::white);
    QPainter p(&img);
    paintPage(p, index, pxPerMm);
    return img;
}

bool Document::savePdf(const QString& path) const {
    QPdfWriter w(path);
    w.setPageSize(QPageSize(QSizeF(page.width, page.height), QPageSize::Millimeter));
    w.setPageMargins(QMarginsF(0, 0, 0, 0));
    w.setResolution(600);
    w.setTitle(name);
    w.setCreator("Talírka");
    QPainter p;
    if (!p.begin(&w)) return false;
    const double pxPerMm = w.resolution() / 25.4;
    const int n = std::max(1, pageCount());   // an empty report still gives a (blank) page
    for (int i = 0; i < n; ++i) {
        if (i > 0) w.newPage();
        paintPage(p, i, pxPerMm);
    }
    return p.end();
}

bool Document::saveJpeg(const QString& path, int index, double dpi, int quality) const {
    if (index < 0 || index >= pageCount()) return false;
    return renderPage(index, dpi).save(path, "JPG", quality);
}

void Document::print(QPrinter& printer) const {
    printer.setFullPage(true);
    printer.setDocName(name);
    QPainter p;
    if (!p.begin(&printer)) return;
    const double pxPerMm = printer.resolution() / 25.4;
    int from = printer.fromPage() > 0 ? printer.fromPage() - 1 : 0;
    int to = printer.toPage() > 0 ? std::min(printer.toPage(), pageCount()) - 1 : pageCount() - 1;
    for (int i = from; i <= to; ++i) {
        if (i > from) printer.newPage();
        paintPage(p, i, pxPerMm);
    }
    p.end();
}

QStringList Document::dump() const {
    QStringList out;
    for (int pg = 0; pg < pageCount(); ++pg) {
        for (const PlacedBand& pb : pages[pg].bands) {
            const Band& b = bands[pb.band];
            const QString head = QString("%1|%2|").arg(pg + 1).arg(b.name);
            if (pb.background) out << head + "@background|" + pb.background->name(QColor::HexRgb);
            for (size_t i = 0; i < b.items.size(); ++i) {
                if (!pb.hidden.empty() && pb.hidden[i]) continue;
                const Item& it = b.items[i];
                QString v = it.kind == ItemKind::HLine ? "[line]"
                            : it.kind == ItemKind::Frame ? "[frame]"
                                                         : oneLine(textOf(pb, int(i)));
                out << head + it.name + '|' + v;
            }
        }
    }
    return out;
}

QString Document::lineOf(const PlacedBand& pb) const {
    const Band& b = bands[pb.band];
    std::vector<int> order(b.items.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](int a, int c) {
        const QRectF& ra = b.items[a].rect;
        const QRectF& rc = b.items[c].rect;
        if (std::abs(ra.y() - rc.y()) > 0.5) return ra.y() < rc.y();
        return ra.x() < rc.x();
    });
    QStringList parts;
    for (int i : order) {
        if (!isText(b.items[i])) continue;
        const QString t = textOf(pb, i);
        if (!t.trimmed().isEmpty()) parts << oneLine(t);
    }
    return parts.join(" | ");
}

QStringList Document::lines() const {
    QStringList out;
    for (int pg = 0; pg < pageCount(); ++pg)
        for (const PlacedBand& pb : pages[pg].bands)
            out << QString("%1|%2|%3").arg(pg + 1).arg(bands[pb.band].name, lineOf(pb));
    return out;
}

QStringList Document::lines(const QString& bandName) const {
    QStringList out;
    for (const Page& pg : pages)
        for (const PlacedBand& pb : pg.bands)
            if (bands[pb.band].name == bandName) out << lineOf(pb);
    return out;
}

} // namespace reporting
