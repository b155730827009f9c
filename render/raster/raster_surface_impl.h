// The fast surface behind MakeRasterSurface: lines, rectangles and block fills go straight
// into the image's scanlines; text goes through QPainter once and is copied from then on.
// Consecutive lines, and consecutive rectangles, are held back and written together (see
// DrawingOrder).
#pragma once

#include <QImage>
#include <QPainter>
#include <memory>

#include "drawing_order.h"
#include "surface_state.h"

namespace quorvel {

class RasterSurface final : public SurfaceState {
  public:
    /// With `blackFirst` the surface blackens each row as its first drawing reaches it and
    /// the rest at its end.
    explicit RasterSurface(QImage& image, bool blackFirst = false);
    ~RasterSurface() override;
    RasterSurface(const RasterSurface&) = delete;
    RasterSurface& operator=(const RasterSurface&) = delete;

    void TextOut(int x, int y, std::string_view text) override;
    void Rectangle(int left, int top, int right, int bottom) override;
    void PatBlt(int x, int y, int width, int height, RasterOp op) override;
    void FillSpan(int y, int x0, int x1, ColorRef colour) override;
    void DrawText(const PixelRect& box, unsigned format, std::string_view text) override;
    int TextLineHeight() override;
    void SmoothCircle(double x, double y, double radius) override;

  private:
    void DrawSegment(int x1, int y1, int x2, int y2) override;
    /// The painter for what only QPainter draws, made on first use.
    QPainter& Painter();

    QImage& image_;
    std::unique_ptr<QPainter> painter_;  // made by the first text that is not copied
    DrawingOrder order_;
};

}  // namespace quorvel
