// Dialog units to pixels: a quarter of the template font's average character width
// across, an eighth of its height down.
#pragma once

#include "res/dialog_template.h"

namespace quorvel {

/// The template font's base units at 96 dpi, in pixels.
inline constexpr int kDialogBaseUnitX = 6;
inline constexpr int kDialogBaseUnitY = 13;

/// A rectangle in pixels (left, top, width, height).
struct DialogPixels {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    friend bool operator==(const DialogPixels&, const DialogPixels&) = default;
};

/// Horizontal dialog units to pixels, rounded to the nearest pixel (halves away from 0).
int DialogUnitsToPixelsX(int units);
/// Vertical dialog units to pixels, rounded likewise.
int DialogUnitsToPixelsY(int units);

DialogPixels DialogUnitsToPixels(const DialogRect& rect);

/// The client size of a dialog built from `dialogTemplate`, in pixels.
DialogPixels DialogClientRect(const DialogTemplate& dialogTemplate);

}  // namespace quorvel
