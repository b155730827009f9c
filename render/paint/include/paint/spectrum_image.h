// The folded spectrum as an image, composed as the chart area is: on the fast surface into
// a pooled bitmap, and the same calls through QPainter to hold it to.
#pragma once

#include <QImage>

#include "charts/chart_look.h"
#include "charts/measured_overlay.h"
#include "charts/spectrum_layout.h"
#include "plan/plan_fields.h"
#include "plan/spur_model.h"

namespace quorvel {

/// The spectrum of width x height pixels (Format_RGB32); a null image for a size the chart
/// area would not compose either. Text needs a QGuiApplication.
QImage ComposeSpectrum(const PlanFields& plan, const SpurModel& model, int width, int height);
/// The same from a layout already made, at its size: what a window that reads its layout
/// back under the pointer draws, with a measured trace and its peaks when given.
QImage ComposeSpectrum(const SpectrumLayout& layout, const MeasuredOverlay* measured = nullptr);
/// The same in `look`: the layout's chart pixels at look.scale device pixels a side, with
/// that device pixel ratio. The default look gives the image above.
QImage ComposeSpectrum(const SpectrumLayout& layout, const ChartLook& look,
                       const MeasuredOverlay* measured = nullptr);

/// The same picture with every primitive drawn in full and in order through QPainter.
QImage ComposeSpectrumThroughQPainter(const PlanFields& plan, const SpurModel& model, int width,
                                      int height);
QImage ComposeSpectrumThroughQPainter(const SpectrumLayout& layout,
                                      const MeasuredOverlay* measured = nullptr);

}  // namespace quorvel
