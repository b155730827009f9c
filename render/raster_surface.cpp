#include "render/raster_surface.h"

#include <algorithm>
#include <cstdint>
#include <utility>

#include "render/cosmetic_line.h"
#include "render/line_clip.h"
#include "render/pixel_colour.h"
#include "render/text_cell.h"
#include "render/text_cell_cache.h"

namespace quorvel {

namespace {

// As for the QPainter surface: lines reaching further out than this are cut first, keeping
// their slope, so that both surfaces hand the same end points to the same stepping.
constexpr int kLineGuard = 1024;

constexpr std::uint32_t kBlackPixel = 0xFF000000u;

PixelBuffer PixelsOf(QImage& image) {
    return {reinterpret_cast<std::uint32_t*>(image.bits()), image.bytesPerLine() / 4, image.width(),
            image.height()};
}

}  // namespace

RasterSurface::RasterSurface(QImage& image, bool blackFirst)
    : image_(image), pixels_(PixelsOf(image)), black_(pixels_, blackFirst) {}

RasterSurface::~RasterSurface() {
    WriteHeldLines();
    PaintHeldRectangles();
    black_.SettleAll();
}

void RasterSurface::TextOut(int x, int y, std::string_view text) {
    if (text.empty()) {
        return;
    }
    const TextState state = CurrentTextState();
    const QRectF bounds = PlaceTextCell(x, y, CachedTextAdvance(text, state), state).ImageBounds();
    if (!bounds.intersects(QRectF(image_.rect()))) {
        return;
    }
    WriteHeldLines();
    PaintHeldRectangles();
    if (const QImage* cell = CachedTextCell(text, state)) {
        const QPoint at = bounds.toRect().topLeft();
        black_.Settle(at.y(), at.y() + cell->height());
        CopyCell(*cell, at);
        return;
    }
    // QPainter may reach beyond the cell.
    black_.SettleAll();
    if (!painter_) {
        painter_ = std::make_unique<QPainter>(&image_);
        PrepareChartPainter(*painter_);
        // Beginning to paint may not move the pixels, but they are cheap to look up again.
        pixels_ = PixelsOf(image_);
    }
    PaintTextCell(*painter_, image_.rect(), x, y, text, state);
}

// Copies the part of `cell` that lands on the image with its top left at `at`.
void RasterSurface::CopyCell(const QImage& cell, QPoint at) {
    const int left = std::max(at.x(), 0);
    const int right = std::min(at.x() + cell.width(), pixels_.width);
    const int top = std::max(at.y(), 0);
    const int bottom = std::min(at.y() + cell.height(), pixels_.height);
    for (int y = top; y < bottom && left < right; ++y) {
        const auto* from = reinterpret_cast<const std::uint32_t*>(cell.constScanLine(y - at.y()));
        std::copy(from + (left - at.x()), from + (right - at.x()), pixels_.Row(y) + left);
    }
}

// Held back with the lines before it and written with them in one pass over the rows.
void RasterSurface::DrawSegment(int x1, int y1, int x2, int y2) {
    if (x1 == x2 && y1 == y2) {
        return;
    }
    PaintHeldRectangles();
    SegmentF segment{double(x1), double(y1), double(x2), double(y2)};
    const int left = -kLineGuard;
    const int top = -kLineGuard;
    const int right = pixels_.width - 1 + kLineGuard;
    const int bottom = pixels_.height - 1 + kLineGuard;
    const auto within = [&](int x, int y) {
        return x >= left && x <= right && y >= top && y <= bottom;
    };
    if (!within(x1, y1) || !within(x2, y2)) {
        const auto clipped = ClipSegment(segment, left, top, right, bottom);
        // A cut that leaves a single point leaves it on the guard, far off the image.
        if (!clipped || (clipped->x1 == clipped->x2 && clipped->y1 == clipped->y2)) {
            return;
        }
        segment = *clipped;
    }
    HeldLine line;
    line.steps = StepCosmeticLine(segment.x1, segment.y1, segment.x2, segment.y2, pixels_.width,
                                  pixels_.height);
    if (line.steps.count == 0) {
        return;
    }
    const PenSpec& pen = objects_.pen();
    line.on = ToPixel(pen.colour);
    line.off = ToPixel(background_);
    line.dotted = pen.style == PenStyle::kDot;
    line.endX = x2;
    line.endY = y2;
    if (lines_.full()) {
        WriteHeldLines();
    }
    lines_.Add(line);
}

void RasterSurface::WriteHeldLines() {
    lines_.WriteTo(pixels_, black_);
}

void RasterSurface::Rectangle(int left, int top, int right, int bottom) {
    if (left > right) {
        std::swap(left, right);
    }
    if (top > bottom) {
        std::swap(top, bottom);
    }
    // With the right and bottom edges excluded, a rectangle of no width or no height covers
    // no pixel.
    if (left == right || top == bottom) {
        return;
    }
    WriteHeldLines();
    // Edges beyond the image stay beyond it, a pixel out, as on the QPainter surface.
    left = std::clamp(left, -1, pixels_.width + 1);
    right = std::clamp(right, -1, pixels_.width + 1);
    top = std::clamp(top, -1, pixels_.height + 1);
    bottom = std::clamp(bottom, -1, pixels_.height + 1);
    const BrushSpec& brush = objects_.brush();
    if (rectangles_.full()) {
        PaintHeldRectangles();
    }
    rectangles_.Add({PixelRect{left, top, right, bottom}, ToPixel(objects_.pen().colour),
                     ToPixel(brush.colour), ToPixel(background_),
                     brush.style == BrushStyle::kBackwardDiagonalHatch});
}

void RasterSurface::PaintHeldRectangles() {
    rectangles_.PaintTo(pixels_, black_);
}

void RasterSurface::PatBlt(int x, int y, int width, int height, RasterOp op) {
    (void)op;  // black is the only raster operation
    WriteHeldLines();
    PaintHeldRectangles();
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
    const int l = static_cast<int>(std::clamp<std::int64_t>(left, 0, pixels_.width));
    const int t = static_cast<int>(std::clamp<std::int64_t>(top, 0, pixels_.height));
    const int r = static_cast<int>(std::clamp<std::int64_t>(right, 0, pixels_.width));
    const int b = static_cast<int>(std::clamp<std::int64_t>(bottom, 0, pixels_.height));
    for (int row = t; row < b && l < r; ++row) {
        // A row still to be blackened is black already as far as the picture goes.
        if (!black_.IsPending(row)) {
            std::fill(pixels_.Row(row) + l, pixels_.Row(row) + r, kBlackPixel);
        }
    }
}

}  // namespace quorvel
