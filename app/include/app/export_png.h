// The chart area as a PNG image, composed exactly as the paint cycle does, off-screen.
#pragma once

#include <QByteArray>
#include <optional>

#include "app/cli_options.h"
#include "plan/plan_fields.h"

namespace quorvel {

/// Composes the chart area of width x height pixels for the plan, with the marker readout
/// of a left click at `marker` when one is given, and encodes it as PNG. Needs a
/// QGuiApplication (fonts). Returns nothing when the image cannot be made or encoded.
std::optional<QByteArray> ChartAreaPng(const PlanFields& plan, int width, int height,
                                       std::optional<MarkerPoint> marker);

}  // namespace quorvel
