// The pointer's readout over the charts: which alias lines run within reach of it, or
// which bar lies under it, shown as a tooltip when the pointer rests.
#pragma once

#include <QPoint>
#include <QString>

#include "plan/plan_fields.h"

class QHelpEvent;
class QWidget;

namespace quorvel {

/// The tooltip text for a point in the main window's client coordinates (the control
/// strip included) of a window `windowWidth` x `windowHeight` showing `plan`; empty when
/// nothing lies under it.
QString ChartToolTipText(const PlanFields& plan, int windowWidth, int windowHeight, QPoint at);

/// Shows that text for a tooltip request on `window`, or hides any tooltip when there is
/// none. Always handles the request.
void ShowChartToolTip(QWidget& window, const PlanFields& plan, const QHelpEvent& request);

}  // namespace quorvel
