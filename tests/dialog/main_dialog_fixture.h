// A main dialog on screen (offscreen platform) with the defaults, and ways to look at it.
#pragma once

#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>
#include <QSlider>
#include <memory>

#include "dialog/spur_plan_dlg.h"
#include "paint/paint_cycle.h"
#include "plan/plan_fields.h"
#include "res/resource.h"
#include "widget_test_support.h"

namespace quorvel::test {

class MainDialogTest : public ::testing::Test {
  protected:
    void SetUp() override { Open(PlanFields{}); }

    void Open(const PlanFields& initial) {
        dlg = std::make_unique<CSpurPlanDlg>(nullptr, initial);
        dlg->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(dlg.get()));
    }

    const PlanFields& Plan() const { return dlg->Plan(); }
    MarkerPoint Marker() const { return dlg->Marker(); }
    int LastSliderPos() const { return dlg->LastSliderPos(); }
    QLineEdit& Field(int id) const { return *dlg->Edit(id); }
    QString Text(int id) const { return Field(id).text(); }
    QSlider& Slider() const { return *dlg->Slider(); }
    QComboBox& Combo() const { return *dlg->VariableCombo(); }

    /// Picks entry `index` from the selector's list, as a choice in its drop-down does:
    /// the entry becomes current and the choice is reported, even for the entry in force.
    void Choose(int index) const {
        Combo().setCurrentIndex(index);
        emit Combo().activated(index);
    }

    /// Waits for the next completed chart paint after `before`.
    bool Repainted(int before) const {
        return WaitUntil([&] { return dlg->PaintCount() > before; });
    }

    /// The chart area as shown, against what the render layer composes for `expected` with
    /// `marker`: both charts and the readout are exactly the composed bitmap, at (0, 50).
    ::testing::AssertionResult ChartsShow(PlanFields expected, MarkerPoint marker = {}) const {
        const int height = dlg->height() - kControlStripHeight;
        const QImage shown = Grab(*dlg, QRect(0, kControlStripHeight, dlg->width(), height));
        const QImage composed = ComposeChartArea(expected, dlg->width(), height, marker)
                                    .convertToFormat(QImage::Format_RGB32);
        if (shown == composed) {
            return ::testing::AssertionSuccess();
        }
        return ::testing::AssertionFailure() << "the chart area differs from the composed plan";
    }

    std::unique_ptr<CSpurPlanDlg> dlg;
};

}  // namespace quorvel::test
