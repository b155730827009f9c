#include "scaled_image.h"

#include <algorithm>
#include <cstdint>

#include "charts/scaled_surface.h"
#include "paint/paint_cycle.h"
#include "raster/bitmap_pool.h"

namespace quorvel {

namespace {

int HeldScale(int scale) {
    return std::clamp(scale, 1, kMostChartScale);
}

}  // namespace

bool FitsAtScale(int width, int height, int scale) {
    const std::int64_t s = HeldScale(scale);
    return width >= 1 && height >= 1 && width * s <= kLargestChartSide &&
           height * s <= kLargestChartSide;
}

void ScaleImageFonts(QImage& image, int scale) {
    const int s = HeldScale(scale);
    if (!image.isNull() && s != 1) {
        image.setDotsPerMeterX(image.dotsPerMeterX() * s);
        image.setDotsPerMeterY(image.dotsPerMeterY() * s);
    }
}

QImage TakeScaledChartBitmap(int width, int height, int scale) {
    if (!FitsAtScale(width, height, scale)) {
        return {};
    }
    const int s = HeldScale(scale);
    QImage image = TakeChartBitmap(width * s, height * s);
    ScaleImageFonts(image, s);
    return image;
}

void FinishScaledChartImage(QImage& image, int scale) {
    if (!image.isNull()) {
        image.setDevicePixelRatio(HeldScale(scale));
    }
}

}  // namespace quorvel
