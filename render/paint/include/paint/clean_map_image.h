// The clean map as an image: the body's rows worked out on every core, then the map chart
// drawn on the raster surface, and the plan's mark on a patch of it.
#pragma once

#include <QImage>
#include <QPoint>
#include <optional>

#include "charts/chart_look.h"
#include "charts/clean_map_rows.h"
#include "plan/plan_fields.h"

namespace quorvel {

struct CleanMapImage {
    /// Format_RGB32, look.scale device pixels to the map's pixel, with that device pixel
    /// ratio; null when the device size is not 1..kLargestChartSide
    QImage image;
    FinderStatus status = FinderStatus::kOk;  ///< kOk unless some row was refused
    ChartLook look;
};

/// The map of width x height pixels for the plan's widths and H, its Fs and IF marked, in
/// `look`. A refused row leaves the body grey and says why. Text needs a QGuiApplication.
CleanMapImage ComposeCleanMap(const PlanFields& plan, const CleanMapView& view, int width,
                              int height, const ChartLook& look = {});

/// The same without the plan's mark, which ComposeCleanMapMark puts on.
CleanMapImage ComposeCleanMapFrame(const PlanFields& plan, const CleanMapView& view, int width,
                                   int height, const ChartLook& look = {});

/// The plan's mark on a frame, in the frame's look: the patch of the frame it covers, with
/// the mark drawn, to be laid over the frame at `at` (in the map's pixels; the patch has the
/// frame's device pixel ratio). Nothing when the plan lies outside the view or the frame was
/// refused.
struct CleanMapMarkPatch {
    QImage image;
    QPoint at;
};
std::optional<CleanMapMarkPatch> ComposeCleanMapMark(const CleanMapImage& frame,
                                                     const PlanFields& plan,
                                                     const CleanMapView& view);

/// Keeps the last map frame: a slider drag moves only the plan's Fs or IF, which change
/// nothing but the mark, so the body is composed again only when something else changed.
class CleanMapCache {
  public:
    const CleanMapImage& Frame(const PlanFields& plan, const CleanMapView& view, int width,
                               int height, const ChartLook& look = {});
    /// Frames composed anew so far.
    int ComposeCount() const { return composeCount_; }

  private:
    CleanMapImage frame_;
    PlanFields plan_;
    CleanMapView view_;
    bool valid_ = false;
    int composeCount_ = 0;
};

/// Only the body, body.width() x body.height() pixels, in the theme's colours: what a redraw
/// costs before the decorations.
FinderStatus FillCleanMapBody(const PlanFields& plan, const CleanMapView& view, QImage& body,
                              Theme theme = Theme::kDark);

/// A ColorRef (0x00BBGGRR) as the 0xAARRGGBB an RGB32 pixel holds.
QRgb MapPixel(ColorRef colour);

}  // namespace quorvel
