// Every clean Fs, or every clean IF, in a range: the complement of where anything meets,
// as maximal intervals.
#pragma once

#include <vector>

#include "plan/plan_fields.h"
#include "plan/spur_query.h"

namespace quorvel {

/// Maximal clean intervals, ascending and disjoint. Each end is a point that is not clean,
/// except an end that is the range's own end (that one may be clean). Empty when nothing
/// in the range is clean, and on any status but kOk.
struct CleanIntervals {
    FinderStatus status = FinderStatus::kOk;
    std::vector<FrequencyInterval> intervals;
};

/// Clean sample rates in fsRange for the plan's IF, widths and H.
CleanIntervals FindCleanFs(const PlanFields& plan, FrequencyInterval fsRange,
                           const SpurQuery& query);

/// Clean IF centres in ifRange for the plan's Fs, widths and H.
CleanIntervals FindCleanIf(const PlanFields& plan, FrequencyInterval ifRange,
                           const SpurQuery& query);

/// The gaps that `meets` (closed intervals within range, in any order, overlapping) leave
/// in range, as described for CleanIntervals. Sorts `meets` in place.
void CleanGaps(std::vector<FrequencyInterval>& meets, FrequencyInterval range,
               std::vector<FrequencyInterval>& clean);

}  // namespace quorvel
