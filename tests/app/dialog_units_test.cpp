// Dialog units to pixels with the template font's base units, and the templates laid out
// with them.
#include <gtest/gtest.h>

#include "res/dialog_template.h"
#include "res/dialog_units.h"
#include "res/resource.h"
#include "res/string_table.h"

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

TEST(MainDialogTemplate, ListsTheControlsInTabOrder) {
    std::vector<int> order;
    for (const ControlTemplate& control : MainDialogTemplate().controls) {
        if (HasStyle(control.styles, style::kTabStop)) {
            order.push_back(control.id);
        }
    }
    EXPECT_EQ(order, (std::vector<int>{IDC_IF, IDC_IF_BW, IDC_FS, IDC_SLIDER, IDC_HARMONICS,
                                       IDC_RF_BW, IDC_SLIDER_VARIABLE}));
    EXPECT_EQ(MainDialogTemplate().id, IDD_MAIN_DIALOG);
    EXPECT_EQ(MainDialogTemplate().caption, "Quorvel");
    EXPECT_TRUE(HasStyle(MainDialogTemplate().styles,
                         style::kThickFrame | style::kMinimizeBox | style::kMaximizeBox));
}

TEST(MainDialogTemplate, FindsControlsByIdButNotLabels) {
    const ControlTemplate* slider = MainDialogTemplate().Find(IDC_SLIDER);
    ASSERT_NE(slider, nullptr);
    EXPECT_EQ(slider->controlClass, ControlClass::Slider);
    EXPECT_TRUE(HasStyle(slider->styles, style::kNoTicks));
    EXPECT_EQ(MainDialogTemplate().Find(IDC_STATIC), nullptr);
    EXPECT_EQ(MainDialogTemplate().Find(4242), nullptr);
}

TEST(AboutBoxTemplate, HoldsIconVersionCopyrightAndDefaultOk) {
    const DialogTemplate& about = AboutBoxTemplate();
    EXPECT_EQ(about.id, IDD_ABOUTBOX);
    EXPECT_EQ(about.caption, "About Quorvel");
    ASSERT_EQ(about.controls.size(), 4u);
    EXPECT_TRUE(HasStyle(about.controls[0].styles, style::kIcon));
    EXPECT_EQ(about.controls[1].text, "Quorvel Version 1.1");
    EXPECT_NE(about.controls[2].text.find("Copyright"), std::string_view::npos);
    const ControlTemplate* ok = about.Find(IDOK);
    ASSERT_NE(ok, nullptr);
    EXPECT_EQ(ok->text, "OK");
    EXPECT_TRUE(HasStyle(ok->styles, style::kDefaultButton));
    EXPECT_FALSE(HasStyle(about.styles, style::kThickFrame));
}

TEST(StringTable, HoldsTheAboutEntryAndNothingElse) {
    EXPECT_EQ(LoadResourceString(IDS_ABOUTBOX), "&About Quorvel...");
    EXPECT_EQ(LoadResourceString(IDS_ABOUTBOX + 1), "");
    EXPECT_EQ(LoadResourceString(0), "");
}

}  // namespace
}  // namespace quorvel
