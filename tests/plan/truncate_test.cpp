#include "plan/truncate.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace quorvel {
namespace {

constexpr int kMax = std::numeric_limits<int>::max();
constexpr int kMin = std::numeric_limits<int>::min();
constexpr double kInf = std::numeric_limits<double>::infinity();

struct TruncRow {
    const char* name;
    double in;
    int out;
};

class TruncToIntTest : public testing::TestWithParam<TruncRow> {};

TEST_P(TruncToIntTest, TruncatesTowardZeroAndSaturates) {
    EXPECT_EQ(TruncToInt(GetParam().in), GetParam().out);
}

INSTANTIATE_TEST_SUITE_P(
    Values, TruncToIntTest,
    testing::Values(TruncRow{"DefaultFs", 368.64, 368}, TruncRow{"MinusHalf", -0.5, 0},
                    TruncRow{"NegativeFraction", -368.64, -368}, TruncRow{"NegativeZero", -0.0, 0},
                    TruncRow{"Subnormal", std::numeric_limits<double>::denorm_min(), 0},
                    TruncRow{"JustBelowMax", 2147483647.9, kMax},
                    TruncRow{"FirstBeyondMax", 2147483648.0, kMax},
                    TruncRow{"JustAboveMin", -2147483648.9, kMin},
                    TruncRow{"FirstBeyondMin", -2147483649.0, kMin}, TruncRow{"Huge", 1e300, kMax},
                    TruncRow{"HugeNegative", -1e300, kMin}, TruncRow{"Infinity", kInf, kMax},
                    TruncRow{"MinusInfinity", -kInf, kMin}, TruncRow{"NaN", std::nan(""), 0}),
    [](const auto& row) { return std::string(row.param.name); });

}  // namespace
}  // namespace quorvel
