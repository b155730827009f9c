// The clean map's body as arithmetic: which pixel shows what, one row of IF at a time with
// Fs across, filled span by span from the meet intervals. No pixel is tested on its own.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "plan/meet_intervals.h"
#include "plan/plan_fields.h"
#include "plan/spur_query.h"
#include "plan/spur_verdict.h"
#include "surface/drawing_surface.h"

namespace quorvel {

/// What the map shows: Fs across fsRange, the IF up over ifRange, judged by query.
struct CleanMapView {
    FrequencyInterval fsRange;
    FrequencyInterval ifRange;
    SpurQuery query;
};

/// What one pixel shows. Codes 2..26 are the lowest harmonic meeting a band there.
using MapCode = std::uint8_t;
inline constexpr MapCode kMapClean = 0;
inline constexpr MapCode kMapUnsampled = 1;  ///< Fs not above 0
inline constexpr MapCode kMapSelfFold = kHarmonicCap + 1;
/// Then one code for each family of the converter model, in ledger order.
inline constexpr MapCode kMapFirstFamily = kMapSelfFold + 1;
inline constexpr int kMapCodeCount = kMapFirstFamily + static_cast<int>(SpurFamily::kInterferer) -
                                     static_cast<int>(SpurFamily::kInterleaveImage) + 1;

/// The code a modelled member of this family shows.
MapCode FamilyMapCode(SpurFamily family);

/// The code of one operating point, as the map shows it: no sampling before any harmonic,
/// the lowest harmonic before the first modelled member's family, and that before the IF
/// band folding onto itself.
MapCode MapCodeOf(const SpurVerdict& verdict, const SpurModel& model = {});

/// Colours: clean is white, which no harmonic takes; harmonic n in its chart colour (odd
/// cyan, even red), darker the higher the order, so the strongest spurs stand out.
ColorRef MapCodeColour(MapCode code);

/// Where the body lies in a map of width x height pixels: axes and titles around it, the
/// legend to its right. Empty when the map is too small for one.
PixelRect CleanMapBody(int width, int height);

/// The frequency at the centre of column x of `width`, and of row y of `height` (row 0 at
/// the top, the highest IF).
double ColumnFs(const CleanMapView& view, int width, int x);
double RowIf(const CleanMapView& view, int height, int y);

/// What every row of one map shares, made once for the map: the plan and view, the windows
/// the rows are worked out from (they depend on neither Fs nor the IF), and the code each
/// modelled member shows.
struct CleanMapRowSetup {
    CleanMapRowSetup(const PlanFields& mapPlan, const CleanMapView& mapView);

    PlanFields plan;
    CleanMapView view;
    SpurWindowList windows;
    std::vector<MapCode> memberCodes;  ///< [i]: the code of modelled member i
    /// With levels given, each point shows its loudest member's level: the members are
    /// filled in that order, loudest first, harmonics (modelled -1, their order in `n`) and
    /// modelled members alike, once the whole row is worked out.
    struct LevelFill {
        int modelled = -1;
        int n = 0;
        MapCode code = 0;
    };
    bool levelled = false;
    std::vector<LevelFill> levelOrder;
};

/// Reusable working storage for CleanMapRow, one per thread.
struct CleanMapRowScratch {
    MeetRow meets;
    std::vector<std::uint64_t> openPixels;
    std::vector<std::uint64_t> openWords;
};

/// The most meet intervals a whole map of rows works out: a refusal in a second or so at
/// worst, where the finder's own bound per row, times a thousand rows, would take minutes.
inline constexpr double kCleanMapIntervalBudget = 4 * kMaxMeetIntervals;

/// Fills codes (the row's width) for the IF `ifCentre` in map.plan, every pixel centre judged as
/// the meet intervals say, as one of rowCount rows sharing the map's budget. A row refused under
/// its share that the finder's own bound allows in full gives kTooLargeAtThisSize. On any status
/// but kOk the codes hold nothing to show.
FinderStatus CleanMapRow(const CleanMapRowSetup& map, double ifCentre, int rowCount,
                         CleanMapRowScratch& scratch, std::span<MapCode> codes);

}  // namespace quorvel
