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

// The modelled members' stage is reported by the harmonic number their windows carry.
static_assert(kModelledDone == SpurWindowSource::kModelled);

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
           Bounded(range.hi) && range.lo < range.hi && Bounded(query.margin) && query.margin >= 0 &&
           ModelBounded(query.model);
}

void Push(std::vector<FrequencyInterval>& out, double lo, double hi, FrequencyInterval range) {
    if (hi < range.lo || lo > range.hi) {
        return;
    }
    out.push_back({std::max(lo, range.lo), std::min(hi, range.hi)});
}

// One window along the Fs axis, for a fixed IF: point k, j Fs / M with j = residue + k M,
// lies in [lo, hi] for Fs in [lo M / j, hi M / j] (for multiples of Fs, [lo / k, hi / k]).
// From some k on these overlap, and all of them together with the smaller Fs form the
// single run (0, hi M / j(kTail)].
struct FsWindow {
    MultipleWindow w;
    std::vector<FrequencyInterval>* out = nullptr;
    bool everywhere = false;
    double kFirst = 1;
    double kLast = 0;
    bool tail = false;  // a run down to 0
    double kTail = 0;
    double count = 0;  // over the row's whole range, however narrowed since

    double Count() const { return count; }
};

// Which multiples reach into `range`: kFirst..kLast one by one, then from kTail on (with
// `tail`) the single run, the runs from kMerged on overlapping.
void BoundFsWindow(FsWindow& p, FrequencyInterval range, double first, double kMerged) {
    p.kFirst = 1;
    p.kLast = 0;
    p.tail = false;
    p.kTail = 0;
    const MultipleWindow& w = p.w;
    if (!(range.hi > 0)) {
        return;  // no positive Fs puts a point in the window
    }
    const double kLow = std::max(first, std::floor(LatticeIndex(w, w.lo, range.hi)));
    const double kHigh = range.lo > 0 ? std::ceil(LatticeIndex(w, w.hi, range.lo)) : kInf;
    const double kTail = std::max(kLow, kMerged);
    p.kFirst = kLow;
    if (kHigh >= kTail) {
        p.tail = true;
        p.kTail = kTail;
        p.kLast = kTail > kLow ? kTail - 1 : kLow - 1;
    } else {
        p.kLast = kHigh;
    }
}

// Written in place: a row plans a hundred windows or more, and a plan copied into its slot
// costs more than working it out. Counted over `whole`, worked out over `range` within it.
void PlanFsWindow(FsWindow& p, const MultipleWindow& w, FrequencyInterval range,
                  FrequencyInterval whole, std::vector<FrequencyInterval>* out) {
    p = FsWindow{};
    p.w = w;
    p.out = out;
    if (w.zeroCounts && w.residue == 0 && w.lo <= 0 && 0 <= w.hi) {
        p.everywhere = true;
        p.count = 1;
        return;
    }
    if (!(w.hi > 0)) {
        return;  // no positive Fs puts a point in the window
    }
    const double first = FirstPositiveIndex(w);
    // Points j and j + M overlap once j >= lo M / (hi - lo).
    const double jMerged =
        w.hi > w.lo ? std::ceil(w.lo * kSureOverlap * w.period / (w.hi - w.lo)) + w.period : kInf;
    const double kMerged =
        std::max(first, w.period == 1 ? jMerged : std::ceil((jMerged - w.residue) / w.period));
    BoundFsWindow(p, whole, first, kMerged);
    p.count = Enumerated(p.kFirst, p.kLast) + (p.tail ? 1 : 0);
    if (!(range == whole)) {
        BoundFsWindow(p, range, first, kMerged);
    }
}

// Along Fs the rounded product k * Fs never decreases, so the Fs whose multiple k lies in
// the window form one run of doubles. Its ends are the quotients or, after rounding, one
// of their neighbours; the general search settles the rare rest.
std::optional<double> LowestFs(const MultipleWindow& w, double k) {
    const double x = LatticeFs(w, w.lo, k);
    const auto bits = std::bit_cast<std::uint64_t>(x);
    const double down = std::bit_cast<double>(bits - 1);
    const double up = std::bit_cast<double>(bits + 1);
    const auto point = [&w, k](double fs) { return LatticePoint(w, fs, k); };
    const bool reaches = point(x) >= w.lo;
    const double pick = reaches ? x : up;
    const bool settled = reaches ? !(point(down) >= w.lo) : point(up) >= w.lo;
    if (settled && point(pick) <= w.hi) {
        return pick;
    }
    const auto hit = [&w, k](double fs) { return MultipleInWindowAt(w, fs, k); };
    return SettleRunEnd(hit, x, LatticeFs(w, w.hi, k), -1);
}

std::optional<double> HighestFs(const MultipleWindow& w, double k) {
    const double x = LatticeFs(w, w.hi, k);
    const auto bits = std::bit_cast<std::uint64_t>(x);
    const double down = std::bit_cast<double>(bits - 1);
    const double up = std::bit_cast<double>(bits + 1);
    const auto point = [&w, k](double fs) { return LatticePoint(w, fs, k); };
    const bool within = point(x) <= w.hi;
    const double pick = within ? x : down;
    const bool settled = within ? !(point(up) <= w.hi) : point(down) <= w.hi;
    if (settled && point(pick) >= w.lo) {
        return pick;
    }
    const auto hit = [&w, k](double fs) { return MultipleInWindowAt(w, fs, k); };
    return SettleRunEnd(hit, x, LatticeFs(w, w.lo, k), +1);
}

void EmitFs(const FsWindow& p, FrequencyInterval range, RowEnds ends) {
    const auto lowest = [&p, ends](double k) -> std::optional<double> {
        return ends == RowEnds::kSettled ? LowestFs(p.w, k) : LatticeFs(p.w, p.w.lo, k);
    };
    const auto highest = [&p, ends](double k) -> std::optional<double> {
        return ends == RowEnds::kSettled ? HighestFs(p.w, k) : LatticeFs(p.w, p.w.hi, k);
    };
    const MultipleWindow& w = p.w;
    if (p.everywhere) {
        p.out->push_back(range);
        return;
    }
    for (double k = p.kFirst; k <= p.kLast; k += 1) {
        // By the same monotony, the range's own ends tell whether the run reaches into the
        // range at all, and whether it passes an end (then that end need not be settled).
        if (LatticePoint(w, range.hi, k) < w.lo || LatticePoint(w, range.lo, k) > w.hi) {
            continue;
        }
        const auto lo =
            LatticePoint(w, range.lo, k) >= w.lo ? std::optional<double>(range.lo) : lowest(k);
        const auto hi =
            LatticePoint(w, range.hi, k) <= w.hi ? std::optional<double>(range.hi) : highest(k);
        if (lo && hi) {
            Push(*p.out, *lo, *hi, range);
        }
    }
    if (p.tail && !(LatticePoint(w, range.lo, p.kTail) > w.hi)) {
        const double k = p.kTail;
        const auto hi =
            LatticePoint(w, range.hi, k) <= w.hi ? std::optional<double>(range.hi) : highest(k);
        if (hi) {
            Push(*p.out, -kInf, *hi, range);
        }
    }
}

// One window along the IF axis, for a fixed Fs. The window's ends move with the IF at
// `slope` times its speed, `spread` either side of slope * IF + offset, so a point v of the
// lattice lies in it for IF between (v - offset - spread) / slope and
// (v - offset + spread) / slope. A window that does not move (slope 0) holds a point for
// every IF or for none.
struct IfWindow {
    SpurWindowSource source;
    double slope = 1;
    double offset = 0;
    double spread = 0;
    double kMin = 0;
    MultipleWindow lattice;  // the window at some IF: its lattice, and all of it at slope 0
    bool merged = false;     // the intervals of all k >= kMin form one run out to infinity
    double kFirst = 0;
    double kLast = -1;
    std::vector<FrequencyInterval>* out = nullptr;
    double count = 0;  // over the row's whole range, however narrowed since

    double Count() const { return count; }
};

// The points the window passes over while the IF runs through `range`.
void BoundIfWindow(IfWindow& p, FrequencyInterval range, double fs) {
    const MultipleWindow& w = p.lattice;
    const double rise = p.slope > 0 ? p.slope * range.lo : p.slope * range.hi;
    const double top = p.slope > 0 ? p.slope * range.hi : p.slope * range.lo;
    p.kFirst = std::max(p.kMin, std::floor(LatticeIndex(w, rise + p.offset - p.spread, fs)));
    p.kLast = std::ceil(LatticeIndex(w, top + p.offset + p.spread, fs));
}

void PlanIfWindow(IfWindow& p, const SpurWindowSource& source, const PlanFields& plan,
                  double margin, FrequencyInterval range, FrequencyInterval whole,
                  std::vector<FrequencyInterval>* out) {
    p = IfWindow{};
    p.source = source;
    p.out = out;
    p.slope = source.Slope();
    p.offset = source.Offset();
    p.spread = source.Spread(plan.m_ifBw, plan.m_rfBw, margin);
    p.lattice = source.At(EdgesAt(whole.lo, plan.m_ifBw, plan.m_rfBw), margin);
    const MultipleWindow& w = p.lattice;
    p.kMin = w.zeroCounts && w.residue == 0 ? 0 : FirstPositiveIndex(w);
    const double fs = plan.m_fs;
    p.merged = 2 * p.spread > fs * kSureOverlap;
    BoundIfWindow(p, whole, fs);
    p.count = p.slope == 0 || p.merged ? 1 : Enumerated(p.kFirst, p.kLast);
    if (!(range == whole)) {
        BoundIfWindow(p, range, fs);
    }
}

void EmitIf(const IfWindow& p, const PlanFields& plan, double margin, FrequencyInterval range,
            RowEnds ends) {
    const double fs = plan.m_fs;
    if (p.slope == 0) {
        if (MultipleInWindow(p.lattice, fs)) {
            p.out->push_back(range);
        }
        return;
    }
    const auto windowAt = [&p, &plan, margin](double ifCentre) {
        return p.source.At(EdgesAt(ifCentre, plan.m_ifBw, plan.m_rfBw), margin);
    };
    const bool rising = p.slope > 0;
    const auto emit = [&](double k, bool toInfinity) {
        const auto hit = [&windowAt, fs, k](double ifCentre) {
            return MultipleInWindowAt(windowAt(ifCentre), fs, k);
        };
        const double v = LatticePoint(p.lattice, fs, k);
        const double early = (v - p.offset - p.spread) / p.slope;
        const double late = (v - p.offset + p.spread) / p.slope;
        const double lo = rising ? early : late;
        const double hi = rising ? late : early;
        const auto settle = [&](double from, double towards, int direction) {
            return ends == RowEnds::kSettled ? SettleRunEnd(hit, from, towards, direction)
                                             : std::optional<double>(from);
        };
        if (toInfinity) {
            // A rising window meets every point from here on as the IF goes up, a falling
            // one as it goes down.
            if (rising) {
                if (const auto settledLo = settle(lo, hi, -1)) {
                    Push(*p.out, *settledLo, kInf, range);
                }
            } else if (const auto settledHi = settle(hi, lo, +1)) {
                Push(*p.out, -kInf, *settledHi, range);
            }
            return;
        }
        const auto settledLo = settle(lo, hi, -1);
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

// Works a row out from the plan's windows over `whole`, whichever axis it runs along:
// `planWindow` turns a window into its intervals' plan (a Planned) over what is still wanted
// of the range, counted over all of it, `emit` writes them, `begin` what the row holds
// before any window. The work is counted before it is done, and over the whole range
// however much of it is still wanted, so a row is refused or not as if it were all worked
// out; with a progress report the windows are planned a harmonic at a time, so a caller
// that stops early pays for none of the rest.
template <typename Planned, typename PlanWindow, typename Emit, typename Begin>
FinderStatus DriveRow(const SpurWindowList& windows, FrequencyInterval whole, MeetRow& row,
                      const RowOptions& options, PlanWindow planWindow, Emit emit, Begin begin) {
    // Kept from row to row on each thread, so a caller drawing rows allocates none of it
    // again. A stage is planned and emitted with no report between, so a report that works
    // out a row of its own costs this row nothing but the sizing below.
    thread_local std::vector<Planned> planned;
    double total = 0;
    bool begun = false;
    const SpurWindowSource* next = windows.begin();
    while (next != windows.end()) {
        // Without a report the whole row is one stage; with one, the self fold, each
        // harmonic, then the modelled members together.
        const SpurWindowSource* stageEnd = next + 1;
        if (!options.progress) {
            stageEnd = windows.end();
        } else {
            while (stageEnd != windows.end() && stageEnd->harmonic == next->harmonic) {
                ++stageEnd;
            }
        }
        FrequencyInterval range = whole;
        if (options.progress && options.wanted != nullptr) {
            range = {std::max(whole.lo, options.wanted->lo),
                     std::min(whole.hi, options.wanted->hi)};
        }
        const bool wanted = range.lo <= range.hi;
        if (!wanted) {
            range = whole;  // counted all the same, and nothing written
        }
        const auto first = static_cast<std::size_t>(next - windows.begin());
        const auto last = static_cast<std::size_t>(stageEnd - windows.begin());
        if (planned.size() < last) {
            planned.resize(static_cast<std::size_t>(windows.size()));
        }
        for (std::size_t i = first; i < last; ++i) {
            planWindow(windows.begin()[i], planned[i], range);
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
        for (std::size_t i = first; i < last && wanted; ++i) {
            emit(planned[i], range);
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
    if (source.Modelled()) {
        return &row.modelled[static_cast<std::size_t>(source.modelled)];
    }
    return source.SelfFold() ? &row.selfFold
                             : &row.harmonic[static_cast<std::size_t>(source.harmonic)];
}

// The row's windows: the caller's, or made here into `made`.
const SpurWindowList& RowWindows(const PlanFields& plan, const SpurQuery& query,
                                 const RowOptions& options, std::optional<SpurWindowList>& made,
                                 MeetRow& row) {
    if (options.windows == nullptr) {
        made.emplace(SpurWindowsOf(plan, query.against, query.model));
    }
    const SpurWindowList& windows = options.windows != nullptr ? *options.windows : *made;
    row.modelled.resize(static_cast<std::size_t>(windows.modelledMembers()));
    return windows;
}

}  // namespace

void MeetRow::Clear() {
    for (auto& list : harmonic) {
        list.clear();
    }
    for (auto& list : modelled) {
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
    FsWindow p;
    for (const SpurWindowSource& source : SpurWindowsOf(plan, query.against, query.model)) {
        PlanFsWindow(p, source.At(e, query.margin), fsRange, fsRange, nullptr);
        total += p.Count();
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
    std::optional<SpurWindowList> made;
    return DriveRow<FsWindow>(
        RowWindows(plan, query, options, made, row), fsRange, row, options,
        [&](const SpurWindowSource& source, FsWindow& p, FrequencyInterval range) {
            PlanFsWindow(p, source.At(e, query.margin), range, fsRange, ListFor(row, source));
        },
        [&](const FsWindow& p, FrequencyInterval range) { EmitFs(p, range, options.ends); },
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
    std::optional<SpurWindowList> made;
    return DriveRow<IfWindow>(
        RowWindows(plan, query, options, made, row), ifRange, row, options,
        [&](const SpurWindowSource& source, IfWindow& p, FrequencyInterval range) {
            PlanIfWindow(p, source, plan, query.margin, range, ifRange, ListFor(row, source));
        },
        [&](const IfWindow& p, FrequencyInterval range) {
            EmitIf(p, plan, query.margin, range, options.ends);
        },
        [] {});
}

}  // namespace quorvel
