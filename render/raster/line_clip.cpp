#include "line_clip.h"

namespace quorvel {

// Liang-Barsky: the segment is p(t) = p1 + t (p2 - p1), t in [0, 1]; each border narrows
// the range of t that lies inside.
std::optional<SegmentF> ClipSegment(const SegmentF& s, double left, double top, double right,
                                    double bottom) {
    const double dx = s.x2 - s.x1;
    const double dy = s.y2 - s.y1;
    double t0 = 0.0;
    double t1 = 1.0;
    const auto narrow = [&](double p, double q) {
        // p t <= q must hold inside.
        if (p == 0.0) {
            return q >= 0.0;
        }
        const double t = q / p;
        if (p < 0.0) {
            if (t > t1) {
                return false;
            }
            if (t > t0) {
                t0 = t;
            }
        } else {
            if (t < t0) {
                return false;
            }
            if (t < t1) {
                t1 = t;
            }
        }
        return true;
    };
    if (!narrow(-dx, s.x1 - left) || !narrow(dx, right - s.x1) || !narrow(-dy, s.y1 - top) ||
        !narrow(dy, bottom - s.y1)) {
        return std::nullopt;
    }
    SegmentF out = s;
    if (t0 > 0.0) {
        out.x1 = s.x1 + t0 * dx;
        out.y1 = s.y1 + t0 * dy;
    }
    if (t1 < 1.0) {
        out.x2 = s.x1 + t1 * dx;
        out.y2 = s.y1 + t1 * dy;
    }
    return out;
}

}  // namespace quorvel
