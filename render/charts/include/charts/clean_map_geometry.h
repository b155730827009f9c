// Where the clean map puts its body and what each of its pixels stands for: what the map
// chart draws with, and what the window reads back under the pointer.
#pragma once

#include <optional>

#include "charts/clean_map_rows.h"
#include "surface/drawing_surface.h"

namespace quorvel {

/// A point between pixels: the centre of pixel (x, y) is (x + 0.5, y + 0.5).
struct SurfacePoint {
    double x = 0;
    double y = 0;
};

struct CleanMapGeometry {
    CleanMapView view;
    int width = 0;  ///< the whole map, margins and legend included
    int height = 0;
    PixelRect body;  ///< CleanMapBody(width, height)

    int bodyWidth() const { return body.right - body.left; }
    int bodyHeight() const { return body.bottom - body.top; }
    bool HasBody() const { return bodyWidth() > 0 && bodyHeight() > 0; }
    bool OnBody(int x, int y) const;

    /// The frequencies at the centre of surface column x and row y of the body.
    double ColumnFsAt(int x) const;
    double RowIfAt(int y) const;
    /// The width of one column in MHz of Fs, and the height of one row in MHz of IF.
    double FsPerColumn() const;
    double IfPerRow() const;

    /// Where (fs, ifCentre) lies on the body, its edges included; nothing outside the view.
    std::optional<SurfacePoint> PlaceOnBody(double fs, double ifCentre) const;
};

CleanMapGeometry LayOutCleanMap(const CleanMapView& view, int width, int height);

}  // namespace quorvel
