#include "charts/folding_chart.h"

#include <array>
#include <string>

#include "charts/chart_geometry.h"
#include "charts/plot_frame.h"
#include "plan/alias_lines.h"
#include "plan/number_text.h"
#include "plan/reference_bands.h"
#include "surface/scoped_object.h"

namespace quorvel {

namespace {

constexpr int kRowLines = 11;

// From the lower left corner up, along the top, down the right side and back.
void DrawBox(DrawingSurface& dc, const PlotFrame& frame, double half, double x0, double x1,
             double y0, double y1) {
    dc.MoveTo(PlotX(frame, x0, half), PlotY(frame, y0, half));
    dc.LineTo(PlotX(frame, x0, half), PlotY(frame, y1, half));
    dc.LineTo(PlotX(frame, x1, half), PlotY(frame, y1, half));
    dc.LineTo(PlotX(frame, x1, half), PlotY(frame, y0, half));
    dc.LineTo(PlotX(frame, x0, half), PlotY(frame, y0, half));
}

}  // namespace

void DrawFoldingChart(DrawingSurface& dc, const PlanFields& plan, int width, int height,
                      double xMin, double xMax) {
    dc.PatBlt(0, 0, width, height, RasterOp::kBlackness);
    const PlotFrame frame = MakePlotFrame(0, height, width);
    {
        // The frame's pens go before the gate.
        ScopedObject gridPen = DrawPlotGrid(dc, frame, kRowLines, frame.height / 10.0);
        ScopedObject axisPen = DrawPlotAxes(dc, frame);
    }
    if (!PlanPassesChartGate(plan)) {
        return;
    }

    const double half = plan.m_fs / 2.0;
    ScopedObject boxPen(dc, dc.CreatePen(PenStyle::kSolid, 1, kBoxColour));
    boxPen.Select();
    // A signal and its first-zone image have every harmonic's alias in common, so the lines
    // read as truly against the image boxes of an IF sampled from a higher zone.
    const ChartReferences refs = PlaceChartReferences(plan);
    DrawBox(dc, frame, half, refs.ifLo, refs.ifHi, refs.ifLo, refs.ifHi);
    DrawBox(dc, frame, half, refs.ifLo, refs.ifHi, refs.rfLo, refs.rfHi);

    const AliasLineSet lines = BuildAliasLines(plan.m_fs, plan.m_harmonics);
    for (int i = 0; i < lines.count; ++i) {
        const AliasLine& line = lines.lines[static_cast<std::size_t>(i)];
        ScopedObject pen(dc, dc.CreatePen(PenStyle::kSolid, 1, line.colour));
        pen.Select();
        DrawAliasPath(dc, PlaceAliasLine(frame, half, line), PixelPoint{});
    }

    ScopedObject labelFont = MakeChartFont(dc, kTickLabelFontHeight, 0);
    labelFont.Select();
    std::array<std::string, kRowLines> texts;
    for (int i = 0; i < kRowLines; ++i) {
        texts[static_cast<std::size_t>(i)] =
            FormatFixed(xMax - (xMin + (i / 10.0) * (xMax - xMin)), 2);
    }
    DrawVerticalAxisLabels(dc, frame, texts, frame.height / 10.0);
    DrawFrequencyAxisLabels(dc, frame, xMin, xMax);

    ScopedObject titleFont = MakeChartFont(dc, kAxisTitleFontHeight, 0);
    titleFont.Select();
    DrawFrequencyAxisTitle(dc, frame);

    if (refs.atImages) {
        // In the top margin, right-aligned over the plot's right edge, clear of the data.
        ScopedObject noteFont = MakeChartFont(dc, kTickLabelFontHeight, 0);
        noteFont.Select();
        dc.SetTextAlign(kAlignRight | kAlignTop);
        dc.TextOut(frame.right(), 0, NyquistZoneNote(plan));
    }
}

}  // namespace quorvel
