#include "support/testdatabase.h"

#include "db/dataset.h"
#include "ui/searchdialog.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QStandardItemModel>
#include <QTableView>
#include <QTest>

using namespace testing_support;

namespace {

std::unique_ptr<QStandardItemModel> articles() {
    const QStringList rows[] = {{"100001", "Mouka hladká"},
                                {"100002", "Mléko polotučné"},
                                {"100003", "Jogurt mléčný"},
                                {"200001", "Banány"},
                                {"200002", "Sýr (plátky) 30%"}};
    auto m = std::make_unique<QStandardItemModel>(0, 3);
    m->setHorizontalHeaderLabels({"JKPOV", "Název", "MJ"});
    for (const auto& r : rows) m->appendRow({new QStandardItem(r[0]), new QStandardItem(r[1]), new QStandardItem("kg")});
    return m;
}

QStringList matches(const ui::SearchDialog& d) {
    QStringList out;
    for (int i = 0; i < d.matchCount(); ++i) out << d.matchText(i);
    return out;
}

TEST(SearchDialog, FindsInPartsOfTextsOrAtTheirStartWithoutRegardToCase) {
    auto m = articles();
    ui::SearchDialog d(m.get(), {{0, "JKPOV"}, {1, "Název"}}, 1, true);
    EXPECT_EQ(d.windowTitle(), "Hledat");
    EXPECT_EQ(d.field(), 1);
    const struct {
        int field;
        bool partial;
        QString text;
        QStringList found;
    } cases[] = {
        {1, true, "mlé", {"Jogurt mléčný", "Mléko polotučné"}},
        {1, false, "mlé", {"Mléko polotučné"}},
        {1, true, "MOUKA", {"Mouka hladká"}},
        {1, true, "(plátky) 30%", {"Sýr (plátky) 30%"}},   // no pattern characters
        {1, true, ".", {}},
        {1, true, "", {"Banány", "Jogurt mléčný", "Mléko polotučné", "Mouka hladká", "Sýr (plátky) 30%"}},
        {0, true, "0002", {"100002", "200002"}},
        {0, false, "2000", {"200001", "200002"}},
        {0, false, "0002", {}},
    };
    for (const auto& c : cases) {
        d.setField(c.field);
        d.setPartial(c.partial);
        d.setSearchText(c.text);
        EXPECT_EQ(matches(d), c.found) << c.text.toStdString() << " partial " << c.partial;
    }
}

TEST(SearchDialog, TakeOverGivesTheRowOfTheList) {
    auto m = articles();
    ui::SearchDialog d(m.get(), {{0, "JKPOV"}, {1, "Název"}}, 1, true);
    d.show();
    d.setSearchText("mlé");
    d.selectMatch(1);   // "Mléko polotučné", the second in name order
    d.findChild<QPushButton*>("Button1")->click();
    EXPECT_EQ(d.result(), QDialog::Accepted);
    EXPECT_EQ(d.foundRow(), 1);
}

TEST(SearchDialog, EnterTakesTheFirstMatchAndDoubleClickTheClickedOne) {
    auto m = articles();
    {
        ui::SearchDialog d(m.get(), {{0, "JKPOV"}, {1, "Název"}}, 1, true);
        d.show();
        auto* edit = d.findChild<QLineEdit*>("Edit1");
        QTest::keyClicks(edit, "ban");
        QTest::keyClick(edit, Qt::Key_Return);
        EXPECT_EQ(d.result(), QDialog::Accepted);
        EXPECT_EQ(d.foundRow(), 3);
    }
    ui::SearchDialog d(m.get(), {{0, "JKPOV"}, {1, "Název"}}, 0, true);
    d.show();
    d.setSearchText("1000");
    auto* list = d.findChild<QTableView*>("DBGrid1");
    QApplication::processEvents();
    const QRect third = list->visualRect(list->model()->index(2, 0));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, third.center());
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, third.center());
    EXPECT_EQ(d.result(), QDialog::Accepted);
    EXPECT_EQ(d.foundRow(), 2);
}

TEST(SearchDialog, NoMatchKeepsTheDialogAndStornoGivesNothing) {
    auto m = articles();
    ui::SearchDialog d(m.get(), {{0, "JKPOV"}, {1, "Název"}}, 1, true);
    d.show();
    d.setSearchText("čokoláda");
    d.prevzit();
    EXPECT_TRUE(d.isVisible());
    EXPECT_EQ(d.foundRow(), -1);
    d.findChild<QPushButton*>("Button2")->click();
    EXPECT_EQ(d.result(), QDialog::Rejected);
    EXPECT_FALSE(d.isVisible());
    EXPECT_EQ(d.foundRow(), -1);
    EXPECT_EQ(d.findChild<QPushButton*>("Button1")->text(), "převzít");
    EXPECT_EQ(d.findChild<QPushButton*>("Button2")->text(), "storno");
}

TEST(SearchDialog, OverTheFieldsOfADataset) {
    TestDatabase db;
    db.exec("insert into adresar (NAZEVPODNI, MISTO, ICO) values (\"Pekárna Klas\", \"Brno\", \"25471236\"), "
            "(\"Mlékárna Údolí\", \"Jihlava\", \"46347811\"), (\"Zelenina \\\"U Nováků\\\"\", \"Třebíč\", \"12345678\")");
    db::Connection c;
    c.open(db.params());
    db::Dataset ds(c, "select * from adresar order by id");
    ds.open();
    ui::SearchDialog d(ds, {"NAZEVPODNI", "MISTO", "ICO"}, "MISTO", true);
    EXPECT_EQ(d.field(), 1);
    d.setSearchText("jihl");
    EXPECT_EQ(matches(d), QStringList{"Jihlava"});
    d.setField(0);
    d.setSearchText("nováků");
    ASSERT_EQ(matches(d), QStringList{"Zelenina \"U Nováků\""});
    d.prevzit();
    EXPECT_EQ(d.foundRow(), 2);
    ds.setRecNo(d.foundRow());
    EXPECT_EQ(ds.text("ICO"), "12345678");
}

} // namespace
