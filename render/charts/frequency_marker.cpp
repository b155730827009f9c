#include "charts/frequency_marker.h"

#include <cstdint>
#include <string>

#include "charts/plot_frame.h"
#include "pixel_arithmetic.h"
#include "plan/number_text.h"
#include "surface/scoped_object.h"

namespace quorvel {

namespace {

constexpr int kFirstLineAbove = 16;
constexpr int kSecondLineAbove = 3;

}  // namespace

void DrawFrequencyMarker(DrawingSurface& dc, const PlanFields& plan, MarkerPoint marker,
                         PixelRect area, double xMin, double xMax) {
    const std::int64_t plotWidth =
        std::int64_t{area.right} - area.left - kPlotMarginLeft - kPlotMarginRight;
    // A plot of no width has no frequency scale to read: a readout would only show the
    // infinity or NaN of a division by zero, or a mirrored scale for a negative width.
    if (plotWidth <= 0) {
        return;
    }
    const double f =
        ((static_cast<double>(marker.x) - kPlotMarginLeft) / static_cast<double>(plotWidth)) *
        (xMax - xMin);
    const std::string first = " " + FormatFixed(f, 3) + " MHz ";

    dc.SetBkColor(kWhite);
    ScopedObject font(dc, dc.CreateFont(kMarkerFontHeight, 0));
    dc.SetTextColor(kBlack);
    font.Select();
    dc.SetTextAlign(kAlignLeft | kAlignBottom);

    const int x = marker.x;
    const int y = SubtractPixels(marker.y, area.top);
    dc.TextOut(x, SubtractPixels(y, kFirstLineAbove), first);
    const std::string second = " IF+ " + FormatFixed(f - plan.m_if, 3) + " MHz ";
    dc.TextOut(x, SubtractPixels(y, kSecondLineAbove), second);
    dc.TextOut(x, y, " ");
}

}  // namespace quorvel
