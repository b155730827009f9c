#include "charts/spectrum_layout.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

#include "charts/clean_map_rows.h"
#include "pixel_arithmetic.h"
#include "plan/harmonic_colour.h"
#include "plan/number_text.h"
#include "plan/reference_bands.h"
#include "plan/spur_ledger.h"
#include "plan/truncate.h"

namespace quorvel {

namespace {

constexpr const char* kMinusSign = "\xE2\x88\x92";  // U+2212

constexpr double kInf = std::numeric_limits<double>::infinity();

bool Finite(std::optional<double> level) {
    return level && std::isfinite(*level);
}

// The deepest level the chart must show, with room below it, on a multiple of the room.
double BottomLevel(const SpurModel& model, const std::vector<SpurLedgerRow>& rows,
                   std::optional<double> traceLevel) {
    double lowest = kInf;
    for (const SpurLedgerRow& row : rows) {
        if (Finite(row.level)) {
            lowest = std::min(lowest, *row.level);
        }
    }
    const double signal = model.levels.signal;
    if (Finite(model.levels.floor) && std::isfinite(signal)) {
        lowest = std::min(lowest, signal + *model.levels.floor);
    }
    if (lowest == kInf) {
        lowest = kSpectrumDefaultBottom + kSpectrumRoom;
    }
    if (std::isfinite(signal)) {
        lowest = std::min(lowest, signal);
    }
    // A trace only ever deepens the axis: the predicted marks keep their scale.
    if (Finite(traceLevel)) {
        lowest = std::min(lowest, *traceLevel);
    }
    const double bottom = std::floor((lowest - kSpectrumRoom) / kSpectrumRoom) * kSpectrumRoom;
    return std::clamp(bottom, kSpectrumDeepestBottom, -kSpectrumRoom);
}

ColorRef MemberColour(const SpurMember& member) {
    return member.family == SpurFamily::kHarmonic ? HarmonicColour(member.order)
                                                  : MapCodeColour(FamilyMapCode(member.family));
}

// Six significant digits, about what a column tells apart: 312.5, 141.061, 1.5e+300.
std::string FrequencyText(double mhz) {
    char text[32];
    const auto end = std::to_chars(text, text + sizeof text, mhz, std::chars_format::general, 6);
    return std::string(text, end.ptr);
}

// The readout writes a true minus sign.
std::string MarkReadout(const SpectrumMark& mark) {
    if (!Finite(mark.level)) {
        return mark.name + " level unknown";
    }
    std::string level = SpectrumLevelText(*mark.level);
    if (level.front() == '-') {
        level.replace(0, 1, kMinusSign);
    }
    return mark.name + " " + level + " dBFS";
}

bool Under(const SpectrumMark& mark, const SpectrumLayout& layout, PixelPoint point) {
    const int reach = mark.shape == SpectrumShape::kStem ? kStemReach : 0;
    return point.x >= SubtractPixels(mark.left, reach) && point.x < AddPixels(mark.right, reach) &&
           point.y >= mark.top && point.y <= layout.plot.bottom;
}

}  // namespace

std::string SpectrumLevelText(double dbfs) {
    std::string text = FormatFixed(dbfs, 1);
    if (text.size() > 2 && text.compare(text.size() - 2, 2, ".0") == 0) {
        text.resize(text.size() - 2);
    }
    return text == "-0" ? "0" : text;
}

int SpectrumLayout::ColumnOf(double mhz) const {
    const double at = std::clamp(mhz / half, 0.0, 1.0);  // NaN stays NaN and truncates to 0
    return AddPixels(plot.left, TruncToInt(at * static_cast<double>(plot.right - plot.left)));
}

int SpectrumLayout::RowOf(double dbfs) const {
    const double up = std::clamp((dbfs - bottomLevel) / (0.0 - bottomLevel), 0.0, 1.0);
    return SubtractPixels(plot.bottom,
                          TruncToInt(up * static_cast<double>(plot.bottom - plot.top)));
}

double SpectrumLayout::FrequencyAt(int x) const {
    return (static_cast<double>(x - plot.left) + 0.5) / (plot.right - plot.left) * half;
}

int SpectrumMarkFoot(const PixelRect& plot, const SpectrumMark& mark) {
    return Finite(mark.level) ? plot.bottom
                              : std::min(plot.bottom, AddPixels(plot.top, kSpectrumUnknownDepth));
}

std::vector<PixelRect> SpectrumMarkCover(const PixelRect& plot, const SpectrumMark& mark) {
    const int foot = SpectrumMarkFoot(plot, mark);
    if (mark.shape == SpectrumShape::kBox) {
        return {{mark.left, mark.top, mark.right, foot}};
    }
    return {{mark.left, mark.top, AddPixels(mark.left, 1), foot},
            {SubtractPixels(mark.left, kStemCapHalf), mark.top,
             AddPixels(mark.left, kStemCapHalf + 1), AddPixels(mark.top, 1)}};
}

bool SpectrumPlanDrawable(const PlanFields& plan) {
    return std::isfinite(plan.m_fs) && plan.m_fs / 2.0 > 0 && std::isfinite(plan.m_if) &&
           std::isfinite(plan.m_ifBw) && std::isfinite(plan.m_rfBw) && plan.m_rfBw > 0;
}

SpectrumLayout LayOutSpectrum(const PlanFields& plan, const SpurModel& model, int width, int height,
                              std::optional<double> traceLevel) {
    SpectrumLayout layout;
    layout.width = width;
    layout.height = height;
    layout.plot = {kSpectrumMarginLeft, kSpectrumMarginTop,
                   SubtractPixels(width, kSpectrumMarginRight),
                   SubtractPixels(height, kSpectrumMarginBottom)};
    const bool drawable = SpectrumPlanDrawable(plan);
    const std::vector<SpurLedgerRow> rows =
        drawable ? BuildSpurLedger(plan, model) : std::vector<SpurLedgerRow>{};
    layout.bottomLevel = BottomLevel(model, rows, traceLevel);
    if (!drawable || !layout.HasPlot()) {
        return layout;
    }
    layout.hasData = true;
    layout.half = plan.m_fs / 2.0;

    const auto columns = [&](double lo, double hi) -> std::optional<ColumnSpan> {
        lo = std::max(lo, 0.0);
        hi = std::min(hi, layout.half);
        if (!(lo <= hi)) {
            return std::nullopt;
        }
        const int left = layout.ColumnOf(lo);
        // Every band keeps a column, however narrow.
        return ColumnSpan{left, std::max(layout.ColumnOf(hi), AddPixels(left, 1))};
    };
    const ChartReferences refs = PlaceChartReferences(plan);
    layout.rfBand = columns(refs.rfLo, refs.rfHi);
    layout.ifBand = columns(refs.ifLo, refs.ifHi);

    // False for a band that lies nowhere on the plot.
    const auto place = [&](SpectrumMark& mark, double lo, double hi) {
        mark.top = Finite(mark.level) ? layout.RowOf(*mark.level) : layout.plot.top;
        if (lo == hi) {
            mark.shape = SpectrumShape::kStem;
            // A tone at Fs/2 stands on the plot's last column.
            mark.left = std::min(layout.ColumnOf(lo), SubtractPixels(layout.plot.right, 1));
            mark.right = AddPixels(mark.left, 1);
            return true;
        }
        const std::optional<ColumnSpan> span = columns(lo, hi);
        if (!span) {
            return false;
        }
        mark.left = span->left;
        mark.right = span->right;
        return true;
    };

    layout.signalLevel = model.levels.signal;
    const HarmonicBand image = FirstZoneImage(plan.m_fs, plan.m_if, plan.m_ifBw);
    if (!std::isnan(image.lo) && !std::isnan(image.hi)) {
        SpectrumMark signal{{}, "signal", model.levels.signal};
        signal.colour = kSpectrumSignalColour;
        if (place(signal, std::min(image.lo, image.hi), std::max(image.lo, image.hi))) {
            layout.signal = signal;
        }
    }

    for (const SpurLedgerRow& row : rows) {
        const double lo = std::min(row.image.lo, row.image.hi);
        const double hi = std::max(row.image.lo, row.image.hi);
        if (std::isnan(lo) || std::isnan(hi)) {
            continue;  // a member the fold could not place
        }
        SpectrumMark mark;
        mark.member = row.member;
        mark.name = row.member.family == SpurFamily::kHarmonic
                        ? std::string("H").append(std::to_string(row.member.order))
                        : SpurMemberLabel(row.member, model);
        mark.level = row.level;
        mark.colour = MemberColour(row.member);
        if (place(mark, lo, hi)) {
            layout.marks.push_back(std::move(mark));
        }
    }

    if (Finite(model.levels.floor) && std::isfinite(model.levels.signal)) {
        layout.floorLevel = model.levels.signal + *model.levels.floor;
        layout.floorRow = layout.RowOf(*layout.floorLevel);
    }
    return layout;
}

std::vector<std::size_t> SpectrumMarksAt(const SpectrumLayout& layout, PixelPoint point) {
    std::vector<std::size_t> under;
    for (std::size_t i = 0; i < layout.marks.size(); ++i) {
        if (Under(layout.marks[i], layout, point)) {
            under.push_back(i);
        }
    }
    return under;
}

std::string SpectrumReadout(const SpectrumLayout& layout, PixelPoint point) {
    const PixelRect& p = layout.plot;
    if (!layout.hasData || point.x < p.left || point.x >= p.right || point.y < p.top ||
        point.y > p.bottom) {
        return {};
    }
    std::string text = FrequencyText(layout.FrequencyAt(point.x)) + " MHz";
    std::vector<std::string> names;
    if (layout.signal && Under(*layout.signal, layout, point)) {
        names.push_back(MarkReadout(*layout.signal));
    }
    for (const std::size_t i : SpectrumMarksAt(layout, point)) {
        names.push_back(MarkReadout(layout.marks[i]));
    }
    for (std::size_t i = 0; i < names.size(); ++i) {
        text += (i == 0 ? ": " : ", ") + names[i];
    }
    return text;
}

}  // namespace quorvel
