#include "dialog/spectrum_canvas.h"

#include <QMouseEvent>
#include <QPainter>
#include <utility>

#include "paint/spectrum_image.h"

namespace quorvel {

SpectrumCanvas::SpectrumCanvas(QWidget* parent) : QWidget(parent) {
    setMouseTracking(true);
    setMinimumSize(320, 200);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void SpectrumCanvas::Show(const PlanFields& plan, const SpurModel& model,
                          const MeasuredSpectrum* trace, double traceMedian,
                          std::vector<SpectrumPeak> peaks) {
    plan_ = plan;
    model_ = model;
    trace_ = trace;
    traceMedian_ = traceMedian;
    peaks_ = std::move(peaks);
    layout_.reset();
    overlay_.reset();
    update();
}

const SpectrumLayout& SpectrumCanvas::Layout() const {
    if (!layout_ || layout_->width != width() || layout_->height != height()) {
        // The trace's noise stays on the plot, whatever levels the plan gives.
        const std::optional<double> median =
            trace_ != nullptr ? std::optional(traceMedian_) : std::nullopt;
        layout_ = LayOutSpectrum(plan_, model_, width(), height(), median);
        overlay_.reset();
        if (trace_ != nullptr) {
            // Once per layout, not per paint: a million points come down to a column each.
            overlay_ = LayOutMeasured(*layout_, *trace_, peaks_, model_);
        }
    }
    return *layout_;
}

const MeasuredOverlay* SpectrumCanvas::Overlay() const {
    Layout();
    return overlay_ ? &*overlay_ : nullptr;
}

void SpectrumCanvas::paintEvent(QPaintEvent* /*event*/) {
    const QImage image =
        ComposeSpectrum(Layout(), {.scale = ChartScaleFor(devicePixelRatioF())}, Overlay());
    ++paintCount_;
    QPainter painter(this);
    painter.drawImage(0, 0, image);
}

void SpectrumCanvas::mouseMoveEvent(QMouseEvent* event) {
    emit Hovered(event->position().toPoint());
}

void SpectrumCanvas::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        emit Clicked(event->position().toPoint());
    }
}

void SpectrumCanvas::leaveEvent(QEvent* /*event*/) {
    emit Left();
}

}  // namespace quorvel
