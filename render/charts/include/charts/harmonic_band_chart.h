// The lower chart: one row per harmonic, the IF and RF bands as outlines, and a hatched bar
// where the IF band lands at each harmonic once folded into 0..Fs/2.
#pragma once

#include "plan/harmonic_colour.h"
#include "plan/plan_fields.h"
#include "surface/drawing_surface.h"

namespace quorvel {

inline constexpr ColorRef kOddHarmonicColour = HarmonicColour(3);   // cyan
inline constexpr ColorRef kEvenHarmonicColour = HarmonicColour(2);  // red

/// Draws the chart into `area` (its left is taken as 0) without clearing it: H row lines,
/// the column lines and axes, and, when the plan passes the chart gate, the band outlines,
/// the bars of harmonics 2..H, the row labels, the frequency labels (xMin..xMax) and the
/// titles. Bars and outlines are placed on the fixed scale 0..Fs/2.
void DrawHarmonicBandChart(DrawingSurface& dc, const PlanFields& plan, PixelRect area, double xMin,
                           double xMax);

}  // namespace quorvel
