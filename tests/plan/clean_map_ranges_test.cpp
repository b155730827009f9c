// The ranges a clean map opens with: the slider's where they hold the plan, ranges around
// the plan where the slider has none (an IF at or above 1000 MHz) or the IF band lies
// above Fs/2, and always a range a map can be drawn over.
#include "plan/clean_map_ranges.h"

#include <gtest/gtest.h>

#include <limits>

namespace quorvel {
namespace {

struct RangesRow {
    const char* name;
    PlanFields plan;
    FrequencyInterval fs;
    FrequencyInterval ifc;
};

class DefaultRangesTest : public ::testing::TestWithParam<RangesRow> {};

TEST_P(DefaultRangesTest, HoldThePlanWhereTheyCan) {
    const RangesRow& row = GetParam();
    const CleanMapRanges ranges = DefaultCleanMapRanges(row.plan);
    EXPECT_EQ(ranges.fs.lo, row.fs.lo);
    EXPECT_EQ(ranges.fs.hi, row.fs.hi);
    EXPECT_EQ(ranges.ifc.lo, row.ifc.lo);
    EXPECT_EQ(ranges.ifc.hi, row.ifc.hi);
}

constexpr double kNan = std::numeric_limits<double>::quiet_NaN();

INSTANTIATE_TEST_SUITE_P(
    Rows, DefaultRangesTest,
    ::testing::Values(RangesRow{"Default", {}, {368, 2000}, {0, 368.64}},
                      RangesRow{"UnderSampled",
                                {.m_fs = 3000, .m_if = 1800, .m_ifBw = 100, .m_rfBw = 400},
                                {1500, 6000},
                                {0, 1900}},
                      RangesRow{"IfAboveHalf", {.m_fs = 300, .m_if = 200}, {150, 600}, {0, 220}},
                      RangesRow{"NoFs", {.m_fs = 0, .m_if = 1500}, {1, 2000}, {0, 1520}},
                      RangesRow{"NotANumber", {.m_fs = kNan, .m_if = kNan}, {0, 2000}, {0, 1000}}),
    [](const auto& row) { return std::string(row.param.name); });

}  // namespace
}  // namespace quorvel
