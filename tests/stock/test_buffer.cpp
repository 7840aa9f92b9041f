#include "stockfixture.h"

using namespace testing_support;
using namespace stock_test;

namespace {

class Buffer : public DbTest {
protected:
    void SetUp() override {
        DbTest::SetUp();
        addFlourAndSugar(*db);
        doc = std::make_unique<stock::ReceiptDocument>(session());
        doc->print = [this] { ++printed; };
        doc->FormShow();
    }
    int lines() { return count(*db, "select count(*) from " + session().dm.pracTabulka); }
    int stored() { return count(*db, "select count(*) from vse where typ = \"P\""); }
    std::unique_ptr<stock::ReceiptDocument> doc;
    int printed = 0;
};

} // namespace

TEST_F(Buffer, NewDocumentStartsWithOneBlankLineAndAClearedHeader) {
    fillHeader(*doc);
    doc->header().DATUM = QDate(2020, 1, 1);
    doc->NovejDoklad();
    const auto& h = doc->header();
    EXPECT_EQ(lines(), 1);
    EXPECT_TRUE(doc->isBlank(0));
    EXPECT_EQ(h.CISLDOKL, " ");
    EXPECT_EQ(h.DODAVATEL + h.ICO + h.ORGJD + h.PREVZAL + h.ROZUCTOVAL, "");
    EXPECT_EQ(h.DATUM, QDate::currentDate());
    EXPECT_EQ(h.PROVOZOVNA, "1") << "the establishment stays for the next document";
}

namespace {
struct LineCase : NamedCase {
    std::vector<const char*> cards; // "" = a blank line
    int linesAfter;
    bool added;
};
class NewLine : public Buffer, public ::testing::WithParamInterface<LineCase> {};
} // namespace

// A document never ends with two blank lines; an empty buffer gets exactly one.
TEST_P(NewLine, AddsABlankLineOnlyAfterAnArticle) {
    const auto& c = GetParam();
    db->exec("delete from " + session().dm.pracTabulka);
    for (const char* card : c.cards)
        db->exec(QString("insert into %1 (jkpov, cislpoloz, text) values (%2, %3, \"x\")")
                     .arg(session().dm.pracTabulka, sql::q(QString(card).left(6)), sql::q(card)));
    session().dm.table3.refresh();
    EXPECT_EQ(doc->newLine(), c.added);
    EXPECT_EQ(lines(), c.linesAfter);
    EXPECT_TRUE(doc->isBlank(session().dm.table3.rowCount() - 1));
    EXPECT_EQ(session().dm.table3.recNo(), session().dm.table3.rowCount() - 1)
        << "the cursor is on the last line";
}

INSTANTIATE_TEST_SUITE_P(Cases, NewLine,
                         ::testing::Values(LineCase{"empty_buffer", {}, 1, true},
                                           LineCase{"last_line_blank", {"10000101", ""}, 2, false},
                                           LineCase{"only_a_blank_line", {""}, 1, false},
                                           LineCase{"last_line_with_article", {"", "10000101"}, 3, true}),
                         CaseName());

TEST_F(Buffer, DeletingTheOnlyLineLeavesOneBlankLine) {
    receiveLine(session(), *doc, "10000101", 2);
    ASSERT_EQ(lines(), 1);
    prompter().answer("ANO");
    EXPECT_TRUE(doc->deleteLine());
    EXPECT_EQ(prompter().lastText(), "Opravdu smazat vybraný řádek?");
    EXPECT_EQ(prompter().records().back().message.buttons, QStringList({"ANO", "NE"}));
    EXPECT_EQ(lines(), 1);
    EXPECT_TRUE(doc->isBlank(0));
}

TEST_F(Buffer, DeletingRemovesTheCurrentLineOnlyAfterANO) {
    receiveLine(session(), *doc, "10000101", 2);
    receiveLine(session(), *doc, "10000201", 1);
    session().dm.table3.first();
    prompter().answer("NE");
    EXPECT_FALSE(doc->deleteLine());
    EXPECT_EQ(lines(), 2);
    prompter().answer("ANO");
    EXPECT_TRUE(doc->deleteLine());
    EXPECT_EQ(db->scalar("select group_concat(cislpoloz) from " + session().dm.pracTabulka), "10000201");
}

TEST_F(Buffer, RecalculationRoundsLineValuesToTwoPlacesAwayFromZero) {
    struct {
        double quantity, price, total;
    } const cases[] = {{2, 15.5, 31.00},  {3, 3.33, 9.99},    {1, 1.005, 1.01},
                       {3, 0.3333, 1.00}, {0.125, 0.2, 0.03}, {-2, 2.675, -5.35}};
    db->exec("delete from " + session().dm.pracTabulka);
    for (const auto& c : cases)
        db->exec(QString("insert into %1 (jkpov, mnozstvi, nakupcena, typ) values (\"100001\", %2, %3, \"\")")
                     .arg(session().dm.pracTabulka, sql::num(c.quantity), sql::num(c.price)));
    session().dm.table3.refresh();
    doc->recalculate();
    const auto rs = db->admin().query("select celkem, typ from " + session().dm.pracTabulka + " order by id");
    ASSERT_EQ(rs.rowCount(), int(std::size(cases)));
    for (int r = 0; r < rs.rowCount(); ++r) {
        EXPECT_DOUBLE_EQ(rs.number(r, "celkem"), cases[r].total)
            << cases[r].quantity << " x " << cases[r].price;
        EXPECT_EQ(rs.text(r, "typ"), "P");
    }
}

namespace {
struct GuardCase : NamedCase {
    const char* answer;
    bool goesOn;
    int storedLines;
};
class Guard : public Buffer, public ::testing::WithParamInterface<GuardCase> {};
} // namespace

// "Konec" with an article in the buffer: "ano" saves and closes, "ne" closes without writing,
// "storno" keeps the window and the document.
TEST_P(Guard, KonecAsksToSaveTheDocument) {
    const auto& c = GetParam();
    fillHeader(*doc);
    receiveLine(session(), *doc, "10000101", 2);
    prompter().answer(c.answer);
    EXPECT_EQ(doc->konec(), c.goesOn);
    const auto& asked = prompter().records().front().message;
    EXPECT_EQ(asked.text, "Uložit aktuelní doklad?");
    EXPECT_EQ(asked.caption, "Talírka");
    EXPECT_EQ(asked.buttons, QStringList({"ano", "ne", "storno"}));
    EXPECT_EQ(stored(), c.storedLines);
    EXPECT_DOUBLE_EQ(balance(*db, "10000101"), 5 + 2 * c.storedLines);
    // After "storno" the document is still there; otherwise a new one has started.
    EXPECT_EQ(doc->hasArticle(), !c.goesOn);
}

INSTANTIATE_TEST_SUITE_P(Answers, Guard,
                         ::testing::Values(GuardCase{"ano_saves", "ano", true, 1},
                                           GuardCase{"ne_drops", "ne", true, 0},
                                           GuardCase{"storno_stays", "storno", false, 0}),
                         CaseName());

TEST_F(Buffer, ABufferWithoutArticleIsLeftWithoutAQuestion) {
    doc->newLine();
    EXPECT_TRUE(doc->konec());
    EXPECT_TRUE(prompter().records().empty());
}

TEST_F(Buffer, NewDocumentAfterADocumentOfAnotherYearIsNumberedForToday) {
    db->exec("insert into vse (cislo, typ, datum) values (\"20190007\", \"P\", \"2019-05-05\")");
    doc->header().DATUM = QDate(2019, 5, 6);
    doc->DateEdit1Exit();
    ASSERT_EQ(doc->header().CISLO, "20190008");
    EXPECT_TRUE(doc->novyDoklad());
    EXPECT_EQ(doc->header().DATUM, QDate::currentDate());
    EXPECT_EQ(doc->header().CISLO, "20" + QDate::currentDate().toString("yy") + "0001");
}
