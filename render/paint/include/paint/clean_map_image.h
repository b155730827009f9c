// The clean map as an image: the body filled row by row from the meet intervals on every
// core, then axes, titles, the legend and the current plan drawn over it with QPainter.
#pragma once

#include <QImage>

class QPainter;

#include "charts/clean_map_rows.h"
#include "plan/plan_fields.h"

namespace quorvel {

struct CleanMapImage {
    QImage image;  ///< Format_RGB32; null when the size is not 1..kLargestChartSide
    FinderStatus status = FinderStatus::kOk;  ///< kOk unless some row was refused
};

/// The map of width x height pixels for the plan's widths and H, its Fs and IF marked.
/// A refused row leaves the body grey and says why. Text needs a QGuiApplication.
CleanMapImage ComposeCleanMap(const PlanFields& plan, const CleanMapView& view, int width,
                              int height);

/// The same without the plan's mark, which DrawCleanMapMark puts on.
CleanMapImage ComposeCleanMapFrame(const PlanFields& plan, const CleanMapView& view, int width,
                                   int height);

/// Marks the plan's Fs and IF on a map of width x height pixels, when they lie in the view.
void DrawCleanMapMark(QPainter& painter, const PlanFields& plan, const CleanMapView& view,
                      int width, int height);

/// Keeps the last map frame: a slider drag moves only the plan's Fs or IF, which change
/// nothing but the mark, so the body is composed again only when something else changed.
class CleanMapCache {
  public:
    const CleanMapImage& Frame(const PlanFields& plan, const CleanMapView& view, int width,
                               int height);
    /// Frames composed anew so far.
    int ComposeCount() const { return composeCount_; }

  private:
    CleanMapImage frame_;
    PlanFields plan_;
    CleanMapView view_;
    bool valid_ = false;
    int composeCount_ = 0;
};

/// Only the body, body.width() x body.height() pixels: what a redraw costs before the
/// decorations.
FinderStatus FillCleanMapBody(const PlanFields& plan, const CleanMapView& view, QImage& body);

/// A ColorRef (0x00BBGGRR) as the 0xAARRGGBB an RGB32 pixel holds.
QRgb MapPixel(ColorRef colour);

}  // namespace quorvel
