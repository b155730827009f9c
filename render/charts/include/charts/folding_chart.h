// The upper chart: alias frequency of each harmonic against the signal frequency, with the
// IF band boxed against itself and against the RF band.
#pragma once

#include "plan/plan_fields.h"
#include "surface/drawing_surface.h"

namespace quorvel {

inline constexpr ColorRef kBoxColour = 0x00FF00;

/// Draws the chart into the band (0, 0, width, height) of the surface: a black fill, the
/// frame, and, when the plan passes the chart gate, the two boxes, the alias lines of
/// harmonics H down to 2, the tick labels (xMin..xMax) and the axis title. Boxes and lines
/// are placed on the fixed scale 0..Fs/2 whatever the label range.
void DrawFoldingChart(DrawingSurface& dc, const PlanFields& plan, int width, int height,
                      double xMin, double xMax);

}  // namespace quorvel
