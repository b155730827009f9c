#include "drawing_order.h"

namespace quorvel {

DrawingOrder::DrawingOrder(const PixelBuffer& pixels, bool blackFirst)
    : pixels_(pixels), black_(pixels_, blackFirst) {}

// Called before every span of a map's body: nothing is held then, and asking costs less
// than a call.
Canvas DrawingOrder::Before(DrawingKind next) {
    if (next != DrawingKind::kLine && !lines_.empty()) {
        lines_.WriteTo(pixels_, black_);
    }
    if (next != DrawingKind::kRectangle && !rectangles_.empty()) {
        rectangles_.PaintTo(pixels_, black_);
    }
    return {pixels_, black_};
}

void DrawingOrder::Hold(const HeldLine& line) {
    Before(DrawingKind::kLine);
    if (lines_.full()) {
        lines_.WriteTo(pixels_, black_);
    }
    lines_.Add(line);
}

void DrawingOrder::Hold(const HeldRectangle& rect) {
    Before(DrawingKind::kRectangle);
    if (rectangles_.full()) {
        rectangles_.PaintTo(pixels_, black_);
    }
    rectangles_.Add(rect);
}

void DrawingOrder::Finish() {
    Before(DrawingKind::kBlock);
    black_.SettleAll();
}

}  // namespace quorvel
