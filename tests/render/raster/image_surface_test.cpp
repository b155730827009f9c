#include "image_surface_impl.h"

#include <gtest/gtest.h>

#include <QImage>
#include <climits>
#include <string>

#include "cell_font.h"

namespace quorvel {
namespace {

constexpr ColorRef kRed = 0x0000FF;
constexpr ColorRef kBlue = 0xFF0000;
constexpr ColorRef kGreen = 0x00FF00;

QRgb Rgb(ColorRef c) {
    return ToQColor(c).rgb();
}

QImage White(int w, int h) {
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

// The smallest rectangle holding every pixel that is not white.
QRect Touched(const QImage& image) {
    QRect box;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixel(x, y) != qRgb(255, 255, 255)) {
                box |= QRect(x, y, 1, 1);
            }
        }
    }
    return box;
}

int CountOf(const QImage& image, QRgb colour) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            n += image.pixel(x, y) == colour ? 1 : 0;
        }
    }
    return n;
}

void SelectPen(DrawingSurface& dc, PenStyle style, ColorRef colour) {
    dc.SelectObject(dc.CreatePen(style, 1, colour));
}

struct LineCase {
    const char* name;
    int x1, y1, x2, y2;
};

class LineEndTest : public testing::TestWithParam<LineCase> {};

TEST_P(LineEndTest, DrawsTheStartButNotTheEnd) {
    const LineCase& c = GetParam();
    QImage image = White(20, 20);
    {
        ImageSurface dc(image);
        SelectPen(dc, PenStyle::kSolid, kRed);
        dc.MoveTo(c.x1, c.y1);
        dc.LineTo(c.x2, c.y2);
    }
    EXPECT_EQ(image.pixel(c.x1, c.y1), Rgb(kRed));
    EXPECT_EQ(image.pixel(c.x2, c.y2), qRgb(255, 255, 255));
    EXPECT_EQ(CountOf(image, Rgb(kRed)), std::max(std::abs(c.x2 - c.x1), std::abs(c.y2 - c.y1)));
}

INSTANTIATE_TEST_SUITE_P(
    Directions, LineEndTest,
    testing::Values(LineCase{"Right", 2, 6, 15, 6}, LineCase{"Left", 15, 6, 2, 6},
                    LineCase{"Down", 6, 2, 6, 15}, LineCase{"Up", 6, 15, 6, 2},
                    LineCase{"DownRight", 2, 2, 12, 12}, LineCase{"UpLeft", 12, 12, 2, 2},
                    LineCase{"UpRight", 2, 12, 12, 2}, LineCase{"DownLeft", 12, 2, 2, 12},
                    LineCase{"ShallowRight", 2, 3, 17, 8}, LineCase{"ShallowLeft", 17, 8, 2, 3},
                    LineCase{"SteepUp", 3, 17, 8, 2}, LineCase{"SteepDown", 8, 2, 3, 17}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(ImageSurfaceLine, AZeroLengthLineDrawsNothing) {
    QImage image = White(10, 10);
    {
        ImageSurface dc(image);
        dc.MoveTo(4, 4);
        dc.LineTo(4, 4);
    }
    EXPECT_TRUE(Touched(image).isNull());
}

TEST(ImageSurfaceLine, FarAwayEndPointsKeepTheSlope) {
    QImage image = White(40, 40);
    {
        ImageSurface dc(image);
        SelectPen(dc, PenStyle::kSolid, kRed);
        dc.MoveTo(-1000000, -500000);
        dc.LineTo(1000000, 500000);  // through (0, 0) at slope 1/2
        dc.MoveTo(INT_MIN, 30);
        dc.LineTo(INT_MAX, 30);
        dc.MoveTo(35, INT_MAX);
        dc.LineTo(35, INT_MIN);
    }
    for (int k = 0; k < 20; ++k) {
        EXPECT_EQ(image.pixel(2 * k, k), Rgb(kRed)) << k;
    }
    for (int i = 0; i < 40; ++i) {
        EXPECT_EQ(image.pixel(i, 30), Rgb(kRed)) << i;
        EXPECT_EQ(image.pixel(35, i), Rgb(kRed)) << i;
    }
}

TEST(ImageSurfaceLine, AClippedLineStillLeavesOutItsEndPointInside) {
    QImage image = White(40, 40);
    {
        ImageSurface dc(image);
        SelectPen(dc, PenStyle::kSolid, kRed);
        dc.MoveTo(-1000000, -500000);
        dc.LineTo(20, 10);
    }
    for (int k = 0; k < 10; ++k) {
        EXPECT_EQ(image.pixel(2 * k, k), Rgb(kRed)) << k;
    }
    EXPECT_EQ(image.pixel(20, 10), qRgb(255, 255, 255));
    EXPECT_EQ(Touched(image), QRect(0, 0, 20, 10));
}

TEST(ImageSurfaceLine, DottedPenPaintsItsGapsInTheBackgroundColour) {
    QImage image = White(30, 5);
    {
        ImageSurface dc(image);
        dc.SetBkColor(kBlack);
        SelectPen(dc, PenStyle::kDot, kGreen);
        dc.MoveTo(0, 2);
        dc.LineTo(30, 2);
    }
    int on = 0;
    for (int x = 0; x < 30; ++x) {
        const QRgb pixel = image.pixel(x, 2);
        EXPECT_TRUE(pixel == Rgb(kGreen) || pixel == qRgb(0, 0, 0)) << x;
        on += pixel == Rgb(kGreen) ? 1 : 0;
    }
    EXPECT_EQ(on, 10);  // one pixel on, two off
    EXPECT_EQ(image.pixel(0, 2), Rgb(kGreen));
}

TEST(ImageSurfaceLine, AReleasedSelectedPenKeepsDrawingUntilReplaced) {
    QImage image = White(10, 10);
    {
        ImageSurface dc(image);
        const ObjectHandle pen = dc.CreatePen(PenStyle::kSolid, 1, kRed);
        dc.SelectObject(pen);
        dc.DeleteObject(pen);
        dc.SelectObject(pen);  // no longer exists: changes nothing
        dc.MoveTo(1, 1);
        dc.LineTo(8, 1);
    }
    EXPECT_EQ(image.pixel(1, 1), Rgb(kRed));
}

class RectangleTest : public testing::Test {
  protected:
    QImage Draw(int left, int top, int right, int bottom) {
        QImage image = White(24, 24);
        ImageSurface dc(image);
        dc.SetBkColor(kGreen);
        SelectPen(dc, PenStyle::kSolid, kRed);
        dc.SelectObject(dc.CreateHatchBrush(kBlue));
        dc.Rectangle(left, top, right, bottom);
        return image;
    }
};

TEST_F(RectangleTest, OutlineAndHatchedInsideWithoutRightAndBottomEdges) {
    const QImage image = Draw(2, 3, 20, 19);
    EXPECT_EQ(Touched(image), QRect(QPoint(2, 3), QPoint(19, 18)));
    for (int x = 2; x < 20; ++x) {
        EXPECT_EQ(image.pixel(x, 3), Rgb(kRed));
        EXPECT_EQ(image.pixel(x, 18), Rgb(kRed));
    }
    for (int y = 3; y < 19; ++y) {
        EXPECT_EQ(image.pixel(2, y), Rgb(kRed));
        EXPECT_EQ(image.pixel(19, y), Rgb(kRed));
    }
    // A backward-diagonal hatch: lines of constant x + y, 8 pixels apart, aligned to the
    // image, with the gaps in the background colour.
    int phase = -1;
    for (int y = 4; y < 18; ++y) {
        for (int x = 3; x < 19; ++x) {
            const QRgb pixel = image.pixel(x, y);
            if (pixel == Rgb(kBlue)) {
                if (phase < 0) {
                    phase = (x + y) % 8;
                }
                EXPECT_EQ((x + y) % 8, phase) << x << "," << y;
            } else {
                EXPECT_EQ(pixel, Rgb(kGreen)) << x << "," << y;
                EXPECT_NE((x + y) % 8, phase) << x << "," << y;
            }
        }
    }
    EXPECT_GE(phase, 0);
}

TEST_F(RectangleTest, CornersInEitherOrderDrawTheSame) {
    const QImage reference = Draw(2, 3, 20, 19);
    EXPECT_EQ(Draw(20, 19, 2, 3), reference);
    EXPECT_EQ(Draw(20, 3, 2, 19), reference);
    EXPECT_EQ(Draw(2, 19, 20, 3), reference);
}

TEST_F(RectangleTest, NoWidthDrawsNothingAndOnePixelIsALine) {
    EXPECT_TRUE(Touched(Draw(5, 5, 5, 15)).isNull());
    EXPECT_TRUE(Touched(Draw(5, 5, 15, 5)).isNull());
    const QImage thin = Draw(5, 5, 6, 15);
    EXPECT_EQ(Touched(thin), QRect(5, 5, 1, 10));
    EXPECT_EQ(CountOf(thin, Rgb(kRed)), 10);
}

TEST_F(RectangleTest, FarOutsideEdgesStayOutside) {
    const QImage image = Draw(INT_MIN, 10, INT_MAX, INT_MAX);
    EXPECT_EQ(Touched(image), QRect(0, 10, 24, 14));
    for (int x = 0; x < 24; ++x) {
        EXPECT_EQ(image.pixel(x, 10), Rgb(kRed));
    }
    EXPECT_NE(image.pixel(0, 15), Rgb(kRed));  // the left edge is far off the image
}

TEST(ImageSurfacePatBlt, BlacksOutTheAreaCutToTheImage) {
    QImage image = White(10, 10);
    {
        ImageSurface dc(image);
        dc.PatBlt(-5, 2, 8, INT_MAX, RasterOp::kBlackness);
    }
    EXPECT_EQ(Touched(image), QRect(0, 2, 3, 8));
    EXPECT_EQ(CountOf(image, qRgb(0, 0, 0)), 24);
}

struct TextCase {
    const char* name;
    unsigned align;
    int escapement;
    int height;
};

class TextCellTest : public testing::TestWithParam<TextCase> {};

// The cell of the text, filled in the background colour, is placed by the alignment.
TEST_P(TextCellTest, CellPlacedByTheAlignment) {
    const TextCase& c = GetParam();
    QImage image = White(200, 200);
    int advance = 0;
    {
        ImageSurface dc(image);
        dc.SetBkColor(kBlue);
        dc.SetTextColor(kBlack);
        dc.SelectObject(dc.CreateFont(c.height, c.escapement));
        dc.SetTextAlign(c.align);
        dc.TextOut(100, 100, "Harmonic 0.00");
        advance = QFontMetrics(MakeCellFont(c.height).font)
                      .horizontalAdvance(QStringLiteral("Harmonic 0.00"));
    }
    const QRect cell = Touched(image);
    int left = 100;
    if ((c.align & kAlignCenter) == kAlignCenter) {
        left = 100 - advance / 2;
    } else if ((c.align & kAlignRight) != 0) {
        left = 100 - advance;
    }
    const int top = (c.align & kAlignBottom) != 0 ? 100 - c.height : 100;
    if (c.escapement == 0) {
        EXPECT_EQ(cell, QRect(left, top, advance, c.height));
    } else {
        // Reading bottom to top: the cell's top faces left, its start lies at the bottom.
        EXPECT_EQ(cell, QRect(top, 200 - left - advance, c.height, advance));
    }
    // Every pixel of the cell is background or glyph, and some are glyph.
    EXPECT_GT(CountOf(image, Rgb(kBlue)), cell.width() * cell.height() / 2);
    EXPECT_LT(CountOf(image, Rgb(kBlue)), cell.width() * cell.height());
}

INSTANTIATE_TEST_SUITE_P(
    Alignments, TextCellTest,
    testing::Values(TextCase{"LeftTop", kAlignLeft | kAlignTop, 0, 12},
                    TextCase{"RightTop", kAlignRight | kAlignTop, 0, 12},
                    TextCase{"CenterTop", kAlignCenter | kAlignTop, 0, 12},
                    TextCase{"CenterBottom", kAlignCenter | kAlignBottom, 0, 14},
                    TextCase{"LeftBottom", kAlignLeft | kAlignBottom, 0, 13},
                    TextCase{"CenterTopUpwards", kAlignCenter | kAlignTop, 900, 13}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(ImageSurfaceText, TheCellHidesWhatLiesBeneathAndTheGlyphsTakeTheTextColour) {
    QImage image = White(120, 40);
    {
        ImageSurface dc(image);
        SelectPen(dc, PenStyle::kSolid, kRed);
        for (int y = 0; y < 40; ++y) {
            dc.MoveTo(0, y);
            dc.LineTo(120, y);
        }
        dc.SetBkColor(kBlack);
        dc.SetTextColor(0xC8C8C8);
        dc.SelectObject(dc.CreateFont(12, 0));
        dc.TextOut(10, 10, "184.32");
    }
    const int advance = QFontMetrics(MakeCellFont(12).font).horizontalAdvance("184.32");
    int glyph = 0;
    for (int y = 10; y < 22; ++y) {
        for (int x = 10; x < 10 + advance; ++x) {
            EXPECT_NE(image.pixel(x, y), Rgb(kRed)) << x << "," << y;
            glyph += image.pixel(x, y) == qRgb(200, 200, 200) ? 1 : 0;
        }
    }
    EXPECT_GT(glyph, 10);
    EXPECT_EQ(image.pixel(9, 10), Rgb(kRed));
    EXPECT_EQ(image.pixel(10, 22), Rgb(kRed));
    EXPECT_EQ(image.pixel(10 + advance, 10), Rgb(kRed));
}

TEST(ImageSurfaceText, FarAwayTextIsSkipped) {
    QImage image = White(50, 50);
    {
        ImageSurface dc(image);
        dc.SetTextAlign(kAlignCenter | kAlignBottom);
        dc.TextOut(INT_MAX, INT_MIN, "far");
        dc.TextOut(INT_MIN, 20, "far");
        dc.SelectObject(dc.CreateFont(13, 900));
        dc.TextOut(20, INT_MAX, "far");
    }
    EXPECT_TRUE(Touched(image).isNull());
}

TEST(CellFont, FillsTheCellAskedFor) {
    for (int height : {12, 13, 14}) {
        const CellFont cell = MakeCellFont(height);
        const QFontMetrics metrics(cell.font);
        EXPECT_EQ(cell.cellHeight, height);
        EXPECT_LE(metrics.ascent() + metrics.descent(), height);
        EXPECT_GE(metrics.ascent() + metrics.descent(), height - 1);
        EXPECT_EQ(cell.ascent, metrics.ascent());
    }
    EXPECT_EQ(MakeCellFont(12).font.pixelSize() + 1, MakeCellFont(14).font.pixelSize());
}

}  // namespace
}  // namespace quorvel
