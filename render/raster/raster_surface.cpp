#include "raster_surface_impl.h"

#include <algorithm>
#include <cstdint>

#include "cosmetic_line.h"
#include "painted_shapes.h"
#include "pixel_colour.h"
#include "raster/raster_surface.h"
#include "surface_guard.h"
#include "text_cell.h"
#include "text_cell_cache.h"

namespace quorvel {

namespace {

constexpr std::uint32_t kBlackPixel = 0xFF000000u;

PixelBuffer PixelsOf(QImage& image) {
    return {reinterpret_cast<std::uint32_t*>(image.bits()), image.bytesPerLine() / 4, image.width(),
            image.height()};
}

// Copies the part of `cell` that lands on the image with its top left at `at`.
void CopyCell(const QImage& cell, QPoint at, const PixelBuffer& pixels) {
    const int left = std::max(at.x(), 0);
    const int right = std::min(at.x() + cell.width(), pixels.width);
    const int top = std::max(at.y(), 0);
    const int bottom = std::min(at.y() + cell.height(), pixels.height);
    for (int y = top; y < bottom && left < right; ++y) {
        const auto* from = reinterpret_cast<const std::uint32_t*>(cell.constScanLine(y - at.y()));
        std::copy(from + (left - at.x()), from + (right - at.x()), pixels.Row(y) + left);
    }
}

}  // namespace

RasterSurface::RasterSurface(QImage& image, bool blackFirst)
    : image_(image), order_(PixelsOf(image), blackFirst) {}

RasterSurface::~RasterSurface() {
    order_.Finish();
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
    const Canvas canvas = order_.Before(DrawingKind::kText);
    if (const QImage* cell = CachedTextCell(text, state)) {
        const QPoint at = bounds.toRect().topLeft();
        canvas.black.Settle(at.y(), at.y() + cell->height());
        CopyCell(*cell, at, canvas.pixels);
        return;
    }
    // QPainter may reach beyond the cell.
    canvas.black.SettleAll();
    PaintTextCell(Painter(), image_.rect(), x, y, text, state);
}

QPainter& RasterSurface::Painter() {
    if (!painter_) {
        painter_ = std::make_unique<QPainter>(&image_);
        PrepareChartPainter(*painter_);
        // Beginning to paint may not move the pixels, but they are cheap to look up again.
        order_.Rebind(PixelsOf(image_));
    }
    return *painter_;
}

// Held back with the lines before it and written with them in one pass over the rows.
void RasterSurface::DrawSegment(int x1, int y1, int x2, int y2) {
    const auto guarded = GuardSegment(x1, y1, x2, y2, image_.width(), image_.height());
    if (!guarded) {
        return;
    }
    const SegmentF& s = guarded->segment;
    HeldLine line;
    line.steps = StepCosmeticLine(s.x1, s.y1, s.x2, s.y2, image_.width(), image_.height());
    if (line.steps.count == 0) {
        return;
    }
    const PenSpec& pen = objects_.pen();
    line.on = ToPixel(pen.colour);
    line.off = ToPixel(background_);
    line.dotted = pen.style == PenStyle::kDot;
    line.endX = x2;
    line.endY = y2;
    order_.Hold(line);
}

void RasterSurface::Rectangle(int left, int top, int right, int bottom) {
    const auto rect = NormaliseRectangle(left, top, right, bottom, image_.width(), image_.height());
    if (!rect) {
        return;
    }
    const BrushSpec& brush = objects_.brush();
    order_.Hold(HeldRectangle{*rect, ToPixel(objects_.pen().colour), ToPixel(brush.colour),
                              ToPixel(background_),
                              brush.style == BrushStyle::kBackwardDiagonalHatch});
}

void RasterSurface::PatBlt(int x, int y, int width, int height, RasterOp op) {
    (void)op;  // black is the only raster operation
    const Canvas canvas = order_.Before(DrawingKind::kBlock);
    const PixelRect area = NormaliseBlock(x, y, width, height, image_.width(), image_.height());
    for (int row = area.top; row < area.bottom && area.left < area.right; ++row) {
        // A row still to be blackened is black already as far as the picture goes.
        if (!canvas.black.IsPending(row)) {
            std::fill(canvas.pixels.Row(row) + area.left, canvas.pixels.Row(row) + area.right,
                      kBlackPixel);
        }
    }
}

void RasterSurface::FillSpan(int y, int x0, int x1, ColorRef colour) {
    const auto span = NormaliseSpan(y, x0, x1, image_.width(), image_.height());
    if (!span) {
        return;
    }
    const Canvas canvas = order_.Before(DrawingKind::kSpan);
    canvas.black.Settle(span->top, span->bottom);
    std::uint32_t* const row = canvas.pixels.Row(span->top);
    std::fill(row + span->left, row + span->right, ToPixel(colour));
}

void RasterSurface::DrawText(const PixelRect& box, unsigned format, std::string_view text) {
    if (!TextBoxWithinGuard(box, image_.width(), image_.height())) {
        return;
    }
    order_.Before(DrawingKind::kPainted).black.SettleAll();
    PaintTextBox(Painter(), box, format, text, textColour_);
}

int RasterSurface::TextLineHeight() {
    return TextBoxLineHeight(Painter());
}

void RasterSurface::SmoothCircle(double x, double y, double radius) {
    if (!CircleWithinGuard(x, y, radius, image_.width(), image_.height())) {
        return;
    }
    order_.Before(DrawingKind::kPainted).black.SettleAll();
    PaintSmoothCircle(Painter(), x, y, radius, objects_.pen());
}

std::unique_ptr<DrawingSurface> MakeRasterSurface(QImage& image, bool blackFirst) {
    return std::make_unique<RasterSurface>(image, blackFirst);
}

}  // namespace quorvel
