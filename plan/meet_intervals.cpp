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

// How many multiples from first to last, or infinite (refused) when they cannot be counted
// out one by one.
double Enumerated(double first, double last) {
    if (!(last >= first)) {
        return 0;
    }
    return last < kWholeDoubleLimit ? last - first + 1 : kInf;
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
    const double kLow = std::max(1.0, std::floor(w.lo / range.hi));
    const double kHigh = range.lo > 0 ? std::ceil(w.hi / range.lo) : kInf;
    const double kMerged =
        w.hi > w.lo ? std::max(1.0, std::ceil(w.lo * kSureOverlap / (w.hi - w.lo)) + 1) : kInf;
    const double kTail = std::max(kLow, kMerged);
    p.kFirst = kLow;
    if (kHigh >= kTail) {
        p.kTail = kTail;
        p.kLast = kTail > kLow ? kTail - 1 : kLow - 1;
    } else {
        p.kLast = kHigh;
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
    SpurWindowSource source;
    double slope = 1;
    double spread = 0;
    double kMin = 0;
    bool merged = false;  // the intervals of all k >= kMin form one run up to +inf
    double kFirst = 0;
    double kLast = -1;
    std::vector<FrequencyInterval>* out = nullptr;

    double Count() const { return merged ? 1 : Enumerated(kFirst, kLast); }
};

IfWindow PlanIfWindow(const SpurWindowSource& source, const PlanFields& plan, double margin,
                      FrequencyInterval range, std::vector<FrequencyInterval>* out) {
    IfWindow p;
    p.source = source;
    p.out = out;
    p.slope = source.Slope();
    p.spread = source.Spread(plan.m_ifBw, plan.m_rfBw, margin);
    p.kMin = source.SelfFold() ? 1 : 0;
    const double fs = plan.m_fs;
    p.merged = 2 * p.spread > fs * kSureOverlap;
    p.kFirst = std::max(p.kMin, std::floor((p.slope * range.lo - p.spread) / fs));
    p.kLast = std::ceil((p.slope * range.hi + p.spread) / fs);
    return p;
}

void EmitIf(const IfWindow& p, const PlanFields& plan, double margin, FrequencyInterval range,
            RowEnds ends) {
    const double fs = plan.m_fs;
    const auto windowAt = [&p, &plan, margin](double ifCentre) {
        return p.source.At(EdgesAt(ifCentre, plan.m_ifBw, plan.m_rfBw), margin);
    };
    const auto emit = [&](double k, bool toInfinity) {
        const auto hit = [&windowAt, fs, k](double ifCentre) {
            return MultipleInWindowAt(windowAt(ifCentre), fs, k);
        };
        const double lo = (k * fs - p.spread) / p.slope;
        const double hi = (k * fs + p.spread) / p.slope;
        const auto settle = [&](double from, double towards, int direction) {
            return ends == RowEnds::kSettled ? SettleRunEnd(hit, from, towards, direction)
                                             : std::optional<double>(from);
        };
        const auto settledLo = settle(lo, hi, -1);
        if (toInfinity) {
            if (settledLo) {
                Push(*p.out, *settledLo, kInf, range);
            }
            return;
        }
        const auto settledHi = settle(hi, lo, +1);
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

// Works a row out from the plan's windows, whichever axis it runs along: `planWindow` turns
// a window into its intervals' plan, `emit` writes them, `begin` what the row holds before
// any window. The work is counted before it is done; with a progress report the windows
// are planned a harmonic at a time, so a caller that stops early pays for none of the rest.
template <typename PlanWindow, typename Emit, typename Begin>
FinderStatus DriveRow(const SpurWindowList& windows, MeetRow& row, const RowOptions& options,
                      PlanWindow planWindow, Emit emit, Begin begin) {
    using Planned = decltype(planWindow(*windows.begin()));
    std::array<Planned, kMaxSpurWindows> planned;
    double total = 0;
    bool begun = false;
    const SpurWindowSource* next = windows.begin();
    while (next != windows.end()) {
        // Without a report the whole row is one stage; with one, the self fold and then
        // each harmonic.
        const SpurWindowSource* stageEnd = next + 1;
        if (!options.progress) {
            stageEnd = windows.end();
        } else {
            while (stageEnd != windows.end() && stageEnd->harmonic == next->harmonic) {
                ++stageEnd;
            }
        }
        const auto first = static_cast<std::size_t>(next - windows.begin());
        const auto last = static_cast<std::size_t>(stageEnd - windows.begin());
        for (std::size_t i = first; i < last; ++i) {
            planned[i] = planWindow(windows.begin()[i]);
            total += planned[i].Count();
        }
        if (!(total <= options.maxIntervals)) {
            row.Clear();
            return FinderStatus::kTooManyIntervals;
        }
        if (!begun) {
            begin();
            begun = true;
        }
        for (std::size_t i = first; i < last; ++i) {
            emit(planned[i]);
        }
        const int harmonic = next->harmonic;
        next = stageEnd;
        if (options.progress && harmonic != SpurWindowSource::kSelfFold &&
            !options.progress(harmonic)) {
            break;
        }
    }
    return FinderStatus::kOk;
}

std::vector<FrequencyInterval>* ListFor(MeetRow& row, const SpurWindowSource& source) {
    return source.SelfFold() ? &row.selfFold
                             : &row.harmonic[static_cast<std::size_t>(source.harmonic)];
}

}  // namespace

void MeetRow::Clear() {
    for (auto& list : harmonic) {
        list.clear();
    }
    selfFold.clear();
    unsampled.clear();
}

double CountFsRowIntervals(const PlanFields& plan, FrequencyInterval fsRange,
                           const SpurQuery& query) {
    if (!InputOk(plan, plan.m_if, fsRange, query)) {
        return 0;
    }
    const SpurEdges e = EdgesAt(plan.m_if, plan.m_ifBw, plan.m_rfBw);
    double total = 0;
    for (const SpurWindowSource& source : SpurWindowsOf(plan, query.against)) {
        total += PlanFsWindow(source.At(e, query.margin), fsRange, nullptr).Count();
    }
    return total;
}

FinderStatus MeetFsRow(const PlanFields& plan, FrequencyInterval fsRange, const SpurQuery& query,
                       MeetRow& row, const RowOptions& options) {
    row.Clear();
    if (!InputOk(plan, plan.m_if, fsRange, query)) {
        return FinderStatus::kBadInput;
    }
    const SpurEdges e = EdgesAt(plan.m_if, plan.m_ifBw, plan.m_rfBw);
    return DriveRow(
        SpurWindowsOf(plan, query.against), row, options,
        [&](const SpurWindowSource& source) {
            return PlanFsWindow(source.At(e, query.margin), fsRange, ListFor(row, source));
        },
        [&](const FsWindow& p) { EmitFs(p, fsRange, options.ends); },
        [&] {
            if (fsRange.lo <= 0) {
                row.unsampled.push_back({fsRange.lo, std::min(0.0, fsRange.hi)});
            }
        });
}

FinderStatus MeetIfRow(const PlanFields& plan, FrequencyInterval ifRange, const SpurQuery& query,
                       MeetRow& row, const RowOptions& options) {
    row.Clear();
    if (!InputOk(plan, plan.m_fs, ifRange, query)) {
        return FinderStatus::kBadInput;
    }
    if (!(plan.m_fs > 0)) {
        row.unsampled.push_back(ifRange);
        return FinderStatus::kOk;
    }
    return DriveRow(
        SpurWindowsOf(plan, query.against), row, options,
        [&](const SpurWindowSource& source) {
            return PlanIfWindow(source, plan, query.margin, ifRange, ListFor(row, source));
        },
        [&](const IfWindow& p) { EmitIf(p, plan, query.margin, ifRange, options.ends); }, [] {});
}

}  // namespace quorvel
