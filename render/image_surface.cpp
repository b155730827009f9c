#include "render/image_surface.h"

#include <algorithm>
#include <cstdint>
#include <utility>

#include "render/line_clip.h"
#include "render/text_cell.h"

namespace quorvel {

namespace {

// How far beyond the image a line may reach before it is clipped. Qt's rasteriser works
// in fixed point, so far-away coordinates must never reach it; anything this far out is
// invisible either way.
constexpr int kLineGuard = 1024;

bool Inside(const QImage& image, int x, int y) {
    return x >= 0 && y >= 0 && x < image.width() && y < image.height();
}

}  // namespace

ImageSurface::ImageSurface(QImage& image) : image_(image), painter_(&image_) {
    PrepareChartPainter(painter_);
}

ImageSurface::~ImageSurface() = default;

void ImageSurface::SetBkColor(ColorRef colour) {
    SurfaceState::SetBkColor(colour);
    painter_.setBackground(ToQColor(colour));
}

void ImageSurface::TextOut(int x, int y, std::string_view text) {
    PaintTextCell(painter_, image_.rect(), x, y, text, CurrentTextState());
}

// Qt's flat cap leaves out whichever end lies lower-right, whatever the direction; a line
// here leaves out its end point. So the line is drawn with both ends and the end pixel is
// put back as it was.
void ImageSurface::DrawSegment(int x1, int y1, int x2, int y2) {
    if (x1 == x2 && y1 == y2) {
        return;
    }
    const PenSpec& selected = objects_.pen();
    // Every pen is drawn one pixel wide: the charts use no other.
    QPen pen(ToQColor(selected.colour), 1,
             selected.style == PenStyle::kDot ? Qt::DotLine : Qt::SolidLine, Qt::SquareCap);
    pen.setCosmetic(true);
    painter_.setPen(pen);

    const bool keepEnd = Inside(image_, x2, y2);
    const QRgb endPixel = keepEnd ? image_.pixel(x2, y2) : 0;

    const int left = -kLineGuard;
    const int top = -kLineGuard;
    const int right = image_.width() - 1 + kLineGuard;
    const int bottom = image_.height() - 1 + kLineGuard;
    const auto within = [&](int x, int y) {
        return x >= left && x <= right && y >= top && y <= bottom;
    };
    if (within(x1, y1) && within(x2, y2)) {
        painter_.drawLine(x1, y1, x2, y2);
    } else {
        const auto clipped =
            ClipSegment({double(x1), double(y1), double(x2), double(y2)}, left, top, right, bottom);
        if (!clipped) {
            return;
        }
        painter_.drawLine(QLineF(clipped->x1, clipped->y1, clipped->x2, clipped->y2));
    }
    if (keepEnd) {
        painter_.fillRect(x2, y2, 1, 1, QColor::fromRgb(endPixel));
    }
}

// Fills [left, right) x [top, bottom) after cutting it to the image.
void ImageSurface::FillPixels(int left, int top, int right, int bottom, const QBrush& brush) {
    left = std::max(left, 0);
    top = std::max(top, 0);
    right = std::min(right, image_.width());
    bottom = std::min(bottom, image_.height());
    if (left < right && top < bottom) {
        painter_.fillRect(QRect(left, top, right - left, bottom - top), brush);
    }
}

void ImageSurface::Rectangle(int left, int top, int right, int bottom) {
    if (left > right) {
        std::swap(left, right);
    }
    if (top > bottom) {
        std::swap(top, bottom);
    }
    // With the right and bottom edges excluded, a rectangle of no width or no height covers
    // no pixel at all, so it draws nothing.
    if (left == right || top == bottom) {
        return;
    }
    // Edges beyond the image stay beyond it, a pixel out, so no later arithmetic overflows.
    left = std::clamp(left, -1, image_.width() + 1);
    right = std::clamp(right, -1, image_.width() + 1);
    top = std::clamp(top, -1, image_.height() + 1);
    bottom = std::clamp(bottom, -1, image_.height() + 1);

    const BrushSpec& brushSpec = objects_.brush();
    const QBrush brush(ToQColor(brushSpec.colour),
                       brushSpec.style == BrushStyle::kSolid ? Qt::SolidPattern : Qt::BDiagPattern);
    FillPixels(left + 1, top + 1, right - 1, bottom - 1, brush);

    // The outline is solid in the pen's colour: the charts outline with solid pens only.
    const QBrush edge(ToQColor(objects_.pen().colour));
    FillPixels(left, top, right, top + 1, edge);
    FillPixels(left, bottom - 1, right, bottom, edge);
    FillPixels(left, top, left + 1, bottom, edge);
    FillPixels(right - 1, top, right, bottom, edge);
}

void ImageSurface::PatBlt(int x, int y, int width, int height, RasterOp op) {
    (void)op;  // black is the only raster operation
    std::int64_t left = x;
    std::int64_t top = y;
    std::int64_t right = left + width;
    std::int64_t bottom = top + height;
    if (left > right) {
        std::swap(left, right);
    }
    if (top > bottom) {
        std::swap(top, bottom);
    }
    const std::int64_t w = image_.width();
    const std::int64_t h = image_.height();
    FillPixels(static_cast<int>(std::clamp<std::int64_t>(left, 0, w)),
               static_cast<int>(std::clamp<std::int64_t>(top, 0, h)),
               static_cast<int>(std::clamp<std::int64_t>(right, 0, w)),
               static_cast<int>(std::clamp<std::int64_t>(bottom, 0, h)), QBrush(Qt::black));
}

}  // namespace quorvel
