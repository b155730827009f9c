// The clean map as a chart: the body's codes as rows of colour, the axes with their ticks,
// the titles, the legend, and the plan's own mark, all through the drawing surface.
#pragma once

#include <span>

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

/// What the body shows: with kOk, geometry.bodyWidth() codes to a row, the top row first;
/// with any other status, nothing (the body goes grey and says why).
struct CleanMapBodyCodes {
    std::span<const MapCode> codes;
    FinderStatus status = FinderStatus::kOk;
};

/// Only the body's rows, run by run, on geometry.body.
void DrawCleanMapBody(DrawingSurface& surface, const CleanMapGeometry& geometry,
                      std::span<const MapCode> codes);

/// Everything but the plan's mark, which the plan's Fs and IF alone move: the margins
/// black, the body, its outline, ticks, titles and legend. Nothing but black when the map
/// has no body.
void DrawCleanMapChart(DrawingSurface& surface, const PlanFields& plan,
                       const CleanMapGeometry& geometry, const CleanMapBodyCodes& body);

/// The plan's Fs and IF marked where they lie on the body, every position moved by
/// `offset`; nothing when they lie outside the view.
void DrawCleanMapMark(DrawingSurface& surface, const PlanFields& plan,
                      const CleanMapGeometry& geometry, PixelPoint offset = {});

}  // namespace quorvel
