#include "render/paint_cycle.h"

#include "plan/slider_rules.h"

namespace quorvel {

QImage ComposeChartArea(PlanFields& plan, int width, int height) {
    ApplyHarmonicCap(plan);
    if (width <= 0 || height <= 0) {
        return {};
    }
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::black);
    return image;
}

}  // namespace quorvel
