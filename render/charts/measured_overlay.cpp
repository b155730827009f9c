#include "charts/measured_overlay.h"

#include <algorithm>
#include <cstdint>
#include <numeric>

#include "charts/plot_frame.h"
#include "charts/spectrum_chart.h"
#include "measured_drawing.h"
#include "pixel_arithmetic.h"
#include "surface/scoped_object.h"

namespace quorvel {

namespace {

bool WantsALook(PeakVerdict verdict) {
    return verdict != PeakVerdict::kExplained;
}

ColorRef VerdictColour(PeakVerdict verdict) {
    switch (verdict) {
        case PeakVerdict::kExplained:
            break;
        case PeakVerdict::kAbovePlan:
            return kAbovePlanPeakColour;
        case PeakVerdict::kUnexplained:
            return kUnexplainedPeakColour;
    }
    return kPeakColour;
}

int Depth(PeakVerdict verdict) {
    return WantsALook(verdict) ? kLoudPeakMarkDepth : kPeakMarkDepth;
}

// Pointing down from above the peak, or up from below it where the plot's top is too near.
PixelRect MarkBox(const PixelRect& plot, int x, int y, int depth) {
    const int halfWidth = depth - 1;
    const int tipAbove = SubtractPixels(y, kPeakMarkGap);
    const int top =
        tipAbove - halfWidth >= plot.top ? tipAbove - halfWidth : AddPixels(y, kPeakMarkGap);
    return {SubtractPixels(x, halfWidth), top, AddPixels(x, depth), AddPixels(top, depth)};
}

// The points that fall in one column: the rows they span, and their first's and last's.
struct ColumnPoints {
    int x = 0;
    int top = 0;
    int bottom = 0;
    int first = 0;
    int last = 0;
};

// The row of the line from row `from` to row `to`, `step` of `steps` columns along it.
int Along(int from, int to, int step, int steps) {
    return from + static_cast<int>(std::int64_t{to - from} * step / steps);
}

// Every column from the first point's to the last's, each with the rows its points span and
// those of the line from the point before: the polyline through the points, a column at a
// time.
std::vector<TraceRun> PolylineColumns(const std::vector<ColumnPoints>& points) {
    std::vector<TraceRun> columns;
    for (std::size_t i = 0; i < points.size(); ++i) {
        const ColumnPoints& c = points[i];
        TraceRun run{c.x, c.top, c.bottom};
        if (i > 0) {
            const ColumnPoints& before = points[i - 1];
            const int steps = c.x - before.x;
            for (int step = 1; step < steps; ++step) {
                const int y0 = Along(before.last, c.first, step, steps);
                const int y1 = Along(before.last, c.first, step + 1, steps);
                columns.push_back({before.x + step, std::min(y0, y1), std::max(y0, y1)});
            }
            if (steps == 1) {
                run.top = std::min(run.top, before.last);
                run.bottom = std::max(run.bottom, before.last);
            }
        }
        columns.push_back(run);
    }
    return columns;
}

// The rows the marks hide in each column of the plot: everything from `fromRow` down, under
// a known level's box or stem, and a few short runs besides (the strips of unknown levels,
// the stems' caps), [top, bottom).
struct Hidden {
    std::vector<int> fromRow;
    std::vector<std::vector<std::pair<int, int>>> runs;
};

Hidden HiddenByMarks(const SpectrumLayout& layout) {
    const PixelRect& p = layout.plot;
    const auto width = static_cast<std::size_t>(p.right - p.left);
    Hidden hidden{std::vector<int>(width, p.bottom),
                  std::vector<std::vector<std::pair<int, int>>>(width)};
    const auto hide = [&](const SpectrumMark& mark) {
        for (const PixelRect& r : SpectrumMarkCover(p, mark)) {
            for (int x = std::max(r.left, p.left); x < std::min(r.right, p.right); ++x) {
                const auto column = static_cast<std::size_t>(x - p.left);
                if (r.bottom >= p.bottom) {
                    hidden.fromRow[column] = std::min(hidden.fromRow[column], r.top);
                } else {
                    hidden.runs[column].emplace_back(r.top, r.bottom);
                }
            }
        }
    };
    if (layout.signal) {
        hide(*layout.signal);
    }
    for (const SpectrumMark& mark : layout.marks) {
        hide(mark);
    }
    return hidden;
}

// What of the run the marks leave in sight, top to bottom.
void AppendVisible(TraceRun run, const Hidden& hidden, std::size_t column,
                   std::vector<TraceRun>& out) {
    run.bottom = std::min(run.bottom, hidden.fromRow[column] - 1);
    std::vector<std::pair<int, int>> runs = hidden.runs[column];
    std::sort(runs.begin(), runs.end());
    for (const auto& [top, bottom] : runs) {
        if (run.top > run.bottom) {
            return;
        }
        if (bottom <= run.top || top > run.bottom) {
            continue;
        }
        if (top > run.top) {
            out.push_back({run.x, run.top, top - 1});
        }
        run.top = bottom;
    }
    if (run.top <= run.bottom) {
        out.push_back(run);
    }
}

}  // namespace

MeasuredOverlay LayOutMeasured(const SpectrumLayout& layout, const MeasuredSpectrum& trace,
                               const std::vector<SpectrumPeak>& peaks, const SpurModel& model) {
    MeasuredOverlay overlay;
    if (!layout.hasData || !layout.HasPlot()) {
        return overlay;
    }
    const PixelRect& p = layout.plot;
    // Row plot.bottom is the axis: the trace stays above it.
    const auto row = [&](double dbfs) { return std::min(layout.RowOf(dbfs), p.bottom - 1); };
    const auto column = [&](double mhz) -> std::optional<int> {
        if (!(mhz >= 0 && mhz <= layout.half)) {
            return std::nullopt;
        }
        return std::min(layout.ColumnOf(mhz), p.right - 1);
    };

    std::vector<ColumnPoints> points;
    const std::size_t count = std::min(trace.mhz.size(), trace.dbfs.size());
    for (std::size_t i = 0; i < count; ++i) {
        const std::optional<int> x = column(trace.mhz[i]);
        if (!x) {
            continue;
        }
        const int y = row(trace.dbfs[i]);
        if (!points.empty() && points.back().x == *x) {
            ColumnPoints& c = points.back();
            c.top = std::min(c.top, y);
            c.bottom = std::max(c.bottom, y);
            c.last = y;
        } else {
            points.push_back({*x, y, y, y, y});
        }
    }
    const Hidden hidden = HiddenByMarks(layout);
    for (const TraceRun& run : PolylineColumns(points)) {
        AppendVisible(run, hidden, static_cast<std::size_t>(run.x - p.left), overlay.trace);
    }

    for (std::size_t k = 0; k < peaks.size(); ++k) {
        const SpectrumPeak& peak = peaks[k];
        const std::optional<int> x = column(peak.mhz);
        if (!x) {
            continue;
        }
        PeakMark mark;
        mark.peak = k;
        mark.x = *x;
        mark.y = row(peak.dbfs);
        mark.dbfs = peak.dbfs;
        if (const TonePosition* tone = peak.candidate; tone == nullptr) {
            mark.verdict = PeakVerdict::kUnexplained;
            mark.label = kUnexplainedPeakLabel;
        } else {
            mark.label = ToneLabel(*tone, model);
            if (!tone->signal) {
                mark.member = tone->member;
            }
            if (tone->level && peak.dbfs - *tone->level > kPeakAbovePlanFlag) {
                mark.verdict = PeakVerdict::kAbovePlan;
                mark.label += " +" + SpectrumLevelText(peak.dbfs - *tone->level) + " dB";
            }
        }
        mark.box = MarkBox(p, mark.x, mark.y, Depth(mark.verdict));
        overlay.peaks.push_back(std::move(mark));
    }
    return overlay;
}

std::optional<std::size_t> PeakMarkNear(const MeasuredOverlay& overlay, PixelPoint point) {
    std::optional<std::size_t> nearest;
    std::int64_t best = 0;
    for (std::size_t i = 0; i < overlay.peaks.size(); ++i) {
        const std::int64_t dx = std::int64_t{overlay.peaks[i].x} - point.x;
        const std::int64_t dy = std::int64_t{overlay.peaks[i].y} - point.y;
        const std::int64_t distance = dx * dx + dy * dy;
        if (dx >= -kPeakReach && dx <= kPeakReach && (!nearest || distance < best)) {
            nearest = i;
            best = distance;
        }
    }
    return nearest;
}

void DrawMeasuredTrace(DrawingSurface& dc, const MeasuredOverlay& measured) {
    ScopedObject pen(dc, dc.CreatePen(PenStyle::kSolid, 1, kMeasuredTraceColour));
    pen.Select();
    for (const TraceRun& run : measured.trace) {
        dc.MoveTo(run.x, run.top);
        dc.LineTo(run.x, run.bottom + 1);
    }
}

void DrawPeakMarks(DrawingSurface& dc, const PixelRect& plot, const MeasuredOverlay& measured,
                   SpectrumLabels& labels) {
    for (const PeakMark& mark : measured.peaks) {
        const PixelRect& box = mark.box;
        const bool down = box.bottom <= mark.y;
        const int tip = down ? box.bottom - 1 : box.top;
        for (int y = std::max(box.top, plot.top); y < std::min(box.bottom, plot.bottom); ++y) {
            const int halfWidth = down ? tip - y : y - tip;
            dc.FillSpan(y, std::max(mark.x - halfWidth, plot.left),
                        std::min(mark.x + halfWidth + 1, plot.right), VerdictColour(mark.verdict));
        }
        labels.KeepOff(box);
    }
    std::vector<const PeakMark*> order;
    for (const PeakMark& mark : measured.peaks) {
        order.push_back(&mark);
    }
    std::stable_sort(order.begin(), order.end(), [](const PeakMark* a, const PeakMark* b) {
        if (WantsALook(a->verdict) != WantsALook(b->verdict)) {
            return WantsALook(a->verdict);
        }
        return a->dbfs > b->dbfs;
    });
    constexpr int kLine = kSpectrumLabelFontHeight + kSpectrumLabelGap;
    for (const PeakMark* mark : order) {
        const PixelRect& box = mark->box;
        dc.SetTextColor(VerdictColour(mark->verdict));
        labels.Place(Latin1(mark->label), mark->x,
                     {box.top - kLine, std::max(box.bottom, mark->y + 1) + kSpectrumLabelGap,
                      box.top - 2 * kLine});
    }
    // The members' names keep off the trace's line up to each peak, which shows what the
    // bench measured there.
    for (const PeakMark& mark : measured.peaks) {
        const auto column =
            std::equal_range(measured.trace.begin(), measured.trace.end(), TraceRun{mark.x, 0, 0},
                             [](const TraceRun& a, const TraceRun& b) { return a.x < b.x; });
        for (auto run = column.first; run != column.second; ++run) {
            if (run->top <= mark.y && mark.y <= run->bottom) {
                labels.KeepOff({run->x, run->top, run->x + 1, run->bottom + 1});
            }
        }
    }
}

}  // namespace quorvel
