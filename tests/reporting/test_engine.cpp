#include "reporting/document.h"
#include "reporting/preview.h"
#include "reporting/report.h"
#include "reporting/qstringprint.h"

#include <QDate>
#include <QDateTime>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace reporting;

namespace {

// An in-memory select: column names and rows.
db::ResultSet rows(const QStringList& columns, const QVector<db::Row>& data) {
    db::ResultSet rs;
    for (const QString& c : columns) rs.fields.push_back(db::Field{c});
    rs.rows = data;
    return rs;
}

// Placed bands of a document with their page (1-based) and name.
struct Placed {
    int page;
    QString band;
    double y, height;
};
std::vector<Placed> placed(const Document& d) {
    std::vector<Placed> out;
    for (int p = 0; p < d.pageCount(); ++p)
        for (const auto& pb : d.pages[p].bands) out.push_back({p + 1, d.bands[pb.band].name, pb.y, pb.height});
    return out;
}

// A list report: title, page header, column header, detail, summary and page footer.
Report listReport() {
    Report r("list");
    r.title(15).text("caption", 0, 0, 100, 10, "Seznam").bold().size(14);
    r.pageHeader(8).text("head", 0, 0, 100, 6, "Hlavička");
    r.columnHeader(6).text("col", 0, 0, 40, 6, "Číslo");
    Band& d = r.detail(5);
    d.field("n", 0, 0, 20, 5, "n").right();
    d.field("name", 25, 0, 60, 5, "name");
    d.alternate = true;
    r.summary(10).text("end", 0, 0, 40, 6, "Konec");
    r.pageFooter(8).pageNumber("page", 150, 1, 30, 6).right();
    return r;
}

db::ResultSet numbered(int n) {
    QVector<db::Row> data;
    for (int i = 1; i <= n; ++i) data.push_back({i, QString("řádek %1").arg(i)});
    return rows({"n", "name"}, data);
}

} // namespace

TEST(ReportEngine, PagesCarryHeadersFootersAndEveryRowOnce) {
    const Report r = listReport();
    const auto doc = r.run(ResultSetSource(numbered(120)));
    ASSERT_GT(doc->pageCount(), 2);
    const double limit = r.page.printableHeight() - 8;
    QStringList details = doc->lines("detail");
    ASSERT_EQ(details.size(), 120);
    for (int i = 0; i < 120; ++i) EXPECT_EQ(details[i], QString("%1 | řádek %1").arg(i + 1));

    int titles = 0;
    for (int p = 1; p <= doc->pageCount(); ++p) {
        std::vector<Placed> onPage;
        for (const auto& b : placed(*doc))
            if (b.page == p) onPage.push_back(b);
        ASSERT_GE(onPage.size(), 3u);
        // Page header first, the title after it on page 1, the column header next.
        EXPECT_EQ(onPage[0].band, "pageHeader");
        EXPECT_DOUBLE_EQ(onPage[0].y, 0);
        EXPECT_EQ(onPage[1].band, p == 1 ? "title" : "columnHeader");
        EXPECT_EQ(onPage.back().band, "pageFooter");
        EXPECT_DOUBLE_EQ(onPage.back().y, r.page.printableHeight() - 8);
        for (const auto& b : onPage) {
            if (b.band == "title") ++titles;
            if (b.band != "pageFooter") EXPECT_LE(b.y + b.height, limit + 1e-9) << b.band.toStdString() << " on page " << p;
        }
    }
    EXPECT_EQ(titles, 1);
    const QStringList footers = doc->lines("pageFooter");
    ASSERT_EQ(footers.size(), doc->pageCount());
    for (int p = 0; p < doc->pageCount(); ++p) EXPECT_EQ(footers[p], QString("Strana %1").arg(p + 1));
    EXPECT_EQ(doc->lines().filter("|summary|").size(), 1);
    EXPECT_TRUE(doc->lines().last().contains("|pageFooter|"));
}

TEST(ReportEngine, AlternateShadingCountsPrintedLinesAndRestartsWithGroups) {
    Report r("groups");
    Group& g = r.group("doc", "doc");
    g.setHeader(6).field("doc", 0, 0, 30, 6, "doc");
    Band& d = r.detail(5);
    d.field("v", 0, 0, 20, 5, "v");
    d.alternate = true;
    // A skipped line takes no place and no shade.
    d.beforePrint = [](BandContext& c) { return c.number("v") != 99; };
    const auto doc = r.run(ResultSetSource(rows({"doc", "v"}, {{"A", 1}, {"A", 99}, {"A", 2}, {"A", 3}, {"B", 4}, {"B", 5}})));
    QStringList shades;
    for (const QString& l : doc->dump())
        if (l.contains("|detail|@background|")) shades << l.section('|', 3);
    EXPECT_EQ(shades, QStringList({"#eaeaea", "#ffffff", "#eaeaea", "#eaeaea", "#ffffff"}));
    EXPECT_EQ(doc->lines("detail"), QStringList({"1", "2", "3", "4", "5"}));
}

TEST(ReportEngine, NestedGroupsBreakInnerOnOuterChangeAndFootersSeeTheirLastRow) {
    Report r("nested");
    double outerSum = 0, innerSum = 0;
    Group& outer = r.group("supplier", "sup");
    outer.setHeader(6).field("sup", 0, 0, 40, 6, "sup");
    outer.header->beforePrint = [&](BandContext&) { outerSum = 0; return true; };
    Band& of = outer.setFooter(6);
    of.field("sup", 0, 0, 40, 6, "sup");
    of.text("sum", 50, 0, 30, 6, "");
    of.beforePrint = [&](BandContext& c) { c.setText("sum", QString::number(outerSum)); return true; };
    Group& inner = r.group("document", "doc");
    inner.setHeader(6).field("doc", 0, 0, 40, 6, "doc");
    inner.header->beforePrint = [&](BandContext&) { innerSum = 0; return true; };
    Band& inf = inner.setFooter(6);
    inf.field("doc", 0, 0, 40, 6, "doc");
    inf.text("sum", 50, 0, 30, 6, "");
    inf.beforePrint = [&](BandContext& c) { c.setText("sum", QString::number(innerSum)); return true; };
    Band& d = r.detail(5);
    d.field("v", 0, 0, 20, 5, "v");
    d.beforePrint = [&](BandContext& c) {
        innerSum += c.number("v");
        outerSum += c.number("v");
        return true;
    };
    // The document key 2 repeats under another supplier: it is a new group there.
    const auto doc = r.run(ResultSetSource(rows({"sup", "doc", "v"}, {{"X", 1, 10}, {"X", 1, 5}, {"X", 2, 1}, {"Y", 2, 7}})));
    QStringList got;
    for (const QString& l : doc->lines()) got << l.section('|', 1);
    EXPECT_EQ(got, QStringList({"supplierHeader|X", "documentHeader|1", "detail|10", "detail|5", "documentFooter|1 | 15",
                                "documentHeader|2", "detail|1", "documentFooter|2 | 1", "supplierFooter|X | 16",
                                "supplierHeader|Y", "documentHeader|2", "detail|7", "documentFooter|2 | 7",
                                "supplierFooter|Y | 7"}));
}

TEST(ReportEngine, EmptySourceGivesNoPagesUnlessTheReportPrintsWhenEmpty) {
    Report r = listReport();
    const auto none = r.run(ResultSetSource(numbered(0)));
    EXPECT_TRUE(none->isEmpty());

    ui::ScriptedPrompter prompter;
    {
        PreviewCapture capture;
        preview(none, prompter, nullptr);
        EXPECT_TRUE(capture.documents.empty());
    }
    EXPECT_EQ(prompter.texts(), QStringList({kEmptyReportText}));

    r.printIfEmpty = true;
    const auto empty = r.run(ResultSetSource(numbered(0)));
    ASSERT_EQ(empty->pageCount(), 1);
    QStringList bands;
    for (const QString& l : empty->lines()) bands << l.section('|', 1, 1);
    EXPECT_EQ(bands, QStringList({"pageHeader", "title", "columnHeader", "summary", "pageFooter"}));
    PreviewCapture capture;
    preview(empty, prompter, nullptr);
    EXPECT_EQ(capture.documents.size(), 1u);
    EXPECT_EQ(prompter.texts().size(), 1);
}

TEST(ReportEngine, HooksSetTextsHideItemsAndReadTheRow) {
    Report r("hooks");
    Band& d = r.detail(5);
    d.field("typ", 0, 0, 10, 5, "typ");
    d.field("q", 20, 0, 30, 5, "q", "### ###.000").right();
    d.text("only", 60, 0, 30, 5, "jen P");
    d.beforePrint = [](BandContext& c) {
        if (c.string("typ") == "V") c.setText("q", "-" + c.text("q"));
        c.setVisible("only", c.string("typ") == "P");
        return true;
    };
    const auto doc = r.run(ResultSetSource(rows({"typ", "q"}, {{"P", 10.0}, {"V", 4.0}, {"P", 1234.5}})));
    EXPECT_EQ(doc->lines("detail"), QStringList({"P | 10,000 | jen P", "V | -4,000", "P | 1 234,500 | jen P"}));
    EXPECT_THROW(
        {
            Report bad("bad");
            bad.detail(5).beforePrint = [](BandContext& c) { c.setText("missing", "x"); return true; };
            bad.run(ResultSetSource(numbered(1)));
        },
        std::logic_error);
}

TEST(ReportEngine, WrappedTextGrowsItsBandAndPushesWhatIsBelow) {
    Report r("wrap");
    Band& h = r.title(12);
    h.text("popis", 0, 2, 60, 5, "").wrapped();
    h.text("beside", 70, 2, 40, 5, "vedle");
    h.text("below", 0, 8, 60, 4, "pod");
    h.beforePrint = [](BandContext& c) {
        c.setText("popis", "Polévka hovězí s nudlemi, kuře na paprice, rýže dušená, kompot, čaj s citronem,\n"
                           "ALERGENY: 1,3,7,9");
        return true;
    };
    r.detail(5).field("n", 0, 0, 20, 5, "n");
    const auto doc = r.run(ResultSetSource(numbered(1)));
    const auto bands = placed(*doc);
    ASSERT_EQ(bands.size(), 2u);
    EXPECT_GT(bands[0].height, 12 + 8);   // at least three lines of 9 points in place of one
    EXPECT_DOUBLE_EQ(bands[1].y, bands[0].height);
    const PlacedBand& title = doc->pages[0].bands[0];
    const QRectF popis = doc->itemRect(title, 0), beside = doc->itemRect(title, 1), below = doc->itemRect(title, 2);
    EXPECT_DOUBLE_EQ(beside.top(), r.page.top + 2);
    EXPECT_GE(below.top(), popis.bottom() - 1e-9);
    EXPECT_NEAR(below.bottom() - r.page.top, bands[0].height, 1e-9);
    EXPECT_TRUE(doc->dump().contains("1|title|popis|Polévka hovězí s nudlemi, kuře na paprice, rýže dušená, kompot, čaj s "
                                     "citronem,\\nALERGENY: 1,3,7,9"));
}

struct FormatCase {
    QVariant value;
    QString format;
    QString expected;
};

void PrintTo(const FormatCase& c, std::ostream* os) {
    *os << c.value.toString().toStdString() << " as \"" << c.format.toStdString() << '"';
}

class FieldFormats : public ::testing::TestWithParam<FormatCase> {};

TEST_P(FieldFormats, ShowAsThePatternSays) {
    EXPECT_EQ(formatValue(GetParam().value, GetParam().format), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Values, FieldFormats,
    ::testing::Values(FormatCase{0.0, "### ###.000", ",000"}, FormatCase{-4.0, "### ###.000", "-4,000"},
                      FormatCase{1234567.891, "### ##0.00", "1 234 567,89"}, FormatCase{0.5, "### ###.00", ",50"},
                      FormatCase{2.675, "## ### ##0.00", "2,68"}, FormatCase{12.5, "###0.0000", "12,5000"},
                      FormatCase{QVariant(qlonglong(7)), "", "7"}, FormatCase{12.5, "", "12,5"},
                      FormatCase{QDate(2024, 3, 5), "dd.mm.yyyy", "05.03.2024"},
                      FormatCase{QDateTime(QDate(2024, 3, 5), QTime(0, 0)), "", "5.3.2024"},
                      FormatCase{QVariant(QMetaType(QMetaType::QDateTime)), "dd.mm.yyyy", ""},
                      FormatCase{QString("Mouka"), "", "Mouka"}));

TEST(ReportEngine, ExportsPdfAndJpegFromTheSamePages) {
    const auto doc = listReport().run(ResultSetSource(numbered(120)));
    QTemporaryDir dir;
    const QString pdf = dir.filePath("list.pdf");
    ASSERT_TRUE(doc->savePdf(pdf));
    QFile f(pdf);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();
    EXPECT_TRUE(bytes.startsWith("%PDF"));
    EXPECT_EQ(bytes.count("/Type /Page\n") + bytes.count("/Type /Page\r") + bytes.count("/Type /Page>") +
                  bytes.count("/Type /Page "),
              doc->pageCount());

    const QString jpg = dir.filePath("page2.jpg");
    ASSERT_TRUE(doc->saveJpeg(jpg, 1, 100));
    QImage img(jpg);
    ASSERT_FALSE(img.isNull());
    EXPECT_EQ(img.width(), qRound(210 / 25.4 * 100));
    EXPECT_EQ(img.height(), qRound(297 / 25.4 * 100));
    // Ink where the first detail line stands, paper in the right margin.
    int dark = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width() / 2; ++x) dark += qGray(img.pixel(x, y)) < 128;
    EXPECT_GT(dark, 200);
    for (int y = 0; y < img.height(); y += 7) EXPECT_GT(qGray(img.pixel(img.width() - 5, y)), 240);
    EXPECT_FALSE(doc->saveJpeg(jpg, doc->pageCount()));
}
