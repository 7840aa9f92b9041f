#include "stockfixture.h"

#include "stock/documentbuffer.h"

using namespace testing_support;
using namespace stock_test;

namespace {

struct StoredDoc {
    std::string cislo, typ, datum;
};

struct NumberingCase : NamedCase {
    std::vector<StoredDoc> stored;
    bool receipt;
    QDate date;
    const char* expected;
};

class Numbering : public ::testing::TestWithParam<NumberingCase> {};

std::vector<StoredDoc> receiptsUpTo41() {
    std::vector<StoredDoc> v;
    for (int n = 1; n <= 41; ++n)
        v.push_back({QString("2024%1").arg(n, 4, 10, QChar('0')).toStdString(), "P", "2024-02-01"});
    v.push_back({"20230017", "P", "2023-11-30"});
    return v;
}

} // namespace

TEST_P(Numbering, NextNumberOfTheTypeAndYear) {
    const auto& c = GetParam();
    TestDatabase db;
    for (const auto& d : c.stored)
        db.exec(QString("insert into vse (cislo, typ, datum, jkpov) values (%1, %2, %3, \"100001\")")
                    .arg(sql::q(QString::fromStdString(d.cislo)), sql::q(QString::fromStdString(d.typ)),
                         sql::q(QString::fromStdString(d.datum) + " 00:00:00")));
    const auto kind = c.receipt ? stock::DocumentKind::receipt() : stock::DocumentKind::issue();
    EXPECT_EQ(stock::NOVECISLO(db.admin(), kind, c.date), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Numbering,
    ::testing::Values(
        NumberingCase{"first_receipt_of_2024", {}, true, QDate(2024, 3, 1), "20240001"},
        NumberingCase{"first_issue_of_2024", {}, false, QDate(2024, 3, 1), "21240001"},
        NumberingCase{"after_41_receipts", receiptsUpTo41(), true, QDate(2024, 5, 2), "20240042"},
        NumberingCase{"date_moved_into_2023", receiptsUpTo41(), true, QDate(2023, 12, 31), "20230018"},
        NumberingCase{"issues_do_not_count_for_receipts",
                      {{"21240005", "V", "2024-01-10"}},
                      true,
                      QDate(2024, 1, 11),
                      "20240001"},
        // Numbered in 2023 and dated 2024 afterwards: it counts for 2023 by its digits...
        NumberingCase{
            "year_by_number_digits", {{"20230017", "P", "2024-01-05"}}, true, QDate(2023, 12, 1), "20230018"},
        // ... and for 2024 by its date.
        NumberingCase{
            "year_by_date", {{"20230017", "P", "2024-01-05"}}, true, QDate(2024, 2, 1), "20230018"}),
    CaseName());

TEST(NumberingStatement, KeepsTheTextOfBothKinds) {
    EXPECT_EQ(
        stock::numberingStatement(stock::DocumentKind::receipt(), QDate(2024, 6, 1)),
        "select max(CISLO) as posl from vse \nwhere (TYP = \"P\") and ((extract(year from datum)= 2024) or "
        "(substring(cislo, 3, 2) = \"24\"))");
    EXPECT_EQ(
        stock::numberingStatement(stock::DocumentKind::issue(), QDate(2024, 6, 1)),
        "select max(CISLO) as posl from vse \nwhere TYP = \"V\" and ((extract(year from datum) = 2024) or "
        "(substring(cislo, 3, 2) = \"24\"))");
}

class Renumbering : public DbTest {};

// Leaving the date field gives a new document a number of the new year; a reopened one keeps its own.
TEST_F(Renumbering, LeavingTheDateRenumbersOnlyANewDocument) {
    for (int n = 1; n <= 41; ++n)
        db->exec(QString("insert into vse (cislo, typ, datum) values (\"2024%1\", \"P\", \"2024-03-01\")")
                     .arg(n, 4, 10, QChar('0')));
    db->exec("insert into vse (cislo, typ, datum) values (\"20230005\", \"P\", \"2023-04-01\")");
    stock::ReceiptDocument doc(session());
    doc.header().DATUM = QDate(2024, 4, 1);
    doc.NOVECISLO();
    EXPECT_EQ(doc.header().CISLO, "20240042");

    doc.header().DATUM = QDate(2023, 9, 1);
    doc.DateEdit1Exit();
    EXPECT_EQ(doc.header().CISLO, "20230006");

    doc.setReopened(true);
    doc.header().DATUM = QDate(2024, 9, 1);
    doc.DateEdit1Exit();
    EXPECT_EQ(doc.header().CISLO, "20230006");
}
