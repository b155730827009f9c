#include "render/paint_cycle.h"

#include "plan/slider_rules.h"
#include "render/bitmap_pool.h"
#include "render/folding_chart.h"
#include "render/frequency_marker.h"
#include "render/harmonic_band_chart.h"
#include "render/raster_surface.h"

namespace quorvel {

void PaintChartArea(DrawingSurface& dc, PlanFields& plan, int width, int height) {
    dc.SetBkColor(kBlack);
    ApplyHarmonicCap(plan);
    const double xMax = plan.m_fs / 2.0;
    const int middle = height / 2;
    DrawFoldingChart(dc, plan, width, middle, 0.0, xMax);
    DrawHarmonicBandChart(dc, plan, PixelRect{0, middle, width, height}, 0.0, xMax);
    if (plan.m_markerX > 0) {
        DrawFrequencyMarker(dc, plan, PixelRect{0, kControlStripHeight, width, height}, 0.0, xMax);
    }
}

QImage ComposeChartArea(PlanFields& plan, int width, int height) {
    ApplyHarmonicCap(plan);
    // A window no taller than the control strip has no chart area: nothing to compose, and
    // the caller shows nothing below the strip.
    if (width <= 0 || height <= 0 || width > kLargestChartSide || height > kLargestChartSide) {
        return {};
    }
    QImage image = TakeChartBitmap(width, height);
    if (image.isNull()) {
        return image;  // not enough memory for the bitmap
    }
    {
        RasterSurface surface(image, /*blackFirst=*/true);
        PaintChartArea(surface, plan, width, height);
    }
    return image;
}

}  // namespace quorvel
