// Composes the whole chart area off-screen, where the charts meet the raster engine.
#pragma once

#include <QImage>
#include <optional>

#include "charts/chart_area.h"
#include "charts/chart_look.h"
#include "plan/plan_fields.h"

namespace quorvel {

/// The largest chart area side that is composed; Qt's rasteriser works in fixed point and
/// no screen comes near it.
inline constexpr int kLargestChartSide = 32767;

/// Composes the chart area of `width` x `height` pixels (Format_RGB32) for the plan, a
/// harmonic count above the cap drawn as the cap. A size of zero or less in either
/// direction, or above kLargestChartSide, gives a null image. Text needs fonts, so a
/// QGuiApplication must exist. `marker` is the readout's point, if shown; `highlight` picks
/// out one harmonic in both charts.
QImage ComposeChartArea(const PlanFields& plan, int width, int height, MarkerPoint marker = {},
                        std::optional<int> highlight = std::nullopt);

/// The same chart area in `look`: laid out on width x height chart pixels and drawn on
/// look.scale times as many device pixels a side, with that device pixel ratio, so that it
/// paints at width x height on a screen of that ratio. The default look is the image above,
/// pixel for pixel. A null image when the device size could not be composed.
QImage ComposeChartArea(const PlanFields& plan, int width, int height, MarkerPoint marker,
                        std::optional<int> highlight, const ChartLook& look);

/// The same picture drawn the straightforward way, every primitive in full and in order
/// through QPainter: what ComposeChartArea must match pixel for pixel, and the measure of
/// what its span code saves.
QImage ComposeChartAreaThroughQPainter(const PlanFields& plan, int width, int height,
                                       MarkerPoint marker = {},
                                       std::optional<int> highlight = std::nullopt);

}  // namespace quorvel
