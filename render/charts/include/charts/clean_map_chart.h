// The clean map as a chart: the body's codes as rows of colour, the axes with their ticks,
// the titles, the legend, and the plan's own mark, all through the drawing surface.
#pragma once

#include <span>
#include <vector>

#include "charts/chart_geometry.h"
#include "charts/clean_map_geometry.h"
#include "plan/plan_fields.h"
#include "surface/drawing_surface.h"

namespace quorvel {

/// The mark's ring: a black halo under a ring in the band outline colour.
inline constexpr double kCleanMapMarkRadius = 6;
inline constexpr int kCleanMapMarkHaloWidth = 4;
inline constexpr int kCleanMapMarkRingWidth = 2;
/// How far from its centre the mark may touch a pixel, smoothing included.
inline constexpr int kCleanMapMarkReach = 6 + kCleanMapMarkHaloWidth / 2 + 2;

/// A run of one code along a row of the body: columns [begin, end).
struct CleanMapRun {
    int begin = 0;
    int end = 0;
    MapCode code = kMapClean;
};
using CleanMapRowRuns = std::vector<CleanMapRun>;

/// Appends the runs that make up one row of codes, left to right.
void AppendCleanMapRuns(std::span<const MapCode> row, CleanMapRowRuns& runs);

/// What the body shows: with kOk, the runs of each row, the top row first, or none when
/// the rows are on the surface already (DrawCleanMapRow); with any other status, nothing
/// (the body goes grey and says why).
struct CleanMapBodyRuns {
    std::span<const CleanMapRowRuns> rows;
    FinderStatus status = FinderStatus::kOk;
};

/// Only the body's rows, run by run, on geometry.body.
void DrawCleanMapBody(DrawingSurface& surface, const CleanMapGeometry& geometry,
                      std::span<const CleanMapRowRuns> rows);

/// Only row `row` of the body (0 at its top), as DrawCleanMapBody draws it: rows drawn
/// one by one, in any order, make the same body.
void DrawCleanMapRow(DrawingSurface& surface, const CleanMapGeometry& geometry, int row,
                     std::span<const CleanMapRun> runs);

/// Everything but the plan's mark, which the plan's Fs and IF alone move: the margins
/// black, the body, its outline, ticks, titles and legend. Nothing but black when the map
/// has no body.
void DrawCleanMapChart(DrawingSurface& surface, const PlanFields& plan,
                       const CleanMapGeometry& geometry, const CleanMapBodyRuns& body);

/// The parts of DrawCleanMapChart, for a caller that draws the body's rows beside the rest:
/// the frame is the margins black, the body's outline, ticks, titles and legend. Where the
/// frame clears the body (text lines `line` pixels high, as the surface gives them), the
/// frame, then the rows, then for a refused map DrawCleanMapRefusal, make the chart's
/// pixels in whatever order the frame and the rows are drawn.
bool CleanMapFrameClearsBody(const CleanMapGeometry& geometry, int line);
void DrawCleanMapFrame(DrawingSurface& surface, const PlanFields& plan,
                       const CleanMapGeometry& geometry);
/// The body of a refused map: grey, saying why.
void DrawCleanMapRefusal(DrawingSurface& surface, const CleanMapGeometry& geometry,
                         FinderStatus status);

/// The plan's Fs and IF marked where they lie on the body, every position moved by
/// `offset`; nothing when they lie outside the view.
void DrawCleanMapMark(DrawingSurface& surface, const PlanFields& plan,
                      const CleanMapGeometry& geometry, PixelPoint offset = {});

}  // namespace quorvel
