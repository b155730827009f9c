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
    return {ifCentre - h, h + ifCentre, ifCentre - r, r + ifCentre, h, r};
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
    if (!Modelled()) {
        return SelfFold() ? SelfFoldWindow(e) : HarmonicWindow(e, harmonic, band, fold, margin);
    }
    MultipleWindow w{0, 0, !mirrored, period, residue};
    if (Slope() == 0) {
        const double spread = SpreadOfHalves(e.ifHalf, e.rfHalf, margin);
        const double offset = Offset();
        w.lo = offset - spread;
        w.hi = offset + spread;
        return w;
    }
    double lo = 0;
    double hi = 0;
    if (fixedTone) {
        const double c = band == RefBand::kIf ? e.ifLo : e.rfLo;
        const double d = band == RefBand::kIf ? e.ifHi : e.rfHi;
        lo = fold == Fold::kDifference ? toneLo - d - margin : toneLo + c - margin;
        hi = fold == Fold::kDifference ? toneHi - c + margin : toneHi + d + margin;
    } else {
        const MultipleWindow h = HarmonicWindow(e, order, band, fold, margin);
        lo = h.lo;
        hi = h.hi;
    }
    lo = lo + shift;
    hi = hi + shift;
    w.lo = mirrored ? -hi : lo;
    w.hi = mirrored ? -lo : hi;
    return w;
}

double SpurWindowSource::Slope() const {
    if (SelfFold()) {
        return 2;
    }
    if (!Modelled()) {
        return fold == Fold::kDifference ? harmonic - 1 : harmonic + 1;
    }
    const double slope = fixedTone ? (fold == Fold::kDifference ? -1 : 1)
                                   : (fold == Fold::kDifference ? order - 1 : order + 1);
    return mirrored ? -slope : slope;
}

double SpurWindowSource::Offset() const {
    if (!Modelled()) {
        return 0;
    }
    const double offset = (fixedTone ? (toneLo + toneHi) / 2 : 0) + shift;
    return mirrored ? -offset : offset;
}

double SpurWindowSource::Spread(double ifBw, double rfBw, double margin) const {
    return SpreadOfHalves(std::fabs(ifBw) / 2, std::fabs(rfBw) / 2, margin);
}

double SpurWindowSource::SpreadOfHalves(double h, double r, double margin) const {
    if (SelfFold()) {
        return 2 * h;
    }
    const double carried = !Modelled() ? harmonic * h
                           : fixedTone ? (toneHi - toneLo) / 2
                                       : order * h;
    return carried + (band == RefBand::kIf ? h : r) + margin;
}

namespace {

// Every window of one modelled member: both bands asked about, both folds, each before its
// mirror (a member's lattice runs through negative points too: an interferer below the
// band, a sideband below 0).
void AddMember(SpurWindowList& list, Against against, SpurWindowSource source) {
    for (const RefBand x : {RefBand::kIf, RefBand::kRf}) {
        if (!AsksAbout(against, x)) {
            continue;
        }
        for (const Fold fold : {Fold::kDifference, Fold::kSum}) {
            for (const bool mirrored : {false, true}) {
                SpurWindowSource w = source;
                w.band = x;
                w.fold = fold;
                w.mirrored = mirrored;
                // The mirror takes the negative points j = -residue (mod M) as positive ones.
                if (mirrored) {
                    w.residue = (w.period - w.residue) % w.period;
                }
                list.Add(w);
            }
        }
    }
}

bool BoundedValue(double v) {
    return std::isfinite(v) && std::fabs(v) <= kFinderFrequencyLimit;
}

}  // namespace

bool ModelBounded(const SpurModel& model) {
    if (model.hasClockSpur && !BoundedValue(model.clockSpur)) {
        return false;
    }
    return std::all_of(model.interferers.begin(), model.interferers.end(), [](const Interferer& i) {
        return BoundedValue(i.centre) && BoundedValue(i.width);
    });
}

SpurWindowList SpurWindowsOf(const PlanFields& plan, Against against, const SpurModel& model,
                             Members which) {
    SpurWindowList list;
    list.Add({SpurWindowSource::kSelfFold, RefBand::kIf, Fold::kDifference});
    const auto counted = [&](const SpurMember& member) {
        return which == Members::kEvery || MemberCounts(member, model);
    };
    for (int n = 2; n <= HighestDrawnHarmonic(plan); ++n) {
        if (!counted({SpurFamily::kHarmonic, n, 0})) {
            continue;
        }
        for (const RefBand x : {RefBand::kIf, RefBand::kRf}) {
            if (AsksAbout(against, x)) {
                list.Add({n, x, Fold::kDifference});
                list.Add({n, x, Fold::kSum});
            }
        }
    }
    const std::vector<SpurMember> members = ModelledMembersOf(model);
    list.SetModelledMembers(static_cast<int>(members.size()));
    const int m = ModelInterleave(model);
    for (std::size_t i = 0; i < members.size(); ++i) {
        const SpurMember& member = members[i];
        if (!counted(member)) {
            continue;
        }
        SpurWindowSource source;
        source.harmonic = SpurWindowSource::kModelled;
        source.modelled = static_cast<int>(i);
        switch (member.family) {
            case SpurFamily::kHarmonic:
                continue;
            case SpurFamily::kInterleaveImage:
            case SpurFamily::kInterleaveOffset:
                // q Fs/M + f folds with x where f -+ x is a point j Fs/M, j = -q (mod M).
                source.order = member.order;
                source.period = m;
                source.residue = m - member.term;
                break;
            case SpurFamily::kClockSideband:
                source.order = member.order;
                source.shift = member.term * model.clockSpur;
                break;
            case SpurFamily::kInterferer: {
                const Interferer& in = model.interferers[static_cast<std::size_t>(member.term - 1)];
                // A negative width spans the same band as its magnitude, as the IF band's does.
                const double half = std::fabs(in.width) / 2;
                source.fixedTone = true;
                source.toneLo = member.order * (in.centre - half);
                source.toneHi = member.order * (half + in.centre);
                break;
            }
        }
        AddMember(list, against, source);
    }
    return list;
}

bool MultipleInWindow(const MultipleWindow& w, double fs) {
    if (!UsableFs(fs) || !(w.lo <= w.hi)) {
        return false;
    }
    if (w.zeroCounts && w.residue == 0 && w.lo <= 0 && 0 <= w.hi) {
        return true;
    }
    const double first = FirstPositiveIndex(w);
    if (w.hi < LatticePoint(w, fs, first)) {
        return false;  // even the first positive point lies above the window
    }
    double k = std::max(first, std::ceil(LatticeIndex(w, w.lo, fs)));
    if (!(k < kWholeDoubleLimit)) {
        return w.hi - w.lo >= fs;
    }
    // The quotient may be off by one after rounding: settle on the smallest k whose
    // rounded point reaches lo (the rounded point never decreases with k).
    for (int i = 0; i < 4 && k > first && LatticePoint(w, fs, k - 1) >= w.lo; ++i) {
        k -= 1;
    }
    for (int i = 0; i < 4 && LatticePoint(w, fs, k) < w.lo; ++i) {
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
    const bool zeroIsPoint = w.zeroCounts && w.residue == 0;
    if (zeroIsPoint) {
        best = distanceAt(0);
    }
    const double kMin = zeroIsPoint ? 0 : FirstPositiveIndex(w);
    const double below = std::max(kMin, std::floor(LatticeIndex(w, w.lo, fs)));
    if (!(below < kWholeDoubleLimit)) {
        // Too many points below the window to step: measure from the remainder.
        const double from = w.residue == 0 ? w.lo : w.lo - (w.residue * fs) / w.period;
        const double rest = std::fmod(from, fs);
        return std::min({best, rest, std::max(0.0, fs - rest - (w.hi - w.lo))});
    }
    for (double k = below - 1; k <= below + 2; k += 1) {
        if (k >= kMin) {
            best = std::min(best, distanceAt(LatticePoint(w, fs, k)));
        }
    }
    return best;
}

}  // namespace quorvel
