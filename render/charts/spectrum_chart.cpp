#include "charts/spectrum_chart.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <numeric>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

#include "charts/axis_ticks.h"
#include "charts/clean_map_rows.h"
#include "charts/measured_overlay.h"
#include "charts/plot_frame.h"
#include "measured_drawing.h"
#include "pixel_arithmetic.h"
#include "plan/harmonic_colour.h"
#include "plan/truncate.h"
#include "spectrum_labels.h"
#include "surface/scoped_object.h"

namespace quorvel {

namespace {

// About one tick per this many pixels along each axis.
constexpr int kFrequencyTickSpacing = 90;
constexpr int kLevelTickSpacing = 40;
constexpr int kTickLength = 4;
constexpr int kFrequencyLabelGap = 6;  // from the axis to the labels' top
constexpr int kLevelLabelGap = 8;      // from the labels' right end to the plot
constexpr int kTitleLeft = 3;          // the level axis title's column
constexpr int kTitleTop = 7;
constexpr int kTitleBottomGap = 3;
constexpr int kDashOn = 6;
constexpr int kDashPeriod = 10;
constexpr int kSwatch = 10;
constexpr int kSwatchGap = 4;  // from a swatch to its text
constexpr int kEntryGap = 12;  // between legend entries, and after the title
constexpr int kMostLabelTries = 64;

// Inside a box, the colour at half strength.
ColorRef Dim(ColorRef colour) {
    return (colour >> 1) & 0x7F7F7F;
}

// Six significant digits: 368.64, 1.5e+300.
std::string ShortNumber(double value) {
    char text[32];
    const auto end = std::to_chars(text, text + sizeof text, value, std::chars_format::general, 6);
    return std::string(text, end.ptr);
}

bool Known(const SpectrumMark& mark) {
    return mark.level && std::isfinite(*mark.level);
}

void DrawGrid(DrawingSurface& dc, const SpectrumLayout& l, const std::vector<AxisTick>& xTicks,
              const std::vector<AxisTick>& yTicks) {
    const PixelRect& p = l.plot;
    ScopedObject pen(dc, dc.CreatePen(PenStyle::kDot, 1, kGridColour));
    pen.Select();
    for (const AxisTick& tick : xTicks) {
        const int x = p.left + TruncToInt(tick.at * (p.right - p.left));
        if (x > p.left) {
            dc.MoveTo(x, p.top);
            dc.LineTo(x, p.bottom);
        }
    }
    for (const AxisTick& tick : yTicks) {
        const int y = p.bottom - TruncToInt(tick.at * (p.bottom - p.top));
        if (y < p.bottom) {
            dc.MoveTo(p.left, y);
            dc.LineTo(p.right, y);
        }
    }
}

void DrawShade(DrawingSurface& dc, const PixelRect& p, const ColumnSpan& band, ColorRef colour) {
    ScopedObject pen(dc, dc.CreatePen(PenStyle::kSolid, 1, colour));
    pen.Select();
    ScopedObject brush(dc, dc.CreateSolidBrush(colour));
    brush.Select();
    dc.Rectangle(band.left, p.top, band.right, p.bottom);
}

// Tallest first, so that every lower box stays in sight on the ones behind it; the strips
// of unknown levels last, over any box that reaches the top.
std::vector<const SpectrumMark*> BackToFront(const SpectrumLayout& l) {
    std::vector<const SpectrumMark*> order;
    if (l.signal) {
        order.push_back(&*l.signal);
    }
    for (const SpectrumMark& mark : l.marks) {
        order.push_back(&mark);
    }
    std::stable_sort(order.begin(), order.end(), [](const SpectrumMark* a, const SpectrumMark* b) {
        return Known(*a) != Known(*b) ? Known(*a) : a->top < b->top;
    });
    return order;
}

void DrawBox(DrawingSurface& dc, const PixelRect& p, const SpectrumMark& mark) {
    ScopedObject pen(dc, dc.CreatePen(PenStyle::kSolid, 1, mark.colour));
    pen.Select();
    ScopedObject brush(
        dc, Known(mark) ? dc.CreateSolidBrush(Dim(mark.colour)) : dc.CreateHatchBrush(mark.colour));
    brush.Select();
    dc.Rectangle(mark.left, mark.top, mark.right, SpectrumMarkFoot(p, mark));
}

void DrawStem(DrawingSurface& dc, const PixelRect& p, const SpectrumMark& mark) {
    ScopedObject pen(dc,
                     dc.CreatePen(Known(mark) ? PenStyle::kSolid : PenStyle::kDot, 1, mark.colour));
    pen.Select();
    dc.MoveTo(mark.left, SpectrumMarkFoot(p, mark) - 1);
    dc.LineTo(mark.left, mark.top - 1);
    ScopedObject cap(dc, dc.CreatePen(PenStyle::kSolid, 1, mark.colour));
    cap.Select();
    dc.MoveTo(mark.left - kStemCapHalf, mark.top);
    dc.LineTo(mark.left + kStemCapHalf + 1, mark.top);
}

// Two rows thick, the level's and the one above it, to stand out over the boxes. Spans, not
// lines: a few hundred short lines would cost the fast surface more than all the rest.
void DrawFloor(DrawingSurface& dc, const PixelRect& p, int row) {
    for (const int y : {row - 1, row}) {
        if (y < p.top || y >= p.bottom) {
            continue;
        }
        for (int x = p.left; x < p.right; x += kDashPeriod) {
            dc.FillSpan(y, x, std::min(x + kDashOn, p.right), kSpectrumFloorColour);
        }
    }
}

void DrawAxes(DrawingSurface& dc, const SpectrumLayout& l, const std::vector<AxisTick>& xTicks,
              const std::vector<AxisTick>& yTicks) {
    const PixelRect& p = l.plot;
    ScopedObject pen(dc, dc.CreatePen(PenStyle::kSolid, 1, kAxisColour));
    pen.Select();
    dc.MoveTo(p.left - 1, p.top);
    dc.LineTo(p.left - 1, p.bottom);
    dc.LineTo(p.right, p.bottom);
    ScopedObject font = MakeChartFont(dc, kTickLabelFontHeight, 0);
    font.Select();
    dc.SetTextAlign(kAlignCenter | kAlignTop);
    for (const AxisTick& tick : xTicks) {
        const int x = p.left + TruncToInt(tick.at * (p.right - p.left));
        dc.MoveTo(x, p.bottom + 1);
        dc.LineTo(x, p.bottom + 1 + kTickLength);
        dc.TextOut(x, p.bottom + kFrequencyLabelGap, tick.label);
    }
    dc.SetTextAlign(kAlignRight | kAlignTop);
    for (const AxisTick& tick : yTicks) {
        const int y = p.bottom - TruncToInt(tick.at * (p.bottom - p.top));
        dc.MoveTo(p.left - 1 - kTickLength, y);
        dc.LineTo(p.left - 1, y);
        dc.TextOut(p.left - kLevelLabelGap, y - kTickLabelFontHeight / 2, tick.label);
    }
}

void DrawTitles(DrawingSurface& dc, const SpectrumLayout& l) {
    const PixelRect& p = l.plot;
    ScopedObject vertical = MakeChartFont(dc, kVerticalTitleFontHeight, kVerticalTitleEscapement);
    vertical.Select();
    dc.SetTextAlign(kAlignCenter | kAlignTop);
    dc.TextOut(kTitleLeft, p.top + (p.bottom - p.top) / 2, "dBFS");
    ScopedObject font = MakeChartFont(dc, kAxisTitleFontHeight, 0);
    font.Select();
    dc.SetTextAlign(kAlignCenter | kAlignBottom);
    dc.TextOut(p.left + (p.right - p.left) / 2, l.height - kTitleBottomGap, "Frequency (MHz)");
}

struct LegendEntry {
    ColorRef colour;
    ColorRef second;  // the right half of the swatch: the even harmonics' red
    bool hatched;
    const char* text;
};

const char* FamilyText(SpurFamily family) {
    switch (family) {
        case SpurFamily::kHarmonic:
            return "harmonics";
        case SpurFamily::kInterleaveImage:
            return "images";
        case SpurFamily::kInterleaveOffset:
            return "offset tones";
        case SpurFamily::kClockSideband:
            return "sidebands";
        case SpurFamily::kInterferer:
            return "interferers";
    }
    return "";
}

// The title from the left, then a legend of what is drawn from the right, as much of it as
// fits beside the title.
void DrawHeading(DrawingSurface& dc, const SpectrumLayout& l, bool measured) {
    // In short pieces: the fast surface keeps a small text's pixels from one paint to the
    // next, and would write one long line through the painter every time.
    std::vector<std::string> title{"Folded spectrum"};
    if (l.hasData) {
        title.push_back(", 0 to " + ShortNumber(l.half) + " MHz");
        title.push_back(": signal " + SpectrumLevelText(l.signalLevel) + " dBFS");
        if (l.floorLevel) {
            title.push_back(", floor " + SpectrumLevelText(*l.floorLevel) + " dBFS");
        }
    } else {
        title.push_back(": no spectrum for these values");
    }
    ScopedObject font = MakeChartFont(dc, kAxisTitleFontHeight, 0);
    font.Select();
    dc.SetTextAlign(kAlignLeft | kAlignTop);
    int titleEnd = l.plot.left;
    for (const std::string& piece : title) {
        dc.TextOut(titleEnd, kTitleTop, piece);
        titleEnd += dc.TextWidth(piece);
    }

    std::vector<LegendEntry> entries;
    if (measured && l.hasData) {
        entries.push_back({kMeasuredTraceColour, kMeasuredTraceColour, false, "measured"});
    }
    bool unknown = false;
    std::optional<SpurFamily> last;
    for (const SpectrumMark& mark : l.marks) {
        unknown = unknown || !Known(mark);
        if (mark.member.family != last) {
            last = mark.member.family;
            entries.push_back(
                mark.member.family == SpurFamily::kHarmonic
                    ? LegendEntry{HarmonicColour(3), HarmonicColour(2), false,
                                  FamilyText(mark.member.family)}
                    : LegendEntry{mark.colour, mark.colour, false, FamilyText(mark.member.family)});
        }
    }
    if (unknown) {
        entries.push_back({kChartTextColour, kChartTextColour, true, "level unknown"});
    }
    ScopedObject small = MakeChartFont(dc, kTickLabelFontHeight, 0);
    small.Select();
    std::vector<int> widths;
    int total = 0;
    for (const LegendEntry& entry : entries) {
        widths.push_back(kSwatch + kSwatchGap + dc.TextWidth(entry.text));
        total += widths.back() + kEntryGap;
    }
    // The last entries give way first.
    while (!entries.empty() && l.plot.right - total < titleEnd) {
        total -= widths.back() + kEntryGap;
        entries.pop_back();
        widths.pop_back();
    }
    int x = l.plot.right - total + kEntryGap;
    const int top = kTitleTop + (kAxisTitleFontHeight - kSwatch) / 2;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const LegendEntry& e = entries[i];
        for (const auto& [left, right, colour] :
             {std::tuple{x, x + kSwatch / 2, e.colour},
              std::tuple{x + kSwatch / 2, x + kSwatch, e.second}}) {
            ScopedObject pen(dc, dc.CreatePen(PenStyle::kSolid, 1, colour));
            pen.Select();
            ScopedObject brush(
                dc, e.hatched ? dc.CreateHatchBrush(colour) : dc.CreateSolidBrush(colour));
            brush.Select();
            dc.Rectangle(left, top, right, top + kSwatch);
        }
        dc.TextOut(x + kSwatch + kSwatchGap, top + (kSwatch - kTickLabelFontHeight) / 2, e.text);
        x += widths[i] + kEntryGap;
    }
}

// The strongest first, greedily: each label goes above its mark or, where there is no room
// there, just inside its top, and is left out where neither keeps clear of the plot's edges
// and of every label already placed. A member a measured peak already names is left to it.
void DrawLabels(const SpectrumLayout& l, SpectrumLabels& labels, const MeasuredOverlay* measured) {
    std::vector<std::size_t> rank(l.marks.size());
    std::iota(rank.begin(), rank.end(), std::size_t{0});
    std::stable_sort(rank.begin(), rank.end(), [&](std::size_t a, std::size_t b) {
        const SpectrumMark& ma = l.marks[a];
        const SpectrumMark& mb = l.marks[b];
        if (Known(ma) != Known(mb)) {
            return Known(ma);
        }
        return Known(ma) && *ma.level > *mb.level;
    });
    const auto named = [measured](const SpurMember& member) {
        return measured != nullptr &&
               std::any_of(measured->peaks.begin(), measured->peaks.end(),
                           [&](const PeakMark& peak) { return peak.member == member; });
    };
    int placed = 0;
    const int tries = std::min(static_cast<int>(rank.size()), kMostLabelTries);
    for (int i = 0; i < tries && placed < kMostSpectrumLabels; ++i) {
        const SpectrumMark& mark = l.marks[rank[static_cast<std::size_t>(i)]];
        if (named(mark.member)) {
            continue;
        }
        const int centre = mark.left + (mark.right - 1 - mark.left) / 2;
        // Under the top, below a stem's cap or an unknown level's strip.
        const int under = Known(mark) ? mark.top + 1 : SpectrumMarkFoot(l.plot, mark);
        if (labels.Place(Latin1(mark.name), centre,
                         {mark.top - kSpectrumLabelGap - kSpectrumLabelFontHeight,
                          under + kSpectrumLabelGap})) {
            ++placed;
        }
    }
}

}  // namespace

void DrawSpectrumChart(DrawingSurface& dc, const SpectrumLayout& l,
                       const MeasuredOverlay* measured) {
    if (!l.HasPlot()) {
        return;  // too small for a plot: the surface stays black
    }
    const PixelRect& p = l.plot;
    dc.SetBkColor(kBlack);
    const std::vector<AxisTick> xTicks =
        l.hasData ? AxisTicks(0, l.half, p.right - p.left, kFrequencyTickSpacing)
                  : std::vector<AxisTick>{};
    const std::vector<AxisTick> yTicks =
        AxisTicks(l.bottomLevel, 0, p.bottom - p.top, kLevelTickSpacing);
    // The shading and the boxes go on in one run of rectangles, which the fast surface
    // writes back to front, each pixel once; the graticule then lies over them, as on a
    // bench analyser's screen.
    if (l.hasData) {
        if (l.rfBand) {
            DrawShade(dc, p, *l.rfBand, kSpectrumRfShade);
        }
        if (l.ifBand) {
            DrawShade(dc, p, *l.ifBand, kSpectrumIfShade);
        }
        const std::vector<const SpectrumMark*> order = BackToFront(l);
        for (const SpectrumMark* mark : order) {
            if (mark->shape == SpectrumShape::kBox) {
                DrawBox(dc, p, *mark);
            }
        }
        for (const SpectrumMark* mark : order) {
            if (mark->shape == SpectrumShape::kStem) {
                DrawStem(dc, p, *mark);
            }
        }
    }
    DrawGrid(dc, l, xTicks, yTicks);
    // Over the graticule, which would cut a peak on a grid line away, and under the marks,
    // which the overlay leaves out of it: where the trace shows above a box, the bench
    // measured more than the plan.
    if (measured != nullptr && l.hasData) {
        DrawMeasuredTrace(dc, *measured);
    }
    if (l.floorRow) {
        DrawFloor(dc, p, *l.floorRow);
    }
    DrawAxes(dc, l, xTicks, yTicks);
    DrawTitles(dc, l);
    DrawHeading(dc, l, measured != nullptr);
    if (l.hasData) {
        ScopedObject font = MakeChartFont(dc, kSpectrumLabelFontHeight, 0);
        font.Select();
        dc.SetTextAlign(kAlignLeft | kAlignTop);
        SpectrumLabels labels(dc, p, kSpectrumLabelFontHeight);
        if (measured != nullptr) {
            DrawPeakMarks(dc, p, *measured, labels);
            dc.SetTextColor(kChartTextColour);
        }
        DrawLabels(l, labels, measured);
    }
}

}  // namespace quorvel
