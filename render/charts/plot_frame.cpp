#include "charts/plot_frame.h"

#include <algorithm>
#include <cstdint>

#include "pixel_arithmetic.h"
#include "plan/number_text.h"
#include "plan/truncate.h"

namespace quorvel {

namespace {

constexpr int kColumnLines = 11;
constexpr int kLabelGap = 3;       // between a tick label and its axis
constexpr int kLabelHalfCell = 6;  // centres a 12-pixel label cell on its line
constexpr int kTitleLeft = 3;

// Only a direct call with an uncapped harmonic count asks for more rows than a chart ever
// has; this bound keeps such a call from stalling the paint, and is far beyond any row
// count that could be told apart on screen.
constexpr int kMostRowLines = 1 << 16;

}  // namespace

int PlotFrame::right() const {
    return AddPixels(left, width);
}

int PlotFrame::axisY() const {
    return AddPixels(top, height);
}

PlotFrame MakePlotFrame(int areaTop, int areaBottom, int areaWidth) {
    PlotFrame frame;
    frame.areaTop = areaTop;
    frame.areaBottom = areaBottom;
    frame.left = kPlotMarginLeft;
    frame.top = AddPixels(areaTop, kPlotMarginTop);
    frame.width = SubtractPixels(areaWidth, kPlotMarginLeft + kPlotMarginRight);
    frame.height =
        SaturateToInt(std::int64_t{areaBottom} - areaTop - (kPlotMarginTop + kPlotMarginBottom));
    return frame;
}

int RoundToPixel(double v) {
    return TruncToInt(v + 0.5);
}

int ScaleToPlot(double v, double fullScale, int extent) {
    return TruncToInt((v - 0.0) / (fullScale - 0.0) * static_cast<double>(extent));
}

int PlotX(const PlotFrame& frame, double u, double fullScale) {
    return AddPixels(frame.left, ScaleToPlot(u, fullScale, frame.width));
}

int PlotY(const PlotFrame& frame, double v, double fullScale) {
    return SubtractPixels(frame.areaBottom,
                          AddPixels(kPlotMarginBottom, ScaleToPlot(v, fullScale, frame.height)));
}

bool PlanPassesChartGate(const PlanFields& plan) {
    return plan.m_fs > 0.0 && plan.m_rfBw > 0.0 && plan.m_harmonics <= kHarmonicCap;
}

ScopedObject MakeChartFont(DrawingSurface& surface, int height, int escapement) {
    ScopedObject font(surface, surface.CreateFont(height, escapement));
    surface.SetTextColor(kChartTextColour);
    return font;
}

ScopedObject DrawPlotGrid(DrawingSurface& surface, const PlotFrame& frame, int rowLines,
                          double rowStep) {
    ScopedObject pen(surface, surface.CreatePen(PenStyle::kDot, 1, kGridColour));
    pen.Select();
    // Positions accumulate by repeated addition of the step, as the labels do, so each
    // label stays on its line.
    double p = frame.top;
    for (int i = 0; i < std::min(rowLines, kMostRowLines); ++i) {
        const int y = RoundToPixel(p);
        surface.MoveTo(frame.left, y);
        surface.LineTo(frame.right(), y);
        p += rowStep;
    }
    const double columnStep = frame.width / 10.0;
    p = kPlotMarginLeft;
    for (int i = 0; i < kColumnLines; ++i) {
        const int x = RoundToPixel(p);
        surface.MoveTo(x, frame.top);
        surface.LineTo(x, frame.axisY());
        p += columnStep;
    }
    return pen;
}

ScopedObject DrawPlotAxes(DrawingSurface& surface, const PlotFrame& frame) {
    ScopedObject pen(surface, surface.CreatePen(PenStyle::kSolid, 1, kAxisColour));
    pen.Select();
    surface.MoveTo(frame.left, frame.top);
    surface.LineTo(frame.left, frame.axisY());
    surface.LineTo(frame.right(), frame.axisY());
    return pen;
}

void DrawVerticalAxisLabels(DrawingSurface& surface, const PlotFrame& frame,
                            std::span<const std::string> texts, double rowStep) {
    surface.SetTextAlign(kAlignRight | kAlignTop);
    double p = static_cast<double>(frame.top) - kLabelHalfCell;
    for (const std::string& text : texts) {
        surface.TextOut(frame.left - kLabelGap, RoundToPixel(p), text);
        p += rowStep;
    }
}

void DrawFrequencyAxisLabels(DrawingSurface& surface, const PlotFrame& frame, double xMin,
                             double xMax) {
    surface.SetTextAlign(kAlignCenter | kAlignTop);
    const double step = frame.width / 10.0;
    const int y = AddPixels(frame.axisY(), kLabelGap);
    double p = kPlotMarginLeft;
    for (int i = 0; i < kColumnLines; ++i) {
        const double value = xMin + (i / 10.0) * (xMax - xMin);
        surface.TextOut(RoundToPixel(p), y, FormatFixed(value, 2));
        p += step;
    }
}

void DrawVerticalAxisTitle(DrawingSurface& surface, const PlotFrame& frame, std::string_view text) {
    const std::int64_t middle =
        frame.areaTop + (std::int64_t{frame.areaBottom} - frame.areaTop) / 2;
    surface.TextOut(kTitleLeft, SaturateToInt(middle), text);
}

void DrawFrequencyAxisTitle(DrawingSurface& surface, const PlotFrame& frame) {
    surface.SetTextAlign(kAlignCenter | kAlignBottom);
    surface.TextOut(frame.left + frame.width / 2, SubtractPixels(frame.areaBottom, kLabelGap),
                    "Frequency (MHz)");
}

}  // namespace quorvel
