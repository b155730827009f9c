// Dialog units to pixels with the template font's base units, and the templates laid out
// with them.
#include <gtest/gtest.h>

#include "res/dialog_template.h"
#include "res/dialog_units.h"

namespace quorvel {
namespace {

struct Units {
    const char* name;
    DialogRect units;
    DialogPixels pixels;
};

class DialogUnitsTest : public ::testing::TestWithParam<Units> {};

TEST_P(DialogUnitsTest, ScalesBySixQuartersAcrossAndThirteenEighthsDown) {
    EXPECT_EQ(DialogUnitsToPixels(GetParam().units), GetParam().pixels);
}

INSTANTIATE_TEST_SUITE_P(
    Rectangles, DialogUnitsTest,
    ::testing::Values(Units{"IfField", {7, 12, 30, 12}, {11, 20, 45, 20}},  // halves round up
                      Units{"Slider", {235, 12, 202, 11}, {353, 20, 303, 18}},
                      Units{"Label", {7, 3, 28, 8}, {11, 5, 42, 13}},
                      Units{"MainDialog", {0, 0, 496, 358}, {0, 0, 744, 582}},
                      Units{"AboutBox", {0, 0, 235, 55}, {0, 0, 353, 89}},
                      Units{"Negative", {-7, -12, 0, 0}, {-11, -20, 0, 0}},
                      Units{"Huge", {1 << 30, 1 << 30, 0, 0}, {1610612736, 1744830464, 0, 0}}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(MainDialogTemplate, EveryControlFitsTheFiftyPixelStrip) {
    const DialogTemplate& main = MainDialogTemplate();
    for (const ControlTemplate& control : main.controls) {
        DialogRect rect = control.rect;
        if (control.controlClass == ControlClass::ComboBox) {
            rect.height = 12;  // closed; 36 is with the list dropped down
        }
        const DialogPixels pixels = DialogUnitsToPixels(rect);
        EXPECT_LE(pixels.y + pixels.height, 50) << control.text;
    }
}

}  // namespace
}  // namespace quorvel
