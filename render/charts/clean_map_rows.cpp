#include "charts/clean_map_rows.h"

#include <algorithm>
#include <cmath>
#include <numeric>

#include "charts/harmonic_band_chart.h"
#include "plan/truncate.h"

namespace quorvel {

namespace {

// Each pixel takes the first code written to it, so writing the codes in order of
// precedence gives every pixel the lowest one, and the "next free pixel" links (path
// halving) make each pixel cost one write however many intervals cover it.
class RowFill {
  public:
    RowFill(std::vector<int>& next, std::span<MapCode> codes) : next_(next), codes_(codes) {
        next_.resize(codes.size() + 1);
        std::iota(next_.begin(), next_.end(), 0);
    }

    // The pixels filled point past the whole run, so that later intervals landing on it
    // skip it in one step.
    void Fill(int first, int last, MapCode code) {
        for (int x = Free(first); x <= last; x = Free(x + 1)) {
            codes_[static_cast<std::size_t>(x)] = code;
            next_[static_cast<std::size_t>(x)] = last + 1;
        }
    }

    void FillRest(MapCode code) { Fill(0, static_cast<int>(codes_.size()) - 1, code); }

  private:
    int Free(int x) {
        while (next_[static_cast<std::size_t>(x)] != x) {
            auto& link = next_[static_cast<std::size_t>(x)];
            link = next_[static_cast<std::size_t>(link)];
            x = link;
        }
        return x;
    }

    std::vector<int>& next_;
    std::span<MapCode> codes_;
};

double Step(FrequencyInterval range, int count) {
    return (range.hi - range.lo) / count;
}

// Column positions of a frequency, scaled so that column x's centre sits at x. A map row
// holds hundreds of intervals, most narrower than a pixel: the scale is worked out once
// per row and an interval holding no centre is dropped before any conversion.
struct ColumnScale {
    double scale = 0;
    double offset = 0;
    double width = 0;

    ColumnScale(const CleanMapView& view, int columns)
        : scale(columns / (view.fsRange.hi - view.fsRange.lo)),
          offset(view.fsRange.lo * scale + 0.5),
          width(columns) {}
};

void FillInterval(RowFill& fill, const ColumnScale& columns, FrequencyInterval meet, MapCode code) {
    const double first = std::max(0.0, std::ceil(meet.lo * columns.scale - columns.offset));
    const double last =
        std::min(columns.width - 1, std::floor(meet.hi * columns.scale - columns.offset));
    if (first <= last) {
        fill.Fill(TruncToInt(first), TruncToInt(last), code);
    }
}

}  // namespace

MapCode MapCodeOf(const SpurVerdict& verdict) {
    if (!verdict.valid) {
        return kMapUnsampled;
    }
    if (verdict.lowestMeeting > 0) {
        return static_cast<MapCode>(verdict.lowestMeeting);
    }
    return verdict.foldsOntoItself ? kMapSelfFold : kMapClean;
}

ColorRef MapCodeColour(MapCode code) {
    constexpr ColorRef kSelfFoldGrey = 0x787878;
    constexpr ColorRef kUnsampledGrey = 0x282828;
    if (code == kMapClean) {
        return kWhite;
    }
    if (code == kMapUnsampled) {
        return kUnsampledGrey;
    }
    if (code == kMapSelfFold) {
        return kSelfFoldGrey;
    }
    // Harmonic 2 at full strength down to 40% at the cap.
    const int fade = 60 * (code - 2) / (kHarmonicCap - 2);
    const ColorRef base = code % 2 == 1 ? kOddHarmonicColour : kEvenHarmonicColour;
    ColorRef out = 0;
    for (int shift = 0; shift < 24; shift += 8) {
        const auto channel = (base >> shift) & 0xFFu;
        out |= (channel * static_cast<unsigned>(100 - fade) / 100u) << shift;
    }
    return out;
}

PixelRect CleanMapBody(int width, int height) {
    constexpr int kLeft = 72;
    constexpr int kTop = 28;
    constexpr int kRight = 96;  // the legend
    constexpr int kBottom = 48;
    return {kLeft, kTop, std::max(kLeft, width - kRight), std::max(kTop, height - kBottom)};
}

double ColumnFs(const CleanMapView& view, int width, int x) {
    return view.fsRange.lo + (x + 0.5) * Step(view.fsRange, width);
}

double RowIf(const CleanMapView& view, int height, int y) {
    return view.ifRange.hi - (y + 0.5) * Step(view.ifRange, height);
}

FinderStatus CleanMapRow(const PlanFields& plan, const CleanMapView& view, double ifCentre,
                         CleanMapRowScratch& scratch, std::span<MapCode> codes) {
    PlanFields rowPlan = plan;
    rowPlan.m_if = ifCentre;
    const FinderStatus status =
        MeetFsRow(rowPlan, view.fsRange, view.query, scratch.meets, RowEnds::kQuotients);
    if (status != FinderStatus::kOk || codes.empty()) {
        return status;
    }
    const ColumnScale columns(view, static_cast<int>(codes.size()));
    RowFill fill(scratch.nextFree, codes);
    for (const auto& meet : scratch.meets.unsampled) {
        FillInterval(fill, columns, meet, kMapUnsampled);
    }
    for (int n = 2; n <= std::min(plan.m_harmonics, kHarmonicCap); ++n) {
        for (const auto& meet : scratch.meets.harmonic[static_cast<std::size_t>(n)]) {
            FillInterval(fill, columns, meet, static_cast<MapCode>(n));
        }
    }
    for (const auto& meet : scratch.meets.selfFold) {
        FillInterval(fill, columns, meet, kMapSelfFold);
    }
    fill.FillRest(kMapClean);
    return status;
}

}  // namespace quorvel
