#include "stockfixture.h"
#include "typing.h"

#include "app/commands.h"
#include "stock/adresar.h"
#include "stock/register.h"
#include "ui/datagrid.h"
#include "ui/searchdialog.h"

#include <QAction>
#include <QApplication>
#include <QFocusEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

using namespace testing_support;
using namespace stock_test;

namespace {

class AddressBookWindow : public DbTest {
protected:
    void SetUp() override {
        DbTest::SetUp();
        db->exec("insert into adresar (nazevpodni, sidlo, ulicecislo, ico, psc, misto) values "
                 "(\"Mlýn Brno\", \"Brno\", \"Hlavní 5\", \"11223344\", \"60200\", \"Brno\"), "
                 "(\"Pekárna Novák\", \"Zlín\", \"Dlouhá 1\", \"87654321\", \"76001\", \"Zlín\")");
        session().dm.table1.refresh();
        f = std::make_unique<stock::TForm2>(session());
        f->show();
    }
    void trigger(const char* action) {
        auto* a = f->findChild<QAction*>(action);
        ASSERT_TRUE(a) << action;
        a->trigger();
    }
    void typePanel(const QStringList& values) {
        QLineEdit* edits[] = {f->Edit1, f->Edit2, f->Edit3, f->Edit4, f->Edit5, f->Edit6};
        for (int i = 0; i < values.size(); ++i) {
            edits[i]->clear();
            typeText(edits[i], values[i]);
        }
    }
    QString rows() {
        return db->scalar(
            "select group_concat(concat_ws('|', nazevpodni, sidlo, ulicecislo, psc, misto, ico) order by "
            "id separator '\\n') from adresar");
    }
    void goTo(const QString& name) {
        ASSERT_TRUE(session().dm.table1.locate("NAZEVPODNI", name));
        f->DBGrid1->syncToDataset();
    }
    std::unique_ptr<stock::TForm2> f;
};

} // namespace

TEST_F(AddressBookWindow, AddingASupplierCreatesOneRowShownInTheGrid) {
    EXPECT_FALSE(f->Panel2->isVisible());
    trigger("Pidatvtu1");
    EXPECT_TRUE(f->Panel2->isVisible());
    EXPECT_EQ(f->Button6->text(), "Přidat");
    EXPECT_EQ(f->Panel2->title(), "Přidat do adresáře");
    typePanel({"Mlékárna Kunín", "Kunín", "Na louce 3", "74253", "Kunín", "12121212"});
    QTest::mouseClick(f->Button6, Qt::LeftButton);
    EXPECT_EQ(count(*db, "select count(*) from adresar"), 3);
    EXPECT_EQ(db->scalar("select concat_ws('|', nazevpodni, sidlo, ulicecislo, psc, misto, ico) from adresar "
                         "where id = (select max(id) from adresar)"),
              "Mlékárna Kunín|Kunín|Na louce 3|74253|Kunín|12121212");
    EXPECT_FALSE(f->Panel2->isVisible());
    EXPECT_EQ(f->Edit1->text(), "");
    auto* m = f->DBGrid1->datasetModel();
    ASSERT_EQ(m->rowCount(), 3);
    EXPECT_EQ(m->displayText(f->DBGrid1->currentIndex().row(), 0), "Mlékárna Kunín")
        << "the new supplier is current";
}

// The correction belongs to the row it was opened on, even when the list moves meanwhile.
TEST_F(AddressBookWindow, CorrectingChangesItsRowAndAddsNone) {
    goTo("Pekárna Novák");
    trigger("Opravitoznaenouvtu1");
    EXPECT_EQ(f->Button6->text(), "Uložit");
    EXPECT_EQ(f->Panel2->title(), "Opravit větu");
    EXPECT_EQ(f->Edit1->text(), "Pekárna Novák");
    EXPECT_EQ(f->Edit3->text(), "Dlouhá 1");
    EXPECT_EQ(f->Edit6->text(), "87654321");
    f->Edit2->clear();
    typeText(f->Edit2, "Otrokovice");
    goTo("Mlýn Brno");
    QTest::mouseClick(f->Button6, Qt::LeftButton);
    EXPECT_EQ(rows(), "Mlýn Brno|Brno|Hlavní 5|60200|Brno|11223344\n"
                      "Pekárna Novák|Otrokovice|Dlouhá 1|76001|Zlín|87654321");
    EXPECT_EQ(f->Button6->text(), "Přidat") << "back in the adding mode";
}

TEST_F(AddressBookWindow, DeletingAsksAndZpetKeepsTheRow) {
    goTo("Mlýn Brno");
    prompter().answer("Zpět");
    trigger("Smazatoznaenouvtu1");
    const auto& m = prompter().records().back().message;
    EXPECT_EQ(m.caption, "Smazání");
    EXPECT_EQ(m.text, "Smazat označený řádek ?");
    EXPECT_EQ(m.buttons, QStringList({"Ano", "Zpět"}));
    EXPECT_EQ(count(*db, "select count(*) from adresar"), 2);
    prompter().answer("Ano");
    trigger("Smazatoznaenouvtu1");
    EXPECT_EQ(db->scalar("select group_concat(nazevpodni) from adresar"), "Pekárna Novák");
    EXPECT_EQ(f->DBGrid1->datasetModel()->rowCount(), 1);
}

// Quotes and backslashes are stored as typed; the fields accept no more than their columns.
TEST_F(AddressBookWindow, TextsAreStoredAsTypedUpToTheFieldLimits) {
    struct {
        QLineEdit* edit;
        QString typed;
        QString stored;
    } const cases[] = {
        {f->Edit1, "Jatka \"U Tří\" \\ s.r.o.", "Jatka \"U Tří\" \\ s.r.o."},
        {f->Edit2, QString(10000, QChar('s')), QString(50, QChar('s'))},
        {f->Edit3, "'); delete from adresar; --", "'); delete from adresar; --"},
        {f->Edit4, "1234567890", "123456"},
        {f->Edit5, QString(10000, QChar(u'ž')), QString(30, QChar(u'ž'))},
        {f->Edit6, "12\"34\\5678901", "12\"34\\5678"},
    };
    trigger("Pidatvtu1");
    for (const auto& c : cases)
        c.edit->setText(c.typed);
    QTest::mouseClick(f->Button6, Qt::LeftButton);
    const auto rs = db->admin().query("select * from adresar order by id desc limit 1");
    const char* columns[] = {"NAZEVPODNI", "SIDLO", "ulicecislo", "PSC", "MISTO", "ICO"};
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(rs.text(0, columns[i]), cases[i].stored) << columns[i];
    EXPECT_EQ(count(*db, "select count(*) from adresar"), 3);
}

TEST_F(AddressBookWindow, TheLogicCutsOverlongValuesToo) {
    stock::AddressBook book(session());
    book.Pidatvtu1();
    book.panel.NAZEVPODNI = QString(10000, QChar('\\'));
    book.panel.ICO = QString(10000, QChar('"'));
    const long long id = book.suitempButton6Click();
    EXPECT_EQ(db->scalar("select nazevpodni from adresar where id = " + QString::number(id)),
              QString(50, QChar('\\')));
    EXPECT_EQ(db->scalar("select ico from adresar where id = " + QString::number(id)),
              QString(10, QChar('"')));
}

TEST_F(AddressBookWindow, SearchMovesToTheSupplierFound) {
    QString startedOn;
    f->execSearch = [&](QDialog& d) {
        auto& s = static_cast<ui::SearchDialog&>(d);
        startedOn = QString::number(s.field());
        s.setSearchText("8765");
        s.prevzit();
        return int(s.result());
    };
    goTo("Mlýn Brno");
    QTest::mouseClick(f->Panel7, Qt::LeftButton);
    EXPECT_EQ(startedOn, "1") << "the search starts on IČO";
    EXPECT_EQ(session().dm.table1.text("NAZEVPODNI"), "Pekárna Novák");
}

// Opened from the main menu the list is only kept: no "převzít", a double-click takes nothing.
TEST(AddressBookMenu, OpensWithoutTakeOver) {
    TestDatabase db;
    db.exec("insert into adresar (nazevpodni, ico) values (\"Mlýn Brno\", \"11223344\")");
    StartedSession st(db);
    app::CommandRegistry commands;
    stock::registerCommands(commands);
    bool checked = false;
    QTimer::singleShot(0, [&] {
        auto* f = qobject_cast<stock::TForm2*>(QApplication::activeModalWidget());
        if (!f) {
            ADD_FAILURE() << "the address book did not open";
            return;
        }
        EXPECT_FALSE(f->Button1->isVisible());
        EXPECT_EQ(f->DBGrid1->datasetModel()->rowCount(), 1);
        emit f->DBGrid1->rowDoubleClicked(0);
        EXPECT_TRUE(f->isVisible());
        EXPECT_FALSE(f->taken());
        checked = true;
        QTest::mouseClick(f->Button2, Qt::LeftButton);
    });
    QTimer::singleShot(20000, [] {
        if (auto* w = QApplication::activeModalWidget()) w->close();
    });
    ASSERT_TRUE(commands.run("Adres1", st.s(), nullptr));
    EXPECT_TRUE(checked);
}

TEST_F(AddressBookWindow, TheFocusedFieldsLabelTurnsBold) {
    trigger("Pidatvtu1");
    QLabel* street = nullptr;
    for (auto* l : f->Panel2->findChildren<QLabel*>())
        if (l->text() == "Ulice číslo") street = l;
    ASSERT_TRUE(street);
    QFocusEvent in(QEvent::FocusIn), out(QEvent::FocusOut);
    QApplication::sendEvent(f->Edit3, &in);
    EXPECT_TRUE(street->font().bold());
    QApplication::sendEvent(f->Edit3, &out);
    EXPECT_FALSE(street->font().bold());
}
