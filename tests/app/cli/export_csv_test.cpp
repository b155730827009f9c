// The CSV texts in-process: overlap rule, number form, capped and degenerate plans.
#include "app/export_csv.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

namespace quorvel {
namespace {

struct MeetCase {
    const char* name;
    double a, b, c, d;
    bool meet;
};

class ClosedIntervalsMeetTest : public ::testing::TestWithParam<MeetCase> {};

TEST_P(ClosedIntervalsMeetTest, Decides) {
    const MeetCase& c = GetParam();
    EXPECT_EQ(ClosedIntervalsMeet(c.a, c.b, c.c, c.d), c.meet);
}

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

INSTANTIATE_TEST_SUITE_P(
    Rows, ClosedIntervalsMeetTest,
    ::testing::Values(MeetCase{"Inside", 180, 190, 174.32, 194.32, true},
                      MeetCase{"TouchesUpperEdge", 194.32, 200, 174.32, 194.32, true},
                      MeetCase{"TouchesLowerEdge", 100, 174.32, 174.32, 194.32, true},
                      MeetCase{"JustAbove", 194.33, 200, 174.32, 194.32, false},
                      MeetCase{"ReversedPairCoversBand", 214.32, 154.32, 174.32, 194.32, true},
                      MeetCase{"ReversedPairBelow", 80, 0, 174.32, 194.32, false},
                      MeetCase{"SinglePointInBand", 180, 180, 174.32, 194.32, true},
                      MeetCase{"NegativeWidthBandEitherOrder", 180, 181, 194.32, 174.32, true},
                      MeetCase{"NaNEdgeNeverMeets", kNaN, 400, 0, 1000, false}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(ShortestNumberText, ReadsBackToTheSameDouble) {
    for (const double value : {737.28 / 2.0, 184.32 * 3, 0.1 + 0.2, -0.0, 1e-320, 1.7e308}) {
        const std::string text = ShortestNumberText(value);
        double back = 0;
        std::from_chars(text.data(), text.data() + text.size(), back);
        EXPECT_EQ(std::signbit(back), std::signbit(value)) << text;
        EXPECT_EQ(back, value) << text;
    }
    EXPECT_EQ(ShortestNumberText(368.64), "368.64");
    EXPECT_EQ(ShortestNumberText(40.0), "40");
    EXPECT_EQ(ShortestNumberText(kNaN), "nan");
}

int RowCount(const std::string& csv) {
    return static_cast<int>(std::count(csv.begin(), csv.end(), '\n')) - 1;
}

TEST(HarmonicBandCsv, HarmonicCountIsCappedAsThePaintDoes) {
    PlanFields plan;
    plan.m_harmonics = 40;
    const std::string csv = HarmonicBandCsv(plan);
    EXPECT_EQ(RowCount(csv), 25);
    EXPECT_NE(csv.find("\n26,"), std::string::npos);
    EXPECT_TRUE(PlanHasChartData(plan));
}

TEST(HarmonicBandCsv, FewerThanTwoHarmonicsGivesTheHeaderOnly) {
    for (const int h : {1, 0, -3}) {
        PlanFields plan;
        plan.m_harmonics = h;
        EXPECT_EQ(HarmonicBandCsv(plan), "harmonic,lo_mhz,hi_mhz,in_if_band,in_rf_band\n");
        EXPECT_EQ(AliasLineCsv(plan), "harmonic,vertex,x_mhz,y_mhz,colour\n");
    }
}

TEST(HarmonicBandCsv, AnEdgeThatCannotFoldIsWrittenAsNaNAndMeetsNoBand) {
    PlanFields plan;
    plan.m_if = 1e308;
    plan.m_ifBw = 1e308;
    plan.m_rfBw = std::numeric_limits<double>::max();
    plan.m_harmonics = 2;
    EXPECT_EQ(HarmonicBandCsv(plan), "harmonic,lo_mhz,hi_mhz,in_if_band,in_rf_band\n2,0,nan,0,0\n");
}

PlanFields BandPlan(double fs, double ifc, double ifBw, double rfBw, int h) {
    PlanFields plan;
    plan.m_fs = fs;
    plan.m_if = ifc;
    plan.m_ifBw = ifBw;
    plan.m_rfBw = rfBw;
    plan.m_harmonics = h;
    return plan;
}

// A band many zones wide lands everywhere, on the IF band too.
TEST(HarmonicBandCsv, WideBandsCoverTheWholeZone) {
    EXPECT_EQ(HarmonicBandCsv(BandPlan(100, 30, 20, 10, 8)),
              "harmonic,lo_mhz,hi_mhz,in_if_band,in_rf_band\n"
              "2,20,50,1,1\n3,0,40,1,1\n4,0,50,1,1\n5,0,50,1,1\n"
              "6,0,50,1,1\n7,0,50,1,1\n8,0,50,1,1\n");
}

// Fs 3000, IF 1750..1850: the flags meet the images against 1150..1250 (IF) and
// 1000..1400 (RF), where the bands show, not against the bands above Fs/2.
TEST(HarmonicBandCsv, AnUnderSampledIfIsMetAtItsImage) {
    const std::string csv = HarmonicBandCsv(BandPlan(3000, 1800, 100, 400, 14));
    EXPECT_NE(csv.find("\n4,1000,1400,1,1\n"), std::string::npos) << csv;
    EXPECT_NE(csv.find("\n5,0,250,0,0\n"), std::string::npos) << csv;
    EXPECT_NE(csv.find("\n8,1000,200,0,1\n"), std::string::npos) << csv;
}

struct GateCase {
    const char* name;
    double fs;
    double rfBw;
    bool passes;
};

class ChartGateTest : public ::testing::TestWithParam<GateCase> {};

TEST_P(ChartGateTest, Decides) {
    PlanFields plan;
    plan.m_fs = GetParam().fs;
    plan.m_rfBw = GetParam().rfBw;
    EXPECT_EQ(PlanHasChartData(plan), GetParam().passes);
}

INSTANTIATE_TEST_SUITE_P(Rows, ChartGateTest,
                         ::testing::Values(GateCase{"Defaults", 737.28, 100, true},
                                           GateCase{"ZeroFs", 0, 100, false},
                                           GateCase{"NaNRfBw", 737.28, kNaN, false},
                                           GateCase{"TinyPositive", 1e-300, 1e-300, true}),
                         [](const auto& row) { return std::string(row.param.name); });

}  // namespace
}  // namespace quorvel
