#include "core/numformat.h"
#include "core/rounding.h"

#include <cmath>
#include <gtest/gtest.h>

namespace {

struct RoundCase {
    double value;
    int places;
    double expected;
};

// Values as the database hands them over (up to six places), whose binary form lies just below
// or above the decimal.
const RoundCase roundCases[] = {
    {1.005, 2, 1.01},        {2.675, 2, 2.68},      {1.015, 2, 1.02},     {0.125, 2, 0.13},
    {-1.005, 2, -1.01},      {-2.675, 2, -2.68},    {2.5, 0, 3},          {-2.5, 0, -3},
    {0.5, 0, 1},             {1.0049, 2, 1.0},      {0.994999, 2, 0.99},  {99.995, 2, 100.0},
    {9.99995, 4, 10.0},      {1.00005, 4, 1.0001},  {-1.00005, 4, -1.0001}, {12.34565, 4, 12.3457},
    {12.345649, 4, 12.3456}, {1234567.895, 2, 1234567.9}, {0.0, 2, 0.0}, {7.0, 4, 7.0},
    {0.000049, 4, 0.0},      {-0.00005, 4, -0.0001},
};

TEST(Rounding, HalvesGoAwayFromZeroOnTheDecimalValue) {
    for (const auto& c : roundCases) {
        SCOPED_TRACE(testing::Message() << c.value << " to " << c.places);
        EXPECT_DOUBLE_EQ(core::roundTo(c.value, c.places), c.expected);
    }
    EXPECT_DOUBLE_EQ(core::round2(1.005), 1.01);
    EXPECT_DOUBLE_EQ(core::round4(2.00015), 2.0002);
}

TEST(Rounding, LineValueIsQuantityTimesPriceToTwoPlaces) {
    // 3 × 0.335 and 0.5 × 20.01 both end in a half cent.
    EXPECT_DOUBLE_EQ(core::lineValue(3, 0.335), 1.01);
    EXPECT_DOUBLE_EQ(core::lineValue(0.5, 20.01), 10.01);
    EXPECT_DOUBLE_EQ(core::lineValue(-0.5, 20.01), -10.01);
    EXPECT_DOUBLE_EQ(core::lineValue(1.25, 18.9), 23.63);
    EXPECT_DOUBLE_EQ(core::lineValue(0, 18.9), 0);
}

struct FormatCase {
    double value;
    const char* pattern;
    const char* expected;
};

const FormatCase formatCases[] = {
    {1234.5, "# ##0.00", "1 234,50"},
    {0, "# ##0.00", "0,00"},
    {100, "# ##0.00", "100,00"},
    {1000, "# ##0.00", "1 000,00"},
    {1234567.891, "# ##0.00", "1 234 567,89"},
    {999.999, "# ##0.00", "1 000,00"},
    {-1234.567, "# ##0.00", "-1 234,57"},
    {1.005, "# ##0.00", "1,01"},
    {2.675, "# ##0.00", "2,68"},
    {-0.004, "# ##0.00", "0,00"},       // no "-0,00" for what rounds to zero
    {12.5, "## ##0.0000", "12,5000"},
    {12345.67891, "## ##0.0000", "12 345,6789"},
    {-0.00005, "## ##0.0000", "-0,0001"},
    {0, "## ##0.0000", "0,0000"},
    {0, "### ###.000", ",000"},
    {0.5, "### ###.000", ",500"},
    {-0.25, "### ###.000", "-,250"},
    {7, "### ###.000", "7,000"},
    {1234.5, "### ###.000", "1 234,500"},
    {1234567, "### ###.000", "1 234 567,000"},
    {1234.5, "### ##0.00", "1 234,50"},
    {0.004, "### ##0.00", "0,00"},
    {-98765.4321, "### ##0.00", "-98 765,43"},
    {12.5, "0.####", "12,5"},
    {12, "0.####", "12"},
};

TEST(NumberFormat, PatternsOfTheProgram) {
    for (const auto& c : formatCases) {
        SCOPED_TRACE(testing::Message() << c.value << " as " << c.pattern);
        EXPECT_EQ(core::formatNumber(c.value, c.pattern), QString::fromUtf8(c.expected));
    }
    EXPECT_EQ(core::formatMoney(1234.565), "1 234,57");
    EXPECT_EQ(core::formatMoney(1.0 / 0.0), "INF");
    EXPECT_EQ(core::formatMoney(-1.0 / 0.0), "-INF");
    EXPECT_EQ(core::formatQuantity(std::nan("")), "NAN");
    EXPECT_EQ(core::formatQuantity(0.12345), "0,1235");
}

struct ParseCase {
    const char* text;
    std::optional<double> expected;
};

const ParseCase parseCases[] = {
    {"12,5", 12.5},
    {"12.5", 12.5},
    {"1 234,5", 1234.5},
    {"1 234 567,891", 1234567.891},
    {"1\u00a0234,5", 1234.5},       // grouped with a no-break space
    {"1\u202f234,5", 1234.5},       // and with the narrow one
    {" -3,25 ", -3.25},
    {"0", 0.0},
    {"abc", std::nullopt},
    {"", std::nullopt},
    {"   ", std::nullopt},
    {"12,5 kg", std::nullopt},
    {"1,2,3", std::nullopt},
    {"nan", std::nullopt},
    {"inf", std::nullopt},
};

TEST(NumberFormat, ParsesWhatTheUserTypes) {
    for (const auto& c : parseCases) {
        SCOPED_TRACE(c.text);
        const auto v = core::parseNumber(QString::fromUtf8(c.text));
        ASSERT_EQ(v.has_value(), c.expected.has_value());
        if (v) EXPECT_DOUBLE_EQ(*v, *c.expected);
    }
}

TEST(NumberFormat, ShownValueReadsBackAsTheRoundedValue) {
    for (const double v : {0.0, 1.005, -1234.5678, 98765432.1, 0.0001}) {
        SCOPED_TRACE(v);
        const auto money = core::parseNumber(core::formatMoney(v));
        ASSERT_TRUE(money);
        EXPECT_DOUBLE_EQ(*money, core::round2(v));
        const auto quantity = core::parseNumber(core::formatQuantity(v));
        ASSERT_TRUE(quantity);
        EXPECT_DOUBLE_EQ(*quantity, core::round4(v));
    }
}

} // namespace
