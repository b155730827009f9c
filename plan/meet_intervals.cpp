#include "plan/meet_intervals.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <limits>
#include <optional>

#include "boundary_search.h"
#include "plan/spur_windows.h"

namespace quorvel {

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();

// The self fold plus two folds of two bands for each harmonic 2..26.
constexpr int kMaxWindows = 1 + 2 * 2 * (kHarmonicCap - 1);

// Multiples are enumerated one by one only below this count, where adding 1 to a double
// still reaches the next whole number.
constexpr double kCountableMultiples = 4503599627370496.0;  // 2^52

// How many multiples from first to last, or infinite (refused) when they cannot be counted
// out one by one.
double Enumerated(double first, double last) {
    if (!(last >= first)) {
        return 0;
    }
    return last < kCountableMultiples ? last - first + 1 : kInf;
}

// Consecutive multiples' intervals are taken as one run only when they overlap by more
// than rounding could undo.
constexpr double kSureOverlap = 1.0 + 1.0 / (1 << 30);

bool Bounded(double v) {
    return std::isfinite(v) && std::fabs(v) <= kFinderFrequencyLimit;
}

bool InputOk(const PlanFields& plan, double fixed, FrequencyInterval range,
             const SpurQuery& query) {
    return Bounded(fixed) && Bounded(plan.m_ifBw) && Bounded(plan.m_rfBw) && Bounded(range.lo) &&
           Bounded(range.hi) && range.lo < range.hi && Bounded(query.margin) && query.margin >= 0;
}

int LastHarmonic(const PlanFields& plan) {
    return std::min(plan.m_harmonics, kHarmonicCap);
}

void Push(std::vector<FrequencyInterval>& out, double lo, double hi, FrequencyInterval range) {
    if (hi < range.lo || lo > range.hi) {
        return;
    }
    out.push_back({std::max(lo, range.lo), std::min(hi, range.hi)});
}

// One window along the Fs axis, for a fixed IF: k * Fs in [lo, hi] holds for Fs in
// [lo / k, hi / k]. From some k on these overlap, and all of them together with the
// smaller Fs form the single run (0, hi / kTail].
struct FsWindow {
    MultipleWindow w;
    std::vector<FrequencyInterval>* out = nullptr;
    bool everywhere = false;
    double kFirst = 1;
    double kLast = 0;
    double kTail = 0;  // 0: no run down to 0

    double Count() const {
        if (everywhere) {
            return 1;
        }
        return Enumerated(kFirst, kLast) + (kTail > 0 ? 1 : 0);
    }
};

FsWindow PlanFsWindow(const MultipleWindow& w, FrequencyInterval range,
                      std::vector<FrequencyInterval>* out) {
    FsWindow p;
    p.w = w;
    p.out = out;
    if (w.zeroCounts && w.lo <= 0 && 0 <= w.hi) {
        p.everywhere = true;
        return p;
    }
    if (!(w.hi > 0) || !(range.hi > 0)) {
        return p;  // no positive Fs puts a multiple in the window
    }
    const double kLo = std::max(1.0, std::floor(w.lo / range.hi));
    const double kHi = range.lo > 0 ? std::ceil(w.hi / range.lo) : kInf;
    const double kMerge =
        w.hi > w.lo ? std::max(1.0, std::ceil(w.lo * kSureOverlap / (w.hi - w.lo)) + 1) : kInf;
    const double kTail = std::max(kLo, kMerge);
    p.kFirst = kLo;
    if (kHi >= kTail) {
        p.kTail = kTail;
        p.kLast = kTail > kLo ? kTail - 1 : kLo - 1;
    } else {
        p.kLast = kHi;
    }
    return p;
}

// Along Fs the rounded product k * Fs never decreases, so the Fs whose multiple k lies in
// the window form one run of doubles. Its ends are the quotients or, after rounding, one
// of their neighbours; the general search settles the rare rest.
std::optional<double> LowestFs(const MultipleWindow& w, double k) {
    const double x = w.lo / k;
    const auto bits = std::bit_cast<std::uint64_t>(x);
    const double down = std::bit_cast<double>(bits - 1);
    const double up = std::bit_cast<double>(bits + 1);
    const bool reaches = k * x >= w.lo;
    const double pick = reaches ? x : up;
    const bool settled = reaches ? !(k * down >= w.lo) : k * up >= w.lo;
    if (settled && k * pick <= w.hi) {
        return pick;
    }
    const auto hit = [&w, k](double fs) { return MultipleInWindowAt(w, fs, k); };
    return SettleRunEnd(hit, x, w.hi / k, -1);
}

std::optional<double> HighestFs(const MultipleWindow& w, double k) {
    const double x = w.hi / k;
    const auto bits = std::bit_cast<std::uint64_t>(x);
    const double down = std::bit_cast<double>(bits - 1);
    const double up = std::bit_cast<double>(bits + 1);
    const bool within = k * x <= w.hi;
    const double pick = within ? x : down;
    const bool settled = within ? !(k * up <= w.hi) : k * down <= w.hi;
    if (settled && k * pick >= w.lo) {
        return pick;
    }
    const auto hit = [&w, k](double fs) { return MultipleInWindowAt(w, fs, k); };
    return SettleRunEnd(hit, x, w.lo / k, +1);
}

void EmitFs(const FsWindow& p, FrequencyInterval range, RowEnds ends) {
    const auto lowest = [&p, ends](double k) -> std::optional<double> {
        return ends == RowEnds::kSettled ? LowestFs(p.w, k) : p.w.lo / k;
    };
    const auto highest = [&p, ends](double k) -> std::optional<double> {
        return ends == RowEnds::kSettled ? HighestFs(p.w, k) : p.w.hi / k;
    };
    const MultipleWindow& w = p.w;
    if (p.everywhere) {
        p.out->push_back(range);
        return;
    }
    for (double k = p.kFirst; k <= p.kLast; k += 1) {
        // By the same monotony, the range's own ends tell whether the run reaches into the
        // range at all, and whether it passes an end (then that end need not be settled).
        if (k * range.hi < w.lo || k * range.lo > w.hi) {
            continue;
        }
        const auto lo = k * range.lo >= w.lo ? std::optional<double>(range.lo) : lowest(k);
        const auto hi = k * range.hi <= w.hi ? std::optional<double>(range.hi) : highest(k);
        if (lo && hi) {
            Push(*p.out, *lo, *hi, range);
        }
    }
    if (p.kTail > 0 && !(p.kTail * range.lo > w.hi)) {
        const double k = p.kTail;
        const auto hi = k * range.hi <= w.hi ? std::optional<double>(range.hi) : highest(k);
        if (hi) {
            Push(*p.out, -kInf, *hi, range);
        }
    }
}

// One window along the IF axis, for a fixed Fs. The window's ends move with the IF at
// `slope` times its speed, `spread` either side of slope * IF, so k * Fs lies in it for
// IF in [(k Fs - spread) / slope, (k Fs + spread) / slope].
struct IfWindow {
    bool self = false;
    int n = 0;
    RefBand x = RefBand::kIf;
    Fold fold = Fold::kDifference;
    double slope = 1;
    double spread = 0;
    double kMin = 0;
    bool merged = false;  // the intervals of all k >= kMin form one run up to +inf
    double kFirst = 0;
    double kLast = -1;
    std::vector<FrequencyInterval>* out = nullptr;

    double Count() const { return merged ? 1 : Enumerated(kFirst, kLast); }
};

void PlanIfWindow(IfWindow& p, double fs, FrequencyInterval range) {
    p.merged = 2 * p.spread > fs * kSureOverlap;
    p.kFirst = std::max(p.kMin, std::floor((p.slope * range.lo - p.spread) / fs));
    p.kLast = std::ceil((p.slope * range.hi + p.spread) / fs);
}

void EmitIf(const IfWindow& p, const PlanFields& plan, double fs, double margin,
            FrequencyInterval range) {
    const auto windowAt = [&p, &plan, margin](double ifCentre) {
        const SpurEdges e = EdgesAt(ifCentre, plan.m_ifBw, plan.m_rfBw);
        return p.self ? SelfFoldWindow(e) : HarmonicWindow(e, p.n, p.x, p.fold, margin);
    };
    const auto emit = [&](double k, bool toInfinity) {
        const auto hit = [&windowAt, fs, k](double ifCentre) {
            return MultipleInWindowAt(windowAt(ifCentre), fs, k);
        };
        const double lo = (k * fs - p.spread) / p.slope;
        const double hi = (k * fs + p.spread) / p.slope;
        const auto settledLo = SettleRunEnd(hit, lo, hi, -1);
        if (toInfinity) {
            if (settledLo) {
                Push(*p.out, *settledLo, kInf, range);
            }
            return;
        }
        const auto settledHi = SettleRunEnd(hit, hi, lo, +1);
        if (settledLo && settledHi) {
            Push(*p.out, *settledLo, *settledHi, range);
        }
    };
    if (p.merged) {
        emit(p.kMin, true);
        return;
    }
    for (double k = p.kFirst; k <= p.kLast; k += 1) {
        emit(k, false);
    }
}

}  // namespace

void MeetRow::Clear() {
    for (auto& list : harmonic) {
        list.clear();
    }
    selfFold.clear();
    unsampled.clear();
}

namespace {

// Every window of a whole row, self fold first, each writing into its list of `row`; returns
// how many.
int PlanFsRow(const PlanFields& plan, FrequencyInterval fsRange, const SpurQuery& query,
              MeetRow& row, std::array<FsWindow, kMaxWindows>& windows) {
    const SpurEdges e = EdgesAt(plan.m_if, plan.m_ifBw, plan.m_rfBw);
    int count = 0;
    windows[static_cast<std::size_t>(count++)] =
        PlanFsWindow(SelfFoldWindow(e), fsRange, &row.selfFold);
    for (int n = 2; n <= LastHarmonic(plan); ++n) {
        for (const RefBand x : {RefBand::kIf, RefBand::kRf}) {
            if (!AsksAbout(query.against, x)) {
                continue;
            }
            for (const Fold fold : {Fold::kDifference, Fold::kSum}) {
                windows[static_cast<std::size_t>(count++)] =
                    PlanFsWindow(HarmonicWindow(e, n, x, fold, query.margin), fsRange,
                                 &row.harmonic[static_cast<std::size_t>(n)]);
            }
        }
    }
    return count;
}

// With a progress report the harmonics are planned one at a time, so that a caller that
// stops early pays for none of the rest; the bound then holds for what is worked out, and
// the row is refused as soon as it is passed.
FinderStatus MeetFsRowInStages(const PlanFields& plan, FrequencyInterval fsRange,
                               const SpurQuery& query, MeetRow& row, const RowOptions& options) {
    const SpurEdges e = EdgesAt(plan.m_if, plan.m_ifBw, plan.m_rfBw);
    const FsWindow self = PlanFsWindow(SelfFoldWindow(e), fsRange, &row.selfFold);
    double total = self.Count();
    if (!(total <= options.maxIntervals)) {
        return FinderStatus::kTooManyIntervals;
    }
    if (fsRange.lo <= 0) {
        row.unsampled.push_back({fsRange.lo, std::min(0.0, fsRange.hi)});
    }
    EmitFs(self, fsRange, options.ends);
    for (int n = 2; n <= LastHarmonic(plan); ++n) {
        std::array<FsWindow, 4> windows;
        int count = 0;
        for (const RefBand x : {RefBand::kIf, RefBand::kRf}) {
            if (!AsksAbout(query.against, x)) {
                continue;
            }
            for (const Fold fold : {Fold::kDifference, Fold::kSum}) {
                FsWindow& p = windows[static_cast<std::size_t>(count++)];
                p = PlanFsWindow(HarmonicWindow(e, n, x, fold, query.margin), fsRange,
                                 &row.harmonic[static_cast<std::size_t>(n)]);
                total += p.Count();
            }
        }
        if (!(total <= options.maxIntervals)) {
            row.Clear();
            return FinderStatus::kTooManyIntervals;
        }
        for (int i = 0; i < count; ++i) {
            EmitFs(windows[static_cast<std::size_t>(i)], fsRange, options.ends);
        }
        if (!options.progress(n)) {
            break;
        }
    }
    return FinderStatus::kOk;
}

}  // namespace

double CountFsRowIntervals(const PlanFields& plan, FrequencyInterval fsRange,
                           const SpurQuery& query) {
    if (!InputOk(plan, plan.m_if, fsRange, query)) {
        return 0;
    }
    MeetRow unused;
    std::array<FsWindow, kMaxWindows> windows;
    const int count = PlanFsRow(plan, fsRange, query, unused, windows);
    double total = 0;
    for (int i = 0; i < count; ++i) {
        total += windows[static_cast<std::size_t>(i)].Count();
    }
    return total;
}

FinderStatus MeetFsRow(const PlanFields& plan, FrequencyInterval fsRange, const SpurQuery& query,
                       MeetRow& row, const RowOptions& options) {
    row.Clear();
    if (!InputOk(plan, plan.m_if, fsRange, query)) {
        return FinderStatus::kBadInput;
    }
    if (options.progress) {
        return MeetFsRowInStages(plan, fsRange, query, row, options);
    }
    std::array<FsWindow, kMaxWindows> windows;
    const int count = PlanFsRow(plan, fsRange, query, row, windows);
    double total = 0;
    for (int i = 0; i < count; ++i) {
        total += windows[static_cast<std::size_t>(i)].Count();
    }
    if (!(total <= options.maxIntervals)) {
        return FinderStatus::kTooManyIntervals;
    }
    if (fsRange.lo <= 0) {
        row.unsampled.push_back({fsRange.lo, std::min(0.0, fsRange.hi)});
    }
    for (int i = 0; i < count; ++i) {
        EmitFs(windows[static_cast<std::size_t>(i)], fsRange, options.ends);
    }
    return FinderStatus::kOk;
}

FinderStatus MeetIfRow(const PlanFields& plan, FrequencyInterval ifRange, const SpurQuery& query,
                       MeetRow& row) {
    row.Clear();
    if (!InputOk(plan, plan.m_fs, ifRange, query)) {
        return FinderStatus::kBadInput;
    }
    const double fs = plan.m_fs;
    if (!(fs > 0)) {
        row.unsampled.push_back(ifRange);
        return FinderStatus::kOk;
    }
    const double h = std::fabs(plan.m_ifBw) / 2;
    const double r = std::fabs(plan.m_rfBw) / 2;
    std::array<IfWindow, kMaxWindows> windows;
    int count = 0;
    IfWindow& self = windows[static_cast<std::size_t>(count++)];
    self.self = true;
    self.slope = 2;
    self.spread = 2 * h;
    self.kMin = 1;
    self.out = &row.selfFold;
    for (int n = 2; n <= LastHarmonic(plan); ++n) {
        for (const RefBand x : {RefBand::kIf, RefBand::kRf}) {
            if (!AsksAbout(query.against, x)) {
                continue;
            }
            for (const Fold fold : {Fold::kDifference, Fold::kSum}) {
                IfWindow& p = windows[static_cast<std::size_t>(count++)];
                p.n = n;
                p.x = x;
                p.fold = fold;
                p.slope = fold == Fold::kDifference ? n - 1 : n + 1;
                p.spread = n * h + (x == RefBand::kIf ? h : r) + query.margin;
                p.out = &row.harmonic[static_cast<std::size_t>(n)];
            }
        }
    }
    double total = 0;
    for (int i = 0; i < count; ++i) {
        PlanIfWindow(windows[static_cast<std::size_t>(i)], fs, ifRange);
        total += windows[static_cast<std::size_t>(i)].Count();
    }
    if (!(total <= kMaxMeetIntervals)) {
        return FinderStatus::kTooManyIntervals;
    }
    for (int i = 0; i < count; ++i) {
        EmitIf(windows[static_cast<std::size_t>(i)], plan, fs, query.margin, ifRange);
    }
    return FinderStatus::kOk;
}

}  // namespace quorvel
