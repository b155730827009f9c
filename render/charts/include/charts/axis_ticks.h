// Ticks at round values along an axis: 1, 2 or 5 times a power of ten, spaced so that
// their labels never crowd one another.
#pragma once

#include <string>
#include <vector>

namespace quorvel {

struct AxisTick {
    double at = 0;  ///< how far along the axis, 0 at lo and 1 at hi
    std::string label;
};

/// The ticks of lo..hi drawn `pixels` long, about one per `spacing` pixels, lowest first,
/// labelled as FormatTickLabel writes them; none when the span is not a positive finite
/// number or the axis is under 2 pixels. At most 64, whatever the arguments.
std::vector<AxisTick> AxisTicks(double lo, double hi, int pixels, int spacing);

}  // namespace quorvel
