#include "charts/clean_map_chart.h"

#include "charts/clean_map_levels.h"

#include <algorithm>
#include <array>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string>
#include <utility>

#include "charts/plot_frame.h"
#include "plan/number_text.h"
#include "plan/powers_of_ten.h"
#include "plan/truncate.h"
#include "surface/scoped_object.h"

namespace quorvel {

namespace {

// About one tick per this many pixels along each axis.
constexpr int kFsTickSpacing = 90;
constexpr int kIfTickSpacing = 40;
constexpr int kMostTicks = 64;
constexpr int kTickLength = 4;
constexpr int kFsLabelHalfWidth = 40;
constexpr int kIfLabelGap = 7;  // from the label's right end to the body
constexpr int kFsTitleGap = 6;
constexpr int kIfTitleCentre = 12;  // column the upward title is centred on
constexpr int kTitleTop = 4;
constexpr int kTitleOverhang = 90;  // how far past the body the title may run
constexpr int kLegendGap = 10;
constexpr int kLegendWidth = 86;
constexpr int kLegendRowLeast = 10;
constexpr int kSwatchWidth = 14;
constexpr int kSwatchInset = 2;  // above and below a swatch, within its row
constexpr int kLegendTextLeft = 20;

// Ticks at 1, 2 or 5 times a power of ten, about one per `spacing` pixels.
double TickStep(double span, int pixels, int spacing) {
    const double rough = span / std::max(1, pixels / spacing);
    const double decade = PowerOfTen(TruncToInt(DecimalExponent(rough)));
    for (const double m : {1.0, 2.0, 5.0}) {
        if (m * decade >= rough) {
            return m * decade;
        }
    }
    return 10 * decade;
}

template <typename Place>
void DrawTicks(FrequencyInterval range, int pixels, int spacing, Place&& place) {
    const double span = range.hi - range.lo;
    if (!(span > 0) || !std::isfinite(span) || pixels < 2) {
        return;
    }
    const double step = TickStep(span, pixels, spacing);
    // Counted, not stepped: far from 0 adding one to a multiple of the step may change
    // nothing.
    const double first = std::ceil(range.lo / step);
    for (int i = 0; i < kMostTicks && (first + i) * step <= range.hi; ++i) {
        const double value = (first + i) * step;
        place((value - range.lo) / span, FormatTickLabel(value, step));
    }
}

// Six significant digits, trailing zeros dropped, whatever the locale: 20, 12.3457,
// 1.23457e+06.
std::string ShortNumber(double value) {
    char text[32];
    const auto end = std::to_chars(text, text + sizeof text, value, std::chars_format::general, 6);
    return std::string(text, end.ptr);
}

const char* AgainstText(Against against) {
    switch (against) {
        case Against::kIf:
            return "IF band";
        case Against::kRf:
            return "RF band";
        case Against::kBoth:
            break;
    }
    return "IF and RF bands";
}

const char* RefusalText(FinderStatus status) {
    switch (status) {
        case FinderStatus::kTooManyIntervals:
            return "Too many intervals in these ranges: narrow them";
        case FinderStatus::kTooLargeAtThisSize:
            return "The map is too large at this size to compute: make it smaller";
        case FinderStatus::kOk:
        case FinderStatus::kBadInput:
            break;
    }
    return "No map for these values";
}

void FillArea(DrawingSurface& surface, const PixelRect& area, ColorRef colour) {
    for (int y = area.top; y < area.bottom; ++y) {
        surface.FillSpan(y, area.left, area.right, colour);
    }
}

void DrawMargins(DrawingSurface& surface, const CleanMapGeometry& g) {
    const PixelRect& b = g.body;
    surface.PatBlt(0, 0, g.width, b.top, RasterOp::kBlackness);
    surface.PatBlt(0, b.bottom, g.width, g.height - b.bottom, RasterOp::kBlackness);
    surface.PatBlt(0, b.top, b.left, b.bottom - b.top, RasterOp::kBlackness);
    surface.PatBlt(b.right, b.top, g.width - b.right, b.bottom - b.top, RasterOp::kBlackness);
}

// Just outside the body, on all four sides.
void DrawOutline(DrawingSurface& surface, const PixelRect& b) {
    ScopedObject pen(surface, surface.CreatePen(PenStyle::kSolid, 1, kAxisColour));
    pen.Select();
    surface.MoveTo(b.left - 1, b.top - 1);
    surface.LineTo(b.right, b.top - 1);
    surface.LineTo(b.right, b.bottom);
    surface.LineTo(b.left - 1, b.bottom);
    surface.LineTo(b.left - 1, b.top - 1);
}

void DrawAxes(DrawingSurface& surface, const CleanMapGeometry& g, int line) {
    const PixelRect& b = g.body;
    ScopedObject pen(surface, surface.CreatePen(PenStyle::kSolid, 1, kChartTextColour));
    pen.Select();
    // The Fs ticks hang from the outline's own row.
    const int tickTop = b.bottom;
    DrawTicks(g.view.fsRange, g.bodyWidth(), kFsTickSpacing,
              [&](double at, const std::string& text) {
                  const int x = b.left + TruncToInt(at * g.bodyWidth());
                  surface.MoveTo(x, tickTop);
                  surface.LineTo(x, tickTop + kTickLength);
                  const int top = tickTop + kTickLength;
                  surface.DrawText({x - kFsLabelHalfWidth, top, x + kFsLabelHalfWidth, top + line},
                                   kTextHCentre, text);
              });
    DrawTicks(g.view.ifRange, g.bodyHeight(), kIfTickSpacing,
              [&](double at, const std::string& text) {
                  const int y = b.bottom - 1 - TruncToInt(at * g.bodyHeight());
                  surface.MoveTo(b.left - 1 - kTickLength, y);
                  surface.LineTo(b.left - 1, y);
                  surface.DrawText({0, y - line / 2, b.left - kIfLabelGap, y - line / 2 + line},
                                   kTextRight | kTextVCentre, text);
              });
    const int fsTitleTop = b.bottom - 1 + kFsTitleGap + line;
    surface.DrawText({b.left, fsTitleTop, b.right, fsTitleTop + line}, kTextHCentre, "Fs (MHz)");
    // Centred on the body's middle row, reading upward.
    const int middle = b.top + (g.bodyHeight() - 1) / 2;
    const int ifTitleTop = middle - g.bodyHeight() / 2;
    surface.DrawText({kIfTitleCentre - line / 2, ifTitleTop, kIfTitleCentre - line / 2 + line,
                      ifTitleTop + g.bodyHeight()},
                     kTextHCentre | kTextUpward, "IF (MHz)");
}

void DrawTitle(DrawingSurface& surface, const PlanFields& plan, const CleanMapGeometry& g,
               int line) {
    std::string title = "Clean map: IF BW " + ShortNumber(plan.m_ifBw) + ", RF BW " +
                        ShortNumber(plan.m_rfBw) +
                        ", H = " + std::to_string(HighestDrawnHarmonic(plan)) + ", against the " +
                        AgainstText(g.view.query.against);
    if (g.view.query.margin > 0) {
        title += ", margin " + ShortNumber(g.view.query.margin);
    }
    surface.DrawText({g.body.left, kTitleTop, g.body.right + kTitleOverhang, kTitleTop + line},
                     kTextLeft, title);
}

// A family in the legend's few words: the ledger's names do not fit its column.
const char* FamilyLegendText(SpurFamily family) {
    switch (family) {
        case SpurFamily::kHarmonic:
            return "harmonic";
        case SpurFamily::kInterleaveImage:
            return "images";
        case SpurFamily::kInterleaveOffset:
            return "offsets";
        case SpurFamily::kClockSideband:
            return "sidebands";
        case SpurFamily::kInterferer:
            return "interferers";
    }
    return "";
}

void DrawLegend(DrawingSurface& surface, const PlanFields& plan, const CleanMapGeometry& g,
                int line) {
    const int left = g.body.right - 1 + kLegendGap;
    const int row = std::max(kLegendRowLeast, line);
    int y = g.body.top;
    const auto entry = [&](MapCode code, const std::string& text) {
        // An entry must end above the body's last row.
        if (y + row > g.body.bottom - 1) {
            return;
        }
        FillArea(surface, {left, y + kSwatchInset, left + kSwatchWidth, y + row - kSwatchInset},
                 MapCodeColour(code));
        surface.DrawText({left + kLegendTextLeft, y, left + kLegendWidth, y + row}, kTextVCentre,
                         text);
        y += row;
    };
    entry(kMapClean, "clean");
    entry(kMapSelfFold, "self fold");
    if (g.view.fsRange.lo <= 0) {
        entry(kMapUnsampled, "Fs <= 0");
    }
    const SpurModel& model = g.view.query.model;
    if (LevelsGiven(model)) {
        // The loudest spur's level: a scale from 0 dBc at its top down to its bottom, and
        // a swatch for a level not known.
        entry(kMapUnknownLevel, "unknown");
        const LevelScale scale = LevelScaleOf(model, plan);
        constexpr int kStepHeight = 4;
        const int labels[] = {0, kMapLevelSteps / 2, kMapLevelSteps};
        if (y + kMapLevelSteps * kStepHeight + row > g.body.bottom - 1) {
            return;
        }
        const int top = y + row / 2;
        for (int step = 0; step < kMapLevelSteps; ++step) {
            const int stepTop = top + (kMapLevelSteps - 1 - step) * kStepHeight;
            FillArea(surface, {left, stepTop, left + kSwatchWidth, stepTop + kStepHeight},
                     MapCodeColour(static_cast<MapCode>(kMapFirstLevel + step)));
        }
        for (const int at : labels) {
            const double dbc = scale.hi - at * (scale.hi - scale.lo) / kMapLevelSteps;
            const int ly = top + at * kStepHeight;
            surface.DrawText(
                {left + kLegendTextLeft, ly - row / 2, left + kLegendWidth, ly + row / 2},
                kTextVCentre, FormatFixed(dbc, 0) + (at == 0 ? " dBc" : ""));
        }
        return;
    }
    for (int n = 2; n <= HighestDrawnHarmonic(plan); ++n) {
        entry(static_cast<MapCode>(n), "H" + std::to_string(n));
    }
    std::optional<SpurFamily> last;
    for (const SpurMember& member : ModelledMembersOf(g.view.query.model)) {
        if (member.family != last) {
            last = member.family;
            entry(FamilyMapCode(member.family), FamilyLegendText(member.family));
        }
    }
}

}  // namespace

// Each row as runs of one code, a span per run. Runs are mostly long: the end of one is
// looked for eight codes at a time.
void AppendCleanMapRuns(std::span<const MapCode> row, CleanMapRowRuns& runs) {
    static_assert(sizeof(MapCode) == 1);
    constexpr std::size_t kChunk = sizeof(std::uint64_t);
    const MapCode* const line = row.data();
    const std::size_t width = row.size();
    std::size_t x = 0;
    while (x < width) {
        const MapCode code = line[x];
        const std::uint64_t same = 0x0101010101010101u * code;
        std::size_t end = x + 1;
        for (; end + kChunk <= width; end += kChunk) {
            std::uint64_t chunk = 0;
            std::memcpy(&chunk, line + end, kChunk);
            if (const std::uint64_t differ = chunk ^ same; differ != 0) {
                const int first = std::endian::native == std::endian::little
                                      ? std::countr_zero(differ)
                                      : std::countl_zero(differ);
                end += static_cast<std::size_t>(first / 8);
                break;
            }
        }
        while (end < width && line[end] == code) {
            ++end;
        }
        runs.push_back({static_cast<int>(x), static_cast<int>(end), code});
        x = end;
    }
}

void DrawCleanMapBody(DrawingSurface& surface, const CleanMapGeometry& geometry,
                      std::span<const CleanMapRowRuns> rows) {
    for (std::size_t row = 0; row < rows.size(); ++row) {
        DrawCleanMapRow(surface, geometry, static_cast<int>(row), rows[row]);
    }
}

void DrawCleanMapRow(DrawingSurface& surface, const CleanMapGeometry& geometry, int row,
                     std::span<const CleanMapRun> runs) {
    // Every code a pixel can hold, the level codes included.
    constexpr int kCodes = 1 << (8 * sizeof(MapCode));
    static const std::array<ColorRef, kCodes> kColours = [] {
        std::array<ColorRef, kCodes> colours{};
        for (int code = 0; code < kCodes; ++code) {
            colours[static_cast<std::size_t>(code)] = MapCodeColour(static_cast<MapCode>(code));
        }
        return colours;
    }();
    const int y = geometry.body.top + row;
    for (const CleanMapRun& run : runs) {
        surface.FillSpan(y, geometry.body.left + run.begin, geometry.body.left + run.end,
                         kColours[run.code]);
    }
}

void DrawCleanMapChart(DrawingSurface& surface, const PlanFields& plan,
                       const CleanMapGeometry& geometry, const CleanMapBodyRuns& body) {
    if (!geometry.HasBody()) {
        surface.PatBlt(0, 0, geometry.width, geometry.height, RasterOp::kBlackness);
        return;
    }
    if (body.status == FinderStatus::kOk) {
        DrawCleanMapBody(surface, geometry, body.rows);
    } else {
        FillArea(surface, geometry.body, MapCodeColour(kMapUnsampled));
    }
    DrawCleanMapFrame(surface, plan, geometry);
    if (body.status != FinderStatus::kOk) {
        surface.DrawText(geometry.body, kTextHCentre | kTextVCentre | kTextWordBreak,
                         RefusalText(body.status));
    }
}

bool CleanMapFrameClearsBody(const CleanMapGeometry& geometry, int line) {
    // Text stays in its box but for a pixel or so of a glyph's edge: kept this far clear.
    constexpr int kInkSlack = 2;
    const PixelRect& b = geometry.body;
    return geometry.HasBody() && line >= 0 && kTitleTop + line + kInkSlack <= b.top &&
           kIfTitleCentre - line / 2 + line + kInkSlack <= b.left;
}

void DrawCleanMapFrame(DrawingSurface& surface, const PlanFields& plan,
                       const CleanMapGeometry& geometry) {
    DrawMargins(surface, geometry);
    DrawOutline(surface, geometry.body);
    surface.SetTextColor(kChartTextColour);
    const int line = surface.TextLineHeight();
    DrawAxes(surface, geometry, line);
    DrawTitle(surface, plan, geometry, line);
    DrawLegend(surface, plan, geometry, line);
}

void DrawCleanMapRefusal(DrawingSurface& surface, const CleanMapGeometry& geometry,
                         FinderStatus status) {
    FillArea(surface, geometry.body, MapCodeColour(kMapUnsampled));
    surface.SetTextColor(kChartTextColour);
    surface.DrawText(geometry.body, kTextHCentre | kTextVCentre | kTextWordBreak,
                     RefusalText(status));
}

void DrawCleanMapMark(DrawingSurface& surface, const PlanFields& plan,
                      const CleanMapGeometry& geometry, PixelPoint offset) {
    const auto at = geometry.PlaceOnBody(plan.m_fs, plan.m_if);
    if (!at) {
        return;
    }
    const double x = at->x + offset.x;
    const double y = at->y + offset.y;
    for (const auto& [width, colour] : {std::pair{kCleanMapMarkHaloWidth, kBlack},
                                        std::pair{kCleanMapMarkRingWidth, kBandOutlineColour}}) {
        ScopedObject pen(surface, surface.CreatePen(PenStyle::kSolid, width, colour));
        pen.Select();
        surface.SmoothCircle(x, y, kCleanMapMarkRadius);
    }
}

}  // namespace quorvel
