// The spectrum chart's measured layers, drawn in its order: the trace under the marks, the
// peaks' marks and names over everything.
#pragma once

#include "charts/measured_overlay.h"
#include "spectrum_labels.h"
#include "surface/drawing_surface.h"

namespace quorvel {

void DrawMeasuredTrace(DrawingSurface& dc, const MeasuredOverlay& measured);

/// The marks, then their names, the peaks that want a look first; the names' font and
/// alignment already set on the surface, the text colour left at the last name's.
void DrawPeakMarks(DrawingSurface& dc, const PixelRect& plot, const MeasuredOverlay& measured,
                   SpectrumLabels& labels);

}  // namespace quorvel
