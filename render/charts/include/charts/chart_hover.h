// What lies under a point of the chart area: the alias lines near it in the folding chart,
// or the bar on top at it in the band chart. Read from the geometry the charts draw with.
#pragma once

#include <string>
#include <vector>

#include "charts/chart_geometry.h"
#include "plan/harmonic_band.h"
#include "plan/plan_fields.h"

namespace quorvel {

/// How far from a line, in pixels, the pointer still names it.
inline constexpr double kHoverReach = 3.0;

struct AliasLineHit {
    int harmonic = 0;
    double signal = 0;  ///< MHz: the signal frequency at the nearest point of the line
    double alias = 0;   ///< MHz: where its harmonic lands there
};

struct ChartHover {
    std::vector<AliasLineHit> lines;  ///< folding chart, lowest harmonic first
    int barHarmonic = 0;              ///< band chart: the bar on top; 0 for none
    HarmonicBand barImage;            ///< that bar's image as folded
    bool empty() const { return lines.empty() && barHarmonic == 0; }
};

/// `point` in chart-area pixels (the area's top left is 0, 0) of a chart area of width x
/// height painted for `plan` (a harmonic count above the cap counts as the cap).
ChartHover HoverAt(const PlanFields& plan, int width, int height, PixelPoint point);

/// One line per harmonic named; empty when nothing lies under the point.
std::string HoverText(const ChartHover& hover);

}  // namespace quorvel
