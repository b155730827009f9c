#include "render/folding_chart.h"

#include <array>
#include <string>

#include "plan/alias_lines.h"
#include "plan/number_text.h"
#include "render/pixel_arithmetic.h"
#include "render/plot_frame.h"
#include "render/scoped_object.h"

namespace quorvel {

namespace {

constexpr int kRowLines = 11;

// Places chart data on the plot: truncated, neither rounded nor clipped, so lines and
// boxes run into the margins and off the surface where their values lie. A position that
// does not fit an int saturates, and a scaled value that is not a number (an infinite Fs)
// lands on the plot's left edge or on its axis.
struct DataPlacer {
    const PlotFrame& frame;
    double half;
    int bandHeight;

    int X(double u) const { return AddPixels(frame.left, ScaleToPlot(u, half, frame.width)); }
    int Y(double v) const {
        return SubtractPixels(bandHeight,
                              AddPixels(kPlotMarginBottom, ScaleToPlot(v, half, frame.height)));
    }
};

void DrawBox(DrawingSurface& dc, const DataPlacer& at, double x0, double x1, double y0, double y1) {
    dc.MoveTo(at.X(x0), at.Y(y0));
    dc.LineTo(at.X(x0), at.Y(y1));
    dc.LineTo(at.X(x1), at.Y(y1));
    dc.LineTo(at.X(x1), at.Y(y0));
    dc.LineTo(at.X(x0), at.Y(y0));
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

    const DataPlacer at{frame, plan.m_fs / 2.0, height};
    ScopedObject boxPen(dc, dc.CreatePen(PenStyle::kSolid, 1, kBoxColour));
    boxPen.Select();
    const double x0 = plan.m_if - plan.m_ifBw / 2.0;
    const double x1 = plan.m_ifBw / 2.0 + plan.m_if;
    DrawBox(dc, at, x0, x1, x0, x1);
    DrawBox(dc, at, x0, x1, plan.m_if - plan.m_rfBw / 2.0, plan.m_rfBw / 2.0 + plan.m_if);

    const AliasLineSet lines = BuildAliasLines(plan.m_fs, plan.m_harmonics);
    for (int i = 0; i < lines.count; ++i) {
        const AliasLine& line = lines.lines[static_cast<std::size_t>(i)];
        ScopedObject pen(dc, dc.CreatePen(PenStyle::kSolid, 1, line.colour));
        pen.Select();
        dc.MoveTo(at.X(line.points[0].x), at.Y(line.points[0].y));
        for (int k = 1; k < line.count; ++k) {
            const AliasPoint& point = line.points[static_cast<std::size_t>(k)];
            dc.LineTo(at.X(point.x), at.Y(point.y));
        }
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
}

}  // namespace quorvel
