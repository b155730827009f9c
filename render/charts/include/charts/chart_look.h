// How a chart is drawn beyond what it shows: how many device pixels make one of its pixels,
// and in which colours.
#pragma once

#include <optional>

#include "charts/chart_theme.h"
#include "charts/scaled_surface.h"
#include "surface/drawing_surface.h"

namespace quorvel {

struct ChartLook {
    int scale = 1;  ///< 1 to kMostChartScale
    Theme theme = Theme::kDark;
    friend bool operator==(const ChartLook&, const ChartLook&) = default;
};

/// The scale a screen with `devicePixelRatio` device pixels to the pixel is drawn at: its
/// whole part, 1 to kMostChartScale (1 for no number). A fractional rest is left to the
/// screen's own scaling.
int ChartScaleFor(double devicePixelRatio);

/// `inner` seen through a look, for a chart of width x height chart pixels: the theme's
/// colours over the scaled geometry. With the default look it is `inner` itself.
class ChartLookSurface {
  public:
    ChartLookSurface(DrawingSurface& inner, const ChartLook& look, int width, int height);
    ChartLookSurface(const ChartLookSurface&) = delete;
    ChartLookSurface& operator=(const ChartLookSurface&) = delete;

    DrawingSurface& surface() { return *top_; }
    /// The ground in the theme's black, for a chart drawn on a surface that starts black.
    void FillGround();

  private:
    std::optional<ScaledSurface> scaled_;
    std::optional<ThemedSurface> themed_;
    DrawingSurface* top_;
};

}  // namespace quorvel
