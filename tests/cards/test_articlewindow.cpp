#include "support/testdatabase.h"

#include "cards/articlenumbering.h"
#include "cards/zalzbozi.h"
#include "db/sqltext.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

using namespace testing_support;

namespace {

class ArticleWindow : public DbTest {
protected:
    int count(const QString& where = "1") { return db->scalar("select count(*) from cenik where " + where).toInt(); }
    db::ResultSet row(const QString& jkpov) {
        return db->admin().query("select * from cenik where jkpov = " + sql::q(jkpov));
    }
    std::unique_ptr<cards::TForm17> open(int tag = 0, int id = 0) {
        auto f = std::make_unique<cards::TForm17>(session());
        f->Tag = tag;
        f->cenikId = id;
        f->show();
        return f;
    }
};

TEST_F(ArticleWindow, NewArticleStartsEmptyWithTheAllergenLists) {
    auto f = open();
    EXPECT_EQ(f->windowTitle(), "Nové zboží");
    EXPECT_EQ(f->suiNumberEdit3->text(), "000");
    EXPECT_TRUE(f->Edit3->text().isEmpty());
    EXPECT_TRUE(f->Edit5->text().isEmpty());
    EXPECT_EQ(f->kosSkup[0]->text(), "0");
    EXPECT_EQ(f->kosKoef[3]->text(), "0,000");
    EXPECT_FALSE(f->Panel1->isVisible());   // "Další alergeny" starts collapsed
    for (auto* box : f->alergen) {
        ASSERT_EQ(box->count(), 15);
        EXPECT_EQ(box->currentIndex(), 0);
        EXPECT_EQ(box->itemText(0), "0. bez alergenů");
        EXPECT_EQ(box->itemText(7), "7. mléko a výrobky z něj (včetně laktózy)");
    }
    f->SpeedButton1->click();
    EXPECT_TRUE(f->Panel1->isVisible());
}

TEST_F(ArticleWindow, SavingANewArticleStoresEveryField) {
    db->exec("insert into cenik (jkpov, nazev, mj) values (\"102004\", \"Tvaroh\", \"kg\")");
    auto f = open();
    f->suiNumberEdit3->setText("102");
    f->Edit3->setText("Sýr \"Eidam\" 30 % \\ plátky");
    f->Edit5->setText("kg");
    f->kosSkup[0]->setText("5");
    f->kosKoef[0]->setText("1,250");
    f->kosSkup[3]->setText("12");
    f->kosKoef[3]->setText("0,5");
    f->alergen[0]->setCurrentIndex(7);
    f->alergen[1]->setCurrentIndex(3);
    f->alergen[7]->setCurrentIndex(14);
    f->Button1->click();

    EXPECT_EQ(f->result(), QDialog::Accepted);
    EXPECT_EQ(f->Edit1->text(), "102005");
    const auto r = row("102005");
    ASSERT_EQ(r.rowCount(), 1);
    EXPECT_EQ(r.text(0, "nazev"), "Sýr \"Eidam\" 30 % \\ plátky");
    EXPECT_EQ(r.text(0, "mj"), "kg");
    EXPECT_EQ(r.integer(0, "kos_skup"), 5);
    EXPECT_DOUBLE_EQ(r.number(0, "kos_koef"), 1.25);
    EXPECT_EQ(r.integer(0, "kos_skup4"), 12);
    EXPECT_DOUBLE_EQ(r.number(0, "kos_koef4"), 0.5);
    EXPECT_EQ(r.integer(0, "kos_skup2"), 0);
    EXPECT_EQ(r.integer(0, "alergen"), 7);
    EXPECT_EQ(r.integer(0, "alergen2"), 3);
    EXPECT_EQ(r.integer(0, "alergen3"), 0);
    EXPECT_EQ(r.integer(0, "alergen8"), 14);
    EXPECT_EQ(count(), 2);
    EXPECT_TRUE(prompter().records().empty());
}

TEST_F(ArticleWindow, GroupTypedShortIsPadded) {
    auto f = open();
    f->suiNumberEdit3->setText("5");
    f->Edit3->setText("Sůl");
    f->Edit5->setText("kg");
    f->Button1->click();
    EXPECT_EQ(f->Edit1->text(), "005001");
    EXPECT_EQ(row("005001").rowCount(), 1);
}

TEST_F(ArticleWindow, MissingNameOrUnitStoresNothingAndKeepsTheWindow) {
    const struct {
        const char* nazev;
        const char* mj;
    } cases[] = {{"", "kg"}, {"Mouka", ""}, {"   ", "kg"}, {"", ""}};
    for (const auto& c : cases) {
        prompter().clear();
        auto f = open();
        f->suiNumberEdit3->setText("101");
        f->Edit3->setText(c.nazev);
        f->Edit5->setText(c.mj);
        f->kosKoef[0]->setText("2,5");
        f->Button1->click();
        EXPECT_EQ(prompter().texts(), QStringList{"Neúplné nebo chybějící údaje!"});
        EXPECT_EQ(prompter().records()[0].message.icon, ui::Icon::Stop);
        EXPECT_TRUE(f->isVisible());
        EXPECT_EQ(f->Edit3->text(), c.nazev);
        EXPECT_EQ(f->Edit5->text(), c.mj);
        EXPECT_EQ(f->kosKoef[0]->text(), "2,5");
        EXPECT_TRUE(f->Edit1->text().isEmpty());
    }
    EXPECT_EQ(count(), 0);
}

TEST_F(ArticleWindow, LongNameIsCutAtTheColumnLength) {
    auto f = open();
    const QString longName = QString("Ž").repeated(80);
    f->Edit3->setText(longName);   // the field takes at most 50
    f->Edit5->setText("kilogramy-navic");
    f->Button1->click();
    ASSERT_EQ(f->result(), QDialog::Accepted);
    const auto r = row("000001");
    ASSERT_EQ(r.rowCount(), 1);
    EXPECT_EQ(r.text(0, "nazev"), QString("Ž").repeated(50));
    EXPECT_EQ(r.text(0, "mj"), "kilogramy-");
}

TEST_F(ArticleWindow, FullGroupIsRefusedAndNothingIsWritten) {
    QStringList values;
    for (int k = 1; k <= 999; ++k) values << QString("(\"100%1\", \"x\")").arg(k, 3, 10, QChar('0'));
    db->exec("insert into cenik (jkpov, nazev) values " + values.join(","));
    auto f = open();
    f->suiNumberEdit3->setText("100");
    f->Edit3->setText("Nové");
    f->Edit5->setText("ks");
    f->Button1->click();
    EXPECT_EQ(prompter().texts(), QStringList{cards::ArticleNumbering::exhaustedMessage("100")});
    EXPECT_TRUE(f->isVisible());
    EXPECT_EQ(count(), 999);
    EXPECT_EQ(count("nazev = \"Nové\" or nazev = \"\""), 0);
}

TEST_F(ArticleWindow, CorrectionChangesOnlyBasketAndAllergens) {
    db->exec("insert into cenik (jkpov, nazev, mj, kos_skup, kos_koef, alergen, alergen2, alergen5) "
             "values (\"101003\", \"Těstoviny\", \"kg\", 3, 1.5, 1, 3, 9)");
    const int id = db->scalar("select id from cenik where jkpov = \"101003\"").toInt();
    auto f = open(1, id);
    EXPECT_EQ(f->suiNumberEdit3->text(), "101");
    EXPECT_EQ(f->Edit1->text(), "101003");
    EXPECT_EQ(f->Edit3->text(), "Těstoviny");
    EXPECT_FALSE(f->suiNumberEdit3->isEnabled());
    EXPECT_FALSE(f->Edit3->isEnabled());
    EXPECT_FALSE(f->Edit5->isEnabled());
    EXPECT_EQ(f->kosSkup[0]->text(), "3");
    EXPECT_EQ(f->kosKoef[0]->text(), "1,500");
    EXPECT_EQ(f->alergen[0]->currentText(), "1. obiloviny obsahující lepek");
    EXPECT_EQ(f->alergen[1]->currentText(), "3. vejce a výrobky z nich");
    EXPECT_EQ(f->alergen[2]->currentIndex(), 0);
    EXPECT_EQ(f->alergen[4]->currentText(), "9. celer a výrobky z něj");

    // Even text pushed into the locked fields is not stored.
    f->Edit3->setText("Jiný název");
    f->Edit5->setText("ks");
    f->suiNumberEdit3->setText("555");
    f->kosSkup[1]->setText("7");
    f->kosKoef[1]->setText("0,125");
    f->alergen[1]->setCurrentIndex(0);
    f->alergen[5]->setCurrentIndex(11);
    f->Button1->click();

    EXPECT_EQ(f->result(), QDialog::Accepted);
    EXPECT_EQ(f->Edit1->text(), "101003");
    const auto r = row("101003");
    ASSERT_EQ(r.rowCount(), 1);
    EXPECT_EQ(r.text(0, "nazev"), "Těstoviny");
    EXPECT_EQ(r.text(0, "mj"), "kg");
    EXPECT_EQ(r.integer(0, "kos_skup"), 3);
    EXPECT_DOUBLE_EQ(r.number(0, "kos_koef"), 1.5);
    EXPECT_EQ(r.integer(0, "kos_skup2"), 7);
    EXPECT_DOUBLE_EQ(r.number(0, "kos_koef2"), 0.125);
    EXPECT_EQ(r.integer(0, "alergen"), 1);
    EXPECT_EQ(r.integer(0, "alergen2"), 0);
    EXPECT_EQ(r.integer(0, "alergen5"), 9);
    EXPECT_EQ(r.integer(0, "alergen6"), 11);
    EXPECT_EQ(count(), 1);
}

TEST_F(ArticleWindow, StoredAllergenUnknownToTheListIsKept) {
    db->exec("insert into cenik (jkpov, nazev, mj, alergen) values (\"101001\", \"Mouka\", \"kg\", 20)");
    const int id = db->scalar("select id from cenik").toInt();
    auto f = open(1, id);
    EXPECT_EQ(cards::ArticleEditor::allergenNumber(f->alergen[0]->currentText()), 20);
    f->Button1->click();
    EXPECT_EQ(db->scalar("select alergen from cenik").toInt(), 20);
}

} // namespace
