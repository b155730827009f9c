#include "plan/alias_lines.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace quorvel {
namespace {

struct RampRow {
    int h;
    std::vector<int> intensities;  // harmonic H down to 2
};

class ColourRamp : public testing::TestWithParam<RampRow> {};

TEST_P(ColourRamp, ClimbsPerPairFromTheTop) {
    const RampRow& r = GetParam();
    const AliasLineSet set = BuildAliasLines(737.28, r.h);
    ASSERT_EQ(set.count, r.h - 1);
    for (int i = 0; i < set.count; ++i) {
        const AliasLine& line = set.lines[static_cast<std::size_t>(i)];
        const int n = r.h - i;
        EXPECT_EQ(line.harmonic, n);
        const auto v = static_cast<std::uint32_t>(r.intensities[static_cast<std::size_t>(i)]);
        const std::uint32_t expected = (n % 2 != 0) ? v * 0x010100u : v;
        EXPECT_EQ(line.colour, expected) << "harmonic " << n;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Counts, ColourRamp,
    testing::Values(
        RampRow{2, {255}}, RampRow{3, {255, 255}}, RampRow{4, {105, 255, 255}},
        RampRow{5, {105, 105, 255, 255}}, RampRow{6, {105, 180, 180, 255, 255}},
        RampRow{15, {105, 105, 130, 130, 155, 155, 180, 180, 205, 205, 230, 230, 255, 255}},
        RampRow{16, {105, 126, 126, 147, 147, 168, 168, 189, 189, 210, 210, 231, 231, 252, 252}},
        RampRow{26, {105, 117, 117, 129, 129, 141, 141, 153, 153, 165, 165, 177, 177,
                     189, 189, 201, 201, 213, 213, 225, 225, 237, 237, 249, 249}}),
    [](const auto& row) { return "H" + std::to_string(row.param.h); });

TEST(AliasLines, NoLinesBelowTwoOrBeyondTheCap) {
    for (int h : {-5, 0, 1, 27, 1000}) {
        EXPECT_EQ(BuildAliasLines(737.28, h).count, 0) << h;
    }
}

TEST(AliasLines, SecondHarmonicIsOneRedPeak) {
    const AliasLineSet set = BuildAliasLines(737.28, 2);
    ASSERT_EQ(set.count, 1);
    const AliasLine& line = set.lines[0];
    EXPECT_EQ(line.colour, 0xFFu);
    ASSERT_EQ(line.count, 3);
    EXPECT_EQ(line.points[0].x, 0.0);
    EXPECT_EQ(line.points[0].y, 0.0);
    EXPECT_EQ(line.points[1].x, 737.28 / 2.0 / 2);
    EXPECT_EQ(line.points[1].y, 368.64);
    EXPECT_EQ(line.points[2].x, 368.64);
    EXPECT_EQ(line.points[2].y, 0.0);
}

TEST(AliasLines, ThirdHarmonicAlternatesBetweenZeroAndHalfFs) {
    const AliasLineSet set = BuildAliasLines(600.0, 3);
    ASSERT_EQ(set.count, 2);
    const AliasLine& line = set.lines[0];
    EXPECT_EQ(line.harmonic, 3);
    EXPECT_EQ(line.colour, 0xFFFF00u);
    ASSERT_EQ(line.count, 4);
    const double xs[] = {0, 100, 200, 300};
    const double ys[] = {0, 300, 0, 300};
    for (int k = 0; k < 4; ++k) {
        EXPECT_DOUBLE_EQ(line.points[static_cast<std::size_t>(k)].x, xs[k]);
        EXPECT_EQ(line.points[static_cast<std::size_t>(k)].y, ys[k]);
    }
}

// The last vertex of each harmonic at Fs 737.28, H 26.
int LastVertex(const AliasLineSet& set, int n) {
    for (int i = 0; i < set.count; ++i) {
        if (set.lines[static_cast<std::size_t>(i)].harmonic == n) {
            return set.lines[static_cast<std::size_t>(i)].count - 1;
        }
    }
    return -1;
}

TEST(AliasLines, ExtentFollowsTheCutOff) {
    const AliasLineSet set = BuildAliasLines(737.28, 26);
    for (int n = 2; n <= 9; ++n) {
        EXPECT_EQ(LastVertex(set, n), n) << n;
    }
    EXPECT_EQ(LastVertex(set, 10), 11);
    for (int n = 11; n <= 19; ++n) {
        EXPECT_EQ(LastVertex(set, n), static_cast<int>(std::floor(1.1 * n + 1e-9))) << n;
    }
    for (int n = 20; n <= 26; ++n) {
        EXPECT_EQ(LastVertex(set, n), 20) << n;
    }
    // Harmonic 26 stops at 20/26 of Fs/2; harmonic 20 exactly on it.
    const AliasLine& h26 = set.lines[0];
    EXPECT_NEAR(h26.points[20].x, 20.0 / 26 * 368.64, 1e-9);
}

// Repeated addition matters: at this rate the eleventh accumulated step of harmonic 10
// lands a hair above 1.1 x Fs/2, so the line stops on Fs/2.
TEST(AliasLines, TenthHarmonicStopsAtVertexTenWhereTheSumOvershoots) {
    constexpr double kFs = 100.01;
    EXPECT_EQ(LastVertex(BuildAliasLines(kFs, 10), 10), 10);
    EXPECT_EQ(LastVertex(BuildAliasLines(1000.0, 10), 10), 11);
    AliasVertexTable table{};
    FillAliasVertexTable(kFs, 10, table);
    EXPECT_GT(table[10][11], 1.1 * (kFs / 2.0));
    EXPECT_LE(11 * table[10][1], 1.1 * (kFs / 2.0));  // a product would have kept it
}

TEST(AliasVertexTable, AliasRowAlternatesAndOnlyRowsUpToHAreWritten) {
    AliasVertexTable table{};
    for (auto& row : table) {
        row.fill(-1.0);
    }
    FillAliasVertexTable(200.0, 3, table);
    for (int k = 0; k < 26; ++k) {
        EXPECT_EQ(table[0][static_cast<std::size_t>(k)], k % 2 ? 100.0 : 0.0);
    }
    EXPECT_EQ(table[0][26], -1.0);
    EXPECT_EQ(table[4][1], -1.0);
    EXPECT_EQ(table[3][0], 0.0);

    AliasVertexTable untouched{};
    for (auto& row : untouched) {
        row.fill(-1.0);
    }
    FillAliasVertexTable(200.0, -1, untouched);
    EXPECT_EQ(untouched[0][1], -1.0);
}

}  // namespace
}  // namespace quorvel
