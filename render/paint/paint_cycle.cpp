#include "paint/paint_cycle.h"

#include "raster/bitmap_pool.h"
#include "raster/image_surface.h"
#include "raster/raster_surface.h"
#include "scaled_image.h"

namespace quorvel {

namespace {

// A window no taller than the control strip has no chart area: nothing to compose, and
// the caller shows nothing below the strip.
bool Composable(int width, int height) {
    return width > 0 && height > 0 && width <= kLargestChartSide && height <= kLargestChartSide;
}

}  // namespace

QImage ComposeChartArea(const PlanFields& plan, int width, int height, MarkerPoint marker,
                        std::optional<int> highlight) {
    if (!Composable(width, height)) {
        return {};
    }
    QImage image = TakeChartBitmap(width, height);
    if (image.isNull()) {
        return image;  // not enough memory for the bitmap
    }
    PaintChartArea(*MakeRasterSurface(image, /*blackFirst=*/true), plan, width, height, marker,
                   highlight);
    return image;
}

QImage ComposeChartArea(const PlanFields& plan, int width, int height, MarkerPoint marker,
                        std::optional<int> highlight, const ChartLook& look) {
    if (look == ChartLook{}) {
        return ComposeChartArea(plan, width, height, marker, highlight);
    }
    QImage image = TakeScaledChartBitmap(width, height, look.scale);
    if (image.isNull()) {
        return image;
    }
    {
        const std::unique_ptr<DrawingSurface> raster = MakeRasterSurface(image, true);
        ChartLookSurface looked(*raster, look, width, height);
        looked.FillGround();
        PaintChartArea(looked.surface(), plan, width, height, marker, highlight);
    }
    FinishScaledChartImage(image, look.scale);
    return image;
}

QImage ComposeChartAreaThroughQPainter(const PlanFields& plan, int width, int height,
                                       MarkerPoint marker, std::optional<int> highlight) {
    if (!Composable(width, height)) {
        return {};
    }
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::black);
    PaintChartArea(*MakeImageSurface(image), plan, width, height, marker, highlight);
    return image;
}

}  // namespace quorvel
