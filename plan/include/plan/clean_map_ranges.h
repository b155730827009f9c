// The ranges a clean map opens with for a plan: the slider's Fs range and 0 to Fs/2 for
// the IF where they make a map that holds the plan, otherwise ranges around the plan.
#pragma once

#include "plan/plan_fields.h"
#include "plan/spur_query.h"

namespace quorvel {

struct CleanMapRanges {
    FrequencyInterval fs;
    FrequencyInterval ifc;
};

/// Always two finite ranges with lo < hi.
CleanMapRanges DefaultCleanMapRanges(const PlanFields& plan);

}  // namespace quorvel
