// One harmonic picked out in both charts: its alias line and its bar drawn again on top,
// in a colour no chart uses and thicker, so it stands out of a tangle of 25 lines.
#pragma once

#include "plan/plan_fields.h"
#include "surface/drawing_surface.h"

namespace quorvel {

/// Yellow: none of the charts' cyan, red, green or greys.
inline constexpr ColorRef kHighlightColour = 0x00FFFF;

/// Draws harmonic n's alias line and bar over the charts of a chart area of width x
/// height, from the same geometry the charts drew them with. `plan` has its harmonic
/// count capped. Draws nothing when the plan shows no data or n is not among 2..H.
void DrawHarmonicHighlight(DrawingSurface& dc, const PlanFields& plan, int width, int height,
                           int harmonic);

}  // namespace quorvel
