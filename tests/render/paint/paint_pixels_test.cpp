// The composed chart area of real plans, checked at pixels that tell whether each part of
// the picture is where and what it should be.
#include <gtest/gtest.h>

#include <QImage>

#include "paint/paint_cycle.h"

namespace quorvel {
namespace {

constexpr QRgb kRedRgb = 0xFFFF0000;
constexpr QRgb kCyanRgb = 0xFF00FFFF;
constexpr QRgb kGreenRgb = 0xFF00FF00;
constexpr QRgb kBlackRgb = 0xFF000000;
constexpr QRgb kWhiteRgb = 0xFFFFFFFF;
constexpr QRgb kAxisRgb = 0xFFA0A0A0;
constexpr QRgb kGridRgb = 0xFF505050;

// The default plan on a 1000x600 area, composed once for the tests that look at it.
QRgb At(int x, int y) {
    static const QImage image = [] {
        PlanFields plan;
        return ComposeChartArea(plan, 1000, 600);
    }();
    return image.pixel(x, y);
}

TEST(DefaultPaint, FoldingChartFrameAndLines) {
    EXPECT_EQ(At(5, 5), kBlackRgb);
    EXPECT_EQ(At(513, 12), kRedRgb);   // harmonic 2's apex, drawn last of all lines
    EXPECT_EQ(At(38, 100), kAxisRgb);  // the vertical axis covers the grid's first column
    EXPECT_EQ(At(700, 270), kAxisRgb);
    int dots = 0;
    for (int x = 40; x < 121; ++x) {
        const QRgb pixel = At(x, 312);  // the lower chart's top grid row, clear of data
        EXPECT_TRUE(pixel == kGridRgb || pixel == kBlackRgb) << x;
        dots += pixel == kGridRgb ? 1 : 0;
    }
    EXPECT_EQ(dots, 27);                 // one pixel on, two off
    EXPECT_EQ(At(487, 140), kGreenRgb);  // box A's left side
}

TEST(DefaultPaint, BandChartBarsAndOutlines) {
    // Bar 15 (reversed) is the rectangle (899, 553, 126, 570): columns 126 to 898 from
    // row 553, its bottom edge stopping above the axis.
    EXPECT_EQ(At(400, 553), kCyanRgb);
    EXPECT_EQ(At(126, 560), kCyanRgb);
    EXPECT_EQ(At(898, 560), kCyanRgb);
    EXPECT_EQ(At(400, 569), kCyanRgb);
    EXPECT_EQ(At(700, 570), kAxisRgb);
    EXPECT_NE(At(899, 560), kCyanRgb);
    EXPECT_NE(At(125, 560), kCyanRgb);
    int hatch = 0;
    int gaps = 0;
    for (int x = 200; x < 216; ++x) {
        hatch += At(x, 560) == kCyanRgb ? 1 : 0;
        gaps += At(x, 560) == kBlackRgb ? 1 : 0;
    }
    EXPECT_EQ(hatch, 2);
    EXPECT_EQ(gaps, 14);
    // Bar 2, red, at the top right; the IF outline's top edge and the RF outline's bottom
    // edge, which lies on the axis.
    EXPECT_EQ(At(960, 335), kRedRgb);
    EXPECT_EQ(At(500, 312), kGreenRgb);
    EXPECT_EQ(At(400, 570), kGreenRgb);
}

TEST(DefaultPaint, TickLabelsAreLightGlyphsOnBlack) {
    // The "0.00" under the upper chart's axis: cell rows 273 to 284 centred on column 38.
    int light = 0;
    for (int y = 273; y < 285; ++y) {
        for (int x = 28; x < 49; ++x) {
            const QRgb pixel = At(x, y);
            EXPECT_EQ(qRed(pixel), qGreen(pixel));
            EXPECT_EQ(qRed(pixel), qBlue(pixel));
            light += qRed(pixel) > 150 ? 1 : 0;
        }
    }
    EXPECT_GT(light, 10);
}

TEST(PaintPixels, TickLabelCellsBlankTheLinesBeneathThem) {
    // Box B's left side runs at column 507 from below the upper chart's axis through the
    // label "184.32"; its cell (rows 273 to 284) hides it there.
    PlanFields plan;
    plan.m_ifBw = 4.0;
    plan.m_rfBw = 600.0;
    const QImage image = ComposeChartArea(plan, 1000, 600);
    EXPECT_EQ(image.pixel(507, 200), kGreenRgb);
    EXPECT_EQ(image.pixel(507, 271), kGreenRgb);
    for (int y = 273; y < 285; ++y) {
        EXPECT_NE(image.pixel(507, y), kGreenRgb) << y;
    }
}

TEST(PaintPixels, MarkerReadoutIsBlackOnWhiteAboveTheClick) {
    const MarkerPoint marker{413, 380};  // row 330 of the chart area
    const QImage image = ComposeChartArea(PlanFields{}, 1000, 600, marker);
    EXPECT_EQ(image.pixel(413, 329), kWhiteRgb);  // the single space's box on the click
    EXPECT_EQ(image.pixel(413, 330), kBlackRgb);
    EXPECT_EQ(image.pixel(414, 313), kWhiteRgb);  // the first line's box
    int dark = 0;
    for (int y = 301; y < 314; ++y) {
        for (int x = 413; x < 480; ++x) {
            dark += qRed(image.pixel(x, y)) < 100 ? 1 : 0;
        }
    }
    EXPECT_GT(dark, 20);
}

TEST(PaintPixels, AFailedGateShowsGridAndAxesOnly) {
    PlanFields plan;
    plan.m_fs = 0.0;
    const QImage image = ComposeChartArea(plan, 1000, 600);
    for (int y = 0; y < 600; ++y) {
        for (int x = 0; x < 1000; ++x) {
            const QRgb pixel = image.pixel(x, y);
            ASSERT_TRUE(pixel == kBlackRgb || pixel == kGridRgb || pixel == kAxisRgb)
                << x << "," << y;
        }
    }
}

// The exported picture of IF 1750..1850 at Fs 3000 (744 x 532, the window's first size):
// the IF band's image, 1150..1250, is box A at columns 570 to 616, rows 50 to 65, and the
// band chart's IF outline stands on the same columns.
TEST(PaintPixels, AnUnderSampledIfShowsAtItsImage) {
    PlanFields plan;
    plan.m_fs = 3000;
    plan.m_if = 1800;
    plan.m_ifBw = 100;
    plan.m_rfBw = 400;
    plan.m_harmonics = 14;
    const QImage image = ComposeChartArea(plan, 744, 532);
    int boxGreen = 0;
    for (int x = 570; x < 616; ++x) {
        boxGreen += (image.pixel(x, 50) == kGreenRgb) + (image.pixel(x, 65) == kGreenRgb);
    }
    for (int y = 51; y < 65; ++y) {
        boxGreen += (image.pixel(570, y) == kGreenRgb) + (image.pixel(616, y) == kGreenRgb);
    }
    EXPECT_GT(boxGreen, 80);                      // of 120: the alias lines cross it here and there
    EXPECT_EQ(image.pixel(570, 290), kGreenRgb);  // IF outline, above the first bar
    EXPECT_EQ(image.pixel(616, 290), kGreenRgb);
    int note = 0;  // the zone note, light glyphs in the top margin's right end
    for (int y = 0; y < 12; ++y) {
        for (int x = 500; x < 732; ++x) {
            note += qRed(image.pixel(x, y)) > 150 &&
                    qRed(image.pixel(x, y)) == qBlue(image.pixel(x, y));
        }
    }
    EXPECT_GT(note, 100);
}

}  // namespace
}  // namespace quorvel
