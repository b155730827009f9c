// Composes the whole chart area off-screen: the folding chart above, the harmonic band
// chart below and, when set, the marker readout on top.
#pragma once

#include <QImage>

#include "plan/plan_fields.h"
#include "render/drawing_surface.h"

namespace quorvel {

/// Height of the dialog's control strip; the chart area starts below it.
inline constexpr int kControlStripHeight = 50;

/// The largest chart area side that is composed; Qt's rasteriser works in fixed point and
/// no screen comes near it.
inline constexpr int kLargestChartSide = 32767;

/// Draws the chart area of `width` x `height` pixels on a surface that starts all black:
/// black background colour, the folding chart in (0, 0, width, height / 2), the band chart
/// in (0, height / 2, width, height), and the readout when plan.m_markerX > 0. Caps
/// plan.m_harmonics at 26 first, writing the field.
void PaintChartArea(DrawingSurface& dc, PlanFields& plan, int width, int height);

/// Composes the chart area of `width` x `height` pixels (Format_RGB32) for the plan.
/// Caps plan.m_harmonics at 26 first, writing the field, as every paint does. A size of
/// zero or less in either direction, or above kLargestChartSide, gives a null image.
/// Text needs fonts, so a QGuiApplication must exist.
QImage ComposeChartArea(PlanFields& plan, int width, int height);

}  // namespace quorvel
