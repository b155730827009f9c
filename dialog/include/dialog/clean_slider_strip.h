// A thin strip under the main window's slider, in the control strip's free space, showing
// where the variable the slider drives is clean: green over the clean intervals of its
// range. Shown while the clean map is open.
#pragma once

#include <QWidget>
#include <vector>

#include "plan/spur_query.h"

class QSlider;

namespace quorvel {

class CSpurPlanDlg;

class CleanSliderStrip : public QWidget {
  public:
    /// Sits under main's slider; hidden until shown, and for good when the slider leaves no
    /// room under it within the control strip.
    CleanSliderStrip(CSpurPlanDlg& main, QSlider& slider);

    /// Recomputes the clean intervals for the main window's plan and `query`.
    void Update(const SpurQuery& query);

    /// Whether there is room for the strip under the slider.
    bool Fits() const;

    const std::vector<FrequencyInterval>& Clean() const { return clean_; }
    FrequencyInterval Range() const { return range_; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    void Place();

    CSpurPlanDlg& main_;
    QSlider& slider_;
    FrequencyInterval range_;
    std::vector<FrequencyInterval> clean_;
};

}  // namespace quorvel
