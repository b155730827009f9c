#include "charts/clean_map_rows.h"

#include "charts/clean_map_levels.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstdint>

#include "plan/harmonic_colour.h"
#include "plan/truncate.h"

namespace quorvel {

namespace {

// Each pixel takes the first code written to it, so writing the codes in order of
// precedence gives every pixel the lowest one. A bit per pixel says which are still open,
// and a bit per word of those which words still hold an open pixel: an interval costs one
// step per 4096 pixels it spans plus one per word that it settles pixels of, plus one write
// per pixel it settles, however many intervals came before. A map row soon has most of its
// pixels settled, and the wide intervals of the higher harmonics then pass over them.
class RowFill {
  public:
    RowFill(CleanMapRowScratch& scratch, std::span<MapCode> codes)
        : open_(scratch.openPixels), openWords_(scratch.openWords), codes_(codes) {
        const std::size_t bits = codes.size();
        const std::size_t words = (bits + 63) / 64;
        open_.assign(words, ~std::uint64_t{0});
        if (bits % 64 != 0) {
            open_.back() = LowBits(bits % 64);
        }
        openWords_.assign((words + 63) / 64, ~std::uint64_t{0});
        if (words % 64 != 0) {
            openWords_.back() = LowBits(words % 64);
        }
    }

    bool AnyOpen() const {
        return std::any_of(openWords_.begin(), openWords_.end(),
                           [](std::uint64_t w) { return w != 0; });
    }

    /// The first and the last open pixel; only while AnyOpen().
    int FirstOpen() const {
        std::size_t group = 0;
        while (openWords_[group] == 0) {
            ++group;
        }
        const std::size_t word =
            group * 64 + static_cast<std::size_t>(std::countr_zero(openWords_[group]));
        return static_cast<int>(word * 64 +
                                static_cast<std::size_t>(std::countr_zero(open_[word])));
    }
    int LastOpen() const {
        std::size_t group = openWords_.size() - 1;
        while (openWords_[group] == 0) {
            --group;
        }
        const std::size_t word =
            group * 64 + 63 - static_cast<std::size_t>(std::countl_zero(openWords_[group]));
        return static_cast<int>(word * 64 + 63 -
                                static_cast<std::size_t>(std::countl_zero(open_[word])));
    }

    void Fill(int first, int last, MapCode code) {
        const auto a = static_cast<std::size_t>(first);
        const auto b = static_cast<std::size_t>(last);
        const std::size_t wordA = a / 64;
        const std::size_t wordB = b / 64;
        for (std::size_t group = wordA / 64; group <= wordB / 64; ++group) {
            std::uint64_t words = openWords_[group];
            if (group == wordA / 64) {
                words &= ~std::uint64_t{0} << (wordA % 64);
            }
            if (group == wordB / 64) {
                words &= ~std::uint64_t{0} >> (63 - wordB % 64);
            }
            while (words != 0) {
                const int bit = std::countr_zero(words);
                words &= words - 1;
                const std::size_t word = group * 64 + static_cast<std::size_t>(bit);
                std::uint64_t mask = ~std::uint64_t{0};
                if (word == wordA) {
                    mask &= ~std::uint64_t{0} << (a % 64);
                }
                if (word == wordB) {
                    mask &= ~std::uint64_t{0} >> (63 - b % 64);
                }
                std::uint64_t settle = open_[word] & mask;
                open_[word] &= ~mask;
                if (open_[word] == 0) {
                    openWords_[group] &= ~(std::uint64_t{1} << bit);
                }
                // Open pixels come in runs: one fill per run.
                while (settle != 0) {
                    const int start = std::countr_zero(settle);
                    const int length = std::countr_one(settle >> start);
                    std::fill_n(codes_.begin() + static_cast<std::ptrdiff_t>(word * 64) + start,
                                length, code);
                    settle &=
                        length == 64 ? 0 : ~(LowBits(static_cast<std::size_t>(length)) << start);
                }
            }
        }
    }

    void FillRest(MapCode code) { Fill(0, static_cast<int>(codes_.size()) - 1, code); }

  private:
    // The lowest n bits, 0 < n < 64.
    static std::uint64_t LowBits(std::size_t n) { return (std::uint64_t{1} << n) - 1; }

    std::vector<std::uint64_t>& open_;
    std::vector<std::uint64_t>& openWords_;
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
    // A column spans a billionth of the frequencies' magnitude or more: positions found from
    // frequencies and frequencies from positions are then off by far less than a column.
    bool fine = false;

    ColumnScale(const CleanMapView& view, int columns)
        : scale(columns / (view.fsRange.hi - view.fsRange.lo)),
          offset(view.fsRange.lo * scale + 0.5),
          width(columns),
          fine(Step(view.fsRange, columns) * 1e9 >
               std::max(std::fabs(view.fsRange.lo), std::fabs(view.fsRange.hi))) {}

    // Half a column either side of the centres of columns first..last: every centre among
    // them lies inside, every other centre half a column away.
    FrequencyInterval Around(int first, int last) const {
        return {(first - 0.5 + offset) / scale, (last + 0.5 + offset) / scale};
    }
};

// The columns whose centres each interval holds, filled with `code`: from max(0, ceil(lo))
// to min(width - 1, floor(hi)) in column positions, NaN taken to the row's ends. Rounded by
// truncation once the positions are known to lie in the row, which is exact and, on a
// processor without a rounding instruction, far cheaper than ceil and floor. A whole list
// at a time: a row fills hundreds of intervals, most of them in a few lists.
void FillIntervals(RowFill& fill, const ColumnScale& columns,
                   const std::vector<FrequencyInterval>& meets, MapCode code) {
    const int lastColumn = TruncToInt(columns.width - 1);
    for (const FrequencyInterval& meet : meets) {
        const double from = meet.lo * columns.scale - columns.offset;
        const double to = meet.hi * columns.scale - columns.offset;
        int last = lastColumn;
        if (to < columns.width - 1) {
            if (to < 0) {
                continue;  // floor(to) < 0
            }
            last = TruncToInt(to);
        }
        int first = 0;
        if (from > 0) {
            if (from > last) {
                continue;  // ceil(from) > last
            }
            first = TruncToInt(from);
            first += first < from ? 1 : 0;
        }
        if (first <= last) {
            fill.Fill(first, last, code);
        }
    }
}

}  // namespace

MapCode FamilyMapCode(SpurFamily family) {
    return static_cast<MapCode>(kMapFirstFamily + static_cast<int>(family) -
                                static_cast<int>(SpurFamily::kInterleaveImage));
}

MapCode MapCodeOf(const SpurVerdict& verdict, const SpurModel& model) {
    if (!verdict.valid) {
        return kMapUnsampled;
    }
    if (verdict.lowestMeeting > 0) {
        return static_cast<MapCode>(verdict.lowestMeeting);
    }
    if (verdict.firstModelled) {
        const auto members = ModelledMembersOf(model);
        return FamilyMapCode(members[static_cast<std::size_t>(*verdict.firstModelled)].family);
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
    if (code >= kMapUnknownLevel && code < kMapFirstLevel + kMapLevelSteps) {
        return LevelMapColour(code);
    }
    // One clear colour a family, none of them a harmonic's cyan or red.
    constexpr std::array<ColorRef, kMapCodeCount - kMapFirstFamily> kFamilyColours{
        0x00A000, 0xB000B0, 0x0090F0, 0x305080};
    if (code >= kMapCodeCount || code < 2) {
        return kUnsampledGrey;  // no pixel holds such a code; a colour table may ask
    }
    if (code >= kMapFirstFamily) {
        return kFamilyColours[static_cast<std::size_t>(code - kMapFirstFamily)];
    }
    // A harmonic in its chart colour, three strengths in turn along each colour's orders
    // (H2 full, H4 two thirds, H6 two fifths, H8 full again...), so that neighbours of one
    // colour are told apart at a glance, and a little fainter the higher the order.
    constexpr std::array<int, 3> kStrengths{255, 170, 100};
    const int turn = (code - 2) / 2 % 3;
    const int fade = 20 * (code - 2) / (kHarmonicCap - 2);
    return HarmonicColour(code, kStrengths[static_cast<std::size_t>(turn)] * (100 - fade) / 100);
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

CleanMapRowSetup::CleanMapRowSetup(const PlanFields& mapPlan, const CleanMapView& mapView)
    : plan(mapPlan),
      view(mapView),
      windows(SpurWindowsOf(mapPlan, mapView.query.against, mapView.query.model)) {
    const SpurModel& model = view.query.model;
    const std::vector<SpurMember> members = ModelledMembersOf(model);
    for (const SpurMember& member : members) {
        memberCodes.push_back(FamilyMapCode(member.family));
    }
    levelled = LevelsGiven(model);
    if (!levelled) {
        return;
    }
    // Loudest first, an unknown level above every known one, equals in ledger order.
    const LevelScale scale = LevelScaleOf(model, plan);
    std::vector<std::pair<std::optional<double>, LevelFill>> ranked;
    const auto add = [&](const SpurMember& member, int modelled) {
        const auto level = MemberLevel(member, model);
        const auto dbc = level ? std::optional(*level - model.levels.signal) : std::nullopt;
        ranked.push_back({dbc, {modelled, member.order, LevelMapCode(dbc, scale)}});
    };
    for (int n = 2; n <= HighestDrawnHarmonic(plan); ++n) {
        add({SpurFamily::kHarmonic, n, 0}, -1);
    }
    for (std::size_t i = 0; i < members.size(); ++i) {
        add(members[i], static_cast<int>(i));
    }
    std::stable_sort(ranked.begin(), ranked.end(), [](const auto& a, const auto& b) {
        return !a.first ? b.first.has_value() : b.first && *a.first > *b.first;
    });
    for (const auto& entry : ranked) {
        levelOrder.push_back(entry.second);
    }
}

FinderStatus CleanMapRow(const CleanMapRowSetup& map, double ifCentre, int rowCount,
                         CleanMapRowScratch& scratch, std::span<MapCode> codes) {
    const CleanMapView& view = map.view;
    PlanFields rowPlan = map.plan;
    rowPlan.m_if = ifCentre;
    const ColumnScale columns(view, static_cast<int>(codes.size()));
    RowFill fill(scratch, codes);
    // Each harmonic is filled as soon as its intervals are known; once no pixel is left
    // open the higher harmonics cannot show, and are not worked out at all. Nor are they
    // outside the open pixels: the rest of the row is worked out from half a column before
    // the first open pixel to half a column after the last, where an end the finder takes
    // for a quotient's is a few doubles off at most and no centre is that near.
    FrequencyInterval wanted = view.fsRange;
    bool unsampledDone = false;
    const auto fillHarmonic = [&](int n) {
        if (!unsampledDone) {
            FillIntervals(fill, columns, scratch.meets.unsampled, kMapUnsampled);
            unsampledDone = true;
        }
        if (map.levelled) {
            return true;  // filled loudest first once every member is known
        }
        if (n == kModelledDone) {
            for (std::size_t i = 0; i < scratch.meets.modelled.size(); ++i) {
                FillIntervals(fill, columns, scratch.meets.modelled[i], map.memberCodes[i]);
            }
        } else {
            FillIntervals(fill, columns, scratch.meets.harmonic[static_cast<std::size_t>(n)],
                          static_cast<MapCode>(n));
        }
        if (!fill.AnyOpen()) {
            return false;
        }
        if (columns.fine) {
            wanted = columns.Around(fill.FirstOpen(), fill.LastOpen());
        }
        return true;
    };
    const double share = kCleanMapIntervalBudget / rowCount;
    RowOptions options;
    options.ends = RowEnds::kQuotients;
    options.progress = fillHarmonic;
    options.maxIntervals = std::min(kMaxMeetIntervals, share);
    options.wanted = &wanted;
    options.windows = &map.windows;
    const FinderStatus status =
        MeetFsRow(rowPlan, view.fsRange, view.query, scratch.meets, options);
    if (status == FinderStatus::kTooManyIntervals && share < kMaxMeetIntervals) {
        // Refused under its share of the map's budget. A row that the finder would answer on
        // its own, every harmonic counted, is refused for the map's many rows, and a smaller
        // map would do; any other calls for narrower ranges. Counting works none of it out.
        return CountFsRowIntervals(rowPlan, view.fsRange, view.query) <= kMaxMeetIntervals
                   ? FinderStatus::kTooLargeAtThisSize
                   : FinderStatus::kTooManyIntervals;
    }
    if (status != FinderStatus::kOk || codes.empty()) {
        return status;
    }
    if (!unsampledDone) {
        fillHarmonic(0);  // no harmonic to report (H < 2)
    }
    for (const CleanMapRowSetup::LevelFill& member : map.levelOrder) {
        FillIntervals(fill, columns,
                      member.modelled < 0
                          ? scratch.meets.harmonic[static_cast<std::size_t>(member.n)]
                          : scratch.meets.modelled[static_cast<std::size_t>(member.modelled)],
                      member.code);
    }
    FillIntervals(fill, columns, scratch.meets.selfFold, kMapSelfFold);
    fill.FillRest(kMapClean);
    return status;
}

}  // namespace quorvel
