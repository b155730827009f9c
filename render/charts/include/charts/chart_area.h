// The whole chart area on one surface: the folding chart above, the harmonic band chart
// below and, when set, the marker readout on top.
#pragma once

#include <optional>

#include "charts/marker_point.h"
#include "plan/plan_fields.h"
#include "surface/drawing_surface.h"

namespace quorvel {

/// Height of the dialog's control strip; the chart area starts below it, so a marker
/// point in dialog client coordinates lies this much lower than on the chart area.
inline constexpr int kControlStripHeight = 50;

/// Draws the chart area of `width` x `height` pixels on a surface that starts all black:
/// black background colour, the folding chart in (0, 0, width, height / 2), the band chart
/// in (0, height / 2, width, height), and the readout for `marker` when it is shown. A
/// harmonic count above the cap is drawn as the cap. With `highlight`, that harmonic's line
/// and bar are drawn again over the charts, below the readout; without it nothing else is
/// drawn.
void PaintChartArea(DrawingSurface& dc, const PlanFields& plan, int width, int height,
                    MarkerPoint marker = {}, std::optional<int> highlight = std::nullopt);

}  // namespace quorvel
