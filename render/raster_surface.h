// The drawing surface the paint uses: lines, rectangles and block fills are written
// straight into the image's scanlines, with the same pixels QPainter would set; text goes
// through QPainter once and is copied from then on. Consecutive lines, and consecutive rectangles,
// are held back and written together when something else is drawn or the surface ends.
#pragma once

#include <QImage>
#include <QPainter>
#include <memory>

#include "render/line_batch.h"
#include "render/pending_black_rows.h"
#include "render/pixel_buffer.h"
#include "render/rectangle_stack.h"
#include "render/surface_state.h"

namespace quorvel {

class RasterSurface final : public SurfaceState {
  public:
    /// Paints on `image` (Format_RGB32, not null) for the surface's lifetime. With
    /// `blackFirst` the image's content is ignored and the drawing starts from all black:
    /// the surface blackens each row as its first drawing reaches it and the rest at its
    /// end, so the caller need not fill the image.
    explicit RasterSurface(QImage& image, bool blackFirst = false);
    ~RasterSurface() override;
    RasterSurface(const RasterSurface&) = delete;
    RasterSurface& operator=(const RasterSurface&) = delete;

    void TextOut(int x, int y, std::string_view text) override;
    void Rectangle(int left, int top, int right, int bottom) override;
    void PatBlt(int x, int y, int width, int height, RasterOp op) override;

  private:
    void CopyCell(const QImage& cell, QPoint at);
    void DrawSegment(int x1, int y1, int x2, int y2) override;
    void WriteHeldLines();
    void PaintHeldRectangles();

    QImage& image_;
    PixelBuffer pixels_;
    std::unique_ptr<QPainter> painter_;  // made by the first text
    PendingBlackRows black_;
    LineBatch lines_;
    RectangleStack rectangles_;
};

}  // namespace quorvel
