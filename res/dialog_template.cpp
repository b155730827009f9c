#include "res/dialog_template.h"

#include <array>

#include "res/resource.h"
#include "res/version.h"

namespace quorvel {

namespace {

using namespace style;

constexpr StyleFlags kEditStyles = kBorder | kTabStop | kAutoHScroll;
constexpr StyleFlags kLabelStyles = kGroup | kLeft;

// Template order is also the tab order, which is why the strip does not tab from left to
// right: RF BW and the selector were added after the slider and harmonics.
constexpr std::array kMainControls{
    ControlTemplate{IDC_IF, ControlClass::Edit, "", {7, 12, 30, 12}, kEditStyles},
    ControlTemplate{IDC_STATIC, ControlClass::Static, "IF (MHz)", {7, 3, 28, 8}, kLabelStyles},
    ControlTemplate{IDC_IF_BW, ControlClass::Edit, "", {48, 12, 30, 12}, kEditStyles},
    ControlTemplate{IDC_STATIC, ControlClass::Static, "IF BW (MHz)", {48, 3, 42, 8}, kLabelStyles},
    ControlTemplate{IDC_FS, ControlClass::Edit, "", {153, 12, 30, 12}, kEditStyles},
    ControlTemplate{IDC_STATIC, ControlClass::Static, "Fs (MHz)", {153, 3, 42, 8}, kLabelStyles},
    ControlTemplate{IDC_SLIDER,
                    ControlClass::Slider,
                    "Slider1",
                    {235, 12, 202, 11},
                    kTabStop | kHorizontal | kBothSides | kNoTicks},
    ControlTemplate{IDC_HARMONICS, ControlClass::Edit, "", {447, 12, 30, 12}, kEditStyles},
    ControlTemplate{IDC_STATIC, ControlClass::Static, "Harmonics", {447, 3, 42, 8}, kLabelStyles},
    ControlTemplate{IDC_RF_BW, ControlClass::Edit, "", {98, 12, 30, 12}, kEditStyles},
    ControlTemplate{IDC_STATIC, ControlClass::Static, "RF BW (MHz)", {98, 3, 45, 8}, kLabelStyles},
    // 36 units high is the box with its list dropped down.
    ControlTemplate{IDC_SLIDER_VARIABLE,
                    ControlClass::ComboBox,
                    "",
                    {195, 12, 34, 36},
                    kVScroll | kTabStop | kDropDown | kSort},
    ControlTemplate{
        IDC_STATIC, ControlClass::Static, "Slider Variable", {196, 3, 46, 8}, kLabelStyles},
};

constexpr DialogTemplate kMainDialog{
    IDD_MAIN_DIALOG,
    "Quorvel",
    {0, 0, 496, 358},
    kVisible | kCaption | kSystemMenu | kThickFrame | kMinimizeBox | kMaximizeBox | kAppWindow,
    "MS Sans Serif",
    8,
    kMainControls,
};

constexpr std::array kAboutControls{
    ControlTemplate{IDC_STATIC, ControlClass::Static, "", {11, 17, 20, 20}, kIcon},
    ControlTemplate{IDC_STATIC,
                    ControlClass::Static,
                    version::kAboutVersionLine,
                    {40, 10, 119, 8},
                    kGroup | kLeft | kNoPrefix},
    ControlTemplate{
        IDC_STATIC, ControlClass::Static, version::kLegalCopyright, {40, 25, 119, 8}, kLabelStyles},
    ControlTemplate{
        IDOK, ControlClass::Button, "OK", {178, 7, 50, 14}, kGroup | kTabStop | kDefaultButton},
};

constexpr DialogTemplate kAboutBox{
    IDD_ABOUTBOX,    "About Quorvel",
    {0, 0, 235, 55}, kCaption | kSystemMenu | kModalFrame,
    "MS Sans Serif", 8,
    kAboutControls,
};

}  // namespace

const ControlTemplate* DialogTemplate::Find(int controlId) const {
    if (controlId == IDC_STATIC) {
        return nullptr;
    }
    for (const ControlTemplate& control : controls) {
        if (control.id == controlId) {
            return &control;
        }
    }
    return nullptr;
}

const DialogTemplate& MainDialogTemplate() {
    return kMainDialog;
}

const DialogTemplate& AboutBoxTemplate() {
    return kAboutBox;
}

}  // namespace quorvel
