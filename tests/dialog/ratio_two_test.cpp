// The window on a screen of two device pixels to the pixel (QT_SCALE_FACTOR=2): the
// charts are drawn on every device pixel, so a one-pixel line is two device pixels thick and
// text is written at the screen's own resolution, not blown up.
#include <gtest/gtest.h>

#include "charts/plot_frame.h"
#include "main_dialog_fixture.h"

namespace quorvel::test {
namespace {

class RatioTwoTest : public MainDialogTest {};

TEST_F(RatioTwoTest, LinesAreTwoDevicePixelsThickAndTextIsCrisp) {
    ASSERT_EQ(dlg->devicePixelRatioF(), 2.0)
        << "the screen must have two device pixels to the pixel";
    const int height = dlg->height() - kControlStripHeight;
    const QImage shown = dlg->grab(QRect(0, kControlStripHeight, dlg->width(), height))
                             .toImage()
                             .convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(shown.size(), QSize(2 * dlg->width(), 2 * height));

    // The folding chart's left axis, half way between two grid rows, where no alias line
    // comes near it.
    const PlotFrame frame = MakePlotFrame(0, height / 2, dlg->width());
    const int y = frame.top + frame.height * 9 / 20;
    const QRgb axis = qRgb(0xA0, 0xA0, 0xA0);
    const QRgb ground = qRgb(0, 0, 0);
    for (int dy = 0; dy < 2; ++dy) {
        EXPECT_EQ(shown.pixel(2 * frame.left - 1, 2 * y + dy), ground);
        EXPECT_EQ(shown.pixel(2 * frame.left, 2 * y + dy), axis);
        EXPECT_EQ(shown.pixel(2 * frame.left + 1, 2 * y + dy), axis);
        EXPECT_EQ(shown.pixel(2 * frame.left + 2, 2 * y + dy), ground);
    }

    // The tick labels left of the axis: a chart drawn at one to one and blown up would show
    // every pixel as a square of four alike.
    int finer = 0;
    for (int ly = frame.top; ly < frame.axisY(); ++ly) {
        for (int lx = 0; lx < frame.left - 3; ++lx) {
            const QRgb p = shown.pixel(2 * lx, 2 * ly);
            finer += p != shown.pixel(2 * lx + 1, 2 * ly) || p != shown.pixel(2 * lx, 2 * ly + 1) ||
                             p != shown.pixel(2 * lx + 1, 2 * ly + 1)
                         ? 1
                         : 0;
        }
    }
    EXPECT_GT(finer, 100);
}

}  // namespace
}  // namespace quorvel::test
