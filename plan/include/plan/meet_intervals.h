// Where each harmonic meets a reference band along one line of the plane: every Fs in a
// range for one IF (a row of the clean map), or every IF in a range for one Fs. Each
// meeting is a closed interval per multiple of Fs; nothing is sampled or stepped.
#pragma once

#include <array>
#include <functional>
#include <vector>

#include "plan/harmonic_band.h"
#include "plan/plan_fields.h"
#include "plan/spur_query.h"
#include "plan/spur_windows.h"

namespace quorvel {

/// The closed intervals of one line where something spoils the plan, clipped to the range.
/// Within each list the intervals come in no particular order and may overlap. Each end
/// inside the range is a point the direct verdict (JudgeSpurs) calls a hit. The vectors
/// keep their capacity from one call to the next, so a caller drawing row after row
/// allocates only while the rows grow.
struct MeetRow {
    /// [n]: where harmonic n (2..min(H, 26)) meets a band asked about.
    std::array<std::vector<FrequencyInterval>, kHarmonicBandTableSize> harmonic;
    /// [i]: where modelled member i (ModelledMembersOf the query's model) meets a band.
    std::vector<std::vector<FrequencyInterval>> modelled;
    /// Where the IF band folds onto itself.
    std::vector<FrequencyInterval> selfFold;
    /// Where there is no sampling at all: Fs <= 0.
    std::vector<FrequencyInterval> unsampled;

    void Clear();
};

/// How an interval's ends are found: settled to the last double against the direct verdict,
/// or left as the quotients of the window's ends by k, which may lie a few doubles off.
/// A picture of the plane, a pixel wide at the least, needs no more than the quotients.
enum class RowEnds { kSettled, kQuotients };

/// Told each time a harmonic's intervals are complete, the self fold's and the unsampled
/// ones being there from the first call, and once more with kModelledDone when every
/// modelled member's are; returns false when it needs no more.
using RowProgress = std::function<bool(int harmonic)>;
inline constexpr int kModelledDone = -1;

/// How a row is worked out; the defaults are the finder's.
struct RowOptions {
    RowEnds ends = RowEnds::kSettled;
    RowProgress progress;
    /// The row is refused (kTooManyIntervals) when it would hold more intervals.
    double maxIntervals = kMaxMeetIntervals;
    /// With a progress report: the part of the range the caller still wants, which each
    /// report may narrow. Every harmonic (and the modelled members) after a report is worked
    /// out over what is left of the range as if it were the range, but counted against
    /// maxIntervals over the whole of it, so the row is refused just as without. Within that
    /// part each interval is the whole range's, but that with RowEnds::kQuotients an end the
    /// part's own end stands in for may lie off the quotient by the quotient's few doubles.
    /// Nothing is worked out while the part is empty (lo > hi). Null: the whole range.
    const FrequencyInterval* wanted = nullptr;
    /// SpurWindowsOf(plan, query.against, query.model) made once by a caller that works out
    /// many rows of one plan and query (the windows do not depend on the IF or Fs); made
    /// afresh for the row when null.
    const SpurWindowList* windows = nullptr;
};

/// Every Fs in fsRange, for the plan's IF, widths and H (its Fs is not read), harmonics in
/// increasing order. On any status but kOk the row is left empty. The work is bounded by
/// options.maxIntervals: without a progress report the whole row is refused before any of
/// it is worked out; with one, as soon as the harmonics worked out so far pass the bound
/// (after some harmonics may have been reported).
FinderStatus MeetFsRow(const PlanFields& plan, FrequencyInterval fsRange, const SpurQuery& query,
                       MeetRow& row, const RowOptions& options = {});

/// How many intervals MeetFsRow without a progress report would work out for the row, none
/// of them worked out; 0 for input it refuses as bad.
double CountFsRowIntervals(const PlanFields& plan, FrequencyInterval fsRange,
                           const SpurQuery& query);

/// Every IF in ifRange, for the plan's Fs, widths and H (its IF is not read), worked out
/// as MeetFsRow works out its row.
FinderStatus MeetIfRow(const PlanFields& plan, FrequencyInterval ifRange, const SpurQuery& query,
                       MeetRow& row, const RowOptions& options = {});

}  // namespace quorvel
