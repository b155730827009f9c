#include "cosmetic_line.h"

#include <cmath>
#include <utility>

#include "plan/truncate.h"

namespace quorvel {

namespace {

// The engine's cut, in floating point. False: nothing of the line is left.
bool CutToImage(double& x1, double& y1, double& x2, double& y2, int width, int height) {
    if (!std::isfinite(x1) || !std::isfinite(y1) || !std::isfinite(x2) || !std::isfinite(y2)) {
        return false;
    }
    const double xmin = -1.0;
    const double xmax = width + 1.0;
    const double ymin = -1.0;
    const double ymax = height + 1.0;
    // The order of the cuts and of each expression's operations is the engine's: the
    // rounding of a cut end point decides its pixels.
    if (x1 < xmin) {
        if (x2 <= xmin) {
            return false;
        }
        y1 += (y2 - y1) / (x2 - x1) * (xmin - x1);
        x1 = xmin;
    } else if (x1 > xmax) {
        if (x2 >= xmax) {
            return false;
        }
        y1 += (y2 - y1) / (x2 - x1) * (xmax - x1);
        x1 = xmax;
    }
    if (x2 < xmin) {
        y2 += (y2 - y1) / (x2 - x1) * (xmin - x2);
        x2 = xmin;
    } else if (x2 > xmax) {
        y2 += (y2 - y1) / (x2 - x1) * (xmax - x2);
        x2 = xmax;
    }
    if (y1 < ymin) {
        if (y2 <= ymin) {
            return false;
        }
        x1 += (x2 - x1) / (y2 - y1) * (ymin - y1);
        y1 = ymin;
    } else if (y1 > ymax) {
        if (y2 >= ymax) {
            return false;
        }
        x1 += (x2 - x1) / (y2 - y1) * (ymax - y1);
        y1 = ymax;
    }
    if (y2 < ymin) {
        x2 += (x2 - x1) / (y2 - y1) * (ymin - y2);
        y2 = ymin;
    } else if (y2 > ymax) {
        x2 += (x2 - x1) / (y2 - y1) * (ymax - y2);
        y2 = ymax;
    }
    return true;
}

}  // namespace

LineSteps StepCosmeticLine(double x1, double y1, double x2, double y2, int width, int height) {
    LineSteps steps;
    if (!CutToImage(x1, y1, x2, y2, width, height)) {
        return steps;
    }
    // 26.6 fixed point.
    const std::int64_t fx1 = TruncToInt(x1 * 64.0);
    const std::int64_t fy1 = TruncToInt(y1 * 64.0);
    const std::int64_t fx2 = TruncToInt(x2 * 64.0);
    const std::int64_t fy2 = TruncToInt(y2 * 64.0);
    const std::int64_t dx = fx2 > fx1 ? fx2 - fx1 : fx1 - fx2;
    const std::int64_t dy = fy2 > fy1 ? fy2 - fy1 : fy1 - fy2;

    steps.yMajor = dx < dy;
    if (!steps.yMajor && dx == 0) {
        return steps;
    }
    std::int64_t a1 = steps.yMajor ? fy1 : fx1;  // along the major axis
    std::int64_t a2 = steps.yMajor ? fy2 : fx2;
    std::int64_t b1 = steps.yMajor ? fx1 : fy1;  // along the minor axis
    std::int64_t b2 = steps.yMajor ? fx2 : fy2;
    // The engine always steps upward; a line drawn the other way keeps its dots aligned to
    // its own start.
    const bool reversed = a1 > a2;
    if (reversed) {
        std::swap(a1, a2);
        std::swap(b1, b2);
    }
    const std::int64_t increment = (b2 - b1) * 65536 / (a2 - a1);  // 16.16, toward zero
    std::int64_t minor = b1 * 1024;
    // Square caps reach half a pixel beyond each end.
    a1 -= 32;
    minor -= increment >> 1;
    a2 += 32;
    const std::int64_t first = (a1 + 32) >> 6;
    const std::int64_t end = (a2 + 32) >> 6;
    if (first == end) {
        return steps;
    }
    const std::int64_t round = increment > 0 ? 32 : 0;
    minor += ((first * 64) + round - a1) * increment >> 6;

    steps.major = static_cast<int>(first);
    steps.count = static_cast<int>(end - first);
    steps.minor = minor;
    steps.increment = increment;
    steps.dotPhase = reversed ? (steps.count - 1) % 3 : 0;
    return steps;
}

}  // namespace quorvel
