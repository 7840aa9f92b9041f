#include "stockfixture.h"

#include "cards/cardnumbering.h"

using namespace testing_support;
using namespace stock_test;

namespace {

QString number(int n) {
    return receiptNumber(n);
}

class ReceiptSave : public DbTest {
protected:
    void SetUp() override {
        DbTest::SetUp();
        addFlourAndSugar(*db);
        doc = std::make_unique<stock::ReceiptDocument>(session());
        doc->print = [this] {
            // What the print sees: the buffer as the preview shows it.
            printedTotals << db->scalar("select group_concat(celkem order by id) from " +
                                        session().dm.pracTabulka);
        };
        doc->FormShow();
        fillHeader(*doc);
    }
    int stored(const QString& where = "typ = \"P\"") {
        return count(*db, "select count(*) from vse where " + where);
    }
    QString vse(const QString& column, const QString& where = "typ = \"P\"") {
        return db->scalar("select group_concat(" + column + " order by id) from vse where " + where);
    }
    std::unique_ptr<stock::ReceiptDocument> doc;
    QStringList printedTotals;
};

} // namespace

TEST_F(ReceiptSave, TwoUnitsAtFifteenFiftyAreStoredAndRaiseTheBalance) {
    ASSERT_EQ(doc->header().CISLO, number(1));
    receiveLine(session(), *doc, "10000101", 2);
    ASSERT_TRUE(doc->save());

    EXPECT_EQ(stored(), 1);
    EXPECT_EQ(vse("cislo"), number(1));
    EXPECT_EQ(vse("celkem"), "31.00");
    EXPECT_EQ(vse("nakupcena"), "15.5000");
    EXPECT_EQ(vse("concat_ws('|', cislpoloz, jkpov, text, mj, dodavatel, ico, orgjd, cisldokl, provozovna, "
                  "prevzal, "
                  "rozuctoval, oznac)"),
              "10000101|100001|Mouka hladká|kg|Pekárna Novák|12345678|Brno|FA-77|1|Dvořáková|Malá|");
    EXPECT_EQ(vse("date(datum)"), QDate::currentDate().toString("yyyy-MM-dd"));
    EXPECT_DOUBLE_EQ(balance(*db, "10000101"), 7);
    EXPECT_EQ(printedTotals, QStringList({"31.00"}));
    // The copy into vse is the one statement of six lines; the canteen marker stays out of it.
    EXPECT_TRUE(session().conn().trace().last().contains(
        "insert into vse \n"
        "(CISLO,TYP,ICO,DODAVATEL, ORGJD, CISLDOKL,PROVOZOVNA,DATUM,CISLPOLOZ,\n"
        "jkpov, text, mnozstvi, nakupcena, celkem, prevzal, rozuctoval, popis, mj)\n"
        "select CISLO,TYP,ICO,DODAVATEL, ORGJD, CISLDOKL,PROVOZOVNA,DATUM,CISLPOLOZ,\n"
        "jkpov, text, mnozstvi, nakupcena, celkem, prevzal, rozuctoval, popis, mj\n"
        "from " +
        session().dm.pracTabulka));

    const auto& msg = prompter().records().back().message;
    EXPECT_EQ(msg.caption, "Uložení dokladu");
    EXPECT_EQ(msg.text, "Doklad byl uložen");
    // The next document is ready.
    EXPECT_EQ(doc->header().CISLO, number(2));
    EXPECT_FALSE(doc->hasArticle());
    EXPECT_EQ(doc->lineCount(), 1);
}

TEST_F(ReceiptSave, ReopenedAndChangedFromTwoToThreeKeepsOneLineAndTheBalanceMovesByTheDifference) {
    receiveLine(session(), *doc, "10000101", 2);
    ASSERT_TRUE(doc->save());
    ASSERT_DOUBLE_EQ(balance(*db, "10000101"), 7);

    QString listed;
    ASSERT_TRUE(doc->oprava([&](const QString& statement) {
        listed = statement;
        return std::optional<QString>(number(1));
    }));
    EXPECT_EQ(listed, "select distinct CISLO ,datum,TYP from vse where TYP=\"P\" order by CISLO");
    EXPECT_TRUE(doc->reopened());
    EXPECT_EQ(doc->header().CISLO, number(1));
    EXPECT_EQ(doc->header().DODAVATEL, "Pekárna Novák");
    EXPECT_EQ(doc->header().CISLDOKL, "FA-77");
    ASSERT_EQ(doc->lineCount(), 1);

    typeInto(session(), *doc, 0, "MNOZSTVI", 3);
    // Renumbering does not touch a reopened document.
    doc->DateEdit1Exit();
    ASSERT_TRUE(doc->save());

    EXPECT_EQ(stored(), 1);
    EXPECT_EQ(vse("concat_ws('|', cislo, mnozstvi, celkem)"), number(1) + "|3.0000|46.50");
    EXPECT_DOUBLE_EQ(balance(*db, "10000101"), 8);
    EXPECT_EQ(prompter().lastText(), "Doklad byl uložen");
    EXPECT_FALSE(doc->reopened());
}

// Two lines of one card: both quantities reach the card, and taking the stored version back
// takes both.
TEST_F(ReceiptSave, LinesOfOneCardAddUp) {
    receiveLine(session(), *doc, "10000101", 2);
    receiveLine(session(), *doc, "10000201", 1.25);
    receiveLine(session(), *doc, "10000101", 0.3333);
    ASSERT_TRUE(doc->save());
    EXPECT_DOUBLE_EQ(balance(*db, "10000101"), 7.3333);
    EXPECT_DOUBLE_EQ(balance(*db, "10000201"), 11.25);

    doc->oprava([&](const QString&) { return std::optional<QString>(number(1)); });
    ASSERT_EQ(doc->lineCount(), 3);
    session().dm.table3.first();
    prompter().answer("ANO");
    ASSERT_TRUE(doc->deleteLine());
    ASSERT_TRUE(doc->save());
    EXPECT_EQ(vse("concat_ws('|', cislpoloz, mnozstvi)"), "10000201|1.2500,10000101|0.3333");
    EXPECT_DOUBLE_EQ(balance(*db, "10000101"), 5.3333);
    EXPECT_DOUBLE_EQ(balance(*db, "10000201"), 11.25);
}

TEST_F(ReceiptSave, ReopeningListsReceiptsOfBothCanteens) {
    db->exec(
        "insert into vse (cislo, typ, datum, oznac) values (\"20240003\", \"P\", \"2024-01-02\", \"B\"), "
        "(\"20240004\", \"P\", \"2024-01-03\", \"\"), (\"21240001\", \"V\", \"2024-01-03\", \"A\")");
    std::optional<QString> listedLast;
    doc->oprava([&](const QString& statement) {
        const auto rs = db->admin().query(statement);
        QStringList all;
        for (int r = 0; r < rs.rowCount(); ++r)
            all << rs.text(r, "CISLO");
        EXPECT_EQ(all, QStringList({"20240003", "20240004"}));
        return std::optional<QString>();
    });
    EXPECT_FALSE(doc->reopened());
}

namespace {
struct TotalCase : NamedCase {
    std::vector<std::pair<const char*, std::pair<double, double>>> extraCards; // card, (price, balance)
    const char* expectedCard;
    int cardsAfter;
    double balanceAfter;
    bool newCard;
};
class TotalPrice : public ReceiptSave, public ::testing::WithParamInterface<TotalCase> {};
} // namespace

// Three units for 10.00 in total: the price is 3.33, the total stays as typed; the card at 3.33 is
// opened when there is none, otherwise the one with the largest balance takes the line.
TEST_P(TotalPrice, ThreeUnitsForTenCrowns) {
    const auto& c = GetParam();
    for (const auto& [card, v] : c.extraCards)
        addCard(*db, card, v.first, v.second);
    doc->vpc = true;
    takeOver(session(), *doc, "10000101");
    EXPECT_TRUE(doc->CELKEMeditable);
    EXPECT_EQ(session().dm.table3.number("NAKUPCENA"), 0) << "the price comes from the total";
    typeInto(session(), *doc, 0, "MNOZSTVI", 3);
    typeInto(session(), *doc, 0, "CELKEM", 10);
    EXPECT_DOUBLE_EQ(session().dm.table3.number("NAKUPCENA"), 3.33);
    EXPECT_EQ(session().dm.table3.text("CISLPOLOZ"), c.newCard ? "10000101" : c.expectedCard);

    ASSERT_TRUE(doc->save());
    EXPECT_EQ(vse("concat_ws('|', cislpoloz, mnozstvi, nakupcena, celkem)"),
              QString(c.expectedCard) + "|3.0000|3.3300|10.00");
    EXPECT_EQ(count(*db, "select count(*) from sklkarta where jkpov = \"100001\""), c.cardsAfter);
    EXPECT_DOUBLE_EQ(balance(*db, c.expectedCard), c.balanceAfter);
    EXPECT_DOUBLE_EQ(balance(*db, "10000101"), 5) << "the card picked in the browser keeps its balance";
    EXPECT_EQ(printedTotals, QStringList({"9.99"})) << "the print shows the recalculated value";
    const QString opening = "typ = \"Z\" and cislpoloz = \"" + QString(c.expectedCard) + "\"";
    if (c.newCard) {
        EXPECT_EQ(
            db->scalar("select concat_ws('|', cislokarty, nazev, jedn, druh, stredisko, mcena, mnoz) from "
                       "sklkarta where cislokarty = \"" +
                       QString(c.expectedCard) + "\""),
            QString(c.expectedCard) + "|Mouka hladká|kg|01|1|3.3300|3.0000");
        EXPECT_EQ(
            vse("concat_ws('|', cislo, date(datum), jkpov, text, mnozstvi, nakupcena, celkem, dodavatel, mj)",
                opening),
            "|" + QDate::currentDate().toString("yyyy-MM-dd") + "|100001|Mouka hladká|0.0000|0.0000|0.00||");
    } else {
        EXPECT_EQ(stored(opening), 0);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TotalPrice,
    ::testing::Values(TotalCase{"new_card_at_the_new_price", {}, "10000102", 2, 3, true},
                      TotalCase{
                          "next_free_number_fills_the_gap", {{"10000103", {7.1, 1}}}, "10000102", 3, 3, true},
                      TotalCase{"existing_card_with_the_largest_balance",
                                {{"10000102", {3.33, 1}}, {"10000103", {3.33, 7}}},
                                "10000103",
                                3,
                                10,
                                false}),
    CaseName());

TEST_F(ReceiptSave, TotalPriceModeWithNoFreeCardNumberSavesNothing) {
    for (int n = 2; n <= 99; ++n)
        addCard(*db, QString("100001%1").arg(n, 2, 10, QChar('0')), 1, 0);
    ASSERT_EQ(count(*db, "select count(*) from sklkarta where jkpov = \"100001\""), 99);
    doc->vpc = true;
    takeOver(session(), *doc, "10000101");
    typeInto(session(), *doc, 0, "MNOZSTVI", 3);
    typeInto(session(), *doc, 0, "CELKEM", 10);
    EXPECT_FALSE(doc->save());
    EXPECT_EQ(prompter().lastText(), cards::CardNumbering::exhaustedMessage("100001"));
    EXPECT_EQ(stored("1"), 0);
    EXPECT_EQ(count(*db, "select count(*) from sklkarta"), 100);
    EXPECT_TRUE(doc->hasArticle()) << "the document stays for correction";
    EXPECT_EQ(doc->header().CISLO, number(1));
}

namespace {
struct BadInputCase : NamedCase {
    const char* card; // "" = the line keeps no article
    double quantity;
    bool vpc;
    double total;
    const char* message;
    bool headerInBuffer;
};
class BadInput : public ReceiptSave, public ::testing::WithParamInterface<BadInputCase> {};
} // namespace

TEST_P(BadInput, IsRefusedAndNothingIsWritten) {
    const auto& c = GetParam();
    addCard(*db, "10000102", 0, 0);
    doc->vpc = c.vpc;
    if (QString(c.card).isEmpty()) {
        receiveLine(session(), *doc, "10000201", 1);
        doc->newLine();
    } else {
        receiveLine(session(), *doc, c.card, c.quantity);
        if (c.vpc) typeInto(session(), *doc, 0, "CELKEM", c.total);
    }
    EXPECT_FALSE(doc->save());
    const auto& msg = prompter().records().back().message;
    EXPECT_EQ(msg.caption, "Špatné vyplnění");
    EXPECT_EQ(msg.text, c.message);
    EXPECT_EQ(stored("1"), 0);
    EXPECT_DOUBLE_EQ(balance(*db, "10000101") + balance(*db, "10000201"), 15);
    EXPECT_EQ(count(*db, "select count(*) from " + session().dm.pracTabulka + " where cislo = \"" +
                             number(1) + "\""),
              c.headerInBuffer ? doc->lineCount() : 0);
}

INSTANTIATE_TEST_SUITE_P(Cases, BadInput,
                         ::testing::Values(BadInputCase{"blank_last_line", "", 0, false, 0,
                                                        "Nelze uložit, špatné vyplnění hodnot", false},
                                           BadInputCase{"zero_quantity", "10000101", 0, false, 0,
                                                        "Nelze uložit, nulové hodnoty!", true},
                                           BadInputCase{"zero_price", "10000102", 4, false, 0,
                                                        "Nelze uložit, nulové hodnoty!", true},
                                           BadInputCase{"zero_total_in_total_mode", "10000101", 2, true, 0,
                                                        "Nelze uložit, nulové hodnoty!", true}),
                         CaseName());

TEST_F(ReceiptSave, ALineWithoutCardIsRefused) {
    receiveLine(session(), *doc, "10000101", 2);
    session().dm.table3.store(0, "CISLPOLOZ", QString());
    EXPECT_FALSE(doc->save());
    EXPECT_EQ(prompter().lastText(), "Nelze uložit, špatné vyplnění hodnot");
    EXPECT_EQ(stored("1"), 0);
}

// Quotes, backslashes and overlong texts go in as typed, cut to their columns.
TEST_F(ReceiptSave, HeaderTextsAreStoredAsTypedUpToTheirColumns) {
    auto& h = doc->header();
    h.DODAVATEL = "Pekárna \"U Nováků\" \\ s.r.o.";
    h.ORGJD = QString("Brno'; drop table vse; -- ") + QString(10000, QChar('x'));
    h.CISLDOKL = "\\\"";
    h.PREVZAL = QString(10000, QChar(u'ř'));
    h.ICO = "1\"2'3\\4";
    receiveLine(session(), *doc, "10000101", 2);
    ASSERT_TRUE(doc->save());
    const auto rs = db->admin().query("select * from vse where typ = \"P\"");
    ASSERT_EQ(rs.rowCount(), 1);
    EXPECT_EQ(rs.text(0, "DODAVATEL"), "Pekárna \"U Nováků\" \\ s.r.o.");
    EXPECT_EQ(rs.text(0, "ORGJD"),
              (QString("Brno'; drop table vse; -- ") + QString(10000, QChar('x'))).left(50));
    EXPECT_EQ(rs.text(0, "CISLDOKL"), "\\\"");
    EXPECT_EQ(rs.text(0, "PREVZAL"), QString(20, QChar(u'ř')));
    EXPECT_EQ(rs.text(0, "ICO"), "1\"2'3\\4");
}

// A statement that fails half way takes nothing with it: the stored version, the balances and the
// buffer stay as they were, and the error goes on to the handler of unexpected errors.
TEST_F(ReceiptSave, AFailingSaveRollsBackEverything) {
    receiveLine(session(), *doc, "10000101", 2);
    ASSERT_TRUE(doc->save());
    doc->oprava([&](const QString&) { return std::optional<QString>(number(1)); });
    typeInto(session(), *doc, 0, "MNOZSTVI", 3);
    db->exec("create trigger vse_refuse before insert on vse for each row "
             "signal sqlstate '45000' set message_text = 'insert refused'");
    EXPECT_THROW(doc->save(), db::Error);
    EXPECT_EQ(vse("concat_ws('|', cislo, mnozstvi)"), number(1) + "|2.0000");
    EXPECT_DOUBLE_EQ(balance(*db, "10000101"), 7);
    EXPECT_TRUE(doc->reopened());
    ASSERT_EQ(doc->lineCount(), 1);
    EXPECT_DOUBLE_EQ(session().dm.table3.number("MNOZSTVI"), 3);
}

TEST_F(ReceiptSave, AFailingSaveInTotalModeOpensNoCard) {
    db->exec(
        "create trigger vse_refuse before insert on vse for each row begin "
        "if new.typ = 'P' then signal sqlstate '45000' set message_text = 'insert refused'; end if; end");
    doc->vpc = true;
    takeOver(session(), *doc, "10000101");
    typeInto(session(), *doc, 0, "MNOZSTVI", 3);
    typeInto(session(), *doc, 0, "CELKEM", 10);
    EXPECT_THROW(doc->save(), db::Error);
    EXPECT_EQ(count(*db, "select count(*) from sklkarta"), 2);
    EXPECT_EQ(stored("1"), 0);
    EXPECT_EQ(session().dm.table3.text("CISLPOLOZ"), "10000101");
    EXPECT_EQ(doc->header().CISLO, number(1));
}

// Two workstations start a receipt of the same year and get the same number; the second to save
// must not merge its lines into the first one's document.
TEST(ReceiptWorkstations, TheSecondToSaveTakesTheNextFreeNumber) {
    TestDatabase db;
    addFlourAndSugar(db);
    StartedSession a(db, "KUCHYN-1"), b(db, "SKLAD 2");
    ASSERT_NE(a.s().dm.pracTabulka, b.s().dm.pracTabulka);
    stock::ReceiptDocument docA(a.s()), docB(b.s());
    docA.FormShow();
    docB.FormShow();
    ASSERT_EQ(docA.header().CISLO, number(1));
    ASSERT_EQ(docB.header().CISLO, number(1));
    fillHeader(docA, "Pekárna Novák");
    fillHeader(docB, "Mlýn Brno");
    receiveLine(a.s(), docA, "10000101", 2);
    receiveLine(b.s(), docB, "10000201", 4);

    ASSERT_TRUE(docA.save());
    EXPECT_EQ(a.prompter.lastText(), "Doklad byl uložen");
    ASSERT_TRUE(docB.save());
    EXPECT_EQ(b.prompter.lastText(), "Doklad byl uložen pod číslem " + number(2) + ". Číslo " + number(1) +
                                         " mezitím dostal doklad uložený na jiné stanici.");

    EXPECT_EQ(
        db.scalar("select group_concat(concat_ws('|', cislo, dodavatel, cislpoloz, mnozstvi) order by cislo) "
                  "from vse where typ = \"P\""),
        number(1) + "|Pekárna Novák|10000101|2.0000," + number(2) + "|Mlýn Brno|10000201|4.0000");
    EXPECT_DOUBLE_EQ(balance(db, "10000101"), 7);
    EXPECT_DOUBLE_EQ(balance(db, "10000201"), 14);
    EXPECT_EQ(docA.header().CISLO, number(2)) << "shown until it saves again";
    EXPECT_EQ(docB.header().CISLO, number(3));
}

// While another workstation saves, a save waits for it; when it cannot get its turn it says so
// and writes nothing.
TEST(ReceiptWorkstations, ASaveThatCannotGetTheLockWritesNothing) {
    TestDatabase db;
    addArticle(db, "100001", "Mouka hladká");
    addCard(db, "10000101", 15.5, 5);
    StartedSession a(db, "KUCHYN-1");
    stock::ReceiptDocument doc(a.s());
    doc.FormShow();
    fillHeader(doc);
    receiveLine(a.s(), doc, "10000101", 2);
    ASSERT_EQ(db.scalar("select get_lock(concat(database(), '.doklad'), 0)"), "1");
    const int saved = stock::DocumentSaveLock::defaultTimeout;
    stock::DocumentSaveLock::defaultTimeout = 1;
    EXPECT_FALSE(doc.save());
    stock::DocumentSaveLock::defaultTimeout = saved;
    EXPECT_EQ(a.prompter.lastText(),
              "Doklad nelze uložit, jiná stanice právě ukládá doklad. Uložte jej prosím znovu.");
    EXPECT_EQ(db.scalar("select count(*) from vse"), "0");
    EXPECT_DOUBLE_EQ(balance(db, "10000101"), 5);
    db.exec("do release_lock(concat(database(), '.doklad'))");
    EXPECT_TRUE(doc.save());
    EXPECT_DOUBLE_EQ(balance(db, "10000101"), 7);
}

namespace {
struct WarningCase : NamedCase {
    int cards;
    const char* answer; // "" = no question
    bool cleanupRun;
};
class CardCountWarning : public DbTest, public ::testing::WithParamInterface<WarningCase> {};
} // namespace

TEST_P(CardCountWarning, NearTheNinetyNineCardsOfAnArticle) {
    const auto& c = GetParam();
    addCard(*db, "20000101", 1, 1, "Cukr moučka");
    for (int n = 1; n <= c.cards; ++n)
        addCard(*db, QString("100001%1").arg(n, 2, 10, QChar('0')), n, 0, "Mouka hladká");
    int cleanups = 0;
    stock::ReceiptDocument::cleanupOldEmptyCards = [&](app::Session&) { ++cleanups; };
    stock::ReceiptDocument doc(session());
    if (*c.answer) prompter().answer(c.answer);
    doc.FormShow();
    stock::ReceiptDocument::cleanupOldEmptyCards = {};
    if (*c.answer) {
        const auto& m = prompter().records().front().message;
        EXPECT_EQ(m.caption, "Talírka");
        EXPECT_EQ(m.text,
                  "POZOR - počet karet: Mouka hladká se blíží maximu. Doporučujeme provést Servis - Rušení "
                  "prázdných skladových karet!");
        EXPECT_EQ(m.buttons, QStringList({"pokračovat", "spustit rušení"}));
    } else {
        EXPECT_TRUE(prompter().records().empty());
    }
    EXPECT_EQ(cleanups, c.cleanupRun ? 1 : 0);
    EXPECT_EQ(doc.header().CISLO, number(1)) << "the receipt opens in any case";
}

INSTANTIATE_TEST_SUITE_P(Cases, CardCountWarning,
                         ::testing::Values(WarningCase{"ninety_cards_no_warning", 90, "", false},
                                           WarningCase{"ninety_one_continue", 91, "pokračovat", false},
                                           WarningCase{"ninety_one_clean_up", 91, "spustit rušení", true}),
                         CaseName());

TEST_F(ReceiptSave, PickingNeedsANumericEstablishment) {
    struct {
        const char* text;
        bool allowed;
        const char* after;
    } const cases[] = {{"", false, ""}, {"abc", false, ""}, {"12x", false, ""}, {"7", true, "7"}};
    for (const auto& c : cases) {
        prompter().clear();
        doc->header().PROVOZOVNA = c.text;
        EXPECT_EQ(doc->mayPick(), c.allowed) << c.text;
        EXPECT_EQ(doc->header().PROVOZOVNA, c.after) << c.text;
        if (!c.allowed) {
            ASSERT_EQ(prompter().records().size(), 1u);
            EXPECT_EQ(prompter().lastText(), "Není vyplněno číslo provozovny!");
            EXPECT_EQ(prompter().records().back().message.icon, ui::Icon::Stop);
        } else {
            EXPECT_TRUE(prompter().records().empty());
        }
    }
}
