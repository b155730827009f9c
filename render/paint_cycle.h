// Composes the whole chart area off-screen: the folding chart above, the harmonic band
// chart below and, when set, the marker readout on top.
#pragma once

#include <QImage>

#include "plan/plan_fields.h"

namespace quorvel {

/// Height of the dialog's control strip; the chart area starts below it.
inline constexpr int kControlStripHeight = 50;

/// Composes the chart area of `width` x `height` pixels (Format_RGB32) for the plan.
/// Caps plan.m_harmonics at 26 first, writing the field, as every paint does. A size of
/// zero or less in either direction gives a null image.
QImage ComposeChartArea(PlanFields& plan, int width, int height);

}  // namespace quorvel
