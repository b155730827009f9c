#include "plan/harmonic_band.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>

namespace quorvel {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

// The folding rule read literally, with unbounded loops: the reference for ordinary input.
HarmonicFold StepByStep(double fs, double ifc, double bw, int n) {
    HarmonicFold f;
    double lo = (ifc - bw / 2) * n;
    double hi = (bw / 2 + ifc) * n;
    while (lo > fs) {
        lo = lo - fs;
        f.wrapsLo += 1;
    }
    while (hi > fs) {
        hi = hi - fs;
        f.wrapsHi += 1;
    }
    while (lo > fs / 2) {
        lo = lo - (lo - fs / 2) * 2;
        ++f.reflectionsLo;
    }
    while (hi > fs / 2) {
        hi = hi - (hi - fs / 2) * 2;
        ++f.reflectionsHi;
    }
    // Zone index: 2 x wraps + reflections. Two or more zones apart, the band holds a whole one.
    f.zoneGap = (f.wrapsHi - f.wrapsLo) * 2 + (f.reflectionsHi - f.reflectionsLo);
    if (std::abs(f.zoneGap) >= 2) {
        f.straddle = Straddle::kWholeZone;
        lo = 0;
        hi = fs / 2;
    } else if (f.wrapsLo != f.wrapsHi) {
        f.straddle = Straddle::kThroughZero;
        if (lo > hi)
            hi = lo;
        lo = 0;
    } else if (f.reflectionsLo != f.reflectionsHi) {
        f.straddle = Straddle::kThroughHalf;
        if (hi < lo)
            lo = hi;
        hi = fs / 2;
    } else {
        f.straddle = Straddle::kNeither;
    }
    f.band = {lo, hi};
    return f;
}

void ExpectSameBits(const HarmonicFold& a, const HarmonicFold& b) {
    EXPECT_EQ(std::bit_cast<std::uint64_t>(a.band.lo), std::bit_cast<std::uint64_t>(b.band.lo));
    EXPECT_EQ(std::bit_cast<std::uint64_t>(a.band.hi), std::bit_cast<std::uint64_t>(b.band.hi));
    EXPECT_EQ(a.wrapsLo, b.wrapsLo);
    EXPECT_EQ(a.wrapsHi, b.wrapsHi);
    EXPECT_EQ(a.reflectionsLo, b.reflectionsLo);
    EXPECT_EQ(a.reflectionsHi, b.reflectionsHi);
    EXPECT_EQ(a.zoneGap, b.zoneGap);
    EXPECT_EQ(a.straddle, b.straddle);
}

using S = Straddle;

struct DefaultRow {
    int n;
    int wrapsLo, wrapsHi, reflectionsLo, reflectionsHi;
    Straddle straddle;
    double lo, hi;
};

class DefaultPlanTable : public testing::TestWithParam<DefaultRow> {};

TEST_P(DefaultPlanTable, MatchesTheWorkedExample) {
    const DefaultRow& r = GetParam();
    const HarmonicFold f = FoldHarmonicBandTraced(737.28, 184.32, 20.0, r.n);
    EXPECT_EQ(f.wrapsLo, r.wrapsLo);
    EXPECT_EQ(f.wrapsHi, r.wrapsHi);
    EXPECT_EQ(f.reflectionsLo, r.reflectionsLo);
    EXPECT_EQ(f.reflectionsHi, r.reflectionsHi);
    EXPECT_EQ(f.straddle, r.straddle);
    EXPECT_NEAR(f.band.lo, r.lo, 1e-9);
    EXPECT_NEAR(f.band.hi, r.hi, 1e-9);
}

INSTANTIATE_TEST_SUITE_P(
    Harmonics, DefaultPlanTable,
    testing::Values(DefaultRow{2, 0, 0, 0, 1, S::kThroughHalf, 348.64, 368.64},
                    DefaultRow{3, 0, 0, 1, 1, S::kNeither, 214.32, 154.32},
                    DefaultRow{4, 0, 1, 1, 0, S::kThroughZero, 0.0, 40.0},
                    DefaultRow{5, 1, 1, 0, 0, S::kNeither, 134.32, 234.32},
                    DefaultRow{6, 1, 1, 0, 1, S::kThroughHalf, 308.64, 368.64},
                    DefaultRow{7, 1, 1, 1, 1, S::kNeither, 254.32, 114.32},
                    DefaultRow{8, 1, 2, 1, 0, S::kThroughZero, 0.0, 80.0},
                    DefaultRow{9, 2, 2, 0, 0, S::kNeither, 94.32, 274.32},
                    DefaultRow{10, 2, 2, 0, 1, S::kThroughHalf, 268.64, 368.64},
                    DefaultRow{11, 2, 2, 1, 1, S::kNeither, 294.32, 74.32},
                    DefaultRow{12, 2, 3, 1, 0, S::kThroughZero, 0.0, 120.0},
                    DefaultRow{13, 3, 3, 0, 0, S::kNeither, 54.32, 314.32},
                    DefaultRow{14, 3, 3, 0, 1, S::kThroughHalf, 228.64, 368.64},
                    DefaultRow{15, 3, 3, 1, 1, S::kNeither, 334.32, 34.32}),
    [](const auto& row) { return "N" + std::to_string(row.param.n); });

struct EdgeRow {
    const char* name;
    double fs, ifc, bw;
    int n;
    double lo, hi;
    int reflectionsLo, reflectionsHi;
};

class FoldEdgeCases : public testing::TestWithParam<EdgeRow> {};

TEST_P(FoldEdgeCases, FollowsTheStrictComparisons) {
    const EdgeRow& r = GetParam();
    const HarmonicFold f = FoldHarmonicBandTraced(r.fs, r.ifc, r.bw, r.n);
    EXPECT_EQ(f.band.lo, r.lo);
    EXPECT_EQ(f.band.hi, r.hi);
    EXPECT_EQ(f.reflectionsLo, r.reflectionsLo);
    EXPECT_EQ(f.reflectionsHi, r.reflectionsHi);
    ExpectSameBits(f, StepByStep(r.fs, r.ifc, r.bw, r.n));
}

INSTANTIATE_TEST_SUITE_P(Cases, FoldEdgeCases,
                         testing::Values(
                             // An edge equal to Fs is reflected to 0, not wrapped: a reversed pair.
                             EdgeRow{"UpperEdgeOnFs", 100, 45, 10, 2, 20, 0, 1, 1},
                             // An edge equal to Fs/2 stays put.
                             EdgeRow{"UpperEdgeOnHalfFs", 100, 22.5, 5, 2, 40, 50, 0, 0},
                             // An edge below 0 is neither wrapped nor reflected.
                             EdgeRow{"LowerEdgeBelowZero", 100, 5, 20, 2, -10, 30, 0, 0},
                             // A negative bandwidth swaps the edges; zero makes them equal.
                             EdgeRow{"NegativeBandwidth", 100, 20, -10, 2, 50, 30, 0, 0},
                             EdgeRow{"ZeroBandwidth", 100, 20, 0, 2, 40, 40, 0, 0}),
                         [](const auto& row) { return std::string(row.param.name); });

TEST(ComputeHarmonicBands, WritesOnlyEntriesTwoToH) {
    const HarmonicBand untouched{-777, -777};
    for (int h : {-3, 0, 1, 2, 15, 26, 40}) {
        PlanFields plan;
        plan.m_harmonics = h;
        HarmonicBandTable table;
        table.fill(untouched);
        ComputeHarmonicBands(plan, table);
        for (int n = 0; n < kHarmonicBandTableSize; ++n) {
            const bool written = n >= 2 && n <= h;
            EXPECT_EQ(table[static_cast<std::size_t>(n)].lo != -777, written)
                << "H " << h << " entry " << n;
        }
    }
}

TEST(ComputeHarmonicBands, HTwoHoldsTheDefaultSecondHarmonic) {
    PlanFields plan;
    plan.m_harmonics = 2;
    HarmonicBandTable table{};
    ComputeHarmonicBands(plan, table);
    EXPECT_NEAR(table[2].lo, 348.64, 1e-9);
    EXPECT_NEAR(table[2].hi, 368.64, 1e-9);
}

// Over many ordinary plans the bounded fold gives the same bits and counts as the rule
// read literally.
TEST(FoldHarmonicBand, MatchesTheLiteralRuleBitForBitOnRandomPlans) {
    std::mt19937_64 rng(20261208);
    std::uniform_real_distribution<double> fsDist(0.5, 4000.0);
    std::uniform_real_distribution<double> unit(-0.2, 1.5);
    std::uniform_int_distribution<int> nDist(2, 26);
    std::uniform_int_distribution<int> roundDist(0, 3);
    for (int i = 0; i < 200000; ++i) {
        double fs = fsDist(rng);
        double ifc = unit(rng) * fs * 2;
        double bw = unit(rng) * fs;
        if (roundDist(rng) == 0) {  // whole and two-decimal values hit the exact boundaries
            fs = std::round(fs);
            ifc = std::round(ifc * 4) / 4;
            bw = std::round(bw);
        }
        const int n = nDist(rng);
        SCOPED_TRACE(testing::Message() << fs << " " << ifc << " " << bw << " " << n);
        ExpectSameBits(FoldHarmonicBandTraced(fs, ifc, bw, n), StepByStep(fs, ifc, bw, n));
        if (HasFailure()) {
            return;
        }
    }
}

// Far above the step-by-step limit, whole numbers subtract exactly, so the literal rule
// and the one-step finish must still agree.
TEST(FoldHarmonicBand, OneStepFinishAgreesWhereSubtractionIsExact) {
    for (double ifc : {250000.0, 250000.25, 1234567.5}) {
        ExpectSameBits(FoldHarmonicBandTraced(1.0, ifc, 0.5, 4), StepByStep(1.0, ifc, 0.5, 4));
    }
}

// The image found the long way: many points of the n-fold band, each folded on its own
// (its remainder modulo Fs, mirrored above Fs/2), and the envelope of them all. Folding
// moves no two points further apart than they were, so the envelope is within one point
// spacing of the true image.
struct Envelope {
    double lo, hi, tolerance;
};

Envelope PointByPoint(double fs, double ifc, double bw, int n) {
    const double a = (ifc - bw / 2) * n;
    const double b = (bw / 2 + ifc) * n;
    const double from = std::min(a, b);
    const double width = std::max(a, b) - from;
    const int steps = 2000 + static_cast<int>(std::min(width / fs, 1e3) * 2000);
    Envelope e{kInf, -kInf, width / steps + 1e-9 * std::max(1.0, std::abs(b))};
    for (int i = 0; i <= steps; ++i) {
        double x = std::fmod(from + width * i / steps, fs);
        if (x > fs / 2) {
            x = fs - x;
        }
        e.lo = std::min(e.lo, x);
        e.hi = std::max(e.hi, x);
    }
    return e;
}

void ExpectEnvelope(double fs, double ifc, double bw, int n) {
    const HarmonicBand band = FoldHarmonicBand(fs, ifc, bw, n);
    const Envelope e = PointByPoint(fs, ifc, bw, n);
    EXPECT_NEAR(std::min(band.lo, band.hi), e.lo, e.tolerance);
    EXPECT_NEAR(std::max(band.lo, band.hi), e.hi, e.tolerance);
}

struct WideRow {
    const char* name;
    double fs, ifc, bw;
    int n;
    double lo, hi;
};

class WideAndUnderSampled : public testing::TestWithParam<WideRow> {};

TEST_P(WideAndUnderSampled, IsTheEnvelopeOfItsPoints) {
    const WideRow& r = GetParam();
    const HarmonicBand band = FoldHarmonicBand(r.fs, r.ifc, r.bw, r.n);
    EXPECT_EQ(band.lo, r.lo);
    EXPECT_EQ(band.hi, r.hi);
    ExpectEnvelope(r.fs, r.ifc, r.bw, r.n);
}

INSTANTIATE_TEST_SUITE_P(Cases, WideAndUnderSampled,
                         testing::Values(
                             // 100..200 holds 0..50 twice over; 80..160 holds Fs and 3 Fs/2.
                             WideRow{"FifthOfWideBand", 100, 30, 20, 5, 0, 50},
                             WideRow{"FourthOfWideBand", 100, 30, 20, 4, 0, 50},
                             WideRow{"ThirdCrossesFsOnly", 100, 30, 20, 3, 0, 40},
                             WideRow{"SecondCrossesHalfFsOnly", 100, 30, 20, 2, 20, 50},
                             // IF 1750..1850 at Fs 3000: harmonic 4 is 7000..7400, zone 5, upright.
                             WideRow{"UnderSampledFourth", 3000, 1800, 100, 4, 1000, 1400},
                             WideRow{"UnderSampledTwelfth", 3000, 1800, 100, 12, 0, 1200},
                             WideRow{"ExactlyOneFsFromZero", 100, 50, 100, 1, 0, 50},
                             WideRow{"FsToThreeHalvesFs", 100, 125, 50, 1, 0, 50},
                             WideRow{"NegativeWidthSpanningZones", 100, 100, -150, 1, 0, 50},
                             WideRow{"FarZoneNarrow", 1, 1e6 + 0.25, 0.125, 1, 0.1875, 0.3125},
                             WideRow{"FarZoneWide", 1, 1e6, 1.5, 1, 0, 0.5}),
                         [](const auto& row) { return std::string(row.param.name); });

// Plans a user would type: IF BW up to Fs/4, IF up to two zones up, 2 to 26 harmonics.
TEST(FoldHarmonicBand, IsTheEnvelopeOfItsPointsOnRandomPlans) {
    std::mt19937_64 rng(9);
    std::uniform_real_distribution<double> fsDist(10.0, 4000.0);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    for (int i = 0; i < 300; ++i) {
        const double fs = fsDist(rng);
        const double bw = unit(rng) * fs / 4;
        const double ifc = bw / 2 + unit(rng) * fs * 1.5;
        for (int n = 2; n <= 26; ++n) {
            SCOPED_TRACE(testing::Message() << fs << " " << ifc << " " << bw << " " << n);
            ExpectEnvelope(fs, ifc, bw, n);
        }
        if (HasFailure()) {
            return;
        }
    }
}

__extension__ using Int128 = __int128;

// Zone index of a positive edge with 128-bit integers: the bounded steps as the doubles
// take them, then the rest exactly, in units of Fs's last bit.
Int128 ExactZone(double edge, double fs) {
    Int128 zone = 0;
    for (int i = 0; i < kStepwiseWrapLimit && edge > fs; ++i) {
        edge = edge - fs;
        zone += 2;
    }
    int exponent = 0;
    std::frexp(fs, &exponent);
    const int shift = 53 - exponent;
    const auto units = static_cast<Int128>(std::ldexp(fs, shift));
    const auto e = static_cast<Int128>(std::ldexp(edge, shift));
    const Int128 wraps = e > units ? (e - 1) / units : 0;
    const Int128 rest = e - wraps * units;
    return zone + wraps * 2 + (rest * 2 > units ? 1 : 0);
}

// Beyond 2^50 periods the one-step finish rounds its count, yet two edges a few periods
// apart must still be told apart exactly.
TEST(FoldHarmonicBand, ZoneGapIsExactForHugeWrapCounts) {
    std::mt19937_64 rng(50);
    std::uniform_real_distribution<double> scale(0x1p50, 0x1p52);
    std::uniform_real_distribution<double> width(0.0, 2.5);
    const double fs = 737.28;
    for (int i = 0; i < 5000; ++i) {
        const double ifc = scale(rng) * fs;
        const double bw = (i % 2 == 0 ? 1 : -1) * width(rng) * fs;
        const double lo = ifc - bw / 2;
        const double hi = bw / 2 + ifc;
        const Int128 gap = ExactZone(hi, fs) - ExactZone(lo, fs);
        const HarmonicFold f = FoldHarmonicBandTraced(fs, ifc, bw, 1);
        SCOPED_TRACE(testing::Message() << ifc << " " << bw);
        ASSERT_EQ(f.zoneGap, static_cast<double>(gap));
        EXPECT_EQ(f.straddle == Straddle::kWholeZone, gap >= 2 || gap <= -2);
    }
}

struct ExtremeRow {
    const char* name;
    double fs, ifc, bw;
    int n;
};

class FoldExtremes : public testing::TestWithParam<ExtremeRow> {};

// Finishes at once, and every edge is either NaN (skipped by the charts) or a finite
// value; an edge that started at or above 0 lies in 0..Fs/2.
TEST_P(FoldExtremes, FinishesWithADefinedResult) {
    const ExtremeRow& r = GetParam();
    const HarmonicFold f = FoldHarmonicBandTraced(r.fs, r.ifc, r.bw, r.n);
    for (double edge : {f.band.lo, f.band.hi}) {
        if (std::isnan(edge) || !(r.fs > 0) || std::isinf(r.fs)) {
            continue;
        }
        if (edge >= 0) {
            EXPECT_LE(edge, r.fs / 2);
        }
    }
    EXPECT_LE(f.reflectionsLo, 1);
    EXPECT_LE(f.reflectionsHi, 1);
}

INSTANTIATE_TEST_SUITE_P(
    Inputs, FoldExtremes,
    testing::Values(
        ExtremeRow{"HugeIf", 737.28, 1e300, 20, 26},
        ExtremeRow{"HugeBandwidth", 737.28, 184.32, 1e308, 26},
        ExtremeRow{"InfiniteIf", 737.28, kInf, 20, 2},
        ExtremeRow{"MinusInfiniteIf", 737.28, -kInf, 20, 2},
        ExtremeRow{"NaNIf", 737.28, kNaN, 20, 2},
        ExtremeRow{"SubnormalFs", std::numeric_limits<double>::denorm_min(), 184.32, 20, 26},
        ExtremeRow{"TinyFs", 1e-300, 1e300, 1, 26},
        ExtremeRow{"HugeN", 737.28, 184.32, 20, std::numeric_limits<int>::max()},
        ExtremeRow{"InfiniteFs", kInf, 184.32, 20, 3}, ExtremeRow{"NaNFs", kNaN, 184.32, 20, 3},
        ExtremeRow{"ZeroFs", 0, 184.32, 20, 3}, ExtremeRow{"NegativeFs", -100, 184.32, 20, 3}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(FoldHarmonicBand, InfiniteEdgeFoldsToNaN) {
    const HarmonicBand b = FoldHarmonicBand(737.28, kInf, 20, 2);
    EXPECT_TRUE(std::isnan(b.lo));
    EXPECT_TRUE(std::isnan(b.hi));
}

}  // namespace
}  // namespace quorvel
