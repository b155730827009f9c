// Geometric clipping of a line segment to a rectangle, keeping its slope, so that a line
// with far-away end points can be handed to a fixed-point rasteriser.
#pragma once

#include <optional>

namespace quorvel {

struct SegmentF {
    double x1, y1, x2, y2;
    friend bool operator==(const SegmentF&, const SegmentF&) = default;
};

/// The part of the segment inside [left, right] x [top, bottom] (edges included), or
/// nothing when it misses the rectangle. Each end point is either kept exactly or moved
/// along the segment onto the rectangle's border.
std::optional<SegmentF> ClipSegment(const SegmentF& segment, double left, double top, double right,
                                    double bottom);

}  // namespace quorvel
