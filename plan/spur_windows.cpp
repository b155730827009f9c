#include "plan/spur_windows.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace quorvel {

namespace {

bool UsableFs(double fs) {
    return fs > 0 && fs < std::numeric_limits<double>::infinity();
}

}  // namespace

SpurEdges EdgesAt(double ifCentre, double ifBw, double rfBw) {
    const double h = std::fabs(ifBw) / 2;
    const double r = std::fabs(rfBw) / 2;
    return {ifCentre - h, h + ifCentre, ifCentre - r, r + ifCentre};
}

MultipleWindow HarmonicWindow(const SpurEdges& e, int n, RefBand x, Fold fold, double margin) {
    const double c = x == RefBand::kIf ? e.ifLo : e.rfLo;
    const double d = x == RefBand::kIf ? e.ifHi : e.rfHi;
    const double na = n * e.ifLo;
    const double nb = n * e.ifHi;
    if (fold == Fold::kDifference) {
        return {na - d - margin, nb - c + margin, true};
    }
    return {na + c - margin, nb + d + margin, true};
}

MultipleWindow SelfFoldWindow(const SpurEdges& e) {
    return {2 * e.ifLo, 2 * e.ifHi, false};
}

MultipleWindow SpurWindowSource::At(const SpurEdges& e, double margin) const {
    return SelfFold() ? SelfFoldWindow(e) : HarmonicWindow(e, harmonic, band, fold, margin);
}

double SpurWindowSource::Slope() const {
    if (SelfFold()) {
        return 2;
    }
    return fold == Fold::kDifference ? harmonic - 1 : harmonic + 1;
}

double SpurWindowSource::Spread(double ifBw, double rfBw, double margin) const {
    const double h = std::fabs(ifBw) / 2;
    if (SelfFold()) {
        return 2 * h;
    }
    const double r = std::fabs(rfBw) / 2;
    return harmonic * h + (band == RefBand::kIf ? h : r) + margin;
}

SpurWindowList SpurWindowsOf(const PlanFields& plan, Against against) {
    SpurWindowList list;
    list.Add({SpurWindowSource::kSelfFold, RefBand::kIf, Fold::kDifference});
    for (int n = 2; n <= HighestDrawnHarmonic(plan); ++n) {
        for (const RefBand x : {RefBand::kIf, RefBand::kRf}) {
            if (AsksAbout(against, x)) {
                list.Add({n, x, Fold::kDifference});
                list.Add({n, x, Fold::kSum});
            }
        }
    }
    return list;
}

bool MultipleInWindow(const MultipleWindow& w, double fs) {
    if (!UsableFs(fs) || !(w.lo <= w.hi)) {
        return false;
    }
    if (w.zeroCounts && w.lo <= 0 && 0 <= w.hi) {
        return true;
    }
    if (w.hi < fs) {
        return false;  // even k = 1 lies above the window
    }
    double k = std::max(1.0, std::ceil(w.lo / fs));
    if (!(k < kWholeDoubleLimit)) {
        return w.hi - w.lo >= fs;
    }
    // The quotient may be off by one after rounding: settle on the smallest k whose
    // rounded product reaches lo (the rounded product never decreases with k).
    for (int i = 0; i < 4 && k > 1 && (k - 1) * fs >= w.lo; ++i) {
        k -= 1;
    }
    for (int i = 0; i < 4 && k * fs < w.lo; ++i) {
        k += 1;
    }
    return MultipleInWindowAt(w, fs, k);
}

double WindowDistance(const MultipleWindow& w, double fs) {
    if (!UsableFs(fs) || !(w.lo <= w.hi)) {
        return std::numeric_limits<double>::quiet_NaN();
    }
    const auto distanceAt = [&w](double m) { return std::max({0.0, w.lo - m, m - w.hi}); };
    double best = std::numeric_limits<double>::infinity();
    if (w.zeroCounts) {
        best = distanceAt(0);
    }
    const double kMin = w.zeroCounts ? 0 : 1;
    const double below = std::max(kMin, std::floor(w.lo / fs));
    if (!(below < kWholeDoubleLimit)) {
        // Too many multiples below the window to step: measure from the remainder.
        const double rest = std::fmod(w.lo, fs);
        return std::min({best, rest, std::max(0.0, fs - rest - (w.hi - w.lo))});
    }
    for (double k = below - 1; k <= below + 2; k += 1) {
        if (k >= kMin) {
            best = std::min(best, distanceAt(k * fs));
        }
    }
    return best;
}

}  // namespace quorvel
