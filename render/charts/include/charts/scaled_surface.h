// A chart drawn at a whole multiple of its size: for a screen with two device pixels to the
// pixel, or an image for print. The chart is laid out at its own size and every pixel of it
// becomes a square of device pixels; text is written in a font as many times as large, so it
// stays crisp instead of growing blocky.
#pragma once

#include "surface/drawing_surface.h"

namespace quorvel {

/// The largest scale an export or a screen asks for.
inline constexpr int kMostChartScale = 4;

/// A surface of chart pixels on `inner`, whose pixels are `scale` (1 to kMostChartScale)
/// times smaller. Lines are `scale` device pixels thick, rectangle outlines too; fonts and pen
/// widths are `scale` times the size asked for, and measured texts `scale` times smaller
/// (rounded up). DrawText's platform font is the inner surface's: one whose device has
/// `scale` times the dots per inch writes it at the scaled size.
class ScaledSurface final : public DrawingSurface {
  public:
    ScaledSurface(DrawingSurface& inner, int scale);

    ObjectHandle CreatePen(PenStyle style, int width, ColorRef colour) override;
    ObjectHandle CreateHatchBrush(ColorRef colour) override;
    ObjectHandle CreateSolidBrush(ColorRef colour) override;
    ObjectHandle CreateFont(int height, int escapement) override;
    void SelectObject(ObjectHandle object) override;
    void DeleteObject(ObjectHandle object) override;
    void SetBkColor(ColorRef colour) override;
    void SetTextColor(ColorRef colour) override;
    void SetTextAlign(unsigned align) override;
    void TextOut(int x, int y, std::string_view text) override;
    int TextWidth(std::string_view text) override;
    void MoveTo(int x, int y) override;
    void LineTo(int x, int y) override;
    void Rectangle(int left, int top, int right, int bottom) override;
    void PatBlt(int x, int y, int width, int height, RasterOp op) override;
    void FillSpan(int y, int x0, int x1, ColorRef colour) override;
    void DrawText(const PixelRect& box, unsigned format, std::string_view text) override;
    int TextLineHeight() override;
    void SmoothCircle(double x, double y, double radius) override;

  private:
    /// A chart coordinate on the device, held within reach of any surface first.
    int Device(int v) const;
    /// One device line, `scale_` pixels thick across its major direction.
    void DeviceLine(int x1, int y1, int x2, int y2);
    int Shrink(int deviceLength) const;

    DrawingSurface& inner_;
    const int scale_;
    int x_ = 0;
    int y_ = 0;
};

}  // namespace quorvel
