// The readout after a left click: the frequency under the pointer and its offset from the
// IF, written as two black-on-white lines just above the click point.
#pragma once

#include "charts/marker_point.h"
#include "plan/plan_fields.h"
#include "surface/drawing_surface.h"

namespace quorvel {

inline constexpr int kMarkerFontHeight = 13;

/// Draws the readout for `marker`, read on the plan's frequency scale. `area`:
/// left and right span the chart area's width; top is the height of the strip above the
/// surface, which turns the client y into a surface row; bottom is not used. The
/// frequency scale runs from xMin at x = 38 to xMax at x = area width - 12. Draws nothing
/// when the area leaves no plot width (50 pixels or narrower).
void DrawFrequencyMarker(DrawingSurface& dc, const PlanFields& plan, MarkerPoint marker,
                         PixelRect area, double xMin, double xMax);

}  // namespace quorvel
