#include "charts/clean_map_geometry.h"

namespace quorvel {

CleanMapGeometry LayOutCleanMap(const CleanMapView& view, int width, int height) {
    return {view, width, height, CleanMapBody(width, height)};
}

bool CleanMapGeometry::OnBody(int x, int y) const {
    return x >= body.left && x < body.right && y >= body.top && y < body.bottom;
}

double CleanMapGeometry::ColumnFsAt(int x) const {
    return ColumnFs(view, bodyWidth(), x - body.left);
}

double CleanMapGeometry::RowIfAt(int y) const {
    return RowIf(view, bodyHeight(), y - body.top);
}

double CleanMapGeometry::FsPerColumn() const {
    return (view.fsRange.hi - view.fsRange.lo) / bodyWidth();
}

double CleanMapGeometry::IfPerRow() const {
    return (view.ifRange.hi - view.ifRange.lo) / bodyHeight();
}

std::optional<SurfacePoint> CleanMapGeometry::PlaceOnBody(double fs, double ifCentre) const {
    const double sx = (fs - view.fsRange.lo) / (view.fsRange.hi - view.fsRange.lo);
    const double sy = (ifCentre - view.ifRange.lo) / (view.ifRange.hi - view.ifRange.lo);
    // Written so that a NaN fails.
    if (!HasBody() || !(sx >= 0 && sx <= 1 && sy >= 0 && sy <= 1)) {
        return std::nullopt;
    }
    return SurfacePoint{body.left + sx * bodyWidth(), body.bottom - sy * bodyHeight()};
}

}  // namespace quorvel
