// Powers of ten and decades exact on every system, subnormals and the ends of the range
// included.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "plan/number_text.h"
#include "plan/powers_of_ten.h"

namespace quorvel {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();

// The significant digits of a shortest text: "1" for 1e-5, 100 and 1e+22 alike.
std::string SignificantDigits(const std::string& text) {
    std::string digits;
    for (const char c : text.substr(0, text.find('e'))) {
        if (c >= '0' && c <= '9' && !(digits.empty() && c == '0')) {
            digits += c;
        }
    }
    return digits.substr(0, digits.find_last_not_of('0') + 1);
}

TEST(PowerOfTen, IsTheDoubleNearestEachPower) {
    // Only the double nearest 10^k reads back from the one digit "1"; its neighbours need
    // sixteen or more.
    for (int k = -323; k <= 308; ++k) {
        EXPECT_EQ(SignificantDigits(ShortestNumberText(PowerOfTen(k))), "1") << "k = " << k;
        if (k > -300) {
            EXPECT_NEAR(PowerOfTen(k) / PowerOfTen(k - 1), 10, 1e-14) << "k = " << k;
        }
    }
    EXPECT_EQ(PowerOfTen(-324), 0);
    EXPECT_EQ(PowerOfTen(309), kInf);
}

struct DecadeRow {
    const char* name;
    double x;
    double decade;
};

class DecimalExponentTest : public ::testing::TestWithParam<DecadeRow> {};

TEST_P(DecimalExponentTest, IsTheDecadeTheValueLiesIn) {
    const double decade = DecimalExponent(GetParam().x);
    if (std::isnan(GetParam().decade)) {
        EXPECT_TRUE(std::isnan(decade));
    } else {
        EXPECT_EQ(decade, GetParam().decade);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Values, DecimalExponentTest,
    ::testing::Values(DecadeRow{"One", 1, 0},
                      DecadeRow{"JustBelowOne", std::nextafter(1.0, 0.0), -1},
                      DecadeRow{"Tenth", 0.1, -1},
                      DecadeRow{"JustBelowTenth", std::nextafter(0.1, 0.0), -2},
                      DecadeRow{"JustBelow1e98", std::nextafter(1e98, 0.0), 97},
                      DecadeRow{"At1e98", 1e98, 98}, DecadeRow{"Between", 737.28, 2},
                      DecadeRow{"Largest", std::numeric_limits<double>::max(), 308},
                      DecadeRow{"LeastNormal", std::numeric_limits<double>::min(), -308},
                      DecadeRow{"Subnormal", 1e-310, -310},
                      DecadeRow{"LeastSubnormal", std::numeric_limits<double>::denorm_min(), -324},
                      DecadeRow{"Zero", 0, -kInf}, DecadeRow{"Infinity", kInf, kInf},
                      DecadeRow{"Negative", -5, std::nan("")}),
    [](const auto& row) { return std::string(row.param.name); });

}  // namespace
}  // namespace quorvel
