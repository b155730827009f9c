#include "dialog/chart_tooltip.h"

#include <QHelpEvent>
#include <QToolTip>
#include <QWidget>

#include "charts/chart_area.h"
#include "charts/chart_hover.h"

namespace quorvel {

QString ChartToolTipText(const PlanFields& plan, int windowWidth, int windowHeight, QPoint at) {
    const int chartHeight = windowHeight - kControlStripHeight;
    const ChartHover hover =
        HoverAt(plan, windowWidth, chartHeight, PixelPoint{at.x(), at.y() - kControlStripHeight});
    return QString::fromStdString(HoverText(hover));
}

void ShowChartToolTip(QWidget& window, const PlanFields& plan, const QHelpEvent& request) {
    const QString text = ChartToolTipText(plan, window.width(), window.height(), request.pos());
    if (text.isEmpty()) {
        QToolTip::hideText();
        return;
    }
    QToolTip::showText(request.globalPos(), text, &window);
}

}  // namespace quorvel
