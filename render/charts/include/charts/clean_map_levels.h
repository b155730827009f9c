// The clean map with levels given: a point shows the dBc of the loudest counting member that
// meets a band there, on a perceptual scale from the floor (or the weakest known level) up
// to 0 dBc, an unknown level in a colour of its own.
#pragma once

#include <optional>

#include "charts/clean_map_rows.h"
#include "plan/spur_model.h"
#include "plan/spur_verdict.h"

namespace quorvel {

/// A level of unknown strength; then kMapLevelSteps codes from the scale's bottom up.
inline constexpr MapCode kMapUnknownLevel = 63;
inline constexpr MapCode kMapFirstLevel = 64;
inline constexpr int kMapLevelSteps = 32;

/// The dBc the scale runs over: from the floor, or below the weakest known level, up to 0.
struct LevelScale {
    double lo = -100.0;
    double hi = 0.0;
};

LevelScale LevelScaleOf(const SpurModel& model, const PlanFields& plan);

/// The code of a member's level in dBc (nothing: unknown).
MapCode LevelMapCode(std::optional<double> dbc, const LevelScale& scale);

/// The lower end, in dBc, of the step a level code stands for.
double LevelCodeDbc(MapCode code, const LevelScale& scale);

/// Light for the weakest, dark for the loudest, as the eye reads strength; an unknown
/// level red.
ColorRef LevelMapColour(MapCode code);

/// The member that colours one operating point with levels given: the loudest counting
/// member meeting a band asked about, an unknown level above any known one, harmonics and
/// modelled members alike (a harmonic as the member {kHarmonic, n, 0}). Nothing when none
/// meets.
std::optional<SpurMember> WorstMeetingMember(const SpurVerdict& verdict, const SpurModel& model,
                                             Against against, const PlanFields& plan);

/// MapCodeOf with levels: the worst member's level code, else the self fold, else clean.
MapCode LevelledMapCodeOf(const SpurVerdict& verdict, const SpurModel& model, Against against,
                          const PlanFields& plan);

}  // namespace quorvel
