#include "res/dialog_units.h"

#include <cstdint>

namespace quorvel {

namespace {

// value * numerator / denominator, rounded half away from zero; 64-bit inside so that no
// template value can overflow.
int ScaleRounded(int value, int numerator, int denominator) {
    const std::int64_t product = std::int64_t{value} * numerator;
    const std::int64_t half = denominator / 2;
    const std::int64_t rounded =
        product >= 0 ? (product + half) / denominator : (product - half) / denominator;
    return static_cast<int>(rounded);
}

}  // namespace

int DialogUnitsToPixelsX(int units) {
    return ScaleRounded(units, kDialogBaseUnitX, 4);
}

int DialogUnitsToPixelsY(int units) {
    return ScaleRounded(units, kDialogBaseUnitY, 8);
}

DialogPixels DialogUnitsToPixels(const DialogRect& rect) {
    return {DialogUnitsToPixelsX(rect.x), DialogUnitsToPixelsY(rect.y),
            DialogUnitsToPixelsX(rect.width), DialogUnitsToPixelsY(rect.height)};
}

DialogPixels DialogClientRect(const DialogTemplate& dialogTemplate) {
    return {0, 0, DialogUnitsToPixelsX(dialogTemplate.rect.width),
            DialogUnitsToPixelsY(dialogTemplate.rect.height)};
}

}  // namespace quorvel
