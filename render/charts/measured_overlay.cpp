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

    std::vector<TraceColumn>& columns = overlay.trace;
    const std::size_t points = std::min(trace.mhz.size(), trace.dbfs.size());
    for (std::size_t i = 0; i < points; ++i) {
        const std::optional<int> x = column(trace.mhz[i]);
        if (!x) {
            continue;
        }
        const int y = row(trace.dbfs[i]);
        if (!columns.empty() && columns.back().x == *x) {
            TraceColumn& c = columns.back();
            c.top = std::min(c.top, y);
            c.bottom = std::max(c.bottom, y);
            c.last = y;
            continue;
        }
        TraceColumn c{*x, y, y, y, y};
        // The step from the column just before is this column's to draw.
        if (!columns.empty() && columns.back().x + 1 == *x) {
            c.top = std::min(y, columns.back().last);
            c.bottom = std::max(y, columns.back().last);
        }
        columns.push_back(c);
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
    const std::vector<TraceColumn>& columns = measured.trace;
    for (std::size_t i = 0; i < columns.size(); ++i) {
        const TraceColumn& c = columns[i];
        if (i > 0 && columns[i - 1].x + 1 < c.x) {
            dc.MoveTo(columns[i - 1].x, columns[i - 1].last);
            dc.LineTo(c.x, c.first);
        }
        dc.MoveTo(c.x, c.top);
        dc.LineTo(c.x, c.bottom + 1);
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
}

}  // namespace quorvel
