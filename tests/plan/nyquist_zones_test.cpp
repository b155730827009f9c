// The zones a harmonic spans: worked plans, a fold point exactly on an edge, and agreement
// with the plain zone count wherever the arithmetic is exact.
#include "plan/nyquist_zones.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>
#include <random>

#include "plan/harmonic_band.h"

namespace quorvel {
namespace {

struct ZoneCase {
    const char* name;
    double fs, ifCentre, ifBw;
    int n;
    std::optional<NyquistZoneSpan> zones;
};

class HarmonicZoneSpanTest : public ::testing::TestWithParam<ZoneCase> {};

TEST_P(HarmonicZoneSpanTest, Spans) {
    const ZoneCase& c = GetParam();
    EXPECT_EQ(HarmonicZoneSpan(c.fs, c.ifCentre, c.ifBw, c.n), c.zones);
}

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

INSTANTIATE_TEST_SUITE_P(
    Rows, HarmonicZoneSpanTest,
    ::testing::Values(
        // The default plan: 348.64..388.64 straddles Fs/2 = 368.64.
        ZoneCase{"DefaultSecondStraddlesHalf", 737.28, 184.32, 20, 2, NyquistZoneSpan{1, 2}},
        ZoneCase{"UpperEdgeOnAFoldPointStaysBelowIt", 1000, 225, 50, 2, NyquistZoneSpan{1, 1}},
        ZoneCase{"LowerEdgeOnAFoldPointStillTouchesTheZoneBelow", 1000, 275, 50, 2,
                 NyquistZoneSpan{1, 2}},
        ZoneCase{"UnderSampledIfInZoneFour", 1000, 1800, 100, 1, NyquistZoneSpan{4, 4}},
        ZoneCase{"WideBandOverManyZones", 3000, 1800, 1000, 2, NyquistZoneSpan{2, 4}},
        ZoneCase{"NegativeWidthSameSpan", 737.28, 184.32, -20, 2, NyquistZoneSpan{1, 2}},
        ZoneCase{"EdgeBelowZeroCountsInTheFirst", 1000, 10, 40, 3, NyquistZoneSpan{1, 1}},
        ZoneCase{"NoRate", 0, 184.32, 20, 2, std::nullopt},
        ZoneCase{"NoImage", 737.28, kNaN, 20, 2, std::nullopt},
        ZoneCase{"InfiniteEdge", 737.28, std::numeric_limits<double>::infinity(), 20, 2,
                 std::nullopt}),
    [](const auto& row) { return std::string(row.param.name); });

// Whole numbers of MHz keep every step exact, so the zone of an edge f > 0 is plainly
// ceil(f / (Fs/2)), a fold point belonging to the zone below.
double PlainZone(double f, double half) {
    return f <= 0 ? 1 : std::ceil(f / half);
}

TEST(HarmonicZoneSpan, AgreesWithThePlainZoneCountAndTheFoldsStraddle) {
    std::mt19937 random(13);
    const auto draw = [&random](int lo, int hi) {
        return std::uniform_int_distribution<int>(lo, hi)(random);
    };
    for (int i = 0; i < 20000; ++i) {
        const int halfMhz = draw(5, 600);
        const double half = halfMhz;
        const double fs = half * 2;
        const double width = 2.0 * draw(0, halfMhz);
        const double centre = draw(0, 4 * halfMhz);
        const int n = draw(2, 26);
        const std::optional<NyquistZoneSpan> zones = HarmonicZoneSpan(fs, centre, width, n);
        ASSERT_TRUE(zones);
        const double lo = (centre - width / 2) * n;
        const double hi = (width / 2 + centre) * n;
        EXPECT_EQ(zones->first, PlainZone(lo, half))
            << fs << " " << centre << " " << width << " " << n;
        EXPECT_EQ(zones->last, PlainZone(hi, half))
            << fs << " " << centre << " " << width << " " << n;
        // One zone exactly when the fold found nothing to straddle.
        const Straddle straddle = FoldHarmonicBandTraced(fs, centre, width, n).straddle;
        EXPECT_EQ(zones->first == zones->last, straddle == Straddle::kNeither);
    }
}

}  // namespace
}  // namespace quorvel
