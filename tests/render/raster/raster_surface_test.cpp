// The fast surface against the QPainter surface: the same operations, in the same order,
// must leave the same pixels, whatever the operations and wherever they land.
#include "raster_surface_impl.h"

#include <gtest/gtest.h>

#include <QImage>
#include <array>
#include <climits>
#include <cstdint>
#include <functional>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "image_surface_impl.h"

namespace quorvel {
namespace {

// A background in which every pixel differs from its neighbours, so that a pixel written
// in the wrong place, or left out, shows.
QImage Speckled(int w, int h, std::uint32_t seed) {
    QImage image(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y) {
        auto* row = reinterpret_cast<std::uint32_t*>(image.scanLine(y));
        for (int x = 0; x < w; ++x) {
            const auto v = static_cast<std::uint32_t>(x) * 2654435761u ^
                           static_cast<std::uint32_t>(y) * 40503u ^ seed;
            row[x] = 0xFF000000u | (v & 0x00FFFFFFu);
        }
    }
    return image;
}

// Draws the same script on both surfaces and returns (reference, fast). With `fromBlack`
// the fast surface is told to start from black on top of `start`, while the reference
// starts from an image filled black, as the paint used to be composed.
template <typename Script>
std::pair<QImage, QImage> DrawBoth(QImage start, Script&& script, bool fromBlack = false) {
    QImage reference = start.copy();
    if (fromBlack) {
        reference.fill(Qt::black);
    }
    QImage fast = start.copy();
    {
        ImageSurface dc(reference);
        script(static_cast<DrawingSurface&>(dc));
    }
    {
        RasterSurface dc(fast, fromBlack);
        script(static_cast<DrawingSurface&>(dc));
    }
    return {reference, fast};
}

// The first differing pixel, for the failure message.
std::string FirstDifference(const QImage& a, const QImage& b) {
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            if (a.pixel(x, y) != b.pixel(x, y)) {
                std::ostringstream out;
                out << "(" << x << "," << y << ") reference " << std::hex << a.pixel(x, y)
                    << " fast " << b.pixel(x, y);
                return out.str();
            }
        }
    }
    return "none";
}

struct LineCase {
    const char* name;
    int x1, y1, x2, y2;
};

class RasterLineTest : public testing::TestWithParam<LineCase> {};

TEST_P(RasterLineTest, SolidAndDottedLinesMatchQPainter) {
    const LineCase& c = GetParam();
    for (PenStyle style : {PenStyle::kSolid, PenStyle::kDot}) {
        const auto [reference, fast] = DrawBoth(Speckled(40, 30, 7), [&](DrawingSurface& dc) {
            dc.SetBkColor(0x123456);
            dc.SelectObject(dc.CreatePen(style, 1, 0x00FF00));
            dc.MoveTo(c.x1, c.y1);
            dc.LineTo(c.x2, c.y2);
        });
        EXPECT_EQ(reference, fast) << FirstDifference(reference, fast);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Lines, RasterLineTest,
    testing::Values(LineCase{"Right", 2, 6, 35, 6}, LineCase{"Left", 35, 6, 2, 6},
                    LineCase{"Down", 6, 2, 6, 25}, LineCase{"Up", 6, 25, 6, 2},
                    LineCase{"Diagonal", 2, 2, 27, 27}, LineCase{"DiagonalBack", 27, 27, 2, 2},
                    LineCase{"Shallow", 1, 3, 38, 9}, LineCase{"ShallowBack", 38, 9, 1, 3},
                    LineCase{"Steep", 3, 28, 9, 1}, LineCase{"SteepBack", 9, 1, 3, 28},
                    LineCase{"OffTheLeft", -30, 4, 20, 17}, LineCase{"OffTheBottom", 5, 20, 9, 90},
                    LineCase{"PastTheGuard", -5000, -2000, 39, 29},
                    LineCase{"BothFarOut", INT_MIN, INT_MIN, INT_MAX, INT_MAX},
                    LineCase{"FarOutMissing", -3000, 100, 3000, 101},
                    LineCase{"EdgeRow", -3, 0, 50, 0}, LineCase{"BottomEdgeRow", 50, 29, -4, 29},
                    LineCase{"OnePixel", 5, 5, 6, 5}, LineCase{"Knight", 5, 5, 7, 6}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(RasterSurface, RandomLinesMatchQPainter) {
    std::mt19937 random(1208);
    const auto coordinate = [&](int extent) {
        switch (random() % 4) {
            case 0:
                return std::uniform_int_distribution<int>(-3, extent + 3)(random);
            case 1:
                return std::uniform_int_distribution<int>(-2 * extent, 3 * extent)(random);
            case 2:
                return std::uniform_int_distribution<int>(-100000, 100000)(random);
            default:
                return std::uniform_int_distribution<int>(0, extent - 1)(random);
        }
    };
    for (int round = 0; round < 600; ++round) {
        const int w = std::uniform_int_distribution<int>(1, 90)(random);
        const int h = std::uniform_int_distribution<int>(1, 70)(random);
        std::vector<std::array<int, 5>> lines;
        for (int i = 0; i < 40; ++i) {
            lines.push_back({coordinate(w), coordinate(h), coordinate(w), coordinate(h),
                             static_cast<int>(random() % 2)});
        }
        const auto [reference, fast] =
            DrawBoth(Speckled(w, h, static_cast<std::uint32_t>(round)), [&](DrawingSurface& dc) {
                dc.SetBkColor(0x102030);
                int n = 0;
                for (const auto& l : lines) {
                    const ObjectHandle pen =
                        dc.CreatePen(l[4] != 0 ? PenStyle::kDot : PenStyle::kSolid, 1,
                                     static_cast<ColorRef>(0x10000 * n++ + 0x40));
                    dc.SelectObject(pen);
                    dc.MoveTo(l[0], l[1]);
                    dc.LineTo(l[2], l[3]);
                    dc.DeleteObject(pen);
                }
            });
        ASSERT_EQ(reference, fast)
            << "round " << round << " " << w << "x" << h << " " << FirstDifference(reference, fast);
    }
}

// Random scripts of every operation, with runs of overlapping rectangles (the surface
// holds those back and paints them back to front), text, spans and smooth circles between
// them, and fills.
TEST(RasterSurface, RandomScriptsMatchQPainter) {
    std::mt19937 random(20261208);
    const auto any = [&](int lo, int hi) {
        return std::uniform_int_distribution<int>(lo, hi)(random);
    };
    for (int round = 0; round < 400; ++round) {
        const int w = any(1, 120);
        const int h = any(1, 90);
        const auto coordinate = [&](int extent) {
            switch (any(0, 5)) {
                case 0:
                    return any(INT_MIN, INT_MAX);
                case 1:
                    return any(-3 * extent, 4 * extent);
                default:
                    return any(-2, extent + 2);
            }
        };
        // One script, fixed before drawing, so both surfaces get the same calls.
        std::vector<std::function<void(DrawingSurface&)>> script;
        for (int step = 0; step < 60; ++step) {
            const int kind = any(0, 12);
            const auto colour = static_cast<ColorRef>(any(0, 0xFFFFFF));
            if (kind == 0) {
                const bool dotted = any(0, 1) != 0;
                script.push_back([=](DrawingSurface& dc) {
                    dc.SelectObject(
                        dc.CreatePen(dotted ? PenStyle::kDot : PenStyle::kSolid, 1, colour));
                });
            } else if (kind == 1) {
                // Hatched or solid, by the colour's lowest bit.
                script.push_back([=](DrawingSurface& dc) {
                    dc.SelectObject((colour & 1) != 0 ? dc.CreateSolidBrush(colour)
                                                      : dc.CreateHatchBrush(colour));
                });
            } else if (kind == 2) {
                script.push_back([=](DrawingSurface& dc) { dc.SetBkColor(colour); });
            } else if (kind <= 4) {
                const int x1 = coordinate(w), y1 = coordinate(h);
                const int x2 = coordinate(w), y2 = coordinate(h);
                script.push_back([=](DrawingSurface& dc) {
                    dc.MoveTo(x1, y1);
                    dc.LineTo(x2, y2);
                });
            } else if (kind <= 7) {
                // A stack of bars sharing a bottom, as the band chart draws them, or loose
                // rectangles anywhere.
                const int count = any(1, 8);
                const bool stacked = any(0, 1) != 0;
                const int bottom = coordinate(h);
                for (int i = 0; i < count; ++i) {
                    const int l = coordinate(w), r = coordinate(w);
                    const int t = stacked ? any(-2, h) : coordinate(h);
                    const int b = stacked ? bottom : coordinate(h);
                    const auto pen = static_cast<ColorRef>(any(0, 0xFFFFFF));
                    const bool hatched = any(0, 3) != 0;
                    script.push_back([=](DrawingSurface& dc) {
                        const ObjectHandle p = dc.CreatePen(PenStyle::kSolid, 1, pen);
                        dc.SelectObject(p);
                        if (hatched) {
                            dc.SelectObject(dc.CreateHatchBrush(pen));
                        }
                        dc.Rectangle(l, t, r, b);
                        dc.DeleteObject(p);
                    });
                }
            } else if (kind == 8) {
                const int x = coordinate(w), y = coordinate(h);
                const int cw = coordinate(w), ch = coordinate(h);
                script.push_back(
                    [=](DrawingSurface& dc) { dc.PatBlt(x, y, cw, ch, RasterOp::kBlackness); });
            } else if (kind == 10) {
                // Runs of a map row, some reaching beyond the image.
                const int y = any(-2, h + 1);
                const int x0 = coordinate(w), x1 = any(0, 1) != 0 ? coordinate(w) : x0 + any(0, 9);
                script.push_back([=](DrawingSurface& dc) { dc.FillSpan(y, x0, x1, colour); });
            } else if (kind == 11) {
                const PixelRect box{any(-30, w), any(-30, h), any(-10, w + 30), any(-10, h + 30)};
                static constexpr std::array<unsigned, 4> kFormats = {
                    kTextLeft, kTextRight | kTextVCentre, kTextHCentre | kTextUpward,
                    kTextHCentre | kTextVCentre | kTextWordBreak};
                const unsigned format = kFormats[static_cast<std::size_t>(any(0, 3))];
                script.push_back([=](DrawingSurface& dc) {
                    dc.SetTextColor(colour);
                    dc.DrawText(box, format, "Fs (MHz) 1250");
                });
            } else if (kind == 12) {
                const double x = any(-400, 4 * w) / 4.0, y = any(-400, 4 * h) / 4.0;
                const int width = any(1, 4);
                script.push_back([=](DrawingSurface& dc) {
                    dc.SelectObject(dc.CreatePen(PenStyle::kSolid, width, colour));
                    dc.SmoothCircle(x, y, 6);
                });
            } else {
                const int x = any(-20, w + 5), y = any(-20, h + 5);
                // Quarter turns are copied once written; a text at any other angle goes
                // through QPainter every time.
                static constexpr std::array<int, 6> kEscapements = {0, 0, 900, 2700, 450, -900};
                const int escapement = kEscapements[static_cast<std::size_t>(
                    any(0, static_cast<int>(kEscapements.size()) - 1))];
                static constexpr std::array<int, 5> kHeights = {12, 13, 14, 1, 40};
                const int height = kHeights[static_cast<std::size_t>(
                    any(0, static_cast<int>(kHeights.size()) - 1))];
                static constexpr std::array<const char*, 6> kTexts = {
                    "1.25 MHz", "Harmonic", "Frequency (MHz)", " IF+ -0.125 MHz ", "j", "W"};
                const char* text =
                    kTexts[static_cast<std::size_t>(any(0, static_cast<int>(kTexts.size()) - 1))];
                const unsigned align = static_cast<unsigned>(any(0, 3)) * 2u |
                                       (any(0, 1) != 0 ? kAlignBottom : kAlignTop);
                script.push_back([=](DrawingSurface& dc) {
                    dc.SelectObject(dc.CreateFont(height, escapement));
                    dc.SetTextColor(colour);
                    dc.SetTextAlign(align);
                    dc.TextOut(x, y, text);
                });
            }
        }
        // Half the rounds start from black, which the fast surface lays down only as the
        // drawing reaches each row.
        const bool fromBlack = round % 2 == 1;
        const auto [reference, fast] = DrawBoth(
            Speckled(w, h, static_cast<std::uint32_t>(round)),
            [&](DrawingSurface& dc) {
                for (const auto& op : script) {
                    op(dc);
                }
            },
            fromBlack);
        ASSERT_EQ(reference, fast)
            << "round " << round << " " << w << "x" << h << " " << FirstDifference(reference, fast);
    }
}

// More lines and rectangles in a row than the surface holds back at once.
TEST(RasterSurface, LongRunsMatchQPainter) {
    std::mt19937 random(7);
    const auto any = [&](int lo, int hi) {
        return std::uniform_int_distribution<int>(lo, hi)(random);
    };
    std::vector<std::array<int, 5>> shapes;
    for (int i = 0; i < 1500; ++i) {
        shapes.push_back({any(-20, 220), any(-20, 170), any(-20, 220), any(-20, 170), any(0, 1)});
    }
    const auto [reference, fast] = DrawBoth(Speckled(200, 150, 11), [&](DrawingSurface& dc) {
        dc.SetBkColor(0x203040);
        for (std::size_t i = 0; i < shapes.size(); ++i) {
            const auto& s = shapes[i];
            dc.SelectObject(dc.CreatePen(s[4] != 0 ? PenStyle::kDot : PenStyle::kSolid, 1,
                                         static_cast<ColorRef>(i * 2654435761u & 0xFFFFFF)));
            dc.MoveTo(s[0], s[1]);
            dc.LineTo(s[2], s[3]);
        }
        for (std::size_t i = 0; i < 600; ++i) {
            const auto& s = shapes[i];
            dc.SelectObject(dc.CreateHatchBrush(static_cast<ColorRef>(i * 40503u & 0xFFFFFF)));
            dc.Rectangle(s[0], s[1], s[2], 150);
        }
    });
    EXPECT_EQ(reference, fast) << FirstDifference(reference, fast);
}

// Starting from black, the surface blackens rows only as drawing reaches them: whatever
// the image held before, nothing of it may show, and fills must still cover what was
// drawn before them.
TEST(RasterSurface, DrawingFromBlackIgnoresTheOldContent) {
    const auto [reference, fast] = DrawBoth(
        Speckled(30, 20, 3),
        [](DrawingSurface& dc) {
            dc.PatBlt(0, 0, 30, 10, RasterOp::kBlackness);
            dc.SelectObject(dc.CreatePen(PenStyle::kSolid, 1, 0x00FF00));
            dc.MoveTo(0, 5);
            dc.LineTo(30, 5);
            dc.PatBlt(10, 0, 5, 20, RasterOp::kBlackness);  // must cut the line
            dc.SetBkColor(0xFFFFFF);
            dc.TextOut(2, 12, "7");
            dc.Rectangle(20, 14, 26, 18);
        },
        /*fromBlack=*/true);
    EXPECT_EQ(reference, fast) << FirstDifference(reference, fast);
    EXPECT_EQ(fast.pixel(12, 5), qRgb(0, 0, 0));
    EXPECT_EQ(fast.pixel(9, 5), qRgb(0, 255, 0));
}

}  // namespace
}  // namespace quorvel
