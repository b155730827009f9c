#include "image_surface_impl.h"

#include <algorithm>

#include "painted_shapes.h"
#include "raster/image_surface.h"
#include "surface_guard.h"
#include "text_cell.h"

namespace quorvel {

namespace {

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
    const auto guarded = GuardSegment(x1, y1, x2, y2, image_.width(), image_.height());
    if (!guarded) {
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
    if (guarded->cut) {
        const SegmentF& s = guarded->segment;
        painter_.drawLine(QLineF(s.x1, s.y1, s.x2, s.y2));
    } else {
        painter_.drawLine(x1, y1, x2, y2);
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
    const auto rect = NormaliseRectangle(left, top, right, bottom, image_.width(), image_.height());
    if (!rect) {
        return;
    }
    const BrushSpec& brushSpec = objects_.brush();
    const QBrush brush(ToQColor(brushSpec.colour),
                       brushSpec.style == BrushStyle::kSolid ? Qt::SolidPattern : Qt::BDiagPattern);
    FillPixels(rect->left + 1, rect->top + 1, rect->right - 1, rect->bottom - 1, brush);

    // The outline is solid in the pen's colour: the charts outline with solid pens only.
    const QBrush edge(ToQColor(objects_.pen().colour));
    FillPixels(rect->left, rect->top, rect->right, rect->top + 1, edge);
    FillPixels(rect->left, rect->bottom - 1, rect->right, rect->bottom, edge);
    FillPixels(rect->left, rect->top, rect->left + 1, rect->bottom, edge);
    FillPixels(rect->right - 1, rect->top, rect->right, rect->bottom, edge);
}

void ImageSurface::PatBlt(int x, int y, int width, int height, RasterOp op) {
    (void)op;  // black is the only raster operation
    const PixelRect area = NormaliseBlock(x, y, width, height, image_.width(), image_.height());
    FillPixels(area.left, area.top, area.right, area.bottom, QBrush(Qt::black));
}

void ImageSurface::FillSpan(int y, int x0, int x1, ColorRef colour) {
    if (const auto span = NormaliseSpan(y, x0, x1, image_.width(), image_.height())) {
        FillPixels(span->left, span->top, span->right, span->bottom, QBrush(ToQColor(colour)));
    }
}

void ImageSurface::DrawText(const PixelRect& box, unsigned format, std::string_view text) {
    if (TextBoxWithinGuard(box, image_.width(), image_.height())) {
        PaintTextBox(painter_, box, format, text, textColour_);
    }
}

int ImageSurface::TextLineHeight() {
    return TextBoxLineHeight(painter_);
}

void ImageSurface::SmoothCircle(double x, double y, double radius) {
    if (CircleWithinGuard(x, y, radius, image_.width(), image_.height())) {
        PaintSmoothCircle(painter_, x, y, radius, objects_.pen());
    }
}

std::unique_ptr<DrawingSurface> MakeImageSurface(QImage& image) {
    return std::make_unique<ImageSurface>(image);
}

}  // namespace quorvel
