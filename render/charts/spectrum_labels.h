// The folded spectrum's names, each kept clear of the others and of the marks it is told
// to keep off: a measured trace's peaks are named first, then the strongest members.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "charts/spectrum_chart.h"
#include "surface/drawing_surface.h"

namespace quorvel {

/// The chart's text is Latin-1: the labels' few other characters become their nearest.
std::string Latin1(std::string_view utf8);

class SpectrumLabels {
  public:
    /// Labels inside `plot`, `fontHeight` rows tall, written with the font, the text colour
    /// and the left-top alignment the surface holds when each is placed.
    SpectrumLabels(DrawingSurface& dc, const PixelRect& plot, int fontHeight);

    /// No label may cover `box` (right and bottom excluded).
    void KeepOff(const PixelRect& box);
    /// Writes Latin-1 `text` centred on column `centre` (held inside the plot) at the first
    /// of `tops` where it stays inside the plot and clear of every label and box before it.
    /// False, and nothing written, where none does.
    bool Place(std::string_view text, int centre, std::initializer_list<int> tops);

  private:
    DrawingSurface& dc_;
    PixelRect plot_;
    int fontHeight_;
    std::vector<PixelRect> taken_;
};

}  // namespace quorvel
