// A measured trace over the folded spectrum, as drawn: the trace reduced per column under
// the marks, each peak's mark in its verdict's colour, and every name kept apart.
#include "charts/measured_overlay.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <map>
#include <random>
#include <tuple>
#include <vector>

#include "charts/plot_frame.h"
#include "charts/spectrum_chart.h"
#include "plan/harmonic_colour.h"
#include "recording_surface.h"

namespace quorvel::test {
namespace {

// The spectrum chart's worked case: column 52 + f for f MHz, row 270 - 2 (L + 120) for L
// dBFS; the signal at 100 MHz, H2 at 200 planned at -60 dBFS, H3 at 300 at -75.
const PlanFields kPlan{.m_fs = 1024, .m_if = 100, .m_ifBw = 20, .m_harmonics = 3, .m_rfBw = 60};
constexpr int kWidth = 52 + 512 + 24;
constexpr int kHeight = 30 + 240 + 40;

SpurModel WorkedModel() {
    SpurModel model;
    model.interleave = 2;
    model.levels.signal = -15;
    model.levels.harmonics = {-45, -60};
    model.levels.images = {-75};
    model.levels.offset = -105;
    model.levels.floor = -90;
    return model;
}

// A floor at -105 dBFS (row 240); a spike at 0.25 MHz (-90, row 210) with a lesser point
// beside it in the same column; nothing at 2 MHz; a spur at 4 MHz (-45, row 120) no member
// explains; H2 15 dB above its plan; H3 at its plan (-75, row 180).
const MeasuredSpectrum kTrace{
    {0, 0.25, 0.5, 1, 3, 4, 5, 199, 200, 201, 299, 300, 301},
    {-105, -90, -97.5, -105, -105, -45, -105, -105, -45, -105, -105, -75, -105}};

struct Drawn {
    SpectrumLayout layout;
    MeasuredOverlay overlay;
    RecordingSurface dc;
};

Drawn Draw(const PlanFields& plan, const SpurModel& model, const MeasuredSpectrum& trace, int width,
           int height) {
    Drawn drawn;
    const std::vector<TonePosition> tones = TonePositions(plan, model);
    const std::vector<SpectrumPeak> peaks =
        FindPeaks(trace, tones, kDefaultTolerance, kDefaultPeakThreshold);
    drawn.layout = LayOutSpectrum(plan, model, width, height, TraceMedian(trace));
    drawn.overlay = LayOutMeasured(drawn.layout, trace, peaks, model);
    DrawSpectrumChart(drawn.dc, drawn.layout, &drawn.overlay);
    return drawn;
}

using Span = std::tuple<int, int, int>;  // row, first column, column past the last

std::vector<Span> SpansIn(const RecordingSurface& dc, ColorRef colour) {
    std::vector<Span> spans;
    for (const RecordedOp& op : dc.OpsOf(OpKind::kFillSpan)) {
        if (op.colour == colour) {
            spans.emplace_back(op.x1, op.y1, op.x2);
        }
    }
    return spans;
}

struct Name {
    int x, y;
    std::string text;
    ColorRef colour;
    friend bool operator==(const Name&, const Name&) = default;
};

// The texts written in the names' font, made last, after the axes' and the legend's.
std::vector<Name> Names(const RecordingSurface& dc) {
    const auto& ops = dc.ops();
    const auto font = std::find_if(ops.rbegin(), ops.rend(), [](const RecordedOp& op) {
        return op.kind == OpKind::kCreateFont && op.font.height == kSpectrumLabelFontHeight;
    });
    std::vector<Name> names;
    for (auto op = font.base(); op != ops.end(); ++op) {
        if (op->kind == OpKind::kTextOut) {
            names.push_back({op->x1, op->y1, op->text, op->textColour});
        }
    }
    return names;
}

TEST(MeasuredOverlay, WorkedCaseDrawsTheTraceMarksAndNamesWhereTheyLie) {
    const Drawn d = Draw(kPlan, WorkedModel(), kTrace, kWidth, kHeight);
    // Column 52 spans its three points; each next column takes the line from the last
    // point before it, and the empty column 54 the line across it.
    const std::vector<Line> trace = d.dc.LinesIn(kMeasuredTraceColour);
    const auto within = [&trace](int left, int right) {
        std::vector<Line> lines;
        std::copy_if(trace.begin(), trace.end(), std::back_inserter(lines),
                     [&](const Line& line) { return line.x1 >= left && line.x1 < right; });
        return lines;
    };
    EXPECT_EQ(within(52, 58), (std::vector<Line>{{52, 210, 52, 241},
                                                 {53, 225, 53, 241},
                                                 {54, 240, 54, 241},
                                                 {55, 240, 55, 241},
                                                 {56, 120, 56, 241},
                                                 {57, 120, 57, 241}}));
    // Under H2's box (columns 232 to 271, from row 150 down) only the peak shows above it.
    EXPECT_EQ(within(232, 272), (std::vector<Line>{{252, 120, 252, 150}, {253, 120, 253, 150}}));
    // Over the graticule: a peak on a grid line is not cut away.
    const auto& ops = d.dc.ops();
    const auto isTrace = [](const RecordedOp& op) {
        return op.kind == OpKind::kLine && op.pen.colour == kMeasuredTraceColour;
    };
    const auto isGrid = [](const RecordedOp& op) {
        return op.kind == OpKind::kLine && op.pen.colour == kGridColour;
    };
    EXPECT_LT(std::find_if(ops.rbegin(), ops.rend(), isGrid).base() - ops.begin(),
              std::find_if(ops.begin(), ops.end(), isTrace) - ops.begin());

    // H2 well above its plan: the larger triangle in amber, its tip two rows over the peak.
    EXPECT_EQ(SpansIn(d.dc, kAbovePlanPeakColour), (std::vector<Span>{{113, 247, 258},
                                                                      {114, 248, 257},
                                                                      {115, 249, 256},
                                                                      {116, 250, 255},
                                                                      {117, 251, 254},
                                                                      {118, 252, 253}}));
    EXPECT_EQ(
        SpansIn(d.dc, kPeakColour),
        (std::vector<Span>{{175, 349, 356}, {176, 350, 355}, {177, 351, 354}, {178, 352, 353}}));
    // The two unexplained peaks, cut at the plot's left edge.
    const std::vector<Span> pink = SpansIn(d.dc, kUnexplainedPeakColour);
    for (const Span& span :
         {Span{203, 52, 58}, Span{208, 52, 53}, Span{113, 52, 62}, Span{118, 56, 57}}) {
        EXPECT_NE(std::find(pink.begin(), pink.end(), span), pink.end())
            << std::get<0>(span) << " " << std::get<1>(span);
    }
    EXPECT_EQ(pink.size(), 12u);

    // The peaks that want a look are named first, each above its mark; H2 and H3 are named
    // by their peaks and not again by their boxes.
    const std::vector<Name> names = Names(d.dc);
    ASSERT_GE(names.size(), 4u);
    EXPECT_EQ(std::vector<Name>(names.begin(), names.begin() + 4),
              (std::vector<Name>{{53, 99, "?", kUnexplainedPeakColour},
                                 {221, 99, "H2 +15 dB", kAbovePlanPeakColour},
                                 {52, 189, "?", kUnexplainedPeakColour},
                                 {345, 161, "H3", kPeakColour}}));
    for (auto name = names.begin() + 4; name != names.end(); ++name) {
        EXPECT_TRUE(name->text != "H2" && name->text != "H3") << name->text;
        EXPECT_EQ(name->colour, kChartTextColour) << name->text;
    }
}

bool Inside(const PixelRect& r, int x, int y) {
    return x >= r.left && x < r.right && y >= r.top && y < r.bottom;
}

// Every pixel rectangle a mark of the layout draws on.
std::vector<PixelRect> MarkCovers(const SpectrumLayout& layout) {
    std::vector<PixelRect> covers = SpectrumMarkCover(layout.plot, *layout.signal);
    for (const SpectrumMark& mark : layout.marks) {
        const std::vector<PixelRect> cover = SpectrumMarkCover(layout.plot, mark);
        covers.insert(covers.end(), cover.begin(), cover.end());
    }
    return covers;
}

bool Under(const std::vector<PixelRect>& covers, int x, int y) {
    return std::any_of(covers.begin(), covers.end(),
                       [&](const PixelRect& r) { return Inside(r, x, y); });
}

TEST(MeasuredOverlay, ADenseTraceCostsAColumnEachAndLiesUnderTheMarksOnly) {
    std::mt19937_64 random(20261209);
    MeasuredSpectrum trace;
    constexpr int kPoints = 50'000;
    for (int i = 0; i < kPoints; ++i) {
        trace.mhz.push_back(-20.0 + 560.0 * i / kPoints);  // past both ends of 0..Fs/2
        trace.dbfs.push_back(std::uniform_real_distribution<double>(-140, 10)(random));
    }
    SpurModel model = WorkedModel();
    model.levels.harmonics = {-45};  // H3 a strip along the top
    model.levels.offset.reset();     // and the offset tone a dotted stem there
    const SpectrumLayout layout = LayOutSpectrum(kPlan, model, kWidth, kHeight);
    const MeasuredOverlay overlay = LayOutMeasured(layout, trace, {}, model);
    const PixelRect& p = layout.plot;
    const std::vector<PixelRect> covers = MarkCovers(layout);
    EXPECT_LE(overlay.trace.size(), static_cast<std::size_t>(3 * (p.right - p.left)));
    std::map<int, std::vector<TraceRun>> runs;
    for (const TraceRun& run : overlay.trace) {
        for (int y = run.top; y <= run.bottom; ++y) {
            ASSERT_FALSE(Under(covers, run.x, y)) << run.x << "," << y;
        }
        runs[run.x].push_back(run);
    }
    // Each point's pixel, held to the plot, is in sight unless a mark lies over it.
    for (int i = 0; i < kPoints; ++i) {
        const double f = trace.mhz[static_cast<std::size_t>(i)];
        if (f < 0 || f > 512) {
            continue;
        }
        const int x = std::min(52 + static_cast<int>(f), p.right - 1);
        const double level = std::clamp(trace.dbfs[static_cast<std::size_t>(i)], -120.0, 0.0);
        const int y = std::min(270 - static_cast<int>(2 * (level + 120)), p.bottom - 1);
        const std::vector<TraceRun>& column = runs[x];
        const bool seen = std::any_of(column.begin(), column.end(), [y](const TraceRun& run) {
            return run.top <= y && y <= run.bottom;
        });
        EXPECT_TRUE(seen || Under(covers, x, y)) << x << "," << y;
    }
}

TEST(MeasuredOverlay, NamesOfPeaksAndMembersNeverOverlapNorCoverAMark) {
    PlanFields plan;
    plan.m_if = 151.3;
    plan.m_harmonics = 26;
    SpurModel model;
    model.interleave = 8;
    model.interleaveOrders = 2;
    model.hasClockSpur = true;
    model.clockSpur = 3;
    model.levels.harmonics = std::vector<double>(25, -70);
    // A peak on every tone, and as many again that nothing explains.
    std::map<double, double> points;
    for (const TonePosition& tone : TonePositions(plan, model)) {
        points[tone.position] = -40 - static_cast<double>(points.size() % 30);
        points[tone.position + 7.77] = -50;
    }
    MeasuredSpectrum trace;
    for (double f = 0; f < plan.m_fs / 2; f += 0.5) {
        points.emplace(f, -110);
    }
    for (const auto& [f, level] : points) {
        trace.mhz.push_back(f);
        trace.dbfs.push_back(level);
    }
    const Drawn d = Draw(plan, model, trace, 900, 500);
    ASSERT_GT(d.overlay.peaks.size(), 20u);
    const std::vector<Name> names = Names(d.dc);
    ASSERT_GT(names.size(), 8u);
    const auto box = [](const Name& n) {
        return PixelRect{n.x, n.y, n.x + kRecordedCharWidth * static_cast<int>(n.text.size()),
                         n.y + kSpectrumLabelFontHeight};
    };
    const auto apart = [](const PixelRect& a, const PixelRect& b) {
        return a.right <= b.left || b.right <= a.left || a.bottom <= b.top || b.bottom <= a.top;
    };
    for (std::size_t i = 0; i < names.size(); ++i) {
        const PixelRect a = box(names[i]);
        EXPECT_GE(a.left, d.layout.plot.left);
        EXPECT_LE(a.right, d.layout.plot.right);
        for (std::size_t j = 0; j < i; ++j) {
            EXPECT_TRUE(apart(a, box(names[j]))) << names[i].text << " and " << names[j].text;
        }
        for (const PeakMark& mark : d.overlay.peaks) {
            EXPECT_TRUE(apart(a, mark.box)) << names[i].text << " on the mark at " << mark.x;
        }
    }
}

}  // namespace
}  // namespace quorvel::test
