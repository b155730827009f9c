// The bookkeeping every surface shares: the objects it has made, by handle, and the pen,
// brush and font currently selected.
#pragma once

#include <optional>
#include <variant>
#include <vector>

#include "surface/drawing_surface.h"

namespace quorvel {

using DrawingObject = std::variant<PenSpec, BrushSpec, FontSpec>;

class DrawingObjectTable {
  public:
    ObjectHandle Add(const DrawingObject& object);
    /// The live object behind a handle, or nullptr for 0, unknown or released handles.
    const DrawingObject* Find(ObjectHandle handle) const;
    /// Copies the object into the selection of its kind; false when nothing was selected.
    bool Select(ObjectHandle handle);
    /// False when the handle was not live.
    bool Release(ObjectHandle handle);

    const PenSpec& pen() const { return pen_; }
    const BrushSpec& brush() const { return brush_; }
    const FontSpec& font() const { return font_; }
    int liveCount() const { return live_; }

  private:
    // Handles are never reused, so a stale handle can never reach a newer object.
    std::vector<std::optional<DrawingObject>> objects_;
    PenSpec pen_;
    BrushSpec brush_;
    FontSpec font_;
    int live_ = 0;
};

}  // namespace quorvel
