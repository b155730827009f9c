// The reference surface behind MakeImageSurface: every primitive through QPainter.
#pragma once

#include <QImage>
#include <QPainter>

#include "pixel_colour.h"
#include "surface_state.h"

namespace quorvel {

/// Paints on `image` for the surface's lifetime; the image must outlive it and must not be
/// null.
class ImageSurface final : public SurfaceState {
  public:
    explicit ImageSurface(QImage& image);
    ~ImageSurface() override;
    ImageSurface(const ImageSurface&) = delete;
    ImageSurface& operator=(const ImageSurface&) = delete;

    void SetBkColor(ColorRef colour) override;
    void TextOut(int x, int y, std::string_view text) override;
    void Rectangle(int left, int top, int right, int bottom) override;
    void PatBlt(int x, int y, int width, int height, RasterOp op) override;
    void FillSpan(int y, int x0, int x1, ColorRef colour) override;
    void DrawText(const PixelRect& box, unsigned format, std::string_view text) override;
    int TextLineHeight() override;
    void SmoothCircle(double x, double y, double radius) override;

  private:
    void DrawSegment(int x1, int y1, int x2, int y2) override;
    void FillPixels(int left, int top, int right, int bottom, const QBrush& brush);

    QImage& image_;
    QPainter painter_;
};

}  // namespace quorvel
