#include "charts/chart_hover.h"

#include <algorithm>
#include <cmath>

#include "plan/alias_lines.h"
#include "plan/number_text.h"
#include "plan/slider_rules.h"

namespace quorvel {

namespace {

struct Nearest {
    double distance = INFINITY;
    double t = 0;  // along the segment, 0 at its first vertex
    int segment = -1;
};

// The point of the segment a-b nearest to p, in pixels.
Nearest NearestOnSegment(PixelPoint a, PixelPoint b, PixelPoint p) {
    const double dx = static_cast<double>(b.x) - a.x;
    const double dy = static_cast<double>(b.y) - a.y;
    const double lengthSquared = dx * dx + dy * dy;
    double t = 0;
    if (lengthSquared > 0) {
        t = std::clamp(
            ((p.x - static_cast<double>(a.x)) * dx + (p.y - static_cast<double>(a.y)) * dy) /
                lengthSquared,
            0.0, 1.0);
    }
    const double ex = a.x + t * dx - p.x;
    const double ey = a.y + t * dy - p.y;
    return {std::sqrt(ex * ex + ey * ey), t, 0};
}

std::vector<AliasLineHit> LinesNear(const PlanFields& plan, int width, int height,
                                    PixelPoint point) {
    const PixelRect band = FoldingChartBand(width, height);
    const PlotFrame frame = MakePlotFrame(band.top, band.bottom, band.right);
    const AliasLineSet lines = BuildAliasLines(plan.m_fs, plan.m_harmonics);
    std::vector<AliasLineHit> hits;
    for (int i = 0; i < lines.count; ++i) {
        const AliasLine& line = lines.lines[static_cast<std::size_t>(i)];
        const AliasLinePath path = PlaceAliasLine(frame, plan.m_fs / 2.0, line);
        Nearest best;
        for (int k = 1; k < path.count; ++k) {
            const auto at = static_cast<std::size_t>(k);
            Nearest n = NearestOnSegment(path.points[at - 1], path.points[at], point);
            if (n.distance < best.distance) {
                n.segment = k;
                best = n;
            }
        }
        if (best.segment < 0 || best.distance > kHoverReach) {
            continue;
        }
        // The same fraction of the way along the segment in MHz as in pixels.
        const AliasPoint& a = line.points[static_cast<std::size_t>(best.segment - 1)];
        const AliasPoint& b = line.points[static_cast<std::size_t>(best.segment)];
        hits.push_back({line.harmonic, a.x + best.t * (b.x - a.x), a.y + best.t * (b.y - a.y)});
    }
    std::sort(hits.begin(), hits.end(),
              [](const AliasLineHit& l, const AliasLineHit& r) { return l.harmonic < r.harmonic; });
    return hits;
}

}  // namespace

ChartHover HoverAt(const PlanFields& plan, int width, int height, PixelPoint point) {
    PlanFields drawn = plan;
    ApplyHarmonicCap(drawn);
    ChartHover hover;
    if (!PlanPassesChartGate(drawn) || point.x < 0 || point.x >= width || point.y < 0 ||
        point.y >= height) {
        return hover;
    }
    const PixelRect folding = FoldingChartBand(width, height);
    if (point.y < folding.bottom) {
        hover.lines = LinesNear(drawn, width, height, point);
        return hover;
    }
    // Later bars are drawn over earlier ones: the highest harmonic covering the point is
    // the one seen there.
    const BandChartLayout layout = LayOutBandChart(drawn, BandChartBand(width, height));
    for (int n = drawn.m_harmonics; n >= 2; --n) {
        const BandBar& bar = layout.bars[static_cast<std::size_t>(n)];
        if (bar.drawn && RectangleCovers(bar.rect, point)) {
            hover.barHarmonic = n;
            hover.barImage = layout.bands[static_cast<std::size_t>(n)];
            break;
        }
    }
    return hover;
}

std::string HoverText(const ChartHover& hover) {
    std::string text;
    for (const AliasLineHit& hit : hover.lines) {
        if (!text.empty()) {
            text += '\n';
        }
        text += "Harmonic " + FormatPlanInteger(hit.harmonic) + ": signal " +
                FormatFixed(hit.signal, 3) + " MHz, alias " + FormatFixed(hit.alias, 3) + " MHz";
    }
    if (hover.barHarmonic != 0) {
        const HarmonicBand& image = hover.barImage;
        text += "Harmonic " + FormatPlanInteger(hover.barHarmonic) + ": image " +
                FormatFixed(image.lo, 3) + " .. " + FormatFixed(image.hi, 3) + " MHz";
        if (image.lo > image.hi) {
            text += " (reversed by the fold)";
        }
    }
    return text;
}

}  // namespace quorvel
