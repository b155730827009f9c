// The spur table's rows: the fold's meet flags and the finder's distances tell the same
// story, and the CSV writes every column exactly.
#include "plan/spur_rows.h"

#include <gtest/gtest.h>

#include <limits>
#include <random>

namespace quorvel {
namespace {

// Two decisions made by different arithmetic (the folded image against the bands' images,
// and the finder's guard windows around multiples of Fs) must agree on every row.
TEST(SpurRows, ARowMeetsABandExactlyWhenItIsNoDistanceFromIt) {
    std::mt19937_64 random(13);
    const auto real = [&random](double lo, double hi) {
        return std::uniform_real_distribution<double>(lo, hi)(random);
    };
    for (int i = 0; i < 3000; ++i) {
        PlanFields plan;
        plan.m_fs = real(100, 4000);
        plan.m_ifBw = real(0, 0.3) * plan.m_fs;
        plan.m_rfBw = plan.m_ifBw + real(0, 0.3) * plan.m_fs;
        plan.m_if = plan.m_rfBw / 2 + real(0, 1.5) * plan.m_fs;  // both bands above 0
        plan.m_harmonics = 26;
        for (const SpurRow& row : BuildSpurRows(plan)) {
            ASSERT_EQ(row.distanceToIf == 0, row.meetsIf) << plan.m_fs << " " << row.harmonic;
            ASSERT_EQ(row.distanceToRf == 0, row.meetsRf) << plan.m_fs << " " << row.harmonic;
            ASSERT_GE(row.distanceToIf, 0);
            ASSERT_LE(row.distanceToRf, row.distanceToIf);  // the RF band holds the IF band
        }
    }
}

TEST(SpurRows, CsvWritesEveryColumnAndLeavesUnknownsEmpty) {
    const std::string csv = SpurRowsCsv(BuildSpurRows(PlanFields{.m_harmonics = 3}));
    EXPECT_EQ(csv,
              "harmonic,lo_mhz,hi_mhz,in_if_band,in_rf_band,if_distance_mhz,rf_distance_mhz,"
              "first_zone,last_zone\n"
              "2,348.64,368.64,0,0,154.31999999999994,114.31999999999994,1,2\n"
              "3,214.31999999999994,154.31999999999994,1,1,0,0,2,2\n");
    PlanFields noVerdict{.m_if = std::numeric_limits<double>::infinity(), .m_harmonics = 2};
    EXPECT_EQ(SpurRowsCsv(BuildSpurRows(noVerdict)).substr(csv.find('\n') + 1),
              "2,nan,nan,0,0,,,,\n");
}

}  // namespace
}  // namespace quorvel
