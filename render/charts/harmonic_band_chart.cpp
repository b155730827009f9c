#include "charts/harmonic_band_chart.h"

#include <algorithm>
#include <cstddef>
#include <string>
#include <vector>

#include "charts/chart_geometry.h"
#include "charts/plot_frame.h"
#include "plan/number_text.h"
#include "plan/reference_bands.h"
#include "surface/scoped_object.h"

namespace quorvel {

namespace {

// A full-height outline of the band fL..fH, from the top edge down, along the axis, up.
void DrawBandOutline(DrawingSurface& dc, const PlotFrame& frame, double half, double fL,
                     double fH) {
    dc.MoveTo(PlotX(frame, fL, half), PlotY(frame, half, half));
    dc.LineTo(PlotX(frame, fL, half), PlotY(frame, 0.0, half));
    dc.LineTo(PlotX(frame, fH, half), PlotY(frame, 0.0, half));
    dc.LineTo(PlotX(frame, fH, half), PlotY(frame, half, half));
    dc.LineTo(PlotX(frame, fL, half), PlotY(frame, half, half));
}

}  // namespace

void DrawHarmonicBandChart(DrawingSurface& dc, const PlanFields& plan, PixelRect area, double xMin,
                           double xMax) {
    const int h = plan.m_harmonics;
    const BandChartLayout layout = LayOutBandChart(plan, area);
    const PlotFrame& frame = layout.frame;

    ScopedObject gridPen = DrawPlotGrid(dc, frame, std::max(h, 0), layout.rowStep);
    ScopedObject axisPen = DrawPlotAxes(dc, frame);
    if (!PlanPassesChartGate(plan)) {
        return;
    }

    const double half = plan.m_fs / 2.0;
    ScopedObject outlinePen(dc, dc.CreatePen(PenStyle::kSolid, 1, kBandOutlineColour));
    outlinePen.Select();
    const ChartReferences refs = PlaceChartReferences(plan);
    DrawBandOutline(dc, frame, half, refs.ifLo, refs.ifHi);
    DrawBandOutline(dc, frame, half, refs.rfLo, refs.rfHi);

    for (int n = 2; n <= h; ++n) {
        const BandBar& bar = layout.bars[static_cast<std::size_t>(n)];
        if (!bar.drawn) {
            continue;
        }
        const ColorRef colour = HarmonicColour(n);
        ScopedObject brush(dc, dc.CreateHatchBrush(colour));
        brush.Select();
        ScopedObject pen(dc, dc.CreatePen(PenStyle::kSolid, 1, colour));
        pen.Select();
        // lo may exceed hi (a reflected band); the rectangle takes its corners either way.
        dc.Rectangle(bar.rect.left, bar.rect.top, bar.rect.right, bar.rect.bottom);
    }

    ScopedObject labelFont = MakeChartFont(dc, kTickLabelFontHeight, 0);
    labelFont.Select();
    std::vector<std::string> rowLabels;
    for (int i = 1; i <= h; ++i) {
        rowLabels.push_back(FormatPlanInteger(i));
    }
    DrawVerticalAxisLabels(dc, frame, rowLabels, layout.rowStep);
    DrawFrequencyAxisLabels(dc, frame, xMin, xMax);

    ScopedObject verticalTitleFont =
        MakeChartFont(dc, kVerticalTitleFontHeight, kVerticalTitleEscapement);
    verticalTitleFont.Select();
    DrawVerticalAxisTitle(dc, frame, "Harmonic");

    ScopedObject titleFont = MakeChartFont(dc, kAxisTitleFontHeight, 0);
    titleFont.Select();
    DrawFrequencyAxisTitle(dc, frame);
}

}  // namespace quorvel
