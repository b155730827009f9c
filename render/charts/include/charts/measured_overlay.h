// A measured spectrum over the folded one: its trace, each column's points reduced to the
// rows they span so that a million points cost no more than the plot's width, and its
// peaks marked and named by the member nearest each, the ones no member explains and the
// ones well above their plan standing out.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "charts/spectrum_layout.h"
#include "plan/spur_identify.h"
#include "plan/spur_model.h"
#include "surface/drawing_surface.h"

namespace quorvel {

/// The trace in a blue that no family and no level takes. A peak no member explains is
/// marked and named in a pink as far from them, one well above its plan in amber, any
/// other in white.
inline constexpr ColorRef kMeasuredTraceColour = 0xFF9C4C;
inline constexpr ColorRef kPeakColour = kWhite;
inline constexpr ColorRef kUnexplainedPeakColour = 0xB469FF;
inline constexpr ColorRef kAbovePlanPeakColour = 0x00C8FF;
inline constexpr const char* kUnexplainedPeakLabel = "?";

/// A peak's mark is a triangle pointing down at it, its tip this many rows above the peak
/// (below it, pointing up, where the plot's top leaves no room), this many rows deep for an
/// explained peak and for one that wants a look.
inline constexpr int kPeakMarkGap = 2;
inline constexpr int kPeakMarkDepth = 4;
inline constexpr int kLoudPeakMarkDepth = 6;

/// How many columns either side of a peak a click still picks it.
inline constexpr int kPeakReach = 6;

/// A run of the trace down one column, rows top to bottom, both drawn.
struct TraceRun {
    int x = 0;
    int top = 0;
    int bottom = 0;
};

enum class PeakVerdict {
    kExplained,    ///< a member lands within the tolerance
    kAbovePlan,    ///< explained, and more than kPeakAbovePlanFlag above the member's level
    kUnexplained,  ///< no member lands near it
};

struct PeakMark {
    std::size_t peak = 0;  ///< its index among the peaks laid out
    int x = 0;             ///< the peak's column and row
    int y = 0;
    double dbfs = 0;
    PeakVerdict verdict = PeakVerdict::kExplained;
    std::string label;                 ///< "H3", "H3 +7 dB", "?" (UTF-8)
    std::optional<SpurMember> member;  ///< the nearest member, none for the signal
    PixelRect box;                     ///< the mark's triangle, right and bottom excluded
};

struct MeasuredOverlay {
    /// By column, from the first point's to the last's: each column's points and the line
    /// to the next point, less the pixels of the marks it lies under.
    std::vector<TraceRun> trace;
    std::vector<PeakMark> peaks;  ///< the peaks that lie on the plot, in frequency order
};

/// Where the trace and its peaks lie on the layout's plot: points outside 0..Fs/2 are left
/// out, levels are held to the plot's rows, and the trace lies under the signal and every
/// mark. Empty when the layout has no data.
MeasuredOverlay LayOutMeasured(const SpectrumLayout& layout, const MeasuredSpectrum& trace,
                               const std::vector<SpectrumPeak>& peaks, const SpurModel& model);

/// The peak mark nearest `point` of those within kPeakReach columns of it: an index into
/// overlay.peaks.
std::optional<std::size_t> PeakMarkNear(const MeasuredOverlay& overlay, PixelPoint point);

}  // namespace quorvel
