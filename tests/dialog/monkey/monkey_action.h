// The monkey's repertoire on the main dialog: edits, keystrokes, slider moves, selector
// changes, clicks and resizes. Actions are plain values, drawn from a seeded generator
// and written out one a line, so a failing run can be read back and replayed.
#pragma once

#include <QPoint>
#include <QSize>
#include <QString>
#include <cstdint>
#include <random>
#include <string>

namespace quorvel {
class CSpurPlanDlg;
}

namespace quorvel::test {

enum class ActionKind {
    TypeText,      // select all in a field, then type the text key by key
    PasteText,     // select all in a field, then replace it in one change
    InsertText,    // type at a random cursor position, keeping the rest
    Key,           // one key to the focused control
    KeyToControl,  // focus a control, then one key
    SliderSet,     // the slider reports a position (a drag with tracking)
    Select,        // an entry of the selector is chosen from its list
    Click,         // a mouse press and release on the dialog
    Resize,
};

struct MonkeyAction {
    ActionKind kind = ActionKind::Key;
    int control = 0;  // resource id of the field or control acted on
    QString text;
    int key = 0;
    int modifiers = 0;
    int value = 0;  // slider position, selector index, cursor position
    bool rightButton = false;
    QPoint point;
    QSize size;

    std::string Describe() const;
};

/// Draws actions from a fixed seed. Click points and slider positions are drawn against
/// the dialog's present size and range, which the earlier actions of the same sequence
/// set, so a seed always gives the same sequence.
class MonkeyActionSource {
  public:
    explicit MonkeyActionSource(std::uint32_t seed) : rng_(seed) {}

    MonkeyAction Next(const CSpurPlanDlg& dlg);

  private:
    MonkeyAction EditAction(ActionKind kind);
    MonkeyAction KeyAction();
    MonkeyAction SliderAction(const CSpurPlanDlg& dlg);
    MonkeyAction ClickAction(const CSpurPlanDlg& dlg);
    MonkeyAction ResizeAction();
    int Pick(int lowest, int highest);
    int PickAround(int minimum, int maximum);

    std::mt19937 rng_;
};

/// Carries out `action` on the dialog as a user (or the window system) would. Never ends
/// the dialog: Enter and Escape are not in the repertoire.
void Perform(const MonkeyAction& action, CSpurPlanDlg& dlg);

}  // namespace quorvel::test
