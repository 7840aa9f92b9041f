#include "support/testdatabase.h"

#include "cards/cardnumbering.h"
#include "cards/cardopening.h"
#include "cards/yalskarta.h"
#include "db/sqltext.h"

#include <QLineEdit>
#include <QPushButton>

using namespace testing_support;

namespace {

class CardWindow : public DbTest {
protected:
    void SetUp() override {
        DbTest::SetUp();
        db->exec("insert into cenik (jkpov, nazev, mj) values (\"100001\", \"Mouka hladká\", \"kg\")");
    }
    int count(const QString& table) { return db->scalar("select count(*) from " + table).toInt(); }

    // The window as the browser opens it for article 100001.
    std::unique_ptr<cards::Tfzalkarta> open(const QString& nazev = "Mouka hladká") {
        auto f = std::make_unique<cards::Tfzalkarta>(session());
        f->jkpov = "100001";
        f->nazev = nazev;
        f->mj = "kg";
        f->stredisko = "12";
        f->show();
        return f;
    }
};

TEST_F(CardWindow, ShowsTheArticleAndStoresTheCardWithOneOpeningMovement) {
    db->exec("insert into sklkarta (cislokarty, jkpov) values (\"10000101\", \"100001\"), (\"10000103\", \"100001\")");
    auto f = open();
    EXPECT_EQ(f->windowTitle(), "Založení karty");
    EXPECT_EQ(f->Edit3->text(), "Mouka hladká");
    EXPECT_EQ(f->Edit5->text(), "kg");
    EXPECT_EQ(f->Edit7->text(), "100");
    EXPECT_EQ(f->Edit4->text(), "0,00");
    EXPECT_TRUE(f->Edit1->isReadOnly());

    f->Edit4->setText("12,5");
    f->Button1->click();

    EXPECT_EQ(f->result(), QDialog::Accepted);
    EXPECT_EQ(f->Edit1->text(), "10000102");
    const auto card = db->admin().query("select * from sklkarta where cislokarty = \"10000102\"");
    ASSERT_EQ(card.rowCount(), 1);
    EXPECT_EQ(card.text(0, "jkpov"), "100001");
    EXPECT_EQ(card.text(0, "nazev"), "Mouka hladká");
    EXPECT_EQ(card.text(0, "jedn"), "kg");
    EXPECT_EQ(card.text(0, "druh"), "100");
    EXPECT_EQ(card.text(0, "stredisko"), "12");
    EXPECT_DOUBLE_EQ(card.number(0, "mcena"), 12.5);
    EXPECT_DOUBLE_EQ(card.number(0, "mnoz"), 0.0);

    const auto moves = db->admin().query("select * from vse where cislpoloz = \"10000102\"");
    ASSERT_EQ(moves.rowCount(), 1);
    EXPECT_EQ(moves.text(0, "typ"), "Z");
    EXPECT_EQ(moves.text(0, "jkpov"), "100001");
    EXPECT_EQ(moves.text(0, "text"), "Mouka hladká");
    EXPECT_EQ(moves.value(0, "datum").toDateTime(), QDateTime(QDate::currentDate(), QTime(0, 0)));
    EXPECT_DOUBLE_EQ(moves.number(0, "mnozstvi"), 0.0);
    EXPECT_DOUBLE_EQ(moves.number(0, "celkem"), 0.0);
    EXPECT_EQ(count("vse"), 1);
    EXPECT_TRUE(prompter().records().empty());
}

TEST_F(CardWindow, PricesAsTyped) {
    const struct {
        const char* typed;
        double stored;
    } cases[] = {{"12,5", 12.5}, {"12.5", 12.5}, {"0,00", 0.0}, {"1 234,56", 1234.56}, {" 7 ", 7.0}, {",5", 0.5}, {"12,", 12.0}};
    for (const auto& c : cases) {
        const auto number = cards::CardOpening::save(session(), {"100001", "Mouka", "kg", "", 0}, c.typed, QDate(2024, 3, 1));
        ASSERT_TRUE(number.has_value()) << c.typed;
        EXPECT_DOUBLE_EQ(db->scalar("select mcena from sklkarta where cislokarty = " + sql::q(*number)).toDouble(), c.stored)
            << c.typed;
    }
    EXPECT_TRUE(prompter().records().empty());
}

TEST_F(CardWindow, WrongPriceIsRefusedAndTheWindowStays) {
    for (const char* typed : {"abc", "", "   ", "12,5,3", "-3", "1e5", "+4", "12 Kč", "999999999999", ","}) {
        prompter().clear();
        auto f = open();
        f->Edit4->setText(typed);
        f->Button1->click();
        ASSERT_EQ(prompter().texts(), QStringList{"Chybná cena za jednotku!"}) << typed;
        EXPECT_EQ(prompter().records()[0].message.icon, ui::Icon::Stop);
        EXPECT_TRUE(f->isVisible()) << typed;
        EXPECT_EQ(f->focusWidget(), f->Edit4) << typed;
        EXPECT_EQ(f->Edit4->text(), typed);
        EXPECT_TRUE(f->Edit1->text().isEmpty());
    }
    EXPECT_EQ(count("sklkarta"), 0);
    EXPECT_EQ(count("vse"), 0);
}

TEST_F(CardWindow, NamesWithQuotesBackslashesAndFullLengthAreStoredExactly) {
    const QString names[] = {"Sýr \"Eidam\" 30 %", "Rohlík 'tukový'", "C:\\cesta\\ a \\\" konec", QString(50, QChar(0x17E))};
    for (const QString& name : names) {
        auto f = open(name);
        f->Edit4->setText("3,20");
        f->Button1->click();
        ASSERT_EQ(f->result(), QDialog::Accepted) << name.toStdString();
        EXPECT_EQ(db->scalar("select nazev from sklkarta where cislokarty = " + sql::q(f->Edit1->text())), name);
        EXPECT_EQ(db->scalar("select text from vse where cislpoloz = " + sql::q(f->Edit1->text())), name);
    }
    EXPECT_TRUE(prompter().records().empty());
}

TEST_F(CardWindow, HundredthCardIsRefusedAndNothingIsWritten) {
    for (int n = 1; n <= 99; ++n)
        db->exec(QString("insert into sklkarta (cislokarty, jkpov) values (\"100001%1\", \"100001\")").arg(n, 2, 10, QChar('0')));
    auto f = open();
    f->Edit4->setText("5");
    f->Button1->click();
    EXPECT_EQ(prompter().texts(), QStringList{cards::CardNumbering::exhaustedMessage("100001")});
    EXPECT_TRUE(f->isVisible());
    EXPECT_EQ(count("sklkarta"), 99);
    EXPECT_EQ(count("vse"), 0);
    EXPECT_EQ(count("sklkarta where nazev = \"\" and cislokarty = \"\""), 0);
}

TEST_F(CardWindow, StornoStoresNothing) {
    auto f = open();
    f->Edit4->setText("9,90");
    f->Button2->click();
    EXPECT_EQ(f->result(), QDialog::Rejected);
    EXPECT_EQ(count("sklkarta"), 0);
    EXPECT_EQ(count("vse"), 0);
}

TEST_F(CardWindow, OpeningInsideACallersTransactionIsUndoneWithIt) {
    // The receipt opens cards inside its own save; a failure there must take the card back too.
    auto& c = session().conn();
    {
        db::Transaction t(c);
        EXPECT_EQ(cards::CardOpening::zalozKartu(c, {"100001", "Mouka", "kg", "3", 4.5}, QDate(2024, 5, 6)), "10000101");
        EXPECT_EQ(c.query("select count(*) from vse where typ = \"Z\"").rows[0][0].toInt(), 1);
    }
    EXPECT_EQ(count("sklkarta"), 0);
    EXPECT_EQ(count("vse"), 0);
}

} // namespace
