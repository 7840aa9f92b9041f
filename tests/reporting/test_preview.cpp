#include "reporting/document.h"
#include "reporting/dotisku.h"
#include "reporting/preview.h"
#include "reporting/printing.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>
#include <gtest/gtest.h>

using namespace reporting;

namespace {

std::shared_ptr<Document> threePages() {
    Report r("nahled");
    r.pageHeader(10).text("head", 0, 0, 100, 8, "Zkušební sestava").bold().size(12);
    r.detail(5).field("n", 0, 0, 30, 5, "n");
    r.pageFooter(6).pageNumber("page", 100, 0, 85, 5).right();
    db::ResultSet rs;
    rs.fields.push_back(db::Field{"n"});
    for (int i = 0; i < 130; ++i) rs.rows.push_back({i});
    return r.run(ResultSetSource(std::move(rs)));
}

// A workstation without a printer, for the length of a test.
struct NoPrinter {
    NoPrinter() { setPrinterLookup([] { return QPrinterInfo(); }); }
    ~NoPrinter() { setPrinterLookup({}); }
};

template <class T> T* child(QWidget& w, const char* name) {
    T* c = w.findChild<T*>(name);
    EXPECT_NE(c, nullptr) << name;
    return c;
}

} // namespace

TEST(Preview, OpensMaximizedOnPageOneAt100PercentAndPages) {
    const auto doc = threePages();
    ASSERT_EQ(doc->pageCount(), 3);
    ui::ScriptedPrompter prompter;
    TPrevForm form(doc, prompter);
    form.show();
    EXPECT_EQ(form.windowTitle(), "Náhled sestavy");
    EXPECT_TRUE(form.windowState() & Qt::WindowMaximized);
    EXPECT_EQ(child<QSpinBox>(form, "lblzoomsize")->value(), 100);
    EXPECT_EQ(form.currentPage(), 0);
    auto* label = child<QLabel>(form, "lblpage");
    EXPECT_EQ(label->text(), "strana 1 z 3");

    struct Step {
        const char* button;
        int page;
    };
    for (const Step& s : {Step{"BBNext", 1}, Step{"BBNext", 2}, Step{"BBNext", 2}, Step{"BBPrior", 1},
                          Step{"BBFirst", 0}, Step{"BBPrior", 0}, Step{"BBLast", 2}}) {
        child<QToolButton>(form, s.button)->click();
        EXPECT_EQ(form.currentPage(), s.page) << s.button;
    }
    EXPECT_EQ(label->text(), "strana 3 z 3");

    // The page is painted when it is shown: the view of page 3 has ink, at the zoom's size.
    auto* view = child<QScrollArea>(form, "QRPreview1")->widget();
    EXPECT_NEAR(view->width(), 210 / 25.4 * view->logicalDpiX(), 1.5);
    const QImage shot = view->grab().toImage();
    int dark = 0;
    for (int y = 0; y < shot.height(); y += 2)
        for (int x = 0; x < shot.width(); x += 2) dark += qGray(shot.pixel(x, y)) < 128;
    EXPECT_GT(dark, 50);

    child<QSpinBox>(form, "lblzoomsize")->setValue(50);
    EXPECT_NEAR(view->width(), 210 / 25.4 * view->logicalDpiX() / 2, 1.5);
    form.resize(800, 600);
    child<QPushButton>(form, "BBZoomToFilt")->click();
    const QSize room = child<QScrollArea>(form, "QRPreview1")->viewport()->size();
    EXPECT_LE(view->height(), room.height() + 2);
    EXPECT_GE(view->height(), room.height() * 0.9);
    EXPECT_EQ(child<QSpinBox>(form, "lblzoomsize")->value(), form.zoom());
}

TEST(Preview, PrintWithoutPrinterTellsTheUserAndStaysOpenWhilePdfStillWorks) {
    NoPrinter none;
    const auto doc = threePages();
    ui::ScriptedPrompter prompter;
    TPrevForm form(doc, prompter);
    form.show();
    child<QPushButton>(form, "suiButton1")->click();
    EXPECT_EQ(prompter.texts(), QStringList({kNoPrinterText}));
    EXPECT_TRUE(form.isVisible());
    child<QPushButton>(form, "BBPrint")->click();
    EXPECT_EQ(prompter.texts(), QStringList({kNoPrinterText, kNoPrinterText}));
    EXPECT_TRUE(form.isVisible());

    QTemporaryDir dir;
    EXPECT_TRUE(form.exportPdf(dir.filePath("nahled.pdf")));
    EXPECT_GT(QFileInfo(dir.filePath("nahled.pdf")).size(), 1000);
    EXPECT_TRUE(form.exportJpeg(dir.filePath("nahled.jpg")));
    EXPECT_FALSE(QImage(dir.filePath("nahled.jpg")).isNull());
}

TEST(Preview, EveryReportIsShownModallyUntilZpet) {
    const auto doc = threePages();
    ui::ScriptedPrompter prompter;
    bool seen = false;
    QTimer::singleShot(0, [&] {
        auto* form = qobject_cast<TPrevForm*>(QApplication::activeModalWidget());
        ASSERT_NE(form, nullptr);
        seen = true;
        EXPECT_EQ(&form->document(), doc.get());
        EXPECT_EQ(form->zoom(), 100);
        EXPECT_TRUE(form->windowState() & Qt::WindowMaximized);
        form->findChild<QPushButton*>("BBExit")->click();
    });
    preview(doc, prompter, nullptr);
    EXPECT_TRUE(seen);
    EXPECT_TRUE(prompter.texts().isEmpty());
}
