#include "plan_results.h"

#include <charconv>
#include <optional>

#include "app/export_csv.h"
#include "charts/chart_area.h"
#include "charts/clean_map_chart.h"
#include "charts/clean_map_geometry.h"
#include "charts/clean_map_rows.h"
#include "charts/spectrum_chart.h"
#include "charts/spectrum_layout.h"
#include "plan/number_text.h"
#include "recording_surface.h"

namespace quorvel::test {

namespace {

struct ResultPlan {
    const char* name;
    PlanFields plan;
    int width;
    int height;
    MarkerPoint marker;
    std::optional<int> highlight;
};

// Chart areas 850 pixels wide have a plot 800 pixels wide: a marker 40 pixels into it
// reads a twentieth of the axis.
const ResultPlan kPlans[] = {
    {"default", {}, 744, 532, {413, 300}, std::nullopt},
    // Ticks at 0.125, 0.375, 0.625, 0.875 and 1.125, exact halves at two decimals; the
    // marker reads 0.0625 and -0.4375, exact halves at three.
    {"ties",
     {.m_fs = 2.5, .m_if = 0.5, .m_ifBw = 0.25, .m_harmonics = 9, .m_rfBw = 0.75},
     850,
     600,
     {78, 200},
     std::nullopt},
    {"under-sampled",
     {.m_fs = 3000, .m_if = 1800, .m_ifBw = 100, .m_harmonics = 14, .m_rfBw = 400},
     1000,
     600,
     {500, 120},
     4},
    {"wide-bands",
     {.m_fs = 100, .m_if = 30, .m_ifBw = 20, .m_harmonics = 26, .m_rfBw = 50},
     850,
     600,
     {600, 400},
     std::nullopt},
    {"negative-if",
     {.m_fs = 500, .m_if = -40, .m_ifBw = 10, .m_harmonics = 12, .m_rfBw = 30},
     640,
     480,
     {300, 100},
     std::nullopt},
    // Folding by huge quotients: edges 1e303 times Fs and more, and one past 2^53.
    {"huge-quotient",
     {.m_fs = 0.001, .m_if = 1e300, .m_ifBw = 1, .m_harmonics = 26, .m_rfBw = 2},
     850,
     600,
     {450, 300},
     std::nullopt},
    {"past-2^53",
     {.m_fs = 7, .m_if = 9007199254740993.0, .m_ifBw = 3, .m_harmonics = 26, .m_rfBw = 5},
     850,
     600,
     {200, 250},
     13},
    {"extreme-ratio",
     {.m_fs = 1e-300, .m_if = 1e300, .m_ifBw = 1e299, .m_harmonics = 5, .m_rfBw = 1e300},
     850,
     600,
     {400, 300},
     std::nullopt},
    {"largest",
     {.m_fs = 1.7976931348623157e308,
      .m_if = 8e307,
      .m_ifBw = 1e307,
      .m_harmonics = 26,
      .m_rfBw = 1e308},
     850,
     600,
     {700, 100},
     std::nullopt},
    // Subnormal values everywhere, then only in the widths.
    {"subnormal",
     {.m_fs = 5e-324, .m_if = 1e-310, .m_ifBw = 4e-320, .m_harmonics = 26, .m_rfBw = 1e-315},
     850,
     600,
     {300, 300},
     std::nullopt},
    {"subnormal-widths",
     {.m_fs = 1000, .m_if = 250, .m_ifBw = 5e-324, .m_harmonics = 20, .m_rfBw = 1e-310},
     850,
     600,
     {438, 300},
     3},
};

// Clean maps, whose tick labels take their decades from the ranges: steps of whole
// hundreds, of 1e-10 and of 1e98, and subnormal ranges.
struct ResultMap {
    const char* name;
    PlanFields plan;
    CleanMapView view;
    int width;
    int height;
};

const ResultMap kMaps[] = {
    {"map-default", {.m_harmonics = 7}, {{368, 2000}, {0, 368.64}, {}}, 320, 200},
    {"map-narrow",
     {.m_fs = 1000, .m_if = 250},
     {{1000, 1000.000000001}, {249.9999999995, 250.0000000005}, {}},
     320,
     200},
    {"map-interleaved",
     {.m_fs = 3000, .m_if = 1800, .m_ifBw = 100, .m_harmonics = 5, .m_rfBw = 400},
     {{2500, 5000}, {1500, 2000}, {Against::kIf, 0, SpurModel{.interleave = 4, .interferers = {}}}},
     320,
     200},
    {"map-huge",
     {.m_fs = 2e99, .m_if = 3e98, .m_ifBw = 1e97, .m_harmonics = 5, .m_rfBw = 1e98},
     {{1e99, 3e99}, {0, 1e99}, {}},
     320,
     200},
    {"map-subnormal",
     {.m_fs = 2e-310, .m_if = 3e-311, .m_ifBw = 1e-312, .m_harmonics = 5, .m_rfBw = 4e-312},
     {{1e-310, 3e-310}, {0, 1e-310}, {Against::kBoth, 1e-313}},
     320,
     200},
};

// Folded spectra, whose frequency ticks take their decades from Fs/2 (a last tick exactly
// at Fs/2 = 0.01 stays only with the double nearest 1e-3) and whose levels come from a
// converter model.
SpurModel LevelledModel(int interleave) {
    SpurModel model;
    model.interleave = interleave;
    model.levels.signal = -1;
    model.levels.harmonics = {-62.5, -71.25, -80};
    model.levels.images = {-70};
    model.levels.offset = -95.5;
    model.levels.floor = -90;
    return model;
}

struct ResultSpectrum {
    const char* name;
    PlanFields plan;
    int interleave;
    int width;
    int height;
};

const ResultSpectrum kSpectra[] = {
    {"spectrum-3gsps",
     {.m_fs = 3000, .m_if = 1800, .m_ifBw = 100, .m_harmonics = 5, .m_rfBw = 400},
     4,
     960,
     640},
    {"spectrum-ties",
     {.m_fs = 2.5, .m_if = 0.5, .m_ifBw = 0.25, .m_harmonics = 9, .m_rfBw = 0.75},
     2,
     850,
     600},
    {"spectrum-hundredth",
     {.m_fs = 0.02, .m_if = 0.004, .m_ifBw = 0.001, .m_harmonics = 7, .m_rfBw = 0.003},
     1,
     640,
     480},
    {"spectrum-tiny",
     {.m_fs = 3e-9, .m_if = 7e-10, .m_ifBw = 1e-10, .m_harmonics = 7, .m_rfBw = 4e-10},
     1,
     640,
     480},
};

std::string Hex(unsigned value) {
    char buffer[16];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, value, 16);
    return std::string(buffer, end.ptr);
}

// One line per call with its own arguments; the state it draws with is set by the calls
// before it.
std::string CallText(const RecordedOp& op) {
    const auto ints = [&op](int count) {
        const int values[] = {op.x1, op.y1, op.x2, op.y2};
        std::string text;
        for (int i = 0; i < count; ++i) {
            text += ' ' + std::to_string(values[i]);
        }
        return text;
    };
    const auto quoted = [&op] { return " \"" + op.text + '"'; };
    switch (op.kind) {
        case OpKind::kCreatePen:
            return "pen " + std::to_string(op.handle) + ' ' +
                   std::to_string(static_cast<int>(op.pen.style)) + ' ' +
                   std::to_string(op.pen.width) + ' ' + Hex(op.pen.colour);
        case OpKind::kCreateBrush:
            return "brush " + std::to_string(op.handle) + ' ' +
                   std::to_string(static_cast<int>(op.brush.style)) + ' ' + Hex(op.brush.colour);
        case OpKind::kCreateFont:
            return "font " + std::to_string(op.handle) + ' ' + std::to_string(op.font.height) +
                   ' ' + std::to_string(op.font.escapement);
        case OpKind::kSelect:
            return "select " + std::to_string(op.handle);
        case OpKind::kDelete:
            return "delete " + std::to_string(op.handle);
        case OpKind::kSetBkColor:
            return "bk " + Hex(op.colour);
        case OpKind::kSetTextColor:
            return "textcolour " + Hex(op.colour);
        case OpKind::kSetTextAlign:
            return "align " + Hex(op.align);
        case OpKind::kTextOut:
            return "text" + ints(2) + quoted();
        case OpKind::kMoveTo:
            return "move" + ints(2);
        case OpKind::kLine:
            return "line" + ints(4);
        case OpKind::kRectangle:
            return "rect" + ints(4);
        case OpKind::kPatBlt:
            return "blit" + ints(4);
        case OpKind::kFillSpan:
            return "span" + ints(3) + ' ' + Hex(op.colour);
        case OpKind::kDrawText:
            return "box" + ints(4) + ' ' + Hex(op.format) + quoted();
        case OpKind::kSmoothCircle:
            return "circle" + ints(3);
    }
    return "?";
}

std::string PlanLine(const char* name, const PlanFields& plan) {
    return std::string("plan ") + name + " fs " + ShortestNumberText(plan.m_fs) + " if " +
           ShortestNumberText(plan.m_if) + " if_bw " + ShortestNumberText(plan.m_ifBw) + " rf_bw " +
           ShortestNumberText(plan.m_rfBw) + " harmonics " + std::to_string(plan.m_harmonics) +
           '\n';
}

std::string CallsText(const RecordingSurface& surface) {
    std::string text;
    for (const RecordedOp& op : surface.ops()) {
        text += CallText(op) + '\n';
    }
    return text;
}

// The map's rows worked out one by one, as the paint does on every core.
std::string MapText(const ResultMap& entry) {
    const CleanMapGeometry geometry = LayOutCleanMap(entry.view, entry.width, entry.height);
    std::vector<CleanMapRowRuns> runs(static_cast<std::size_t>(geometry.bodyHeight()));
    FinderStatus status = FinderStatus::kOk;
    const CleanMapRowSetup map(entry.plan, entry.view);
    CleanMapRowScratch scratch;
    std::vector<MapCode> row(static_cast<std::size_t>(geometry.bodyWidth()));
    for (int y = 0; y < geometry.bodyHeight() && status == FinderStatus::kOk; ++y) {
        status = CleanMapRow(map, RowIf(entry.view, geometry.bodyHeight(), y),
                             geometry.bodyHeight(), scratch, row);
        AppendCleanMapRuns(row, runs[static_cast<std::size_t>(y)]);
    }
    RecordingSurface surface;
    DrawCleanMapChart(surface, entry.plan, geometry, {runs, status});
    DrawCleanMapMark(surface, entry.plan, geometry);
    return "clean map " + std::to_string(entry.width) + 'x' + std::to_string(entry.height) +
           " status " + std::to_string(static_cast<int>(status)) + '\n' + CallsText(surface);
}

}  // namespace

std::vector<PlanResult> PlanResults() {
    std::vector<PlanResult> results;
    for (const ResultPlan& entry : kPlans) {
        const PlanFields& plan = entry.plan;
        std::string text = PlanLine(entry.name, plan);
        text += "band table\n" + HarmonicBandCsv(plan);
        text += "alias lines\n" + AliasLineCsv(plan);
        RecordingSurface surface;
        PaintChartArea(surface, plan, entry.width, entry.height, entry.marker, entry.highlight);
        text +=
            "chart area " + std::to_string(entry.width) + 'x' + std::to_string(entry.height) + '\n';
        text += CallsText(surface);
        results.push_back({entry.name, std::move(text)});
    }
    for (const ResultMap& entry : kMaps) {
        results.push_back({entry.name, PlanLine(entry.name, entry.plan) + MapText(entry)});
    }
    for (const ResultSpectrum& entry : kSpectra) {
        RecordingSurface surface;
        DrawSpectrumChart(surface, LayOutSpectrum(entry.plan, LevelledModel(entry.interleave),
                                                  entry.width, entry.height));
        results.push_back({entry.name, PlanLine(entry.name, entry.plan) + "spectrum " +
                                           std::to_string(entry.width) + 'x' +
                                           std::to_string(entry.height) + '\n' +
                                           CallsText(surface)});
    }
    return results;
}

std::string PlanResultsText() {
    std::string text;
    for (const PlanResult& result : PlanResults()) {
        text += result.text;
    }
    return text;
}

}  // namespace quorvel::test
