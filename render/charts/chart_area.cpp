#include "charts/chart_area.h"

#include "charts/folding_chart.h"
#include "charts/frequency_marker.h"
#include "charts/harmonic_band_chart.h"
#include "plan/slider_rules.h"

namespace quorvel {

void PaintChartArea(DrawingSurface& dc, const PlanFields& plan, int width, int height) {
    PlanFields drawn = plan;
    ApplyHarmonicCap(drawn);
    dc.SetBkColor(kBlack);
    const double xMax = drawn.m_fs / 2.0;
    const int middle = height / 2;
    DrawFoldingChart(dc, drawn, width, middle, 0.0, xMax);
    DrawHarmonicBandChart(dc, drawn, PixelRect{0, middle, width, height}, 0.0, xMax);
    if (drawn.m_markerX > 0) {
        DrawFrequencyMarker(dc, drawn, PixelRect{0, kControlStripHeight, width, height}, 0.0, xMax);
    }
}

}  // namespace quorvel
