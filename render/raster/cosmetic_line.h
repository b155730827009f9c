// The pixels of a one-pixel line as Qt's raster engine sets them for an aliased cosmetic
// pen with square caps, stepped in the same fixed point, so that a line written straight
// into an image matches one drawn through QPainter bit for bit. Both ends are included;
// a dotted pen's dots (one on, two off) start at the end the line is drawn from.
#pragma once

#include <cstdint>

namespace quorvel {

/// A line as the engine steps it: `count` pixels, one per step along the major axis from
/// `major` upward; the minor coordinate, in 16.16 fixed point, starts at `minor` and moves
/// by `increment` per step.
struct LineSteps {
    bool yMajor = false;
    int major = 0;
    int count = 0;  ///< 0: the line sets no pixel
    std::int64_t minor = 0;
    std::int64_t increment = 0;
    int dotPhase = 0;  ///< step k is a dot of a dotted pen when k % 3 == dotPhase

    int MinorAt(int k) const { return static_cast<int>((minor + k * increment) >> 16); }
    bool IsDot(int k) const { return k % 3 == dotPhase; }
};

/// The steps of the line from (x1, y1) to (x2, y2), end points included, after the
/// engine's own cut to the image (width x height, one pixel beyond on the top and left,
/// two on the bottom and right). Pixels outside the image are among the steps: the caller
/// skips them. Coordinates must lie within a few thousand pixels of the image: callers cut
/// far-away lines first.
LineSteps StepCosmeticLine(double x1, double y1, double x2, double y2, int width, int height);

}  // namespace quorvel
