// Whether each harmonic's image meets the IF band and the RF band: the flags every table
// of the folded bands shows, decided once here.
#pragma once

#include <array>

#include "plan/harmonic_band.h"
#include "plan/plan_fields.h"

namespace quorvel {

/// True when the closed interval between a and b (in either order) meets the closed one
/// between c and d (in either order). False when any of them is NaN.
bool ClosedIntervalsMeet(double a, double b, double c, double d);

struct HarmonicMeets {
    bool meetsIf = false;
    bool meetsRf = false;
};
using HarmonicMeetsTable = std::array<HarmonicMeets, kHarmonicBandTableSize>;

/// Entries 2..min(H, 26): whether the image in `bands` meets the first-zone image of the
/// IF band and of the RF band. Every image lies in the first zone, so it is met against
/// the bands' own images there. The others are left alone.
void ComputeHarmonicMeets(const PlanFields& plan, const HarmonicBandTable& bands,
                          HarmonicMeetsTable& table);

}  // namespace quorvel
