// What must hold on the main dialog after any user action: it is open, every field that
// converts is the plan's value, every field that does not is marked, the slider drives
// what the selector shows, and the paint has caught up with the plan.
#pragma once

#include <QObject>
#include <QSize>
#include <string>

#include "charts/marker_point.h"
#include "plan/plan_fields.h"

namespace quorvel {
class CSpurPlanDlg;
}

namespace quorvel::test {

/// Watches the dialog's paint events and notes the plan, marker and size each one drew, with
/// the harmonic count lowered as the paint lowers it.
class PaintWatch : public QObject {
  public:
    explicit PaintWatch(CSpurPlanDlg& dlg);

    int PaintEvents() const { return paintEvents_; }
    const PlanFields& LastPaintedPlan() const { return plan_; }
    MarkerPoint LastPaintedMarker() const { return marker_; }
    QSize LastPaintedSize() const { return size_; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    CSpurPlanDlg& dlg_;
    int paintEvents_ = 0;
    PlanFields plan_;
    MarkerPoint marker_;
    QSize size_;
};

/// The dialog is visible; each field's text is the plan's value where it converts and is
/// marked where it does not (the harmonic count may also be the typed one lowered to 26);
/// the selector and the slider agree with the plan. Empty when all hold, else what failed.
std::string CheckControls(const CSpurPlanDlg& dlg);

/// True when the last paint drew the present plan at the present size.
bool PaintIsCurrent(const CSpurPlanDlg& dlg, const PaintWatch& watch);

/// What the last paint drew against what the dialog holds now, for a failure message.
std::string DescribePaintLag(const CSpurPlanDlg& dlg, const PaintWatch& watch);

/// Forces a repaint, checks that a paint event ran and completed (leaving the harmonic
/// count lowered to 26 in the plan), and compares the chart
/// area on screen with the render layer's composition of the plan. Empty when it matches.
std::string CheckRepaintShowsPlan(CSpurPlanDlg& dlg, const PaintWatch& watch);

}  // namespace quorvel::test
