#include "charts/chart_geometry.h"

#include <algorithm>
#include <cmath>

#include "pixel_arithmetic.h"

namespace quorvel {

PixelRect FoldingChartBand(int width, int height) {
    return {0, 0, width, height / 2};
}

PixelRect BandChartBand(int width, int height) {
    return {0, height / 2, width, height};
}

AliasLinePath PlaceAliasLine(const PlotFrame& frame, double half, const AliasLine& line) {
    AliasLinePath path;
    path.harmonic = line.harmonic;
    path.count = line.count;
    for (int k = 0; k < line.count; ++k) {
        const auto i = static_cast<std::size_t>(k);
        path.points[i] = {PlotX(frame, line.points[i].x, half),
                          PlotY(frame, line.points[i].y, half)};
    }
    return path;
}

void DrawAliasPath(DrawingSurface& dc, const AliasLinePath& path, PixelPoint offset) {
    for (int k = 0; k < path.count; ++k) {
        const PixelPoint& p = path.points[static_cast<std::size_t>(k)];
        const int x = AddPixels(p.x, offset.x);
        const int y = AddPixels(p.y, offset.y);
        if (k == 0) {
            dc.MoveTo(x, y);
        } else {
            dc.LineTo(x, y);
        }
    }
}

BandChartLayout LayOutBandChart(const PlanFields& plan, PixelRect area) {
    BandChartLayout layout;
    const int h = plan.m_harmonics;
    layout.frame = MakePlotFrame(area.top, area.bottom, SubtractPixels(area.right, area.left));
    // With no rows the step is never used: no row line, label or bar is drawn.
    layout.rowStep = h > 0 ? layout.frame.height / static_cast<double>(h) : 0.0;
    if (!PlanPassesChartGate(plan)) {
        return layout;
    }
    ComputeHarmonicBands(plan, layout.bands);
    const double half = plan.m_fs / 2.0;
    // Accumulated as the row lines are, so bar n starts on the line at the top of row n.
    double yTop = layout.frame.top + layout.rowStep;
    for (int n = 2; n <= h; ++n) {
        const auto i = static_cast<std::size_t>(n);
        HarmonicBand band = layout.bands[i];
        const int top = RoundToPixel(yTop);
        yTop = yTop + layout.rowStep;
        // The fold gives up on edges it cannot place (absurd inputs): such a band has no
        // bar rather than one at a made-up position.
        if (std::isnan(band.lo) || std::isnan(band.hi)) {
            continue;
        }
        // The fold leaves both edges at or below Fs/2; only the low edge can fall below 0.
        if (band.lo < 0.0) {
            band.lo = 0.0;
        }
        layout.bars[i] = {true,
                          {PlotX(layout.frame, band.lo, half), top,
                           PlotX(layout.frame, band.hi, half), layout.frame.axisY()}};
    }
    return layout;
}

bool RectangleCovers(const PixelRect& corners, PixelPoint point) {
    return point.x >= std::min(corners.left, corners.right) &&
           point.x < std::max(corners.left, corners.right) &&
           point.y >= std::min(corners.top, corners.bottom) &&
           point.y < std::max(corners.top, corners.bottom);
}

}  // namespace quorvel
