#include "stockfixture.h"
#include "typing.h"

#include "app/commands.h"
#include "app/osetrenichyb.h"
#include "app/vyber.h"
#include "cards/skarta.h"
#include "db/datasetmodel.h"
#include "stock/adresar.h"
#include "stock/oprava.h"
#include "stock/prijemka.h"
#include "stock/register.h"
#include "ui/datagrid.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDateEdit>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

using namespace testing_support;
using namespace stock_test;

namespace {

QString number(int n) {
    return receiptNumber(n);
}

// Runs `step` once the next modal window is up; a failed step must not leave a test hanging.
template <class W> void whenModal(std::function<void(W*)> step) {
    QTimer::singleShot(0, [step] {
        auto* w = qobject_cast<W*>(QApplication::activeModalWidget());
        if (!w) {
            ADD_FAILURE() << "the expected modal window is not open";
            if (auto* other = QApplication::activeModalWidget()) other->close();
            return;
        }
        step(w);
    });
}

// Closes whatever modal windows remain after a failure.
void watchdog() {
    QTimer::singleShot(30000, [] {
        while (auto* w = QApplication::activeModalWidget()) {
            ADD_FAILURE() << "closing a window left open: " << w->objectName().toStdString();
            w->close();
        }
    });
}

QLineEdit* cellEditor(stock::TForm1* f) {
    return qobject_cast<QLineEdit*>(f->suitempDBGrid1->indexWidget(f->suitempDBGrid1->currentIndex()));
}
QLineEdit* cellEditor(const std::unique_ptr<stock::TForm1>& f) {
    return cellEditor(f.get());
}

class ReceiptWindow : public DbTest {
protected:
    void SetUp() override {
        DbTest::SetUp();
        addFlourAndSugar(*db);
    }
    // A window shown without a modal loop, with the print counted.
    std::unique_ptr<stock::TForm1> openWindow() {
        auto f = std::make_unique<stock::TForm1>(session());
        f->document().print = [this] { ++printed; };
        f->setDate(QDate::currentDate());
        f->show();
        return f;
    }
    int printed = 0;
};

} // namespace

// The whole way of a receipt: opened as the menu command opens it, header typed, a card picked
// in the stock-card browser, the quantity typed into the grid, saved.
TEST_F(ReceiptWindow, ReceivesAPickedCardThroughTheWindow) {
    app::CommandRegistry commands;
    stock::registerCommands(commands);
    ASSERT_TRUE(commands.has("Pjemzbo1"));
    watchdog();
    QString shownNumber, numberAfter;
    QDate shownDate;
    whenModal<stock::TForm1>([&](stock::TForm1* f) {
        f->document().print = [&] { ++printed; };
        shownNumber = f->Edit2->text();
        shownDate = f->DateEdit1->date();
        typeText(f->Edit4, "Pekárna \"U Nováků\"");
        typeText(f->MaskEdit2, "1234567890");
        typeText(f->Edit3, "Brno");
        f->Edit1->selectAll(); // as entering the field with Tab does
        typeText(f->Edit1, "FA-77");
        f->Edit5->clear();
        typeText(f->Edit5, "3");
        typeText(f->Edit6, "Dvořáková");

        whenModal<cards::Tfskarta>([](cards::Tfskarta* b) {
            EXPECT_EQ(b->Tag, 0);
            EXPECT_EQ(b->stredisko, "3");
            EXPECT_TRUE(b->browser().moveTo("100001", "10000101"));
            QTest::mouseClick(b->Button4, Qt::LeftButton);
        });
        QTest::mouseClick(f->Button7, Qt::LeftButton);

        // The quantity cell of the picked line is open.
        EXPECT_EQ(f->suitempDBGrid1->currentIndex().column(), f->gridColumn("MNOZSTVI"));
        QLineEdit* editor = cellEditor(f);
        if (!editor) {
            ADD_FAILURE() << "the quantity cell did not open";
            f->reject();
            return;
        }
        typeText(editor, "2");
        QTest::keyClick(editor, Qt::Key_Return);
        QApplication::processEvents(); // the grid takes the value on its next round
        QTest::mouseClick(f->suitempButton3, Qt::LeftButton);
        numberAfter = f->Edit2->text();
        QTest::mouseClick(f->suitempButton6, Qt::LeftButton); // "Konec": nothing to ask, closes
    });
    // Opened from the main menu of a main window on the same workstation.
    ui::ScriptedPrompter mainPrompter;
    app::TForm4Options o;
    o.prompter = &mainPrompter;
    o.connection = db->params();
    o.splash = false;
    app::TForm4 mainWindow(started->ws.env(), commands, o);
    mainPrompter.clear(); // the fixture's own session counts as a second connection
    mainWindow.action("Pjemzbo1")->trigger();

    EXPECT_EQ(shownNumber, number(1));
    EXPECT_EQ(shownDate, QDate::currentDate());
    EXPECT_EQ(
        db->scalar("select concat_ws('|', cislo, typ, dodavatel, ico, orgjd, cisldokl, provozovna, prevzal, "
                   "cislpoloz, jkpov, text, mnozstvi, nakupcena, celkem) from vse"),
        number(1) + "|P|Pekárna \"U Nováků\"|12345678|Brno|FA-77|3|Dvořáková|10000101|100001|Mouka hladká|"
                    "2.0000|15.5000|31.00");
    EXPECT_DOUBLE_EQ(balance(*db, "10000101"), 7);
    EXPECT_EQ(mainPrompter.texts(), QStringList({"Doklad byl uložen"}));
    EXPECT_EQ(printed, 1);
    EXPECT_EQ(numberAfter, number(2));
    // The establishment and the mode are remembered for the next run.
    EXPECT_EQ(mainWindow.session().settings.readProperty("TForm1", "Edit5", "Text"), "3");
    EXPECT_EQ(mainWindow.session().settings.readProperty("TForm1", "vpc", "Checked"), "False");
}

TEST_F(ReceiptWindow, RemembersTheEstablishmentAndTheTotalPriceMode) {
    session().settings.writeProperty("TForm1", "Edit5", "Text", "12");
    session().settings.writeProperty("TForm1", "vpc", "Checked", "True");
    auto f = openWindow();
    EXPECT_EQ(f->Edit5->text(), "12");
    EXPECT_TRUE(f->vpc->isChecked());
    EXPECT_TRUE(f->document().vpc);
    f->vpc->setChecked(false);
    f->Edit5->clear();
    typeText(f->Edit5, "4");
    f->reject();
    core::IniFile reread(session().settings.path());
    reread.load();
    EXPECT_EQ(reread.readProperty("TForm1", "Edit5", "Text"), "4");
    EXPECT_EQ(reread.readProperty("TForm1", "vpc", "Checked"), "False");
}

TEST_F(ReceiptWindow, TheEstablishmentMustBeANumberBeforeAPick) {
    auto f = openWindow();
    f->Edit5->clear();
    typeText(f->Edit5, "dílna");
    QTest::mouseClick(f->Panel6, Qt::LeftButton); // no browser opens: the test would wait otherwise
    EXPECT_EQ(prompter().texts(), QStringList({"Není vyplněno číslo provozovny!"}));
    EXPECT_EQ(f->Edit5->text(), "");
}

TEST_F(ReceiptWindow, TotalPriceModeMakesTheTotalEditableAfterAPick) {
    auto f = openWindow();
    f->vpc->setChecked(true);
    f->Edit5->setText("1");
    f->document().header().PROVOZOVNA = "1";
    whenModal<cards::Tfskarta>([](cards::Tfskarta* b) {
        EXPECT_EQ(b->Tag, 1);
        b->browser().moveTo("100001", "10000101");
        QTest::mouseClick(b->Button4, Qt::LeftButton);
    });
    QTest::mouseClick(f->Panel5, Qt::LeftButton);
    auto& m = f->gridModel();
    const int celkem = f->gridColumn("CELKEM");
    EXPECT_TRUE(m.flags(m.index(0, celkem)) & Qt::ItemIsEditable);
    EXPECT_EQ(session().dm.table3.number("NAKUPCENA"), 0);
    ASSERT_TRUE(cellEditor(f));
    typeText(cellEditor(f), "3");
    QTest::keyClick(cellEditor(f), Qt::Key_Return);
    QApplication::processEvents();
    // The total typed, then the column left: the price follows.
    f->suitempDBGrid1->setCurrentIndex(m.index(0, celkem));
    f->suitempDBGrid1->edit(m.index(0, celkem));
    ASSERT_TRUE(cellEditor(f));
    typeText(cellEditor(f), "10");
    QTest::keyClick(cellEditor(f), Qt::Key_Return);
    QApplication::processEvents();
    f->suitempDBGrid1->setCurrentIndex(m.index(0, f->gridColumn("TEXT")));
    EXPECT_EQ(m.displayText(0, f->gridColumn("NAKUPCENA")), "3,33");
    EXPECT_EQ(m.displayText(0, celkem), "10,00");

    // In normal mode the next pick leaves the total to the price.
    f->vpc->setChecked(false);
    whenModal<cards::Tfskarta>([](cards::Tfskarta* b) {
        EXPECT_EQ(b->Tag, 2);
        EXPECT_EQ(b->najdi_jkpov, "100001");
        EXPECT_EQ(b->najdi_kartu, "10000101");
        b->browser().moveTo("100002", "10000201");
        QTest::mouseClick(b->Button4, Qt::LeftButton);
    });
    QTest::mouseClick(f->Panel6, Qt::LeftButton);
    EXPECT_FALSE(m.flags(m.index(0, celkem)) & Qt::ItemIsEditable);
}

TEST_F(ReceiptWindow, GridKeysNeitherAddLinesNorLeaveTheNumberColumns) {
    auto f = openWindow();
    auto* grid = f->suitempDBGrid1;
    auto& m = f->gridModel();
    ASSERT_EQ(m.rowCount(), 1);
    grid->setFocus();
    grid->setCurrentIndex(m.index(0, f->gridColumn("MNOZSTVI")));
    QTest::keyClick(grid, Qt::Key_Down);
    EXPECT_EQ(m.rowCount(), 1);
    EXPECT_EQ(grid->currentIndex().row(), 0);

    receiveLine(session(), f->document(), "10000101", 1);
    receiveLine(session(), f->document(), "10000201", 1);
    ASSERT_EQ(m.rowCount(), 2);
    grid->setCurrentIndex(m.index(0, f->gridColumn("MNOZSTVI")));
    QTest::keyClick(grid, Qt::Key_Down);
    EXPECT_EQ(grid->currentIndex().row(), 1) << "Down works on other lines";
    QTest::keyClick(grid, Qt::Key_Down);
    EXPECT_EQ(grid->currentIndex().row(), 1);
    EXPECT_EQ(count(*db, "select count(*) from " + session().dm.pracTabulka), 2);

    struct {
        const char* from;
        const char* to;
    } const tabs[] = {
        {"MNOZSTVI", "MNOZSTVI"}, {"NAKUPCENA", "MNOZSTVI"}, {"CELKEM", "MNOZSTVI"}, {"JKPOV", "CISLPOLOZ"}};
    for (const auto& t : tabs) {
        grid->setCurrentIndex(m.index(1, f->gridColumn(t.from)));
        QTest::keyClick(grid, Qt::Key_Tab);
        EXPECT_EQ(grid->currentIndex().column(), f->gridColumn(t.to)) << "Tab from " << t.from;
        EXPECT_EQ(grid->currentIndex().row(), 1);
    }

    // Tab out of an open quantity cell keeps the value and stays in the column.
    grid->setCurrentIndex(m.index(1, f->gridColumn("MNOZSTVI")));
    grid->edit(grid->currentIndex());
    ASSERT_TRUE(cellEditor(f));
    cellEditor(f)->selectAll();
    typeText(cellEditor(f), "6");
    QTest::keyClick(cellEditor(f), Qt::Key_Tab);
    EXPECT_EQ(grid->currentIndex().column(), f->gridColumn("MNOZSTVI"));
    EXPECT_DOUBLE_EQ(session().dm.table3.valueAt(1, "MNOZSTVI").toDouble(), 6);
}

TEST_F(ReceiptWindow, LeavingTheQuantityRecomputesTheLineValue) {
    auto f = openWindow();
    takeOver(session(), f->document(), "10000101");
    auto& m = f->gridModel();
    m.setData(m.index(0, f->gridColumn("MNOZSTVI")), "1,5", Qt::EditRole);
    f->suitempDBGrid1->setCurrentIndex(m.index(0, f->gridColumn("MNOZSTVI")));
    f->suitempDBGrid1->setCurrentIndex(m.index(0, f->gridColumn("NAKUPCENA")));
    EXPECT_EQ(m.displayText(0, f->gridColumn("CELKEM")), "23,25");
}

// "abc" in the quantity cell only warns; a value the database cannot hold shows the grid's stop box.
TEST_F(ReceiptWindow, BadQuantitiesWarnAndLeaveTheLine) {
    app::ErrorHandler handler(session().env.programDir, prompter(), &session().conn());
    int exits = 0;
    handler.setExitAction([&](int) { ++exits; });
    handler.install();
    auto f = openWindow();
    receiveLine(session(), f->document(), "10000101", 2);
    auto& m = f->gridModel();
    const QModelIndex q = m.index(0, f->gridColumn("MNOZSTVI"));

    EXPECT_FALSE(m.setData(q, "abc", Qt::EditRole));
    EXPECT_EQ(prompter().lastText(), "Chyba při vyplnění položky množství!");
    EXPECT_EQ(exits, 0);
    EXPECT_FALSE(QDir(session().env.inProgramDir("screen")).exists());

    EXPECT_FALSE(m.setData(q, "1000000000000", Qt::EditRole));
    EXPECT_EQ(prompter().lastText(), "Chyba ve vyplnění položky! ");
    EXPECT_EQ(prompter().records().back().message.caption, "Talírka");
    EXPECT_DOUBLE_EQ(db->scalar("select mnozstvi from " + session().dm.pracTabulka).toDouble(), 2);
    EXPECT_TRUE(f->isVisible());
    EXPECT_EQ(exits, 0);
}

TEST_F(ReceiptWindow, OpravaReopensTheChosenReceipt) {
    auto f = openWindow();
    fillHeader(f->document(), "Mlékárna Kunín");
    receiveLine(session(), f->document(), "10000101", 2);
    ASSERT_TRUE(f->document().save());
    f->document().header().PROVOZOVNA = "1";
    receiveLine(session(), f->document(), "10000201", 1);
    ASSERT_TRUE(f->document().save());
    prompter().clear();
    watchdog();
    whenModal<stock::TForm3>([](stock::TForm3* list) {
        EXPECT_EQ(list->windowTitle(), "Oprava");
        EXPECT_EQ(list->list().rowCount(), 2);
        EXPECT_EQ(list->list().recNo(), 1) << "the newest number is current";
        list->list().first();
        QTest::mouseClick(list->Vybrat(), Qt::LeftButton);
    });
    QTest::mouseClick(f->suitempButton5, Qt::LeftButton);
    EXPECT_EQ(f->Edit2->text(), number(1));
    EXPECT_EQ(f->Edit4->text(), "Mlékárna Kunín");
    EXPECT_EQ(f->gridModel().displayText(0, f->gridColumn("CISLPOLOZ")), "10000101");
    EXPECT_TRUE(f->document().reopened());
}

TEST_F(ReceiptWindow, TheAddressBookFillsTheSupplier) {
    db->exec("insert into adresar (nazevpodni, sidlo, ulicecislo, ico, psc, misto) values "
             "(\"Mlýn Brno\", \"Brno\", \"Hlavní 5\", \"1122334455\", \"60200\", \"Brno\"), "
             "(\"Pekárna Novák\", \"Zlín\", \"Dlouhá 1\", \"87654321\", \"76001\", \"Zlín\")");
    session().dm.table1.refresh();
    auto f = openWindow();
    watchdog();
    whenModal<stock::TForm2>([](stock::TForm2* book) {
        EXPECT_TRUE(book->Button1->isVisible());
        book->book().table1().locate("NAZEVPODNI", QString("Pekárna Novák"));
        book->DBGrid1->syncToDataset();
        QTest::mouseClick(book->Button1, Qt::LeftButton);
    });
    QTest::mouseClick(f->Button1, Qt::LeftButton);
    EXPECT_EQ(f->Edit4->text(), "Pekárna Novák");
    EXPECT_EQ(f->MaskEdit2->text(), "87654321");
    EXPECT_EQ(f->Edit3->text(), "Zlín");
    EXPECT_EQ(f->document().header().DODAVATEL, "Pekárna Novák");

    // A ten-digit IČO of the address book fits the receipt's eight characters.
    whenModal<stock::TForm2>([](stock::TForm2* book) {
        book->book().table1().locate("NAZEVPODNI", QString("Mlýn Brno"));
        book->DBGrid1->syncToDataset();
        emit book->DBGrid1->rowDoubleClicked(book->book().table1().recNo());
    });
    QTest::mouseClick(f->Button1, Qt::LeftButton);
    EXPECT_EQ(f->Edit4->text(), "Mlýn Brno");
    EXPECT_EQ(f->document().header().ICO, "11223344");
}
