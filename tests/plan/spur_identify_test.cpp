// Naming the spur behind a frequency: where each member of a test tone lands, a measured
// trace read whole or refused at its line, and its peaks labelled with their members.
#include "plan/spur_identify.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>
#include <vector>

namespace quorvel {
namespace {

// A single frequency folded into 0..fs/2 by its distance to the nearest multiple of fs.
double PointFold(double f, double fs) {
    const double r = std::fabs(f) - fs * std::round(std::fabs(f) / fs);
    return std::fabs(r);
}

// Each member's tone from the table of families, written again: n f, q Fs/M + n f, q Fs/M,
// n f +- Fc, m times an interferer's centre.
double ToneByHand(const SpurMember& m, const SpurModel& model, double fs, double f) {
    switch (m.family) {
        case SpurFamily::kHarmonic:
            return m.order * f;
        case SpurFamily::kInterleaveImage:
            return m.term * fs / model.interleave + m.order * f;
        case SpurFamily::kInterleaveOffset:
            return m.term * fs / model.interleave;
        case SpurFamily::kClockSideband:
            return m.order * f + m.term * model.clockSpur;
        case SpurFamily::kInterferer:
            return m.order * model.interferers[static_cast<std::size_t>(m.term - 1)].centre;
    }
    return 0;
}

TEST(TonePositions, EveryFamilyLandsWhereThePointFoldPutsIt) {
    std::mt19937_64 rng(20);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    for (int trial = 0; trial < 500; ++trial) {
        PlanFields plan;
        plan.m_fs = 50 + 3000 * unit(rng);
        plan.m_if = 6 * plan.m_fs * unit(rng);
        plan.m_harmonics = 9;
        SpurModel model{.interleave = 1 + trial % 8,
                        .interleaveOrders = 3,
                        .hasClockSpur = true,
                        .clockSpur = plan.m_fs * (unit(rng) - 0.5),
                        .clockSpurOrders = 2};
        model.interferers = {{4 * plan.m_fs * unit(rng) - plan.m_fs, 5, 3}};
        const std::vector<TonePosition> tones = TonePositions(plan, model);
        ASSERT_EQ(tones.size(), 1 + 8 + ModelledMembersOf(model).size());
        EXPECT_TRUE(tones[0].signal);
        EXPECT_NEAR(tones[0].position, PointFold(plan.m_if, plan.m_fs), 1e-9 * plan.m_fs);
        for (std::size_t i = 1; i < tones.size(); ++i) {
            const double want =
                PointFold(ToneByHand(tones[i].member, model, plan.m_fs, plan.m_if), plan.m_fs);
            ASSERT_NEAR(tones[i].position, want, 1e-9 * plan.m_fs * 30) << "trial " << trial;
        }
    }
}

// Tones planted at members' positions over a noise floor, and one no member explains.
TEST(FindPeaks, LabelsEveryPlantedToneAndLeavesTheStrangerAndTheNoiseAlone) {
    PlanFields plan;
    plan.m_fs = 3000;
    plan.m_if = 1850;
    plan.m_harmonics = 5;
    const SpurModel model{.interleave = 4, .hasClockSpur = true, .clockSpur = 12.5};
    const std::vector<TonePosition> tones = TonePositions(plan, model);
    // H3 at 450 (5550), the image Fs/2 + f at 350 (3350), f + Fc at 1137.5 (1862.5).
    const std::vector<std::pair<double, const char*>> planted{
        {350.0, "interleave_image,1,2/4"}, {450.0, "harmonic,3,"}, {1137.5, "clock_sideband,1,+"}};
    const double stranger = 777.7;
    MeasuredSpectrum trace;
    std::mt19937_64 rng(5);
    std::uniform_real_distribution<double> noise(-112.0, -108.0);
    for (int i = 0; i <= 150000; ++i) {
        const double f = i * 0.01;
        double level = noise(rng);
        for (const auto& tone : planted) {
            level = std::fabs(f - tone.first) < 0.004 ? -60.0 : level;
        }
        level = std::fabs(f - stranger) < 0.004 ? -55.0 : level;
        trace.mhz.push_back(f);
        trace.dbfs.push_back(level);
    }
    const std::vector<SpectrumPeak> peaks = FindPeaks(trace, tones, 0.1, 10);
    ASSERT_EQ(peaks.size(), planted.size() + 1);
    std::size_t next = 0;
    for (const SpectrumPeak& peak : peaks) {
        if (std::fabs(peak.mhz - stranger) < 0.01) {
            EXPECT_EQ(peak.candidate, nullptr);
            continue;
        }
        ASSERT_NE(peak.candidate, nullptr) << peak.mhz;
        EXPECT_NEAR(peak.mhz, planted[next].first, 0.005);
        EXPECT_EQ(ToneMemberColumns(*peak.candidate, model), planted[next].second);
        ++next;
    }
    EXPECT_NE(PeakSummary(peaks, model).find("3 explained, 1 unexplained"), std::string::npos);
}

struct ParseRow {
    const char* name;
    std::string text;
    std::vector<double> mhz;  // empty: refused
    int line = 0;             // the line a refusal names
};

class ParseMeasuredTest : public testing::TestWithParam<ParseRow> {};

TEST_P(ParseMeasuredTest, ReadsEachFormWholeOrRefusesAtItsLine) {
    MeasuredProblem problem;
    const auto trace = ParseMeasuredSpectrum(GetParam().text, problem);
    if (GetParam().mhz.empty()) {
        ASSERT_FALSE(trace);
        EXPECT_EQ(problem.line, GetParam().line) << problem.reason;
        return;
    }
    ASSERT_TRUE(trace) << problem.reason;
    EXPECT_EQ(trace->mhz, GetParam().mhz);
}

INSTANTIATE_TEST_SUITE_P(
    Forms, ParseMeasuredTest,
    testing::Values(ParseRow{"Commas", "1,-90\n2,-80\n", {1, 2}},
                    ParseRow{"HeaderSemicolonsCrLf", "MHz;dBFS\r\n1;-90\r\n2.5;-80\r\n", {1, 2.5}},
                    ParseRow{
                        "TabsCommentsBlankLines", "# trace\n\n1\t-90\n  # more\n3e1\t-80", {1, 30}},
                    ParseRow{"NotANumber", "1,-90\n2,loud\n", {}, 2},
                    ParseRow{"OneField", "f,l\n1,-90\n\n2\n", {}, 4},
                    ParseRow{"Descending", "1,-90\n3,-80\n2,-70\n", {}, 3},
                    ParseRow{"Repeated", "1,-90\n1,-80\n", {}, 2},
                    ParseRow{"Infinite", "1,-90\n2,inf\n", {}, 2},
                    ParseRow{"Empty", "# nothing\n", {}, 0}),
    [](const auto& row) { return std::string(row.param.name); });

}  // namespace
}  // namespace quorvel
