#include "support/testdatabase.h"

#include "db/datasetmodel.h"
#include "ui/datagrid.h"

#include <QApplication>
#include <QHeaderView>
#include <QScrollBar>
#include <QSignalSpy>
#include <QStandardItemModel>
#include <QTemporaryDir>
#include <QTest>
#include <QWheelEvent>

using namespace testing_support;

namespace {

std::unique_ptr<QStandardItemModel> listModel(int rows) {
    auto m = std::make_unique<QStandardItemModel>(rows, 3);
    m->setHorizontalHeaderLabels({"Číslo", "Název", "Zůstatek"});
    for (int r = 0; r < rows; ++r) {
        m->setItem(r, 0, new QStandardItem(QString::number(100001 + r)));
        m->setItem(r, 1, new QStandardItem(QString("Zboží %1").arg(r)));
        m->setItem(r, 2, new QStandardItem("1,0000"));
    }
    return m;
}

TEST(DataGrid, SelectedRowIsPaintedLightGreenWithBlackText) {
    auto m = listModel(6);
    ui::DataGrid g;
    g.setModel(m.get());
    g.resize(500, 250);
    g.setColumnWidth(1, 300);
    g.show();
    g.selectRow(2);
    QApplication::processEvents();
    const QImage shot = g.viewport()->grab().toImage();
    const QRect selected = g.visualRect(m->index(2, 1));
    const QRect other = g.visualRect(m->index(4, 1));
    // Sample the empty right part of the wide name cell, away from the text.
    EXPECT_EQ(QColor(shot.pixel(selected.right() - 4, selected.center().y())), QColor(0x90, 0xEE, 0x90));
    EXPECT_NE(QColor(shot.pixel(other.right() - 4, other.center().y())), QColor(0x90, 0xEE, 0x90));

    QStyleOptionViewItem base;
    base.initFrom(&g);
    base.state |= QStyle::State_Selected;
    const auto o = g.gridDelegate()->optionFor(base, m->index(2, 1));
    for (auto group : {QPalette::Active, QPalette::Inactive}) {
        EXPECT_EQ(o.palette.color(group, QPalette::Highlight), QColor(0x90, 0xEE, 0x90));
        EXPECT_EQ(o.palette.color(group, QPalette::HighlightedText), QColor(Qt::black));
    }
}

TEST(DataGrid, OnlyTheBoldColumnIsBold) {
    auto m = listModel(3);
    ui::DataGrid g;
    g.setModel(m.get());
    g.setBoldColumn("Zůstatek");
    QStyleOptionViewItem base;
    base.initFrom(&g);
    EXPECT_TRUE(g.gridDelegate()->optionFor(base, m->index(1, 2)).font.bold());
    EXPECT_FALSE(g.gridDelegate()->optionFor(base, m->index(1, 1)).font.bold());
    EXPECT_FALSE(g.gridDelegate()->optionFor(base, m->index(1, 0)).font.bold());
}

TEST(DataGrid, MouseWheelScrollsTheListAndLeavesTheCursor) {
    auto m = listModel(300);
    ui::DataGrid g;
    g.setModel(m.get());
    g.resize(400, 200);
    g.show();
    g.selectRow(0);
    QApplication::processEvents();
    ASSERT_EQ(g.verticalScrollBar()->value(), 0);
    const QPointF at = g.viewport()->rect().center();
    for (int i = 0; i < 3; ++i) {
        QWheelEvent wheel(at, g.viewport()->mapToGlobal(at), QPoint(), QPoint(0, -120), Qt::NoButton, Qt::NoModifier,
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(g.viewport(), &wheel);
    }
    EXPECT_GT(g.verticalScrollBar()->value(), 0);
    EXPECT_EQ(g.currentIndex().row(), 0);
    QWheelEvent up(at, g.viewport()->mapToGlobal(at), QPoint(), QPoint(0, 360), Qt::NoButton, Qt::NoModifier,
                   Qt::NoScrollPhase, false);
    QApplication::sendEvent(g.viewport(), &up);
    EXPECT_EQ(g.verticalScrollBar()->value(), 0);
}

TEST(DataGrid, ClickableTitlesReportTheirColumnAndShowAHand) {
    auto m = listModel(3);
    ui::DataGrid g;
    g.setModel(m.get());
    g.setClickableTitles({"Název"});
    g.resize(500, 200);
    g.show();
    QApplication::processEvents();
    QSignalSpy clicked(&g, &ui::DataGrid::titleClicked);
    auto* h = g.horizontalHeader();
    auto centre = [&](int section) {
        return QPoint(h->sectionViewportPosition(section) + h->sectionSize(section) / 2, h->height() / 2);
    };
    QTest::mouseClick(h->viewport(), Qt::LeftButton, {}, centre(0));
    QTest::mouseClick(h->viewport(), Qt::LeftButton, {}, centre(1));
    ASSERT_EQ(clicked.count(), 1);
    EXPECT_EQ(clicked[0][0].toString(), "Název");

    QTest::mouseMove(h->viewport(), centre(1));
    EXPECT_EQ(h->viewport()->cursor().shape(), Qt::PointingHandCursor);
    QTest::mouseMove(h->viewport(), centre(2));
    EXPECT_NE(h->viewport()->cursor().shape(), Qt::PointingHandCursor);
}

TEST(DataGrid, LayoutRoundTripKeepsOrderWidthsAndHiddenColumns) {
    QTemporaryDir dir;
    const QString file = dir.filePath("slzb.ini");
    auto m = listModel(3);
    {
        ui::DataGrid g;
        g.setModel(m.get());
        g.setColumnWidth(0, 61);
        g.setColumnWidth(1, 277);
        g.horizontalHeader()->moveSection(2, 0);
        g.setColumnHidden(0, true);
        ASSERT_TRUE(g.saveLayout(file));
    }
    ui::DataGrid g;
    g.setModel(m.get());
    ASSERT_TRUE(g.loadLayout(file));
    EXPECT_EQ(g.columnWidth(1), 277);
    EXPECT_TRUE(g.isColumnHidden(0));
    EXPECT_EQ(g.horizontalHeader()->logicalIndex(0), 2);
    EXPECT_EQ(g.horizontalHeader()->logicalIndex(1), 0);
    EXPECT_EQ(g.horizontalHeader()->logicalIndex(2), 1);
}

TEST(DataGrid, UnusableLayoutFilesLeaveTheDefaultLayout) {
    QTemporaryDir dir;
    auto write = [&](const QString& name, const QByteArray& text) {
        QFile f(dir.filePath(name));
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(text);
        return dir.filePath(name);
    };
    const QString files[] = {
        dir.filePath("missing.ini"),
        write("empty.ini", ""),
        write("garbage.ini", "\x01\x02 this is not a layout \xff\n"),
        write("other.ini", "[Columns]\nNeznámý=0,500,1\nNázev=x,y,z\nZůstatek=2,-5,0\n"),
    };
    auto m = listModel(3);
    for (const QString& file : files) {
        ui::DataGrid g;
        g.setModel(m.get());
        g.setColumnWidth(0, 70);
        g.setColumnWidth(1, 150);
        g.loadLayout(file);
        EXPECT_EQ(g.columnWidth(1), 150) << file.toStdString();
        EXPECT_FALSE(g.isColumnHidden(0)) << file.toStdString();
        for (int c = 0; c < 3; ++c) EXPECT_EQ(g.horizontalHeader()->logicalIndex(c), c) << file.toStdString();
    }
}

class DataGridOnDataset : public ::testing::Test {
protected:
    void SetUp() override {
        db.exec("insert into cenik (jkpov, nazev, mj) values (\"100001\", \"Mouka\", \"kg\"), (\"100002\", \"Cukr\", \"kg\"), "
                "(\"100003\", \"Sůl\", \"kg\"), (\"100004\", \"Pepř\", \"g\")");
        conn.open(db.params());
        ds = std::make_unique<db::Dataset>(conn, "select * from cenik order by jkpov");
        ds->afterScroll = [this] { ++moves; };
        ds->open();
        model = std::make_unique<db::DatasetModel>(*ds);
        model->setColumns({{"JKPOV", "JKPOV", {}, false, 0, {}}, {"NAZEV", "Název", {}, false, 0, {}}});
    }
    TestDatabase db;
    db::Connection conn;
    std::unique_ptr<db::Dataset> ds;
    std::unique_ptr<db::DatasetModel> model;
    int moves = 0;
};

TEST_F(DataGridOnDataset, TheDatasetCursorFollowsTheSelectedRowAndBack) {
    ui::DataGrid g;
    g.setDatasetModel(model.get());
    g.resize(400, 200);
    g.show();
    QApplication::processEvents();
    EXPECT_EQ(g.currentIndex().row(), 0);
    moves = 0;
    QTest::mouseClick(g.viewport(), Qt::LeftButton, {}, g.visualRect(model->index(2, 1)).center());
    EXPECT_EQ(ds->recNo(), 2);
    EXPECT_EQ(ds->text("NAZEV"), "Sůl");
    EXPECT_EQ(moves, 1);

    ds->locate("JKPOV", QString("100004"));
    g.syncToDataset();
    EXPECT_EQ(g.currentIndex().row(), 3);
    EXPECT_EQ(moves, 2);   // selecting the row the dataset is on does not move it again
    QTest::keyClick(&g, Qt::Key_Up);
    EXPECT_EQ(ds->text("JKPOV"), "100003");
}

TEST_F(DataGridOnDataset, LayoutIsKeptByFieldNameNotByTitle) {
    QTemporaryDir dir;
    const QString file = dir.filePath("slka.ini");
    {
        ui::DataGrid g;
        g.setDatasetModel(model.get());
        g.setColumnWidth(1, 250);
        ASSERT_TRUE(g.saveLayout(file));
    }
    // A later version calls the column differently and puts it first.
    model->setColumns({{"NAZEV", "Jméno zboží", {}, false, 0, {}}, {"JKPOV", "Číslo", {}, false, 0, {}}});
    ui::DataGrid g;
    g.setDatasetModel(model.get());
    g.loadLayout(file);
    EXPECT_EQ(g.columnWidth(0), 250);
    EXPECT_EQ(g.columnKey(0), "NAZEV");
}

} // namespace
