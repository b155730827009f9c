#include "paint/spectrum_image.h"

#include "charts/spectrum_chart.h"
#include "paint/paint_cycle.h"
#include "raster/bitmap_pool.h"
#include "raster/image_surface.h"
#include "raster/raster_surface.h"
#include "scaled_image.h"

namespace quorvel {

namespace {

bool Composable(int width, int height) {
    return width > 0 && height > 0 && width <= kLargestChartSide && height <= kLargestChartSide;
}

}  // namespace

QImage ComposeSpectrum(const PlanFields& plan, const SpurModel& model, int width, int height) {
    if (!Composable(width, height)) {
        return {};
    }
    return ComposeSpectrum(LayOutSpectrum(plan, model, width, height));
}

QImage ComposeSpectrum(const SpectrumLayout& layout, const MeasuredOverlay* measured) {
    if (!Composable(layout.width, layout.height)) {
        return {};
    }
    QImage image = TakeChartBitmap(layout.width, layout.height);
    if (image.isNull()) {
        return image;  // not enough memory for the bitmap
    }
    DrawSpectrumChart(*MakeRasterSurface(image, /*blackFirst=*/true), layout, measured);
    return image;
}

QImage ComposeSpectrum(const SpectrumLayout& layout, const ChartLook& look,
                       const MeasuredOverlay* measured) {
    if (look == ChartLook{}) {
        return ComposeSpectrum(layout, measured);
    }
    QImage image = TakeScaledChartBitmap(layout.width, layout.height, look.scale);
    if (image.isNull()) {
        return image;
    }
    {
        const std::unique_ptr<DrawingSurface> raster = MakeRasterSurface(image, true);
        ChartLookSurface looked(*raster, look, layout.width, layout.height);
        looked.FillGround();
        DrawSpectrumChart(looked.surface(), layout, measured);
    }
    FinishScaledChartImage(image, look.scale);
    return image;
}

QImage ComposeSpectrumThroughQPainter(const PlanFields& plan, const SpurModel& model, int width,
                                      int height) {
    if (!Composable(width, height)) {
        return {};
    }
    return ComposeSpectrumThroughQPainter(LayOutSpectrum(plan, model, width, height));
}

QImage ComposeSpectrumThroughQPainter(const SpectrumLayout& layout,
                                      const MeasuredOverlay* measured) {
    if (!Composable(layout.width, layout.height)) {
        return {};
    }
    QImage image(layout.width, layout.height, QImage::Format_RGB32);
    image.fill(Qt::black);
    DrawSpectrumChart(*MakeImageSurface(image), layout, measured);
    return image;
}

}  // namespace quorvel
