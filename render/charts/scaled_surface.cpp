#include "charts/scaled_surface.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "pixel_arithmetic.h"
#include "plan/truncate.h"

namespace quorvel {

namespace {

// Chart coordinates beyond this lie far off any surface (no side exceeds 32767 pixels) and
// are held here before scaling, so that no device coordinate overflows.
constexpr int kReach = 1 << 24;

int Held(std::int64_t v) {
    return static_cast<int>(std::clamp<std::int64_t>(v, -kReach, kReach));
}

// The part of the segment within [-kReach, kReach] on both axes (Liang and Barsky), its
// end points moved along it; false when it misses that square.
bool ClipToReach(double& x1, double& y1, double& x2, double& y2) {
    const double dx = x2 - x1;
    const double dy = y2 - y1;
    double t0 = 0;
    double t1 = 1;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {x1 + kReach, kReach - x1, y1 + kReach, kReach - y1};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0) {
            if (q[i] < 0) {
                return false;
            }
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0) {
            t0 = std::max(t0, t);
        } else {
            t1 = std::min(t1, t);
        }
    }
    if (t0 > t1) {
        return false;
    }
    const double ax = x1;
    const double ay = y1;
    x1 = ax + t0 * dx;
    y1 = ay + t0 * dy;
    x2 = ax + t1 * dx;
    y2 = ay + t1 * dy;
    return true;
}

int Nearest(double v) {
    return TruncToInt(std::floor(v + 0.5));
}

}  // namespace

ScaledSurface::ScaledSurface(DrawingSurface& inner, int scale)
    : inner_(inner), scale_(std::clamp(scale, 1, kMostChartScale)) {}

int ScaledSurface::Device(int v) const {
    return Held(v) * scale_;
}

int ScaledSurface::Shrink(int deviceLength) const {
    return static_cast<int>((std::int64_t{deviceLength} + scale_ - 1) / scale_);
}

ObjectHandle ScaledSurface::CreatePen(PenStyle style, int width, ColorRef colour) {
    return inner_.CreatePen(style, SaturateToInt(std::int64_t{width} * scale_), colour);
}
ObjectHandle ScaledSurface::CreateHatchBrush(ColorRef colour) {
    return inner_.CreateHatchBrush(colour);
}
ObjectHandle ScaledSurface::CreateSolidBrush(ColorRef colour) {
    return inner_.CreateSolidBrush(colour);
}
ObjectHandle ScaledSurface::CreateFont(int height, int escapement) {
    return inner_.CreateFont(SaturateToInt(std::int64_t{height} * scale_), escapement);
}
void ScaledSurface::SelectObject(ObjectHandle object) {
    inner_.SelectObject(object);
}
void ScaledSurface::DeleteObject(ObjectHandle object) {
    inner_.DeleteObject(object);
}
void ScaledSurface::SetBkColor(ColorRef colour) {
    inner_.SetBkColor(colour);
}
void ScaledSurface::SetTextColor(ColorRef colour) {
    inner_.SetTextColor(colour);
}
void ScaledSurface::SetTextAlign(unsigned align) {
    inner_.SetTextAlign(align);
}

void ScaledSurface::TextOut(int x, int y, std::string_view text) {
    inner_.TextOut(Device(x), Device(y), text);
}

int ScaledSurface::TextWidth(std::string_view text) {
    return Shrink(inner_.TextWidth(text));
}

void ScaledSurface::MoveTo(int x, int y) {
    x_ = x;
    y_ = y;
    inner_.MoveTo(Device(x), Device(y));
}

void ScaledSurface::LineTo(int x, int y) {
    const int fromX = x_;
    const int fromY = y_;
    x_ = x;
    y_ = y;
    if (fromX == x && fromY == y) {
        return;  // a line leaves out its end point: nothing to draw
    }
    const bool inReach = std::max({std::abs(std::int64_t{fromX}), std::abs(std::int64_t{fromY}),
                                   std::abs(std::int64_t{x}), std::abs(std::int64_t{y})}) <= kReach;
    if (inReach) {
        DeviceLine(fromX, fromY, x, y);
    } else {
        double x1 = fromX;
        double y1 = fromY;
        double x2 = x;
        double y2 = y;
        if (ClipToReach(x1, y1, x2, y2)) {
            DeviceLine(Nearest(x1), Nearest(y1), Nearest(x2), Nearest(y2));
        }
    }
    inner_.MoveTo(Device(x), Device(y));
}

// A chart pixel p covers device pixels s p to s p + s - 1. A line covers its pixels from
// its start up to its end, left out: along a direction that runs backwards the device line
// starts and ends at the far side of each square, so that it covers the same squares.
// Across its major direction it is drawn s times, one device pixel apart.
void ScaledSurface::DeviceLine(int x1, int y1, int x2, int y2) {
    if (x1 == x2 && y1 == y2) {
        return;
    }
    const int s = scale_;
    const int ax = x2 < x1 ? s - 1 : 0;
    const int ay = y2 < y1 ? s - 1 : 0;
    const bool xMajor = std::abs(std::int64_t{x2} - x1) >= std::abs(std::int64_t{y2} - y1);
    for (int k = 0; k < s; ++k) {
        if (xMajor) {
            inner_.MoveTo(x1 * s + ax, y1 * s + k);
            inner_.LineTo(x2 * s + ax, y2 * s + k);
        } else {
            inner_.MoveTo(x1 * s + k, y1 * s + ay);
            inner_.LineTo(x2 * s + k, y2 * s + ay);
        }
    }
}

void ScaledSurface::Rectangle(int left, int top, int right, int bottom) {
    int l = Device(std::min(left, right));
    int r = Device(std::max(left, right));
    int t = Device(std::min(top, bottom));
    int b = Device(std::max(top, bottom));
    // The outline s pixels thick: each rectangle one pixel further in draws the next ring of
    // it, and the brush again inside it.
    for (int k = 0; k < scale_ && l < r && t < b; ++k) {
        inner_.Rectangle(l, t, r, b);
        ++l;
        ++t;
        --r;
        --b;
    }
}

void ScaledSurface::PatBlt(int x, int y, int width, int height, RasterOp op) {
    const std::int64_t x0 = std::min<std::int64_t>(x, std::int64_t{x} + width);
    const std::int64_t x1 = std::max<std::int64_t>(x, std::int64_t{x} + width);
    const std::int64_t y0 = std::min<std::int64_t>(y, std::int64_t{y} + height);
    const std::int64_t y1 = std::max<std::int64_t>(y, std::int64_t{y} + height);
    const int left = Held(x0) * scale_;
    const int top = Held(y0) * scale_;
    inner_.PatBlt(left, top, Held(x1) * scale_ - left, Held(y1) * scale_ - top, op);
}

void ScaledSurface::FillSpan(int y, int x0, int x1, ColorRef colour) {
    if (std::abs(std::int64_t{y}) > kReach || x0 >= x1) {
        return;
    }
    for (int k = 0; k < scale_; ++k) {
        inner_.FillSpan(y * scale_ + k, Device(x0), Device(x1), colour);
    }
}

void ScaledSurface::DrawText(const PixelRect& box, unsigned format, std::string_view text) {
    inner_.DrawText({Device(box.left), Device(box.top), Device(box.right), Device(box.bottom)},
                    format, text);
}

int ScaledSurface::TextLineHeight() {
    return Shrink(inner_.TextLineHeight());
}

void ScaledSurface::SmoothCircle(double x, double y, double radius) {
    inner_.SmoothCircle(x * scale_, y * scale_, radius * scale_);
}

}  // namespace quorvel
