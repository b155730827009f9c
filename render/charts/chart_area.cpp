#include "charts/chart_area.h"

#include "charts/chart_geometry.h"
#include "charts/folding_chart.h"
#include "charts/frequency_marker.h"
#include "charts/harmonic_band_chart.h"
#include "charts/harmonic_highlight.h"
#include "plan/slider_rules.h"

namespace quorvel {

void PaintChartArea(DrawingSurface& dc, const PlanFields& plan, int width, int height,
                    MarkerPoint marker, std::optional<int> highlight) {
    PlanFields drawn = plan;
    ApplyHarmonicCap(drawn);
    dc.SetBkColor(kBlack);
    const double xMax = drawn.m_fs / 2.0;
    const PixelRect upper = FoldingChartBand(width, height);
    DrawFoldingChart(dc, drawn, upper.right, upper.bottom, 0.0, xMax);
    DrawHarmonicBandChart(dc, drawn, BandChartBand(width, height), 0.0, xMax);
    if (highlight) {
        DrawHarmonicHighlight(dc, drawn, width, height, *highlight);
    }
    if (MarkerShown(marker)) {
        DrawFrequencyMarker(dc, drawn, marker, PixelRect{0, kControlStripHeight, width, height},
                            0.0, xMax);
    }
}

}  // namespace quorvel
