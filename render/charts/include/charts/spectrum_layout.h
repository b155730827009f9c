// Where the folded spectrum puts its plot and every spur's mark, in surface pixels: what
// the spectrum chart draws with, and what the window reads back under the pointer.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "charts/chart_geometry.h"
#include "plan/plan_fields.h"
#include "plan/spur_model.h"
#include "surface/drawing_surface.h"

namespace quorvel {

/// The level axis runs from its bottom up to 0 dBFS. The bottom lies this far below the
/// lowest level shown (the floor, a known level, the signal), on a multiple of the room,
/// and at the default when no spur level and no floor is given.
inline constexpr double kSpectrumDefaultBottom = -120;
inline constexpr double kSpectrumRoom = 10;
/// However low a level is given, the axis stops here.
inline constexpr double kSpectrumDeepestBottom = -400;

/// Space around the plot for the ticks, the labels and the titles.
inline constexpr int kSpectrumMarginLeft = 52;
inline constexpr int kSpectrumMarginTop = 30;
inline constexpr int kSpectrumMarginRight = 24;
inline constexpr int kSpectrumMarginBottom = 40;

/// A member of unknown level is drawn along the plot's top, this many rows deep: hatched
/// over a band, dotted for a tone. It may lie anywhere up to full scale, and is named
/// anywhere in its column.
inline constexpr int kSpectrumUnknownDepth = 16;

/// How far either side of a stem the pointer still names it.
inline constexpr int kStemReach = 2;
/// A stem's top is a short bar this far either side of its column.
inline constexpr int kStemCapHalf = 2;

/// The signal stands out from every spur colour; the bands are shaded darkly under it all.
inline constexpr ColorRef kSpectrumSignalColour = 0xE8E8E8;
inline constexpr ColorRef kSpectrumRfShade = 0x1E2A1E;
inline constexpr ColorRef kSpectrumIfShade = 0x2C4A2C;
inline constexpr ColorRef kSpectrumFloorColour = 0x40F0FF;

enum class SpectrumShape {
    kBox,   ///< a band: columns left..right - 1 from its top down to the axis
    kStem,  ///< a tone: column left from its top down to the axis
};

/// One spur as the chart draws it.
struct SpectrumMark {
    SpurMember member;
    std::string name;             ///< "H3", or the member's label (UTF-8)
    std::optional<double> level;  ///< dBFS; unknown: drawn along the top in the unknown style
    SpectrumShape shape = SpectrumShape::kBox;
    int left = 0;
    int right = 0;  ///< excluded; left + 1 for a stem
    int top = 0;    ///< the level's row, the plot's top row for an unknown level
    ColorRef colour = 0;
};

/// Columns left..right - 1 of the plot.
struct ColumnSpan {
    int left = 0;
    int right = 0;
};

struct SpectrumLayout {
    int width = 0;
    int height = 0;
    PixelRect plot;  ///< right and bottom excluded: the axis runs along row plot.bottom
    double bottomLevel = kSpectrumDefaultBottom;  ///< dBFS at row plot.bottom
    /// Set when the plan gives a spectrum (see SpectrumPlanDrawable); without it the chart
    /// is its frame alone and everything below is left empty.
    bool hasData = false;
    double half = 0;  ///< Fs/2, the frequency at column plot.right
    double signalLevel = 0;
    std::optional<ColumnSpan> rfBand;  ///< the reference bands' images, cut to 0..Fs/2
    std::optional<ColumnSpan> ifBand;
    std::optional<SpectrumMark> signal;  ///< the IF band's image at the signal's level
    std::optional<double> floorLevel;    ///< dBFS
    std::optional<int> floorRow;
    std::vector<SpectrumMark> marks;  ///< in ledger order; members with no image left out

    bool HasPlot() const { return plot.right > plot.left && plot.bottom > plot.top; }
    /// The column of a frequency in 0..Fs/2, and the row of a level (held to the plot).
    int ColumnOf(double mhz) const;
    int RowOf(double dbfs) const;
    /// The frequency at the centre of column x.
    double FrequencyAt(int x) const;
};

/// The row a mark's drawing ends above: the axis for a known level, the foot of the strip
/// along the top for an unknown one.
int SpectrumMarkFoot(const PixelRect& plot, const SpectrumMark& mark);

/// The pixels a mark's drawing covers, right and bottom excluded: a box from its top to its
/// foot; a stem's column from its top to its foot, and its cap's row.
std::vector<PixelRect> SpectrumMarkCover(const PixelRect& plot, const SpectrumMark& mark);

/// Whether the plan's values give a spectrum: Fs/2 and RF BW above 0, every value finite.
bool SpectrumPlanDrawable(const PlanFields& plan);

/// The spectrum of a width x height surface: the plot inside its margins, then, when the
/// plan gives one, the bands, the signal, every member's mark and the floor. A finite
/// `traceLevel` (a measured trace's median) is one more level the axis shows with room
/// below it, so that the trace's noise lies on the plot rather than along its axis.
SpectrumLayout LayOutSpectrum(const PlanFields& plan, const SpurModel& model, int width, int height,
                              std::optional<double> traceLevel = std::nullopt);

/// A level in dBFS to a tenth of a dB, ".0" left off: "-72", "-72.5".
std::string SpectrumLevelText(double dbfs);

/// What the window's status line says at `point`: the frequency, then every mark under the
/// pointer, the signal first, each with its level ("H3 \u221272 dBFS", "f + Fs/4 level
/// unknown"). Empty off the plot or without data. UTF-8.
std::string SpectrumReadout(const SpectrumLayout& layout, PixelPoint point);

/// The marks under `point`: a box over the pointer's column, a stem within kStemReach of
/// it, and the pointer between its top and the axis. Indices into layout.marks.
std::vector<std::size_t> SpectrumMarksAt(const SpectrumLayout& layout, PixelPoint point);

}  // namespace quorvel
