#include "charts/chart_look.h"

#include <algorithm>
#include <cmath>

#include "plan/truncate.h"

namespace quorvel {

int ChartScaleFor(double devicePixelRatio) {
    return std::clamp(TruncToInt(std::floor(devicePixelRatio)), 1, kMostChartScale);
}

ChartLookSurface::ChartLookSurface(DrawingSurface& inner, const ChartLook& look, int width,
                                   int height)
    : top_(&inner) {
    if (look.scale != 1) {
        top_ = &scaled_.emplace(inner, look.scale);
    }
    if (look.theme != Theme::kDark) {
        top_ = &themed_.emplace(*top_, look.theme, width, height);
    }
}

void ChartLookSurface::FillGround() {
    if (themed_) {
        themed_->FillGround();
    }
}

}  // namespace quorvel
