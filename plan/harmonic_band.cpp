#include "plan/harmonic_band.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace quorvel {

namespace {

// Brings an edge into 0..fs by subtracting fs while it lies strictly above fs. Returns
// the number of subtractions.
double WrapEdge(double& edge, double fs) {
    if (!(fs > 0)) {
        return 0;  // no period to wrap by: leave the edge alone
    }
    if (std::isinf(edge) && edge > 0) {
        edge = std::numeric_limits<double>::quiet_NaN();  // would never stop wrapping
        return std::numeric_limits<double>::infinity();
    }
    double wraps = 0;
    while (edge > fs && wraps < kStepwiseWrapLimit) {
        edge = edge - fs;
        wraps += 1;
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
            edge = std::numeric_limits<double>::quiet_NaN();
            return std::numeric_limits<double>::infinity();
        }
        edge = rest;
        wraps += more;
    }
    return wraps;
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
    HarmonicFold f;
    const double halfBw = ifBw / 2;
    double lo = (ifCentre - halfBw) * n;
    double hi = (halfBw + ifCentre) * n;
    f.wrapsLo = WrapEdge(lo, fs);
    f.wrapsHi = WrapEdge(hi, fs);
    const double half = fs / 2;
    f.reflectionsLo = ReflectEdge(lo, half);
    f.reflectionsHi = ReflectEdge(hi, half);

    if (f.wrapsLo != f.wrapsHi) {
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

void ComputeHarmonicBands(const PlanFields& plan, HarmonicBandTable& table) {
    const int last = std::min(plan.m_harmonics, kHarmonicBandTableSize - 1);
    for (int n = 2; n <= last; ++n) {
        table[static_cast<std::size_t>(n)] = FoldHarmonicBand(plan.m_fs, plan.m_if, plan.m_ifBw, n);
    }
}

}  // namespace quorvel
