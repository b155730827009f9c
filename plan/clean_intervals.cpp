#include "plan/clean_intervals.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "plan/meet_intervals.h"

namespace quorvel {

namespace {

// A gap strictly between two meet intervals holds a point only if some double lies
// strictly between their ends.
bool HoldsADouble(double after, double before) {
    return std::nextafter(after, std::numeric_limits<double>::infinity()) < before;
}

void Gather(const MeetRow& row, std::vector<FrequencyInterval>& meets) {
    meets.clear();
    meets.insert(meets.end(), row.unsampled.begin(), row.unsampled.end());
    meets.insert(meets.end(), row.selfFold.begin(), row.selfFold.end());
    for (const auto& list : row.harmonic) {
        meets.insert(meets.end(), list.begin(), list.end());
    }
    for (const auto& list : row.modelled) {
        meets.insert(meets.end(), list.begin(), list.end());
    }
}

template <typename MeetLine>
CleanIntervals FindClean(const PlanFields& plan, FrequencyInterval range, const SpurQuery& query,
                         MeetLine&& meetLine) {
    CleanIntervals result;
    MeetRow row;
    result.status = meetLine(plan, range, query, row, RowOptions{});
    if (result.status != FinderStatus::kOk) {
        return result;
    }
    std::vector<FrequencyInterval> meets;
    Gather(row, meets);
    CleanGaps(meets, range, result.intervals);
    return result;
}

}  // namespace

void CleanGaps(std::vector<FrequencyInterval>& meets, FrequencyInterval range,
               std::vector<FrequencyInterval>& clean) {
    clean.clear();
    std::sort(meets.begin(), meets.end(),
              [](const FrequencyInterval& a, const FrequencyInterval& b) { return a.lo < b.lo; });
    if (meets.empty()) {
        clean.push_back(range);
        return;
    }
    // The range's lower end is clean unless the first meet interval starts there.
    if (meets.front().lo > range.lo) {
        clean.push_back({range.lo, meets.front().lo});
    }
    double cursor = meets.front().hi;
    for (const FrequencyInterval& m : meets) {
        if (m.hi <= cursor) {
            continue;
        }
        if (HoldsADouble(cursor, m.lo)) {
            clean.push_back({cursor, m.lo});
        }
        cursor = m.hi;
    }
    if (cursor < range.hi) {
        clean.push_back({cursor, range.hi});
    }
}

CleanIntervals FindCleanFs(const PlanFields& plan, FrequencyInterval fsRange,
                           const SpurQuery& query) {
    return FindClean(plan, fsRange, query, MeetFsRow);
}

CleanIntervals FindCleanIf(const PlanFields& plan, FrequencyInterval ifRange,
                           const SpurQuery& query) {
    return FindClean(plan, ifRange, query, MeetIfRow);
}

}  // namespace quorvel
