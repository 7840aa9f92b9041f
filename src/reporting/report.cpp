#include "reporting/report.h"

#include "core/numformat.h"
#include "reporting/document.h"

#include <QDate>
#include <QDateTime>
#include <QFontMetricsF>
#include <QVector>
#include <cmath>
#include <stdexcept>
#include <unordered_map>

namespace reporting {

// ---- bands -------------------------------------------------------------------------------------

Item& Band::add(ItemKind kind, const QString& name, const QRectF& rect) {
    Item it;
    it.kind = kind;
    it.name = name;
    it.rect = rect;
    items.push_back(std::move(it));
    return items.back();
}

Item& Band::text(const QString& name, double x, double y, double w, double h, const QString& caption) {
    Item& it = add(ItemKind::Text, name, {x, y, w, h});
    it.text = caption;
    return it;
}

Item& Band::field(const QString& name, double x, double y, double w, double h, const QString& column,
                  const QString& format) {
    Item& it = add(ItemKind::Field, name, {x, y, w, h});
    it.column = column;
    it.format = format;
    return it;
}

Item& Band::pageNumber(const QString& name, double x, double y, double w, double h, const QString& pattern) {
    Item& it = add(ItemKind::PageNumber, name, {x, y, w, h});
    it.text = pattern;
    return it;
}

Item& Band::hline(const QString& name, double x, double y, double w) { return add(ItemKind::HLine, name, {x, y, w, 0}); }

Item& Band::frame(const QString& name, double x, double y, double w, double h) {
    return add(ItemKind::Frame, name, {x, y, w, h});
}

int Band::indexOf(const QString& itemName) const {
    for (size_t i = 0; i < items.size(); ++i)
        if (items[i].name == itemName) return int(i);
    return -1;
}

Band& Group::setHeader(double height) { return header.emplace(BandKind::GroupHeader, name + "Header", height); }
Band& Group::setFooter(double height) { return footer.emplace(BandKind::GroupFooter, name + "Footer", height); }

Band& Report::title(double h) { return title_.emplace(BandKind::Title, "title", h); }
Band& Report::pageHeader(double h) { return pageHeader_.emplace(BandKind::PageHeader, "pageHeader", h); }
Band& Report::columnHeader(double h) { return columnHeader_.emplace(BandKind::ColumnHeader, "columnHeader", h); }
Band& Report::detail(double h) { return detail_.emplace(BandKind::Detail, "detail", h); }
Band& Report::summary(double h) { return summary_.emplace(BandKind::Summary, "summary", h); }
Band& Report::pageFooter(double h) { return pageFooter_.emplace(BandKind::PageFooter, "pageFooter", h); }

Group& Report::group(const QString& name, const QString& keyColumn) {
    groups_.push_back(Group{});
    Group& g = groups_.back();
    g.name = name;
    g.keyColumn = keyColumn;
    return g;
}

// ---- values --------------------------------------------------------------------------------------

namespace {

// The program's date masks count months with "m" and minutes with "n"; Qt with "M" and "m".
QString qtDateMask(const QString& mask) {
    QString out;
    for (QChar c : mask) {
        if (c == 'm') out += 'M';
        else if (c == 'n') out += 'm';
        else out += c;
    }
    return out;
}

bool isNumber(const QVariant& v) {
    switch (v.typeId()) {
    case QMetaType::Double:
    case QMetaType::Float:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong: return true;
    default: return false;
    }
}

} // namespace

QString dateText(const QDate& d) { return d.isValid() ? d.toString("d.M.yyyy") : QString(); }

QString formatValue(const QVariant& v, const QString& format) {
    if (v.isNull() || !v.isValid()) return {};
    if (v.typeId() == QMetaType::QDate) {
        const QDate d = v.toDate();
        return format.isEmpty() ? dateText(d) : QLocale().toString(d, qtDateMask(format));
    }
    if (v.typeId() == QMetaType::QDateTime) {
        const QDateTime dt = v.toDateTime();
        if (!format.isEmpty()) return QLocale().toString(dt, qtDateMask(format));
        if (dt.time() == QTime(0, 0)) return dateText(dt.date());
        return dateText(dt.date()) + ' ' + dt.time().toString("h:mm:ss");
    }
    if (isNumber(v)) {
        if (!format.isEmpty()) return core::formatNumber(v.toDouble(), format);
        if (v.typeId() == QMetaType::Double || v.typeId() == QMetaType::Float)
            return QString::number(v.toDouble(), 'g', 15).replace('.', ',');
        return v.toString();
    }
    return v.toString();
}

// ---- hook context --------------------------------------------------------------------------------

QVariant BandContext::value(const QString& column) const {
    if (row_ < 0 || !data_) return {};
    const int c = data_->columnIndex(column);
    return c < 0 ? QVariant() : data_->value(row_, c);
}

int BandContext::item(const QString& name) const {
    const int i = band_->indexOf(name);
    // A misspelt item name is a fault of the report, not of its data.
    if (i < 0) throw std::logic_error(("no item " + name + " in band " + band_->name).toStdString());
    return i;
}

QString BandContext::text(const QString& name) const {
    const int i = item(name);
    const QString& t = (*texts_)[i];
    return t.isNull() ? band_->items[i].text : t;
}

void BandContext::setText(const QString& name, const QString& text) {
    (*texts_)[item(name)] = text.isNull() ? QString("") : text;
}

void BandContext::setVisible(const QString& name, bool visible) {
    const int i = item(name);
    if (hidden_->empty()) hidden_->assign(band_->items.size(), false);
    (*hidden_)[i] = !visible;
}

// ---- pagination ----------------------------------------------------------------------------------

class Paginator {
public:
    Paginator(const Report& r, const DataSource& data) : r_(r), data_(data) {}

    std::shared_ptr<Document> run();

private:
    struct BandRef {
        const Band* def;
        int index;                    // in doc->bands
        std::vector<int> columns;     // per item, the data column of a field
        std::vector<int> pageNumbers; // items that print the page number
        bool wraps = false;
    };

    BandRef* ref(const std::optional<Band>& b) { return b ? &refs_.at(&*b) : nullptr; }
    void registerBand(const std::optional<Band>& b);
    // Lays the band out for the row; false when its hook left it out.
    bool evaluate(BandRef& br, int row, PlacedBand& out);
    void place(BandRef* br, int row);
    void startPage(int row);
    void finishPage();
    double limit() const;
    QVariant keyOf(const Group& g, int gi, int row) const;

    const Report& r_;
    const DataSource& data_;
    std::shared_ptr<Document> doc_;
    std::unordered_map<const Band*, BandRef> refs_;
    std::vector<int> groupKeyColumns_;
    double y_ = 0;
    bool bodyOnPage_ = false;
    int lastRow_ = -1;
    int line_ = 0;   // shading counter
};

void Paginator::registerBand(const std::optional<Band>& b) {
    if (!b) return;
    BandRef br;
    br.def = &*b;
    br.index = int(doc_->bands.size());
    Band copy = *b;
    copy.beforePrint = nullptr;
    doc_->bands.push_back(std::move(copy));
    for (const Item& it : b->items) {
        br.columns.push_back(it.kind == ItemKind::Field ? data_.columnIndex(it.column) : -1);
        if (it.kind == ItemKind::PageNumber) br.pageNumbers.push_back(int(br.columns.size()) - 1);
        if (it.wrap) br.wraps = true;
    }
    refs_.emplace(&*b, std::move(br));
}

QVariant Paginator::keyOf(const Group& g, int gi, int row) const {
    if (g.key) return g.key(data_, row);
    const int c = groupKeyColumns_[gi];
    return c < 0 ? QVariant() : data_.value(row, c);
}

double Paginator::limit() const {
    return r_.page.printableHeight() - (r_.pageFooter_ ? r_.pageFooter_->height : 0.0);
}

QFont qtFont(const Font& f) {
    QFont q(f.family);
    q.setPixelSize(qMax(1, qRound(f.size * 2540.0 / 72.0)));   // one pixel is 1/100 mm
    q.setBold(f.bold);
    q.setItalic(f.italic);
    // Unhinted, so that a text measures the same at every zoom and on paper.
    q.setHintingPreference(QFont::PreferNoHinting);
    return q;
}

namespace {

// Height in mm that a wrapped text needs at the item's width.
double wrappedHeight(const Item& it, const QString& text) {
    QFontMetricsF fm(qtFont(it.font));
    const QRectF r = fm.boundingRect(QRectF(0, 0, it.rect.width() * 100, 1e7), int(it.align) | Qt::TextWordWrap, text);
    return r.height() / 100.0;
}

} // namespace

bool Paginator::evaluate(BandRef& br, int row, PlacedBand& out) {
    const Band& b = *br.def;
    out.band = br.index;
    out.height = b.height;
    out.texts.assign(b.items.size(), QString());
    out.hidden.clear();
    out.background = b.background;
    for (size_t i = 0; i < b.items.size(); ++i) {
        const int c = br.columns[i];
        if (c >= 0 && row >= 0) out.texts[i] = formatValue(data_.value(row, c), b.items[i].format);
        else if (b.items[i].kind == ItemKind::Field) out.texts[i] = QString("");
    }
    const bool detail = b.kind == BandKind::Detail;
    if (b.beforePrint) {
        BandContext ctx;
        ctx.band_ = &b;
        ctx.data_ = &data_;
        ctx.row_ = row;
        ctx.page_ = doc_->pageCount();
        ctx.line_ = detail ? line_ + 1 : line_;
        ctx.texts_ = &out.texts;
        ctx.hidden_ = &out.hidden;
        const bool alternate = b.alternate && detail;
        if (alternate) ctx.background_ = (line_ + 1) % 2 ? kShadeGrey : QColor(Qt::white);
        if (!b.beforePrint(ctx)) return false;
        if (ctx.background_) out.background = ctx.background_;
        else if (alternate) out.background.reset();
    } else if (b.alternate && detail) {
        out.background = (line_ + 1) % 2 ? kShadeGrey : QColor(Qt::white);
    }
    if (detail) ++line_;
    if (br.wraps) {
        for (size_t i = 0; i < b.items.size(); ++i) {
            const Item& it = b.items[i];
            if (!it.wrap || (!out.hidden.empty() && out.hidden[i])) continue;
            const QString t = out.texts[i].isNull() ? it.text : out.texts[i];
            const double grow = wrappedHeight(it, t) - it.rect.height();
            if (grow > out.shift) {
                out.shift = grow;
                out.shiftFrom = it.rect.bottom() - 0.001;
            }
        }
        out.height += out.shift;
    }
    return true;
}

void Paginator::startPage(int row) {
    doc_->pages.emplace_back();
    y_ = 0;
    bodyOnPage_ = false;
    auto header = [&](const std::optional<Band>& b) {
        if (!b) return;
        PlacedBand pb;
        if (!evaluate(*ref(b), row, pb)) return;
        pb.y = y_;
        for (int i : ref(b)->pageNumbers) pb.texts[i] = b->items[i].text.arg(doc_->pageCount());
        y_ += pb.height;
        doc_->pages.back().bands.push_back(std::move(pb));
    };
    header(r_.pageHeader_);
    if (doc_->pageCount() == 1) header(r_.title_);
    header(r_.columnHeader_);
}

void Paginator::finishPage() {
    if (!r_.pageFooter_) return;
    PlacedBand pb;
    if (!evaluate(*ref(r_.pageFooter_), lastRow_, pb)) return;
    pb.y = r_.page.printableHeight() - pb.height;
    for (int i : ref(r_.pageFooter_)->pageNumbers) pb.texts[i] = r_.pageFooter_->items[i].text.arg(doc_->pageCount());
    doc_->pages.back().bands.push_back(std::move(pb));
}

void Paginator::place(BandRef* br, int row) {
    if (!br) return;
    PlacedBand pb;
    if (!evaluate(*br, row, pb)) return;
    if (bodyOnPage_ && y_ + pb.height > limit() + 1e-9) {
        finishPage();
        startPage(row);
    }
    pb.y = y_;
    for (int i : br->pageNumbers) pb.texts[i] = br->def->items[i].text.arg(doc_->pageCount());
    y_ += pb.height;
    bodyOnPage_ = true;
    lastRow_ = row;
    doc_->pages.back().bands.push_back(std::move(pb));
}

std::shared_ptr<Document> Paginator::run() {
    doc_ = std::make_shared<Document>();
    doc_->name = r_.name;
    doc_->page = r_.page;
    for (const auto* b : {&r_.title_, &r_.pageHeader_, &r_.columnHeader_, &r_.detail_, &r_.summary_, &r_.pageFooter_})
        registerBand(*b);
    for (const Group& g : r_.groups_) {
        registerBand(g.header);
        registerBand(g.footer);
        groupKeyColumns_.push_back(g.key ? -1 : data_.columnIndex(g.keyColumn));
    }
    if (r_.beforeReport) r_.beforeReport();
    const int n = data_.rowCount();
    if (n == 0 && !r_.printIfEmpty) return doc_;

    const int groups = int(r_.groups_.size());
    startPage(n > 0 ? 0 : -1);
    lastRow_ = n > 0 ? 0 : -1;
    std::vector<QVariant> keys(groups);
    for (int row = 0; row < n; ++row) {
        int level = 0;
        if (row > 0) {
            level = groups;
            for (int g = 0; g < groups; ++g) {
                if (keyOf(r_.groups_[g], g, row) != keys[g]) {
                    level = g;
                    break;
                }
            }
            for (int g = groups - 1; g >= level; --g) place(ref(r_.groups_[g].footer), row - 1);
        }
        for (int g = level; g < groups; ++g) {
            keys[g] = keyOf(r_.groups_[g], g, row);
            if (r_.groups_[g].restartShading) line_ = 0;
            place(ref(r_.groups_[g].header), row);
        }
        place(ref(r_.detail_), row);
    }
    if (n > 0)
        for (int g = groups - 1; g >= 0; --g) place(ref(r_.groups_[g].footer), n - 1);
    place(ref(r_.summary_), n > 0 ? n - 1 : -1);
    finishPage();
    return doc_;
}

std::shared_ptr<Document> Report::run(const DataSource& data) const { return Paginator(*this, data).run(); }

} // namespace reporting
