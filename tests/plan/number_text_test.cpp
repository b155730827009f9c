#include "plan/number_text.h"

#include <gtest/gtest.h>

#include <clocale>
#include <limits>
#include <string>
#include <utility>

namespace quorvel {
namespace {

struct ParseRow {
    const char* name;
    const char* text;
    std::optional<double> value;
};

class ParsePlanNumberTest : public testing::TestWithParam<ParseRow> {};

TEST_P(ParsePlanNumberTest, AcceptsPlainDecimalsOnly) {
    EXPECT_EQ(ParsePlanNumber(GetParam().text), GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ParsePlanNumberTest,
    testing::Values(
        ParseRow{"Plain", "737.28", 737.28}, ParseRow{"Integer", "20", 20.0},
        ParseRow{"Blanks", "  184.32\t", 184.32}, ParseRow{"Plus", "+5", 5.0},
        ParseRow{"Minus", "-5.5", -5.5}, ParseRow{"TrailingPoint", "7.", 7.0},
        ParseRow{"LeadingPoint", ".5", 0.5}, ParseRow{"Exponent", "1e3", 1000.0},
        ParseRow{"SignedExponent", "2.5E-1", 0.25}, ParseRow{"Underflow", "1e-400", 0.0},
        ParseRow{"Largest", "1.7976931348623157e308", std::numeric_limits<double>::max()},
        ParseRow{"Empty", "", std::nullopt}, ParseRow{"Blank", "   ", std::nullopt},
        ParseRow{"SignOnly", "-", std::nullopt}, ParseRow{"ExponentUnfinished", "1e", std::nullopt},
        ParseRow{"PointOnly", ".", std::nullopt}, ParseRow{"Overflow", "1e309", std::nullopt},
        ParseRow{"NaN", "nan", std::nullopt}, ParseRow{"Inf", "inf", std::nullopt},
        ParseRow{"Infinity", "-Infinity", std::nullopt}, ParseRow{"Hex", "0x10", std::nullopt},
        ParseRow{"Comma", "737,28", std::nullopt}, ParseRow{"TwoSigns", "+-1", std::nullopt},
        ParseRow{"InnerBlank", "7 3", std::nullopt}, ParseRow{"Unit", "100MHz", std::nullopt}),
    [](const auto& row) { return std::string(row.param.name); });

// However many digits spell a value, it reads as its shortest spelling does.
TEST(ParsePlanNumber, LongSpellingsReadAsTheirShortForms) {
    const std::string zeros(400, '0');
    const std::pair<std::string, const char*> kSpellings[] = {
        {"0." + zeros + "1", "1e-401"},   {"-0." + zeros + "1", "-1e-401"},
        {"0." + zeros + "1e500", "1e99"}, {"1" + zeros + "e-500", "1e-100"},
        {"1" + zeros, "1e401"},           {"0." + zeros + "1e-99999999999999999999", "0"},
        {"0e99999999999999999999", "0"},  {"1e99999999999999999999", "1e309"},
    };
    for (const auto& [longForm, shortForm] : kSpellings) {
        EXPECT_EQ(ParsePlanNumber(longForm), ParsePlanNumber(shortForm)) << shortForm;
    }
}

struct IntRow {
    const char* name;
    const char* text;
    std::optional<int> value;
};

class ParsePlanIntegerTest : public testing::TestWithParam<IntRow> {};

TEST_P(ParsePlanIntegerTest, AcceptsIntsInRange) {
    EXPECT_EQ(ParsePlanInteger(GetParam().text), GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ParsePlanIntegerTest,
    testing::Values(IntRow{"Plain", "15", 15}, IntRow{"Negative", " -3 ", -3},
                    IntRow{"Max", "2147483647", 2147483647},
                    IntRow{"Min", "-2147483648", std::numeric_limits<int>::min()},
                    IntRow{"BeyondMax", "2147483648", std::nullopt},
                    IntRow{"Huge", "99999999999999999999999", std::nullopt},
                    IntRow{"Fraction", "1.5", std::nullopt},
                    IntRow{"Exponent", "1e1", std::nullopt}, IntRow{"Empty", "", std::nullopt},
                    IntRow{"SignOnly", "+", std::nullopt}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(FormatPlanNumber, ShortestPlainForm) {
    EXPECT_EQ(FormatPlanNumber(737.28), "737.28");
    EXPECT_EQ(FormatPlanNumber(20.0), "20");
    EXPECT_EQ(FormatPlanNumber(184.0), "184");
    EXPECT_EQ(FormatPlanNumber(-0.5), "-0.5");
    EXPECT_EQ(FormatPlanNumber(1e300), "1e+300");
    // The 15-digit form of the largest double lies beyond it; what is shown must read back.
    constexpr double kLargest = std::numeric_limits<double>::max();
    EXPECT_EQ(ParsePlanNumber(FormatPlanNumber(kLargest)), kLargest);
    EXPECT_EQ(ParsePlanNumber(FormatPlanNumber(-kLargest)), -kLargest);
    EXPECT_EQ(FormatPlanInteger(-3), "-3");
}

TEST(FormatFixed, MatchesPrintfWhateverTheLocale) {
    const char* old = std::setlocale(LC_NUMERIC, "de_DE.UTF-8");
    EXPECT_EQ(FormatFixed(36.864, 2), "36.86");
    EXPECT_EQ(FormatFixed(-18.1856, 3), "-18.186");
    EXPECT_EQ(FormatFixed(0.0, 2), "0.00");
    EXPECT_EQ(FormatFixed(1e300, 2).size(), 304u);
    EXPECT_EQ(ParsePlanNumber("1.5"), 1.5);
    if (old != nullptr) {
        std::setlocale(LC_NUMERIC, "C");
    }
}

struct TickRow {
    const char* name;
    double value, step;
    const char* text;
};
class TickLabelTest : public testing::TestWithParam<TickRow> {};
TEST_P(TickLabelTest, FixedUpToTenCharactersThenCompact) {
    EXPECT_EQ(FormatTickLabel(GetParam().value, GetParam().step), GetParam().text);
}
INSTANTIATE_TEST_SUITE_P(
    Rows, TickLabelTest,
    testing::Values(
        TickRow{"Whole", 400, 100, "400"}, TickRow{"Decimals", 0.25, 0.05, "0.25"},
        TickRow{"TenCharactersStayFixed", 1234567890, 1e8, "1234567890"},
        TickRow{"Eleven", 12345678901, 1e9, "1.2e10"}, TickRow{"NearTheLimit", 1e99, 1e98, "1e99"},
        TickRow{"Negative", -2.5e12, 5e11, "-2.5e12"}, TickRow{"TinyStep", 3e-13, 1e-13, "3e-13"},
        TickRow{"ZeroAmongTinyTicks", -0.0, 1e-13, "0"},
        TickRow{"NeighboursFarFromZeroStayApart", 1.000000001e25, 1e9, "1.000000001e25"}),
    [](const auto& row) { return std::string(row.param.name); });

}  // namespace
}  // namespace quorvel
