#include "charts/harmonic_highlight.h"

#include <algorithm>
#include <array>

#include "charts/chart_geometry.h"
#include "charts/plot_frame.h"
#include "pixel_arithmetic.h"
#include "plan/alias_lines.h"
#include "surface/scoped_object.h"

namespace quorvel {

namespace {

// The line drawn five times, one pixel apart each way: three pixels thick whatever its
// slope, out of one-pixel lines that both surfaces draw alike.
constexpr std::array<PixelPoint, 5> kThickening = {
    PixelPoint{0, 0}, PixelPoint{-1, 0}, PixelPoint{1, 0}, PixelPoint{0, -1}, PixelPoint{0, 1}};

void HighlightAliasLine(DrawingSurface& dc, const PlanFields& plan, int width, int height,
                        int harmonic) {
    const PixelRect band = FoldingChartBand(width, height);
    const PlotFrame frame = MakePlotFrame(band.top, band.bottom, band.right);
    const AliasLineSet lines = BuildAliasLines(plan.m_fs, plan.m_harmonics);
    for (int i = 0; i < lines.count; ++i) {
        const AliasLine& line = lines.lines[static_cast<std::size_t>(i)];
        if (line.harmonic != harmonic) {
            continue;
        }
        const AliasLinePath path = PlaceAliasLine(frame, plan.m_fs / 2.0, line);
        for (const PixelPoint& offset : kThickening) {
            DrawAliasPath(dc, path, offset);
        }
    }
}

void HighlightBar(DrawingSurface& dc, const PlanFields& plan, int width, int height, int harmonic) {
    const BandChartLayout layout = LayOutBandChart(plan, BandChartBand(width, height));
    const BandBar& bar = layout.bars[static_cast<std::size_t>(harmonic)];
    if (!bar.drawn) {
        return;
    }
    ScopedObject brush(dc, dc.CreateHatchBrush(kHighlightColour));
    brush.Select();
    const PixelRect& r = bar.rect;
    dc.Rectangle(r.left, r.top, r.right, r.bottom);
    // A second outline one pixel outside the bar's own; it also marks a bar of no width.
    const int left = SubtractPixels(std::min(r.left, r.right), 1);
    const int right = std::max(r.left, r.right);
    const int top = SubtractPixels(r.top, 1);
    const int bottom = r.bottom;
    dc.MoveTo(left, top);
    dc.LineTo(right, top);
    dc.LineTo(right, bottom);
    dc.LineTo(left, bottom);
    dc.LineTo(left, top);
}

}  // namespace

void DrawHarmonicHighlight(DrawingSurface& dc, const PlanFields& plan, int width, int height,
                           int harmonic) {
    if (!PlanPassesChartGate(plan) || harmonic < 2 || harmonic > plan.m_harmonics) {
        return;
    }
    ScopedObject pen(dc, dc.CreatePen(PenStyle::kSolid, 1, kHighlightColour));
    pen.Select();
    HighlightAliasLine(dc, plan, width, height, harmonic);
    HighlightBar(dc, plan, width, height, harmonic);
}

}  // namespace quorvel
