// The folded spectrum, as a bench spectrum analyser would show the converter's output over
// 0..Fs/2: the reference bands shaded, the signal at its level, every spur as a box (a
// band) or a stem (a tone) at its level in its family's colour, the floor, and the
// strongest spurs named.
#pragma once

#include "charts/spectrum_layout.h"
#include "surface/drawing_surface.h"

namespace quorvel {

struct MeasuredOverlay;

/// At most this many spurs are named, the strongest that find room first.
inline constexpr int kMostSpectrumLabels = 8;
inline constexpr int kSpectrumLabelFontHeight = 12;
/// Between a mark's top and its label, and around every label.
inline constexpr int kSpectrumLabelGap = 2;

/// Draws the layout on a surface that starts all black. Known levels are boxes filled in a
/// darker shade inside their colour and stems in a solid pen; unknown levels are a strip
/// along the top, hatched over a band, dotted for a tone. Without data: the axes, the level
/// ticks and the titles. With `measured`, its trace lies over the shaded bands under the
/// marks, and its peaks are marked and named over everything, before any member.
void DrawSpectrumChart(DrawingSurface& surface, const SpectrumLayout& layout,
                       const MeasuredOverlay* measured = nullptr);

}  // namespace quorvel
