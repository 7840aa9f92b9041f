#pragma once

#include "reporting/datasource.h"

#include <QColor>
#include <QDate>
#include <QFont>
#include <QHash>
#include <QRectF>
#include <QString>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace reporting {

class Document;
class BandContext;

// Shading of every other detail line in the reports: light grey and white.
inline const QColor kShadeGrey{234, 234, 234};

struct Font {
    QString family = "DejaVu Sans";
    double size = 9;   // points
    bool bold = false;
    bool italic = false;
};

enum class ItemKind { Text, Field, PageNumber, HLine, Frame };

// One element of a band. Positions are millimetres from the band's top left corner, inside the
// page margins.
struct Item {
    ItemKind kind = ItemKind::Text;
    QString name;
    QRectF rect;
    QString text;     // caption of a text; "%1" of a page number
    QString column;   // data column of a field
    QString format;   // number pattern ("### ##0.00") or date mask ("dd.mm.yyyy")
    Font font;
    Qt::Alignment align = Qt::AlignLeft | Qt::AlignVCenter;
    bool wrap = false;        // word-wrapped over several lines; the band grows to fit
    double lineWidth = 0.25;  // rules and frames, mm

    Item& bold(bool b = true) { font.bold = b; return *this; }
    Item& italic(bool b = true) { font.italic = b; return *this; }
    Item& size(double points) { font.size = points; return *this; }
    Item& right() { align = Qt::AlignRight | Qt::AlignVCenter; return *this; }
    Item& center() { align = Qt::AlignHCenter | Qt::AlignVCenter; return *this; }
    Item& wrapped() { wrap = true; align = Qt::AlignLeft | Qt::AlignTop; return *this; }
    Item& width(double mm) { lineWidth = mm; return *this; }
};

enum class BandKind { Title, PageHeader, ColumnHeader, GroupHeader, Detail, GroupFooter, Summary, PageFooter };

class Band {
public:
    Band(BandKind kind, QString name, double height) : kind(kind), name(std::move(name)), height(height) {}

    BandKind kind;
    QString name;     // as the dump shows it
    double height;    // mm; grows for wrapped texts
    std::vector<Item> items;

    // Runs before the band is laid out; false leaves the band out this time.
    std::function<bool(BandContext&)> beforePrint;
    // Detail lines: odd lines grey, even lines white, counted by the report (see Group).
    bool alternate = false;
    std::optional<QColor> background;

    Item& text(const QString& name, double x, double y, double w, double h, const QString& caption);
    Item& field(const QString& name, double x, double y, double w, double h, const QString& column,
                const QString& format = {});
    Item& pageNumber(const QString& name, double x, double y, double w, double h, const QString& pattern = "Strana %1");
    Item& hline(const QString& name, double x, double y, double w);
    // A frame; a height of 0 follows the band's height.
    Item& frame(const QString& name, double x, double y, double w, double h = 0);

    int indexOf(const QString& itemName) const;   // -1 when missing

private:
    Item& add(ItemKind kind, const QString& name, const QRectF& rect);
};

// A break on a key: the header prints before the first row of each key, the footer after its last
// row (with that row's data). Groups nest in the order they are added, the first outermost.
struct Group {
    QString name;
    QString keyColumn;
    std::function<QVariant(const DataSource&, int row)> key;   // instead of keyColumn
    std::optional<Band> header;
    std::optional<Band> footer;
    bool restartShading = true;   // the line counter starts again with each header

    Band& setHeader(double height);
    Band& setFooter(double height);
};

struct PageSetup {
    double width = 210, height = 297;   // A4 portrait, mm
    double left = 15, right = 10, top = 10, bottom = 10;
    double printableWidth() const { return width - left - right; }
    double printableHeight() const { return height - top - bottom; }
};

// A banded report: title (first page), page header and column header (every page), groups,
// detail, summary, page footer (bottom of every page). run() lays the pages out once; painting
// happens only when a page is shown, printed or exported.
class Report {
public:
    explicit Report(QString name) : name(std::move(name)) {}

    QString name;
    PageSetup page;
    bool printIfEmpty = false;        // false: an empty source gives no pages at all
    std::function<void()> beforeReport;

    Band& title(double height);
    Band& pageHeader(double height);
    Band& columnHeader(double height);
    Band& detail(double height);
    Band& summary(double height);
    Band& pageFooter(double height);
    Group& group(const QString& name, const QString& keyColumn);

    std::shared_ptr<Document> run(const DataSource& data) const;

    std::optional<Band> title_, pageHeader_, columnHeader_, detail_, summary_, pageFooter_;
    std::deque<Group> groups_;
};

// What a band's hook sees and may change while the band is laid out. Texts and visibility set here
// hold for this printing of the band only.
class BandContext {
public:
    const Band& band() const { return *band_; }
    bool hasRow() const { return row_ >= 0; }
    int row() const { return row_; }
    QVariant value(const QString& column) const;
    QString string(const QString& column) const { return value(column).toString(); }
    double number(const QString& column) const { return value(column).toDouble(); }
    int page() const { return page_; }
    int line() const { return line_; }   // 1-based number of this detail line in its shading run

    QString text(const QString& item) const;
    void setText(const QString& item, const QString& text);
    void setVisible(const QString& item, bool visible);
    void setBackground(const QColor& c) { background_ = c; }

private:
    friend class Paginator;
    int item(const QString& name) const;
    const Band* band_ = nullptr;
    const DataSource* data_ = nullptr;
    int row_ = -1;
    int page_ = 1;
    int line_ = 0;
    std::vector<QString>* texts_ = nullptr;
    std::vector<bool>* hidden_ = nullptr;
    std::optional<QColor> background_;
};

// How a field shows its value: numbers by their pattern, dates by their mask ("d.m.yyyy" when
// none is given), texts as they are.
QString formatValue(const QVariant& v, const QString& format);
// Dates as the program shows them: "5.3.2024".
QString dateText(const QDate& d);
// The font an item paints with, sized for painting in 1/100 mm units.
QFont qtFont(const Font& f);

} // namespace reporting
