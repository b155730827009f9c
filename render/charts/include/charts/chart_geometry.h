// Where the chart area puts its charts and where each chart puts its data, in surface
// pixels: what the charts draw with, and what the program reads back when it asks what
// lies under a point or which pixels belong to one harmonic.
#pragma once

#include <array>
#include <cstdint>
#include <tuple>

#include "charts/plot_frame.h"
#include "plan/alias_lines.h"
#include "plan/harmonic_band.h"
#include "plan/plan_fields.h"
#include "surface/drawing_surface.h"

namespace quorvel {

struct PixelPoint {
    int x = 0;
    int y = 0;
    friend bool operator==(const PixelPoint&, const PixelPoint&) = default;
};

/// The folding chart's band in a chart area of width x height: rows 0 to height / 2.
PixelRect FoldingChartBand(int width, int height);

/// The band chart's band: from row height / 2 to the bottom.
PixelRect BandChartBand(int width, int height);

/// One alias line where the folding chart draws it: its vertices in surface pixels.
struct AliasLinePath {
    int harmonic = 0;
    int count = 0;
    std::array<PixelPoint, std::tuple_size_v<decltype(AliasLine::points)>> points{};
};

/// `half` is the scale's full value, Fs/2.
AliasLinePath PlaceAliasLine(const PlotFrame& frame, double half, const AliasLine& line);

/// MoveTo the first vertex, LineTo each of the others, every one moved by `offset`.
void DrawAliasPath(DrawingSurface& dc, const AliasLinePath& path, PixelPoint offset);

/// A harmonic's bar in the band chart, with its corners as handed to Rectangle: left is
/// the image's lo edge (clamped at 0) and right its hi edge, so left may exceed right.
struct BandBar {
    bool drawn = false;  ///< false for a band the fold could not place
    PixelRect rect;
};

/// The band chart's rows and bars for a plan whose harmonic count is already capped.
struct BandChartLayout {
    PlotFrame frame;
    double rowStep = 0;  ///< plot height / H; 0 when there are no rows
    /// Entries 2..H, only when the plan passes the chart gate.
    HarmonicBandTable bands{};
    std::array<BandBar, kHarmonicBandTableSize> bars{};
};

BandChartLayout LayOutBandChart(const PlanFields& plan, PixelRect area);

/// The pixels a Rectangle call with these corners covers: corners in either order, right
/// and bottom edges excluded.
bool RectangleCovers(const PixelRect& corners, PixelPoint point);

}  // namespace quorvel
