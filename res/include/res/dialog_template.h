// Dialog templates as tables: every control with its id, class, text, rectangle in dialog
// units and the styles the program relies on. The dialogs build their widgets from these.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace quorvel {

/// A rectangle in dialog units: left, top, width, height.
struct DialogRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    friend bool operator==(const DialogRect&, const DialogRect&) = default;
};

enum class ControlClass { Edit, Static, Slider, ComboBox, Button };

/// Styles that change what a control or dialog does; plain bits of our own (the window
/// system's names would clash with its headers).
using StyleFlags = std::uint32_t;
namespace style {
inline constexpr StyleFlags kTabStop = 1u << 0;
inline constexpr StyleFlags kGroup = 1u << 1;
inline constexpr StyleFlags kBorder = 1u << 2;
inline constexpr StyleFlags kAutoHScroll = 1u << 3;  ///< edit scrolls sideways as typed
inline constexpr StyleFlags kVScroll = 1u << 4;
inline constexpr StyleFlags kLeft = 1u << 5;      ///< static text aligned left
inline constexpr StyleFlags kNoPrefix = 1u << 6;  ///< '&' shown as typed
inline constexpr StyleFlags kIcon = 1u << 7;      ///< static showing the program's icon
inline constexpr StyleFlags kHorizontal = 1u << 8;
inline constexpr StyleFlags kBothSides = 1u << 9;  ///< slider thumb pointing neither way
inline constexpr StyleFlags kNoTicks = 1u << 10;
inline constexpr StyleFlags kDropDown = 1u << 11;  ///< combo box with an editable field
inline constexpr StyleFlags kSort = 1u << 12;
inline constexpr StyleFlags kDefaultButton = 1u << 13;
// Dialog styles.
inline constexpr StyleFlags kCaption = 1u << 16;
inline constexpr StyleFlags kSystemMenu = 1u << 17;
inline constexpr StyleFlags kThickFrame = 1u << 18;  ///< resizable
inline constexpr StyleFlags kMinimizeBox = 1u << 19;
inline constexpr StyleFlags kMaximizeBox = 1u << 20;
inline constexpr StyleFlags kModalFrame = 1u << 21;
inline constexpr StyleFlags kVisible = 1u << 22;
inline constexpr StyleFlags kAppWindow = 1u << 23;  ///< own entry in the task bar
}  // namespace style

inline constexpr bool HasStyle(StyleFlags flags, StyleFlags wanted) {
    return (flags & wanted) == wanted;
}

struct ControlTemplate {
    int id = 0;
    ControlClass controlClass = ControlClass::Static;
    std::string_view text;
    DialogRect rect;
    StyleFlags styles = 0;
};

struct DialogTemplate {
    int id = 0;
    std::string_view caption;
    DialogRect rect;
    StyleFlags styles = 0;
    std::string_view fontFace;
    int fontPointSize = 0;
    std::span<const ControlTemplate> controls;  ///< template order, which is the tab order

    /// The control with `id`, or null. Labels share one id and are not looked up.
    const ControlTemplate* Find(int controlId) const;
};

/// The main dialog: five edit fields, the slider and its selector, each with a label.
const DialogTemplate& MainDialogTemplate();

/// The About box: the icon, the version line, the copyright line and OK.
const DialogTemplate& AboutBoxTemplate();

}  // namespace quorvel
