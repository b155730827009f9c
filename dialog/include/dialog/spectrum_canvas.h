// The folded spectrum's chart in its window: composed at its own size at every paint, with a
// measured trace over it when there is one, and telling where the pointer moves and clicks.
#pragma once

#include <QPoint>
#include <QWidget>
#include <optional>
#include <vector>

#include "charts/measured_overlay.h"
#include "charts/spectrum_layout.h"
#include "plan/plan_fields.h"
#include "plan/spur_identify.h"
#include "plan/spur_model.h"

namespace quorvel {

/// The chart itself, composed at its own size at every paint.
class SpectrumCanvas : public QWidget {
    Q_OBJECT

  public:
    explicit SpectrumCanvas(QWidget* parent);

    /// Takes the plan and model to draw, and the measured trace over them with its median
    /// and its peaks (their candidates among tones that outlive the next Show); the chart is
    /// composed at the next paint.
    void Show(const PlanFields& plan, const SpurModel& model,
              const MeasuredSpectrum* trace = nullptr, double traceMedian = 0,
              std::vector<SpectrumPeak> peaks = {});
    /// Where everything lies at the canvas's size now.
    const SpectrumLayout& Layout() const;
    /// Where the trace and its peaks lie; null without a trace.
    const MeasuredOverlay* Overlay() const;
    int PaintCount() const { return paintCount_; }

  signals:
    void Hovered(QPoint point);
    void Left();
    void Clicked(QPoint point);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

  private:
    PlanFields plan_;
    SpurModel model_;
    const MeasuredSpectrum* trace_ = nullptr;
    double traceMedian_ = 0;
    std::vector<SpectrumPeak> peaks_;
    /// Made again when the plan, the model, the trace or the size changed.
    mutable std::optional<SpectrumLayout> layout_;
    mutable std::optional<MeasuredOverlay> overlay_;
    int paintCount_ = 0;
};

}  // namespace quorvel
