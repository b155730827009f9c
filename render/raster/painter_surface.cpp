#include "raster/painter_surface.h"

#include <QLineF>
#include <QPainterPath>
#include <QPolygonF>
#include <algorithm>
#include <cmath>
#include <optional>
#include <utility>

#include "painted_shapes.h"
#include "pixel_colour.h"
#include "surface_guard.h"
#include "surface_state.h"
#include "text_cell.h"

namespace quorvel {

namespace {

// The hatch's lines run through the pixels where (x + y) % 8 is 7, as the image surfaces
// draw them: through the pixels' centres, on the lines x + y = 8 m.
constexpr int kHatchPeriod = 8;

class PainterSurface final : public SurfaceState {
  public:
    PainterSurface(QPainter& painter, int width, int height)
        : painter_(painter), width_(width), height_(height) {
        painter_.save();
        PrepareChartPainter(painter_);
        // Every opaque background is drawn here as a shape of its own.
        painter_.setBackgroundMode(Qt::TransparentMode);
    }
    ~PainterSurface() override {
        Flush();
        painter_.restore();
    }
    PainterSurface(const PainterSurface&) = delete;
    PainterSurface& operator=(const PainterSurface&) = delete;

    void SetBkColor(ColorRef colour) override {
        SurfaceState::SetBkColor(colour);
        painter_.setBackground(ToQColor(colour));
    }

    void TextOut(int x, int y, std::string_view text) override {
        Flush();
        PaintTextCell(painter_, QRect(0, 0, width_, height_), x, y, text, CurrentTextState());
    }

    void Rectangle(int left, int top, int right, int bottom) override {
        Flush();
        const auto rect = NormaliseRectangle(left, top, right, bottom, width_, height_);
        if (!rect) {
            return;
        }
        const BrushSpec& brush = objects_.brush();
        const QRect inside(rect->left + 1, rect->top + 1, rect->right - rect->left - 2,
                           rect->bottom - rect->top - 2);
        if (!inside.isEmpty()) {
            if (brush.style == BrushStyle::kSolid) {
                painter_.fillRect(inside, ToQColor(brush.colour));
            } else {
                painter_.fillRect(inside, ToQColor(background_));
                Hatch(inside, brush.colour);
            }
        }
        // The outline is solid in the pen's colour, as on the image surfaces.
        const QColor edge = ToQColor(objects_.pen().colour);
        const int w = rect->right - rect->left;
        const int h = rect->bottom - rect->top;
        painter_.fillRect(QRect(rect->left, rect->top, w, 1), edge);
        painter_.fillRect(QRect(rect->left, rect->bottom - 1, w, 1), edge);
        painter_.fillRect(QRect(rect->left, rect->top, 1, h), edge);
        painter_.fillRect(QRect(rect->right - 1, rect->top, 1, h), edge);
    }

    void PatBlt(int x, int y, int width, int height, RasterOp op) override {
        (void)op;  // black is the only raster operation
        Flush();
        const PixelRect area = NormaliseBlock(x, y, width, height, width_, height_);
        if (area.left < area.right && area.top < area.bottom) {
            painter_.fillRect(
                QRect(area.left, area.top, area.right - area.left, area.bottom - area.top),
                Qt::black);
        }
    }

    // Rows of one span under each other (a block fill themed, a column of the map) become
    // one rectangle: a vector file holds shapes, not rows.
    void FillSpan(int y, int x0, int x1, ColorRef colour) override {
        const auto span = NormaliseSpan(y, x0, x1, width_, height_);
        if (!span) {
            return;
        }
        FlushPath();
        if (pending_ && pending_->colour == colour && pending_->area.left == span->left &&
            pending_->area.right == span->right && pending_->area.bottom == span->top) {
            pending_->area.bottom = span->bottom;
            return;
        }
        FlushSpans();
        pending_ = PendingSpans{*span, colour};
    }

    void DrawText(const PixelRect& box, unsigned format, std::string_view text) override {
        Flush();
        if (TextBoxWithinGuard(box, width_, height_)) {
            PaintTextBox(painter_, box, format, text, textColour_);
        }
    }

    int TextLineHeight() override { return TextBoxLineHeight(painter_); }

    void SmoothCircle(double x, double y, double radius) override {
        Flush();
        if (CircleWithinGuard(x, y, radius, width_, height_)) {
            PaintSmoothCircle(painter_, x, y, radius, objects_.pen());
        }
    }

  private:
    struct PendingSpans {
        PixelRect area;
        ColorRef colour = 0;
    };

    void FlushSpans() {
        if (!pending_) {
            return;
        }
        const PixelRect& a = pending_->area;
        painter_.fillRect(QRect(a.left, a.top, a.right - a.left, a.bottom - a.top),
                          ToQColor(pending_->colour));
        pending_.reset();
    }

    // A raster line covers the pixels from its start up to its end, left out: a stroke
    // through the pixels' centres with flat ends, its two ends moved back half a pixel along
    // their segments, covers the same run. Lines that go on from where the last one ended,
    // in the same pen, make one path.
    void DrawSegment(int x1, int y1, int x2, int y2) override {
        const auto guarded = GuardSegment(x1, y1, x2, y2, width_, height_);
        if (!guarded) {
            return;
        }
        const SegmentF& s = guarded->segment;
        const QPointF from(s.x1 + 0.5, s.y1 + 0.5);
        const QPointF to(s.x2 + 0.5, s.y2 + 0.5);
        const PenSpec& pen = objects_.pen();
        if (!guarded->cut && !path_.isEmpty() && path_.back() == from && pathPen_ == pen &&
            pathBackground_ == background_) {
            path_.append(to);
            return;
        }
        FlushSpans();
        FlushPath();
        path_ = {from, to};
        pathPen_ = pen;
        pathBackground_ = background_;
    }

    void FlushPath() {
        if (path_.size() < 2) {
            path_.clear();
            return;
        }
        QPolygonF path = std::exchange(path_, {});
        // The start moves back against its segment, the end back along its own.
        BackOff(path[0], path[1] - path[0]);
        BackOff(path.back(), path.back() - path[path.size() - 2]);
        if (pathPen_.style == PenStyle::kDot) {
            // The gaps between the dots are the background colour, as on the images.
            painter_.setPen(Stroke(pathBackground_, Qt::SolidLine));
            painter_.drawPolyline(path);
            QPen dots = Stroke(pathPen_.colour, Qt::CustomDashLine);
            dots.setDashPattern({1, 1});
            painter_.setPen(dots);
        } else {
            painter_.setPen(Stroke(pathPen_.colour, Qt::SolidLine));
        }
        painter_.drawPolyline(path);
    }

    static void BackOff(QPointF& point, const QPointF& direction) {
        const double length = std::hypot(direction.x(), direction.y());
        if (length > 0) {
            point -= direction * (0.5 / length);
        }
    }

    void Flush() {
        FlushPath();
        FlushSpans();
    }

    static QPen Stroke(ColorRef colour, Qt::PenStyle style) {
        return QPen(ToQColor(colour), 1, style, Qt::FlatCap, Qt::MiterJoin);
    }

    // The '/' lines of the hatch across `area`, each cut to it, as one path.
    void Hatch(const QRect& area, ColorRef colour) {
        const double left = area.left();
        const double top = area.top();
        const double right = left + area.width();
        const double bottom = top + area.height();
        const int first = (area.left() + area.top()) / kHatchPeriod * kHatchPeriod;
        const int last = area.left() + area.width() + area.top() + area.height();
        QPainterPath lines;
        for (int c = first; c <= last; c += kHatchPeriod) {
            // x + y = c from where it enters the area to where it leaves it.
            const double x0 = std::max(left, c - bottom);
            const double x1 = std::min(right, c - top);
            if (x1 > x0) {
                lines.moveTo(x0, c - x0);
                lines.lineTo(x1, c - x1);
            }
        }
        painter_.strokePath(lines, Stroke(colour, Qt::SolidLine));
    }

    QPainter& painter_;
    const int width_;
    const int height_;
    std::optional<PendingSpans> pending_;
    QPolygonF path_;  // pixel centres
    PenSpec pathPen_;
    ColorRef pathBackground_ = kWhite;
};

}  // namespace

std::unique_ptr<DrawingSurface> MakePainterSurface(QPainter& painter, int width, int height) {
    return std::make_unique<PainterSurface>(painter, width, height);
}

}  // namespace quorvel
