#include "plan/harmonic_band.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace quorvel {

namespace {

// An edge after wrapping, with what it takes to compare its wrap count with another
// edge's when the count is too large for a double to hold exactly.
struct WrappedEdge {
    double wraps = 0;
    bool finishedInOneStep = false;
    double beforeFinish = 0;  // the value the one-step finish started from
    double rest = 0;          // and the value it left
};

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

// Brings an edge into 0..fs by subtracting fs while it lies strictly above fs.
WrappedEdge WrapEdge(double& edge, double fs) {
    WrappedEdge w;
    if (!(fs > 0)) {
        return w;  // no period to wrap by: leave the edge alone
    }
    if (std::isinf(edge) && edge > 0) {
        edge = kNaN;  // would never stop wrapping
        w.wraps = kInf;
        return w;
    }
    while (edge > fs && w.wraps < kStepwiseWrapLimit) {
        edge = edge - fs;
        w.wraps += 1;
    }
    if (edge > fs) {
        // Far above fs: finish in one step. fmod is exact; an exact multiple of fs stops at
        // fs, not 0, as the strict comparison does.
        double rest = std::fmod(edge, fs);
        if (rest == 0) {
            rest = fs;
        }
        const double more = std::floor((edge - rest) / fs + 0.5);
        if (!std::isfinite(more)) {
            // More wraps than a double counts (a subnormal fs, say): no meaningful image.
            edge = kNaN;
            w.wraps = kInf;
            return w;
        }
        w.finishedInOneStep = true;
        w.beforeFinish = edge;
        w.rest = rest;
        edge = rest;
        w.wraps += more;
    }
    return w;
}

// Below this a count from the one-step finish is exact: its quotient is off by far less
// than a half.
constexpr double kExactWraps = 0x1p50;

// hi's wrap count less lo's, exact wherever it is small enough to matter.
double WrapGap(const WrappedEdge& lo, const WrappedEdge& hi, double fs) {
    const bool bothExact = lo.wraps < kExactWraps && hi.wraps < kExactWraps;
    if (bothExact || !lo.finishedInOneStep || !hi.finishedInOneStep) {
        // Exact, or one count is exact and small and the other far beyond it.
        return hi.wraps - lo.wraps;
    }
    const double a = lo.beforeFinish;
    const double b = hi.beforeFinish;
    if (a / 2 <= b && b <= a * 2) {
        // Both finishes start from within a factor of two, so b - a is exact and the gap,
        // a whole number, comes out right to well beyond the point where it could be small.
        return std::floor(((b - a) - (hi.rest - lo.rest)) / fs + 0.5);
    }
    // A factor of two apart, and at least one of them beyond 2^50 periods: the gap is vast.
    return hi.wraps - lo.wraps;
}

// Reflects an edge about fs/2 while it lies strictly above it. After wrapping one
// reflection always suffices; the bound only guards against the unforeseen.
int ReflectEdge(double& edge, double half) {
    int reflections = 0;
    while (edge > half && reflections < 8) {
        edge = edge - (edge - half) * 2;
        ++reflections;
    }
    return reflections;
}

}  // namespace

HarmonicFold FoldHarmonicBandTraced(double fs, double ifCentre, double ifBw, int n) {
    const double halfBw = ifBw / 2;
    return FoldEdgesTraced(fs, (ifCentre - halfBw) * n, (halfBw + ifCentre) * n);
}

HarmonicFold FoldEdgesTraced(double fs, double lo, double hi) {
    HarmonicFold f;
    const WrappedEdge wrappedLo = WrapEdge(lo, fs);
    const WrappedEdge wrappedHi = WrapEdge(hi, fs);
    f.wrapsLo = wrappedLo.wraps;
    f.wrapsHi = wrappedHi.wraps;
    const double half = fs / 2;
    f.reflectionsLo = ReflectEdge(lo, half);
    f.reflectionsHi = ReflectEdge(hi, half);
    // An edge that could not be wrapped (it folded to NaN) lies in no zone.
    f.zoneGap = std::isinf(f.wrapsLo) || std::isinf(f.wrapsHi)
                    ? kNaN
                    : WrapGap(wrappedLo, wrappedHi, fs) * 2 + (f.reflectionsHi - f.reflectionsLo);

    if (fs > 0 && std::abs(f.zoneGap) >= 2) {
        // The band holds a whole zone, a multiple of Fs and an odd multiple of Fs/2 both:
        // every frequency of 0..Fs/2 is the image of some point of it.
        f.straddle = Straddle::kWholeZone;
        lo = 0;
        hi = half;
    } else if (f.wrapsLo != f.wrapsHi) {
        f.straddle = Straddle::kThroughZero;
        if (lo > hi) {
            hi = lo;
        }
        lo = 0;
    } else if (f.reflectionsLo != f.reflectionsHi) {
        f.straddle = Straddle::kThroughHalf;
        if (hi < lo) {
            lo = hi;
        }
        hi = half;
    } else {
        f.straddle = Straddle::kNeither;
    }
    f.band = {lo, hi};
    return f;
}

HarmonicBand FoldFrequencyInterval(double fs, double lo, double hi) {
    if (lo >= 0 && hi >= 0) {
        return FoldEdgesTraced(fs, lo, hi).band;
    }
    if (lo <= 0 && hi <= 0) {
        return FoldEdgesTraced(fs, -lo, -hi).band;
    }
    // Through 0: the two sides fold onto one another from 0 up, and the image reaches
    // Fs/2 (all of the zone) as soon as either side leaves the first zone.
    const HarmonicFold f = FoldEdgesTraced(fs, std::fabs(lo), std::fabs(hi));
    if (std::isnan(f.band.lo) || std::isnan(f.band.hi)) {
        return {kNaN, kNaN};
    }
    const bool leaves = f.wrapsLo + f.wrapsHi + f.reflectionsLo + f.reflectionsHi > 0;
    return {0, leaves ? fs / 2 : std::max(f.band.lo, f.band.hi)};
}

void ComputeHarmonicBands(const PlanFields& plan, HarmonicBandTable& table) {
    for (int n = 2; n <= HighestDrawnHarmonic(plan); ++n) {
        table[static_cast<std::size_t>(n)] = FoldHarmonicBand(plan.m_fs, plan.m_if, plan.m_ifBw, n);
    }
}

}  // namespace quorvel
