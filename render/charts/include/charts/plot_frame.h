// The frame both charts share: the plot rectangle inside a chart band, the grid, the axes,
// the tick labels and titles, the two real-to-pixel rules and the chart gate.
#pragma once

#include <span>
#include <string>
#include <string_view>

#include "plan/plan_fields.h"
#include "surface/drawing_surface.h"
#include "surface/scoped_object.h"

namespace quorvel {

inline constexpr int kPlotMarginLeft = 38;
inline constexpr int kPlotMarginTop = 12;
inline constexpr int kPlotMarginRight = 12;
inline constexpr int kPlotMarginBottom = 30;

inline constexpr ColorRef kGridColour = 0x505050;
inline constexpr ColorRef kAxisColour = 0xA0A0A0;
inline constexpr ColorRef kChartTextColour = 0xC8C8C8;
inline constexpr ColorRef kBandOutlineColour = 0x00FF00;

inline constexpr int kTickLabelFontHeight = 12;
inline constexpr int kVerticalTitleFontHeight = 13;
inline constexpr int kAxisTitleFontHeight = 14;
inline constexpr int kVerticalTitleEscapement = 900;

/// The plot rectangle of a band that runs across the surface from x = 0, rows areaTop to
/// areaBottom (exclusive). Sizes are not clamped: a band under 50 x 42 pixels gives a zero
/// or negative width or height, and every rule works with it unchanged.
struct PlotFrame {
    int areaTop = 0;
    int areaBottom = 0;
    int left = kPlotMarginLeft;
    int top = 0;
    int width = 0;
    int height = 0;

    int right() const;  ///< left + width
    int axisY() const;  ///< top + height: the horizontal axis
    friend bool operator==(const PlotFrame&, const PlotFrame&) = default;
};

PlotFrame MakePlotFrame(int areaTop, int areaBottom, int areaWidth);

/// Grid lines and tick labels: add 0.5, then truncate toward zero.
int RoundToPixel(double v);

/// Chart data: v / fullScale x extent, in that order, truncated toward zero (no 0.5).
int ScaleToPlot(double v, double fullScale, int extent);

/// Chart data on the plot, both axes scaled to 0..fullScale: x = left + ScaleToPlot(u), y
/// = the axis row less ScaleToPlot(v). Truncated, neither rounded nor clipped, so data runs
/// into the margins and off the surface where its values lie. A position that does not
/// fit an int saturates; a scaled value that is not a number (an infinite Fs) counts as
/// 0, on the plot's left edge or on its axis.
int PlotX(const PlotFrame& frame, double u, double fullScale);
int PlotY(const PlotFrame& frame, double v, double fullScale);

/// Whether a chart draws more than grid and axes: m_fs > 0, m_rfBw > 0 (a NaN fails
/// both) and m_harmonics <= kHarmonicCap.
bool PlanPassesChartGate(const PlanFields& plan);

/// Makes a chart font ("Arial", cell `height`, `escapement`) and sets the surface's text
/// colour to the chart text colour. The caller selects it.
ScopedObject MakeChartFont(DrawingSurface& surface, int height, int escapement);

/// Selects a new grid pen (dotted grey) and draws `rowLines` horizontal lines from the
/// plot's top edge, `rowStep` apart, then the 11 column lines. Returns the pen.
ScopedObject DrawPlotGrid(DrawingSurface& surface, const PlotFrame& frame, int rowLines,
                          double rowStep);

/// Selects a new axis pen (solid grey) and draws the vertical and horizontal axis.
ScopedObject DrawPlotAxes(DrawingSurface& surface, const PlotFrame& frame);

/// With the tick label font selected: the texts right-aligned down the plot's left side,
/// each cell centred on its row line.
void DrawVerticalAxisLabels(DrawingSurface& surface, const PlotFrame& frame,
                            std::span<const std::string> texts, double rowStep);

/// With the tick label font selected: 11 labels "%.2f" from xMin to xMax under the axis.
void DrawFrequencyAxisLabels(DrawingSurface& surface, const PlotFrame& frame, double xMin,
                             double xMax);

/// With the vertical title font selected and the centre-top alignment left by the
/// frequency labels: the title at the band's left edge, centred on its middle row.
void DrawVerticalAxisTitle(DrawingSurface& surface, const PlotFrame& frame, std::string_view text);

/// With the axis title font selected: "Frequency (MHz)" centred under the labels.
void DrawFrequencyAxisTitle(DrawingSurface& surface, const PlotFrame& frame);

}  // namespace quorvel
