// The fast surface holds lines and rectangles back to write them in batches, yet the
// picture must be the one drawing every primitive in order would leave. So no primitive
// reaches the pixels but through Before(), which first writes whatever is held that the
// new drawing must cover: a new primitive cannot skip the step.
#pragma once

#include "line_batch.h"
#include "pending_black_rows.h"
#include "pixel_buffer.h"
#include "rectangle_stack.h"

namespace quorvel {

// kPainted: drawn through QPainter, which may reach any pixel.
enum class DrawingKind { kLine, kRectangle, kText, kBlock, kSpan, kPainted };

/// What a primitive writes on: the pixels, and the rows still to be blackened, which it
/// settles before writing to them.
struct Canvas {
    const PixelBuffer& pixels;
    PendingBlackRows& black;
};

class DrawingOrder {
  public:
    DrawingOrder(const PixelBuffer& pixels, bool blackFirst);

    /// Writes the held drawings of every other kind: lines wait for lines only, rectangles
    /// for rectangles only.
    Canvas Before(DrawingKind next);
    /// Holds a line (or a rectangle) back behind the ones already held.
    void Hold(const HeldLine& line);
    void Hold(const HeldRectangle& rect);
    /// Writes everything held and blackens the rows still pending: the picture is done.
    void Finish();
    /// The same image's pixels, looked up again (QPainter has begun on it).
    void Rebind(const PixelBuffer& pixels) { pixels_ = pixels; }

  private:
    PixelBuffer pixels_;
    PendingBlackRows black_;
    LineBatch lines_;
    RectangleStack rectangles_;
};

}  // namespace quorvel
