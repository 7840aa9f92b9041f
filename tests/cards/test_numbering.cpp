#include "support/testdatabase.h"

#include "cards/articlenumbering.h"
#include "cards/cardnumbering.h"
#include "db/sqltext.h"

#include <QStringList>

using namespace testing_support;

namespace {

struct CardCase {
    const char* name;
    QStringList existing;   // cards of article 100001
    QString expected;
};
void PrintTo(const CardCase& c, std::ostream* os) { *os << c.name; }

class CardNumberingRule : public DbTest, public ::testing::WithParamInterface<CardCase> {};

TEST_P(CardNumberingRule, LowestFreeNumberOfTheArticle) {
    const auto& c = GetParam();
    for (const QString& k : c.existing)
        db->exec("insert into sklkarta (cislokarty, jkpov) values (" + sql::q(k) + ", \"100001\")");
    // Cards of neighbouring articles never take a number away.
    db->exec("insert into sklkarta (cislokarty, jkpov) values (\"10000201\", \"100002\"), (\"10000001\", \"100000\")");
    EXPECT_EQ(cards::CardNumbering::novecislokarty(session().conn(), "100001"), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cards, CardNumberingRule,
    ::testing::Values(CardCase{"first", {}, "10000101"},
                      CardCase{"gapReused", {"10000101", "10000102", "10000104"}, "10000103"},
                      CardCase{"afterLast", {"10000101", "10000102"}, "10000103"},
                      CardCase{"zeroIgnored", {"10000100", "10000101"}, "10000102"},
                      CardCase{"onlyZero", {"10000100"}, "10000101"},
                      CardCase{"firstFree", {"10000102", "10000103"}, "10000101"},
                      CardCase{"unordered", {"10000103", "10000101", "10000102"}, "10000104"},
                      // two workstations once gave both cards 01: 02 is taken all the same
                      CardCase{"duplicateNotReused", {"10000101", "10000101", "10000102"}, "10000103"},
                      CardCase{"lastOne", [] {
                                   QStringList l;
                                   for (int n = 1; n <= 98; ++n) l << QString("100001%1").arg(n, 2, 10, QChar('0'));
                                   return l;
                               }(),
                               "10000199"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(DbTest, HundredthCardIsRefused) {
    for (int n = 1; n <= 99; ++n)
        db->exec(QString("insert into sklkarta (cislokarty, jkpov) values (\"100001%1\", \"100001\")").arg(n, 2, 10, QChar('0')));
    try {
        cards::CardNumbering::novecislokarty(session().conn(), "100001");
        FAIL() << "a 100th card number was given";
    } catch (const cards::NumberingExhausted& e) {
        EXPECT_EQ(e.message(), "Zboží 100001 má už všech 99 skladových karet (10000101 až 10000199).\n"
                               "Novou kartu nelze založit, nejdříve zrušte nepoužívanou kartu tohoto zboží.");
        EXPECT_STREQ(e.what(), e.message().toStdString().c_str());
    }
}

struct ArticleCase {
    const char* name;
    QString group;
    QStringList existing;
    QString expected;
};
void PrintTo(const ArticleCase& c, std::ostream* os) { *os << c.name; }

class ArticleNumberingRule : public DbTest, public ::testing::WithParamInterface<ArticleCase> {};

TEST_P(ArticleNumberingRule, NextNumberOfTheGroup) {
    const auto& c = GetParam();
    for (const QString& j : c.existing) db->exec("insert into cenik (jkpov, nazev) values (" + sql::q(j) + ", \"x\")");
    // Articles of the next group up must not count.
    db->exec("insert into cenik (jkpov, nazev) values (\"101005\", \"jiné\"), (\"999999\", \"jiné\")");
    EXPECT_EQ(cards::ArticleNumbering::NOVECISLO(session().conn(), c.group), c.expected);
}

QStringList range(const QString& group, int from, int to, QList<int> skip = {}) {
    QStringList l;
    for (int k = from; k <= to; ++k)
        if (!skip.contains(k)) l << group + QString("%1").arg(k, 3, 10, QChar('0'));
    return l;
}

INSTANTIATE_TEST_SUITE_P(
    Articles, ArticleNumberingRule,
    ::testing::Values(ArticleCase{"firstOfGroup", "100", {}, "100001"},
                      ArticleCase{"groupZero", "000", {"000001", "000009"}, "000010"},
                      ArticleCase{"groupOne", "001", {"001001", "001005"}, "001006"},
                      ArticleCase{"maxPlusOne", "100", {"100001", "100041"}, "100042"},
                      // a gap below the highest is not reused while the group still has room
                      ArticleCase{"gapBelowMaxKept", "100", {"100001", "100003"}, "100004"},
                      ArticleCase{"after999FirstGap", "100", {"100001", "100002", "100004", "100999"}, "100003"},
                      ArticleCase{"after999FirstFree", "100", {"100999"}, "100001"},
                      ArticleCase{"after999OnlyOneLeft", "100", range("100", 1, 999, {998}), "100998"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(DbTest, FullGroupIsRefused) {
    QStringList values;
    for (const QString& j : range("100", 1, 999)) values << "(" + sql::q(j) + ", \"x\")";
    db->exec("insert into cenik (jkpov, nazev) values " + values.join(","));
    try {
        cards::ArticleNumbering::NOVECISLO(session().conn(), "100");
        FAIL() << "a number outside the group was given";
    } catch (const cards::NumberingExhausted& e) {
        EXPECT_EQ(e.message(), "Ve skupině 100 jsou obsazena všechna čísla zboží (100001 až 100999).\n"
                               "Nové zboží nelze založit, zvolte jiný druh.");
    }
}

} // namespace
