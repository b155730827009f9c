// The numbers behind the charts as CSV text: the harmonic band table and the alias lines.
#pragma once

#include <string>

#include "plan/band_meets.h"
#include "plan/number_text.h"
#include "plan/plan_fields.h"

namespace quorvel {

/// True when the charts draw plan data for this plan (Fs > 0, RF BW > 0, H < 27); the
/// harmonic count is capped at 26 first, as every paint does.
bool PlanHasChartData(const PlanFields& plan);

/// harmonic,lo_mhz,hi_mhz,in_if_band,in_rf_band: one row per harmonic 2..H (H capped at 26),
/// the folded edges as computed, reversed pairs kept; the flags say whether the image meets
/// the first-zone image of the IF band and of the RF band. Meant for plans with chart data.
std::string HarmonicBandCsv(const PlanFields& plan);

/// harmonic,vertex,x_mhz,y_mhz,colour: the alias lines in drawing order, one row per vertex,
/// the colour as 0x00BBGGRR. Meant for plans with chart data.
std::string AliasLineCsv(const PlanFields& plan);

}  // namespace quorvel
