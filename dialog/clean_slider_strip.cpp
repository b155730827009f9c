#include "dialog/clean_slider_strip.h"

#include <QPainter>
#include <QSlider>
#include <QStyle>
#include <QStyleOptionSlider>

#include "dialog/spur_plan_dlg.h"
#include "paint/paint_cycle.h"
#include "plan/clean_intervals.h"

namespace quorvel {

namespace {

constexpr int kStripHeight = 4;
constexpr int kGapBelowSlider = 2;

}  // namespace

CleanSliderStrip::CleanSliderStrip(CSpurPlanDlg& main, QSlider& slider)
    : QWidget(&main), main_(main), slider_(slider) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    hide();
}

bool CleanSliderStrip::Fits() const {
    return slider_.geometry().bottom() + kGapBelowSlider + kStripHeight < kControlStripHeight;
}

void CleanSliderStrip::Place() {
    // Under the groove, from the handle's centre at the minimum to its centre at the maximum,
    // so that a point of the strip lies under the handle that sets that value.
    QStyleOptionSlider option;
    option.initFrom(&slider_);
    option.orientation = Qt::Horizontal;
    const int handle = slider_.style()->pixelMetric(QStyle::PM_SliderLength, &option, &slider_);
    const QRect g = slider_.geometry();
    setGeometry(g.left() + handle / 2, g.bottom() + kGapBelowSlider, g.width() - handle,
                kStripHeight);
}

void CleanSliderStrip::Update(const SpurQuery& query) {
    const PlanFields& plan = main_.Plan();
    range_ = {static_cast<double>(slider_.minimum()), static_cast<double>(slider_.maximum())};
    clean_.clear();
    if (plan.m_sliderVariable == kSliderDrivesFs) {
        clean_ = FindCleanFs(plan, range_, query).intervals;
    } else if (plan.m_sliderVariable == kSliderDrivesIf) {
        clean_ = FindCleanIf(plan, range_, query).intervals;
    }
    Place();
    update();
}

void CleanSliderStrip::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    painter.fillRect(rect(), QColor(0x80, 0x80, 0x80));
    const double span = range_.hi - range_.lo;
    if (!(span > 0)) {
        return;
    }
    for (const FrequencyInterval& c : clean_) {
        const double left = (c.lo - range_.lo) / span * width();
        const double right = (c.hi - range_.lo) / span * width();
        painter.fillRect(QRectF(left, 0, std::max(1.0, right - left), height()),
                         QColor(0x00, 0xC0, 0x00));
    }
}

}  // namespace quorvel
