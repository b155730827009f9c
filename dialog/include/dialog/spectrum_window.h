// The folded spectrum in a window of its own, beside the main one: every spur of the plan
// and the converter model at its level over 0..Fs/2, following every change of either, and
// a status line naming the spurs under the pointer.
#pragma once

#include <QPoint>
#include <QWidget>
#include <optional>

#include "charts/spectrum_layout.h"
#include "plan/plan_fields.h"
#include "plan/spur_model.h"

class QAction;
class QLabel;

namespace quorvel {

class CSpurPlanDlg;

/// The chart itself, composed at its own size at every paint.
class SpectrumCanvas : public QWidget {
    Q_OBJECT

  public:
    explicit SpectrumCanvas(QWidget* parent);

    /// Takes the plan and model to draw; the chart is composed at the next paint.
    void Show(const PlanFields& plan, const SpurModel& model);
    /// Where everything lies at the canvas's size now.
    const SpectrumLayout& Layout() const;
    int PaintCount() const { return paintCount_; }

  signals:
    void Hovered(QPoint point);
    void Left();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

  private:
    PlanFields plan_;
    SpurModel model_;
    /// Made again when the plan, the model or the size changed.
    mutable std::optional<SpectrumLayout> layout_;
    int paintCount_ = 0;
};

class SpectrumWindow : public QWidget {
    Q_OBJECT

  public:
    explicit SpectrumWindow(CSpurPlanDlg& main);

    SpectrumCanvas* Canvas() const { return canvas_; }
    QLabel* StatusLine() const { return status_; }

  private:
    void Refresh();
    void OnHover(QPoint point);
    void ShowReadout();

    CSpurPlanDlg& main_;
    SpectrumCanvas* canvas_ = nullptr;
    QLabel* status_ = nullptr;
    std::optional<QPoint> pointer_;  ///< where the pointer was last seen on the canvas
};

/// Adds "Folded spectrum..." (Ctrl+F) to the main window's actions; it opens the spectrum
/// window, one per main window, or brings it to the front. Returns the action.
QAction* InstallSpectrumWindow(CSpurPlanDlg& main);

}  // namespace quorvel
