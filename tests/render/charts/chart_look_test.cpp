// The looks a chart is drawn in: the light theme's colours and the scaled surface's pixels,
// each against a formulation of its own.
#include "charts/chart_look.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <climits>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "charts/clean_map_levels.h"
#include "charts/clean_map_rows.h"
#include "charts/folding_chart.h"
#include "charts/harmonic_highlight.h"
#include "charts/plot_frame.h"
#include "charts/spectrum_layout.h"
#include "plan/alias_lines.h"
#include "plan/harmonic_colour.h"
#include "recording_surface.h"

namespace quorvel::test {
namespace {

std::array<int, 3> Channels(ColorRef c) {
    return {static_cast<int>(c & 0xFF), static_cast<int>((c >> 8) & 0xFF),
            static_cast<int>((c >> 16) & 0xFF)};
}

// Luma out of 255.
int Luma(ColorRef c) {
    const auto [r, g, b] = Channels(c);
    return (299 * r + 587 * g + 114 * b) / 1000;
}

ColorRef Light(ColorRef c) {
    return ThemeColour(Theme::kLight, c);
}

// The families a reader tells apart by colour, on any chart.
const std::vector<std::pair<const char*, ColorRef>> kFamilies = {
    {"odd harmonics", HarmonicColour(3)},
    {"even harmonics", HarmonicColour(2)},
    {"IF and RF boxes", kBoxColour},
    {"picked harmonic", kHighlightColour},
    {"interleaving images", MapCodeColour(kMapFirstFamily)},
    {"offset tones", MapCodeColour(kMapFirstFamily + 1)},
    {"clock sidebands", MapCodeColour(kMapFirstFamily + 2)},
    {"interferers", MapCodeColour(kMapFirstFamily + 3)},
    {"unknown level", MapCodeColour(kMapUnknownLevel)},
    {"spur floor", kSpectrumFloorColour},
    {"signal", kSpectrumSignalColour},
    {"text", kChartTextColour},
};

TEST(LightTheme, KeepsTheFamiliesApartAndReadableOnWhite) {
    EXPECT_EQ(Light(kBlack), kWhite);
    std::set<ColorRef> seen;
    for (const auto& [name, colour] : kFamilies) {
        const ColorRef shown = Light(colour);
        EXPECT_TRUE(seen.insert(shown).second) << name << " shares its colour";
        // A line or a text on white needs a luma below about half of white's.
        EXPECT_LE(Luma(shown), 128) << name;
    }
}

TEST(LightTheme, TurnsGreysOverAndKeepsEveryOtherHue) {
    for (int r = 0; r < 256; r += 15) {
        for (int g = 0; g < 256; g += 15) {
            for (int b = 0; b < 256; b += 15) {
                const ColorRef colour = static_cast<ColorRef>(r | g << 8 | b << 16);
                const auto before = Channels(colour);
                const auto after = Channels(Light(colour));
                const auto [lo, hi] = std::minmax({r, g, b});
                if (colour == kWhite) {
                    EXPECT_EQ(Light(colour), kWhite);
                } else if (r == g && g == b) {
                    EXPECT_EQ(after, (std::array{255 - r, 255 - r, 255 - r}));
                } else if (hi - lo > 32) {
                    // The channels keep their order, so the hue keeps its family.
                    for (std::size_t i = 0; i < 3; ++i) {
                        for (std::size_t j = 0; j < 3; ++j) {
                            if (before[i] > before[j]) {
                                EXPECT_GE(after[i], after[j]) << std::hex << colour;
                            }
                        }
                    }
                    EXPECT_LE(Luma(Light(colour)), Luma(colour));
                }
            }
        }
    }
}

TEST(LightTheme, AliasLinesDistinctOnBlackStayDistinct) {
    const AliasLineSet lines = BuildAliasLines(1000, kHarmonicCap);
    std::set<ColorRef> dark;
    std::set<ColorRef> light;
    for (int i = 0; i < lines.count; ++i) {
        dark.insert(lines.lines[static_cast<std::size_t>(i)].colour);
        light.insert(Light(lines.lines[static_cast<std::size_t>(i)].colour));
    }
    EXPECT_EQ(light.size(), dark.size());
}

TEST(ThemedSurface, GroundIsPaperAndCellsKeepTheirTextOnPaper) {
    RecordingSurface recorded;
    {
        ThemedSurface themed(recorded, Theme::kLight, 10, 10);
        themed.PatBlt(-5, 8, 100, 4, RasterOp::kBlackness);  // rows 8 and 9, cut to the width
        themed.SetBkColor(kBlack);
        themed.SetTextColor(kChartTextColour);
        themed.TextOut(0, 0, "on the ground");
        themed.SetBkColor(kWhite);
        themed.SetTextColor(kBlack);
        themed.TextOut(0, 0, "in a readout");
    }
    std::vector<std::vector<int>> spans;
    for (const RecordedOp& op : recorded.OpsOf(OpKind::kFillSpan)) {
        EXPECT_EQ(op.colour, kWhite);
        spans.push_back({op.x1, op.y1, op.x2});
    }
    EXPECT_EQ(spans, (std::vector<std::vector<int>>{{8, 0, 10}, {9, 0, 10}}));
    const auto texts = recorded.OpsOf(OpKind::kTextOut);
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0].bkColour, kWhite);
    EXPECT_EQ(texts[0].textColour, Light(kChartTextColour));
    EXPECT_EQ(texts[1].bkColour, kWhite);
    EXPECT_EQ(texts[1].textColour, kBlack);
    EXPECT_EQ(recorded.liveObjects(), 0);
}

using PixelSet = std::set<std::pair<int, int>>;

// The pixels of an axis-parallel line from its start up to its end, left out.
void AddLinePixels(int x1, int y1, int x2, int y2, PixelSet& pixels) {
    const int dx = (x2 > x1) - (x2 < x1);
    const int dy = (y2 > y1) - (y2 < y1);
    for (int x = x1, y = y1; x != x2 || y != y2; x += dx, y += dy) {
        pixels.insert({x, y});
    }
}

// The pixels of a rectangle's outline, right and bottom left out.
void AddOutlinePixels(const RecordedOp& r, PixelSet& pixels) {
    for (int y = r.y1; y < r.y2; ++y) {
        for (int x = r.x1; x < r.x2; ++x) {
            if (x == r.x1 || x == r.x2 - 1 || y == r.y1 || y == r.y2 - 1) {
                pixels.insert({x, y});
            }
        }
    }
}

struct ScaleCase {
    const char* name;
    int scale;
};

class ScaledSurfaceTest : public testing::TestWithParam<ScaleCase> {};

// Every chart pixel a line or an outline covers becomes a square of scale x scale device
// pixels: lines and outlines are as thick as the scale, in whichever direction they run.
TEST_P(ScaledSurfaceTest, APixelBecomesASquareOfDevicePixels) {
    const int s = GetParam().scale;
    RecordingSurface recorded;
    ScaledSurface scaled(recorded, s);
    // A box drawn round from its lower left corner, as the charts draw theirs, and a stroke
    // back the other way.
    const std::vector<std::pair<int, int>> path = {{3, 9}, {3, 2}, {8, 2}, {8, 9}, {3, 9}};
    PixelSet chart;
    scaled.MoveTo(path[0].first, path[0].second);
    for (std::size_t i = 1; i < path.size(); ++i) {
        scaled.LineTo(path[i].first, path[i].second);
        AddLinePixels(path[i - 1].first, path[i - 1].second, path[i].first, path[i].second, chart);
    }
    scaled.MoveTo(20, 5);
    scaled.LineTo(12, 5);
    AddLinePixels(20, 5, 12, 5, chart);
    scaled.Rectangle(15, 12, 11, 20);  // corners in either order

    PixelSet expectedLines;
    for (const auto& [x, y] : chart) {
        for (int i = 0; i < s; ++i) {
            for (int j = 0; j < s; ++j) {
                expectedLines.insert({x * s + i, y * s + j});
            }
        }
    }
    PixelSet drawnLines;
    for (const RecordedOp& op : recorded.OpsOf(OpKind::kLine)) {
        AddLinePixels(op.x1, op.y1, op.x2, op.y2, drawnLines);
    }
    EXPECT_EQ(drawnLines, expectedLines);

    PixelSet expectedOutline;
    for (int y = 12 * s; y < 20 * s; ++y) {
        for (int x = 11 * s; x < 15 * s; ++x) {
            const int inset = std::min({x - 11 * s, 15 * s - 1 - x, y - 12 * s, 20 * s - 1 - y});
            if (inset < s) {
                expectedOutline.insert({x, y});
            }
        }
    }
    PixelSet drawnOutline;
    for (const RecordedOp& op : recorded.OpsOf(OpKind::kRectangle)) {
        AddOutlinePixels(op, drawnOutline);
    }
    EXPECT_EQ(drawnOutline, expectedOutline);

    const ObjectHandle font = scaled.CreateFont(kTickLabelFontHeight, 0);
    scaled.SelectObject(font);
    EXPECT_EQ(recorded.ops().back().font.height, kTickLabelFontHeight * s);
    const int width = static_cast<int>(std::string_view("36.86").size()) * kRecordedCharWidth;
    EXPECT_EQ(scaled.TextWidth("36.86"), (width + s - 1) / s);
    scaled.DeleteObject(font);
}

INSTANTIATE_TEST_SUITE_P(Scales, ScaledSurfaceTest,
                         testing::Values(ScaleCase{"One", 1}, ScaleCase{"Two", 2},
                                         ScaleCase{"Four", 4}),
                         [](const auto& row) { return std::string(row.param.name); });

TEST(ScaledSurface, FarLinesKeepTheirSlopeAndNeverOverflow) {
    RecordingSurface recorded;
    ScaledSurface scaled(recorded, 4);
    scaled.MoveTo(INT_MIN, 0);
    scaled.LineTo(INT_MAX, 100);  // crosses the surface nearly flat
    const auto lines = recorded.OpsOf(OpKind::kLine);
    ASSERT_EQ(lines.size(), 4u);
    for (const RecordedOp& op : lines) {
        // Within reach of any surface, and through the middle rows where it crosses x = 0.
        EXPECT_LT(op.x1, 0);
        EXPECT_GT(op.x2, 0);
        const double atZero = op.y1 + (op.y2 - op.y1) * (0.0 - op.x1) / (op.x2 - op.x1);
        EXPECT_NEAR(atZero, 4 * 50.0, 4.0);
    }
}

}  // namespace
}  // namespace quorvel::test
