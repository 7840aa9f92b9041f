// The two stock-card prints of the browser, on real cards and movements.
#include "support/testdatabase.h"

#include "cards/cardprints.h"
#include "cards/skltisk.h"
#include "cards/skltisk2.h"
#include "db/sqltext.h"
#include "reporting/document.h"
#include "reporting/preview.h"
#include "reporting/qstringprint.h"

using namespace testing_support;

namespace {

const QDate kDay(2024, 3, 20);

class CardPrint : public DbTest {
protected:
    void SetUp() override {
        DbTest::SetUp();
        article("101001", "Mouka hladká", {1, 4, 0, 9, 0, 0, 0, 0});
        db->exec("insert into sklkarta (cislokarty, jkpov, nazev, jedn, druh, mcena, mnoz) values "
                 "(\"10100101\", \"101001\", \"Mouka hladká\", \"kg\", \"01\", 12.5, 6)");
        move("00000000", "Z", "", "2024-03-01", 0, 0);
        move("20240001", "P", "F-77", "2024-03-05", 10, 125);
        move("21240001", "V", "", "2024-03-05", 4, 50);
        move("21240002", "V", "", "2024-03-07", 1.25, 15.63);
    }
    void article(const QString& jkpov, const QString& nazev, const QVector<int>& a) {
        QStringList cols, vals;
        for (int k = 0; k < a.size(); ++k) {
            cols << (k == 0 ? QString("alergen") : QString("alergen%1").arg(k + 1));
            vals << QString::number(a[k]);
        }
        db->exec(QString("insert into cenik (jkpov, nazev, mj, %1) values (%2, %3, \"kg\", %4)")
                     .arg(cols.join(", "), sql::q(jkpov), sql::q(nazev), vals.join(", ")));
    }
    void move(const QString& cislo, const QString& typ, const QString& cisldokl, const QString& datum, double q, double v) {
        db->exec(QString("insert into vse (CISLO, TYP, CISLDOKL, DATUM, CISLPOLOZ, JKPOV, TEXT, MNOZSTVI, NAKUPCENA, "
                         "CELKEM) values (%1, %2, %3, %4, \"10100101\", \"101001\", \"Mouka hladká\", %5, 12.5, %6)")
                     .arg(sql::q(cislo), sql::q(typ), sql::q(cisldokl), sql::q(datum), sql::num(q), sql::num(v)));
    }
};

QString title(const reporting::Document& d) { return d.lines("title").value(0); }

} // namespace

TEST_F(CardPrint, ByDaysSumsPerDayAndTypeAndPrintsIssuesWithAMinus) {
    // A second receipt on the 5th goes into the same line as the first.
    move("20240002", "P", "F-78", "2024-03-05", 2, 25);
    const auto doc = cards::buildCardByDays(session(), "10100101", kDay);
    ASSERT_TRUE(doc);
    EXPECT_EQ(title(*doc), "Skladová karta po dnech k datu: 20.3.2024 | JKPOV | 101001 | Název | Mouka hladká | MJ | kg | "
                           "Číslo karty | 10100101 | Druh | 01 | Jed.cena | 12,500 | Zůstatek | 6,000 | Alergeny | 1, 4 | "
                           "Typ | Datum | Množství | Celkem");
    EXPECT_EQ(doc->lines("detail"), QStringList({"Z | 01.03.2024 | ,000 | ,000", "P | 05.03.2024 | 12,000 | 150,000",
                                                 "V | 05.03.2024 | -4,000 | -50,000", "V | 07.03.2024 | -1,250 | -15,630"}));
    QStringList shades;
    for (const QString& l : doc->dump())
        if (l.contains("|detail|@background|")) shades << l.section('|', 3);
    EXPECT_EQ(shades, QStringList({"#eaeaea", "#ffffff", "#eaeaea", "#ffffff"}));
    EXPECT_EQ(doc->lines("pageFooter"), QStringList({"Strana 1"}));
}

TEST_F(CardPrint, DetailedListsEveryMovementWithItsDocuments) {
    const auto doc = cards::buildCardDetailed(session(), "10100101", kDay);
    ASSERT_TRUE(doc);
    EXPECT_TRUE(title(*doc).startsWith("Skladová karta ke dni: 20.3.2024 | JKPOV | 101001 | Název | Mouka hladká |"));
    EXPECT_TRUE(title(*doc).endsWith("Alergeny | 1, 4, 9 | Doklad | Typ | Doklad dodav. | Datum | Množství | Celkem"));
    EXPECT_EQ(doc->lines("detail"), QStringList({"00000000 | Z | 1.3.2024 | ,000 | ,000",
                                                 "20240001 | P | F-77 | 5.3.2024 | 10,000 | 125,000",
                                                 "21240001 | V | 5.3.2024 | -4,000 | -50,000",
                                                 "21240002 | V | 7.3.2024 | -1,250 | -15,630"}));
    EXPECT_EQ(doc->dump().filter("|summary|konec|").size(), 1);
}

TEST_F(CardPrint, AllergenListRules) {
    struct Case {
        QVector<int> allergens;
        QString detailed, byDays;
    };
    const Case cases[] = {
        {{0, 3, 7, 0, 0, 0, 0, 0}, "", ""},                 // the first column decides
        {{1, 4, 0, 9, 0, 0, 0, 0}, "1, 4, 9", "1, 4"},     // the per-day print reads three columns
        {{5, 0, 0, 0, 0, 0, 0, 14}, "5, 14", "5"},
        {{2, 0, 3, 0, 0, 0, 0, 0}, "2, 3", "2, 3"},
    };
    int n = 0;
    for (const Case& c : cases) {
        const QString jkpov = QString("90%1").arg(++n, 4, 10, QChar('0'));
        article(jkpov, "Zkouška", c.allergens);
        db->exec("insert into sklkarta (cislokarty, jkpov, nazev, jedn) values (" + sql::q(jkpov + "01") + ", " +
                 sql::q(jkpov) + ", \"Zkouška\", \"ks\")");
        const auto detailed = cards::buildCardDetailed(session(), jkpov + "01", kDay);
        const auto byDays = cards::buildCardByDays(session(), jkpov + "01", kDay);
        auto allergens = [](const reporting::Document& d) {
            return d.dump().filter("|title|alergeny|").value(0).section('|', 3);
        };
        EXPECT_EQ(allergens(*detailed), c.detailed) << n;
        EXPECT_EQ(allergens(*byDays), c.byDays) << n;
        // A card without movements still prints its heading.
        EXPECT_EQ(detailed->pageCount(), 1);
        EXPECT_TRUE(detailed->lines("detail").isEmpty());
    }
}

TEST_F(CardPrint, BrowserButtonsShowThePrintsOnceInstalled) {
    reporting::PreviewCapture capture;
    cards::printCardDetailed(session(), "10100101", kDay, nullptr);
    EXPECT_TRUE(capture.documents.empty());   // nothing installed yet
    cards::installCardPrints();
    cards::printCardDetailed(session(), "10100101", kDay, nullptr);
    cards::printCardByDays(session(), "10100101", kDay, nullptr);
    ASSERT_EQ(capture.documents.size(), 2u);
    EXPECT_EQ(capture.documents[0]->name, "Tskladtisk");
    EXPECT_EQ(capture.documents[1]->name, "Tskladtisk2");
    EXPECT_TRUE(prompter().texts().isEmpty());

    cards::printCardByDays(session(), "", kDay, nullptr);
    EXPECT_EQ(capture.documents.size(), 2u);
    EXPECT_EQ(prompter().texts(), QStringList({"Není vybraná žádná skladová karta!"}));
    cards::setCardPrints({}, {});
}
