// The charts drawn on any paint device as the shapes and text they are made of, for vector
// files: the device holds width x height units, one to the chart's pixel.
#pragma once

#include <QPainter>

#include "charts/chart_theme.h"
#include "charts/clean_map_rows.h"
#include "charts/marker_point.h"
#include "charts/measured_overlay.h"
#include "charts/spectrum_layout.h"
#include "plan/plan_fields.h"
#include "plan/spur_model.h"

namespace quorvel {

/// The chart area as ComposeChartArea lays it out, with the readout for `marker` when shown.
void PaintChartAreaOn(QPainter& painter, const PlanFields& plan, int width, int height,
                      MarkerPoint marker, Theme theme);

/// The folded spectrum as ComposeSpectrum lays it out.
void PaintSpectrumOn(QPainter& painter, const PlanFields& plan, const SpurModel& model, int width,
                     int height, Theme theme);
/// The same from a layout already made, at its size, with a measured trace and its peaks
/// when given: what the spectrum's window shows.
void PaintSpectrumOn(QPainter& painter, const SpectrumLayout& layout,
                     const MeasuredOverlay* measured, Theme theme);

/// The clean map with the plan's mark, as ComposeCleanMap lays it out. Its body, worked out a
/// pixel at a time, is laid in as an image of the body's pixels; the rest is shapes and
/// text. A refused map says why on a grey body, and its status says so too.
FinderStatus PaintCleanMapOn(QPainter& painter, const PlanFields& plan, const CleanMapView& view,
                             int width, int height, Theme theme);

}  // namespace quorvel
