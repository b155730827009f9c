#include "monkey_action.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QSlider>
#include <QTest>
#include <algorithm>
#include <array>
#include <climits>
#include <cstdint>
#include <string_view>
#include <utility>

#include "dialog/spur_plan_dlg.h"
#include "monkey_text.h"
#include "res/resource.h"
#include "widget_test_support.h"

namespace quorvel::test {

namespace {

constexpr std::array<int, 5> kFields{IDC_FS, IDC_IF, IDC_IF_BW, IDC_HARMONICS, IDC_RF_BW};
constexpr std::array<int, 7> kControls{IDC_FS,    IDC_IF,     IDC_IF_BW,          IDC_HARMONICS,
                                       IDC_RF_BW, IDC_SLIDER, IDC_SLIDER_VARIABLE};

struct KeyStroke {
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
};

// Every key that edits, moves the cursor or the focus, or steps the slider or the
// selector; Return, Enter and Escape end the dialog and are left out.
const std::array<KeyStroke, 22> kKeys{{
    {Qt::Key_Backspace, Qt::NoModifier}, {Qt::Key_Delete, Qt::NoModifier},
    {Qt::Key_Home, Qt::NoModifier},      {Qt::Key_End, Qt::NoModifier},
    {Qt::Key_Tab, Qt::NoModifier},       {Qt::Key_Backtab, Qt::ShiftModifier},
    {Qt::Key_Left, Qt::NoModifier},      {Qt::Key_Right, Qt::NoModifier},
    {Qt::Key_Up, Qt::NoModifier},        {Qt::Key_Down, Qt::NoModifier},
    {Qt::Key_PageUp, Qt::NoModifier},    {Qt::Key_PageDown, Qt::NoModifier},
    {Qt::Key_Home, Qt::ShiftModifier},   {Qt::Key_A, Qt::ControlModifier},
    {Qt::Key_Z, Qt::ControlModifier},    {Qt::Key_1, Qt::NoModifier},
    {Qt::Key_0, Qt::NoModifier},         {Qt::Key_Minus, Qt::NoModifier},
    {Qt::Key_Period, Qt::NoModifier},    {Qt::Key_E, Qt::NoModifier},
    {Qt::Key_Space, Qt::NoModifier},     {Qt::Key_X, Qt::NoModifier},
}};

const char* ControlName(int id) {
    static constexpr std::pair<int, const char*> kNames[] = {{IDC_FS, "Fs"},
                                                             {IDC_IF, "IF"},
                                                             {IDC_IF_BW, "IF-BW"},
                                                             {IDC_HARMONICS, "H"},
                                                             {IDC_RF_BW, "RF-BW"},
                                                             {IDC_SLIDER, "slider"},
                                                             {IDC_SLIDER_VARIABLE, "selector"}};
    for (const auto& [control, name] : kNames) {
        if (control == id) {
            return name;
        }
    }
    return "?";
}

QWidget* Control(CSpurPlanDlg& dlg, int id) {
    if (id == IDC_SLIDER) {
        return dlg.Slider();
    }
    if (id == IDC_SLIDER_VARIABLE) {
        return dlg.VariableCombo();
    }
    return dlg.Edit(id);
}

// Key text as a keyboard would produce it, so a typed key edits the field. The codes of
// these keys are their characters, letters in upper case.
QString KeyText(int key, int modifiers) {
    const bool plain = modifiers == Qt::NoModifier || modifiers == Qt::ShiftModifier;
    if (plain && key > 0 && key < 0x80 &&
        std::string_view("-. 0123456789EX").find(static_cast<char>(key)) !=
            std::string_view::npos) {
        return QString(QChar(key)).toLower();
    }
    return {};
}

void SendKey(QWidget* target, int key, int modifiers) {
    const auto mods = Qt::KeyboardModifiers(modifiers);
    const QString text = KeyText(key, modifiers);
    QTest::sendKeyEvent(QTest::KeyAction::Click, target, Qt::Key(key), text, mods);
}

// Key by key, as at a keyboard. A character with no key of its own (a tab, a letter from
// another script) arrives as text on an unnamed key, as an input method delivers it.
void TypeKeys(QLineEdit& edit, const QString& text) {
    for (const QChar c : text) {
        if (c.unicode() > 0x20 && c.unicode() < 0x7F) {
            QTest::keyClick(&edit, static_cast<char>(c.unicode()));
        } else if (c == u' ') {
            QTest::keyClick(&edit, Qt::Key_Space);
        } else {
            QTest::sendKeyEvent(QTest::KeyAction::Click, &edit, Qt::Key_unknown, QString(c),
                                Qt::NoModifier);
        }
    }
}

MonkeyAction ActionOf(ActionKind kind) {
    MonkeyAction action;
    action.kind = kind;
    return action;
}

// A long text goes in as a paste: typing it would add nothing but time.
constexpr qsizetype kLongestTyped = 40;

}  // namespace

std::string MonkeyAction::Describe() const {
    switch (kind) {
        case ActionKind::TypeText:
            return std::string("type ") + ControlName(control) + " " + QuoteForLog(text);
        case ActionKind::PasteText:
            return std::string("paste ") + ControlName(control) + " " + QuoteForLog(text);
        case ActionKind::InsertText:
            return std::string("insert ") + ControlName(control) + " @" + std::to_string(value) +
                   " " + QuoteForLog(text);
        case ActionKind::Key:
            return "key " + QKeySequence(key | modifiers).toString().toStdString();
        case ActionKind::KeyToControl:
            return std::string("key ") + ControlName(control) + " " +
                   QKeySequence(key | modifiers).toString().toStdString();
        case ActionKind::SliderSet:
            return "slider " + std::to_string(value);
        case ActionKind::Select:
            return "select " + std::to_string(value);
        case ActionKind::Click:
            return std::string(rightButton ? "right" : "left") + " click " +
                   std::to_string(point.x()) + "," + std::to_string(point.y());
        case ActionKind::Resize:
            return "resize " + std::to_string(size.width()) + "x" + std::to_string(size.height());
    }
    return "?";
}

int MonkeyActionSource::Pick(int lowest, int highest) {
    return std::uniform_int_distribution<int>(lowest, highest)(rng_);
}

MonkeyAction MonkeyActionSource::Next(const CSpurPlanDlg& dlg) {
    const int roll = Pick(0, 99);
    if (roll < 18) {
        return EditAction(ActionKind::TypeText);
    }
    if (roll < 26) {
        return EditAction(ActionKind::PasteText);
    }
    if (roll < 32) {
        return EditAction(ActionKind::InsertText);
    }
    if (roll < 52) {
        return KeyAction();
    }
    if (roll < 66) {
        return SliderAction(dlg);
    }
    if (roll < 74) {
        MonkeyAction action = ActionOf(ActionKind::Select);
        const int entry = Pick(0, 19);
        action.value = entry == 0 ? -1 : entry % 2;
        return action;
    }
    if (roll < 93) {
        return ClickAction(dlg);
    }
    return ResizeAction();
}

MonkeyAction MonkeyActionSource::EditAction(ActionKind kind) {
    MonkeyAction action = ActionOf(kind);
    action.control = kFields[static_cast<std::size_t>(Pick(0, kFields.size() - 1))];
    action.text = RandomFieldText(rng_);
    action.value = Pick(0, 12);
    if (kind != ActionKind::PasteText && action.text.size() > kLongestTyped) {
        action.kind = ActionKind::PasteText;
    }
    return action;
}

MonkeyAction MonkeyActionSource::KeyAction() {
    const KeyStroke& stroke = kKeys[static_cast<std::size_t>(Pick(0, kKeys.size() - 1))];
    MonkeyAction action = ActionOf(Pick(0, 1) == 0 ? ActionKind::Key : ActionKind::KeyToControl);
    action.control = kControls[static_cast<std::size_t>(Pick(0, kControls.size() - 1))];
    action.key = stroke.key;
    action.modifiers = static_cast<int>(stroke.modifiers.toInt());
    return action;
}

int MonkeyActionSource::PickAround(int minimum, int maximum) {
    // The range may run backwards (its minimum above its maximum) or lie at an int limit.
    constexpr std::int64_t kMargin = 50;
    const std::int64_t low = std::int64_t{std::min(minimum, maximum)} - kMargin;
    const std::int64_t high = std::int64_t{std::max(minimum, maximum)} + kMargin;
    const std::int64_t picked = std::uniform_int_distribution<std::int64_t>(low, high)(rng_);
    return static_cast<int>(std::clamp<std::int64_t>(picked, INT_MIN, INT_MAX));
}

MonkeyAction MonkeyActionSource::SliderAction(const CSpurPlanDlg& dlg) {
    const QSlider& slider = *dlg.Slider();
    MonkeyAction action = ActionOf(ActionKind::SliderSet);
    switch (Pick(0, 5)) {
        case 0:
            action.value = static_cast<int>(std::clamp<std::int64_t>(
                std::int64_t{slider.value()} + (Pick(0, 1) == 0 ? -1 : 1), INT_MIN, INT_MAX));
            break;
        case 1:
            action.value = Pick(0, 1) == 0 ? INT_MIN : INT_MAX;
            break;
        default:
            // Mostly within the range, now and then beyond either end.
            action.value = PickAround(slider.minimum(), slider.maximum());
            break;
    }
    return action;
}

MonkeyAction MonkeyActionSource::ClickAction(const CSpurPlanDlg& dlg) {
    const int w = std::max(dlg.width(), 1);
    const int h = std::max(dlg.height(), 1);
    MonkeyAction action = ActionOf(ActionKind::Click);
    action.rightButton = Pick(0, 3) == 0;
    int x = Pick(0, w - 1);
    int y = Pick(0, h - 1);
    switch (Pick(0, 7)) {
        case 0:
            x = 0;
            break;
        case 1:
            x = w - 1;
            break;
        case 2:
            y = h - 1;
            break;
        case 3:
            y = Pick(0, std::min(h, 50) - 1);  // the control strip
            break;
        case 4:
            y = std::min(h - 1, Pick(49, 51));  // the strip's lower edge
            break;
        default:
            break;
    }
    action.point = QPoint(x, y);
    return action;
}

MonkeyAction MonkeyActionSource::ResizeAction() {
    MonkeyAction action = ActionOf(ActionKind::Resize);
    switch (Pick(0, 9)) {
        case 0:
            action.size = QSize(Pick(1, 80), Pick(1, 80));  // tiny
            break;
        case 1:
            action.size = QSize(Pick(200, 1200), 50 + Pick(-1, 1));  // no chart area, or 1 row
            break;
        case 2:
            action.size = QSize(Pick(1200, 2500), Pick(900, 1600));  // very large
            break;
        default:
            action.size = QSize(Pick(300, 1100), Pick(60, 800));
            break;
    }
    return action;
}

void Perform(const MonkeyAction& action, CSpurPlanDlg& dlg) {
    switch (action.kind) {
        case ActionKind::TypeText: {
            QLineEdit& edit = *dlg.Edit(action.control);
            edit.setFocus();
            edit.selectAll();
            if (action.text.isEmpty()) {
                QTest::keyClick(&edit, Qt::Key_Backspace);
            }
            TypeKeys(edit, action.text);
            break;
        }
        case ActionKind::PasteText:
            PasteInto(*dlg.Edit(action.control), action.text);
            break;
        case ActionKind::InsertText: {
            QLineEdit& edit = *dlg.Edit(action.control);
            edit.setFocus();
            edit.setCursorPosition(
                std::min<int>(action.value, static_cast<int>(edit.text().size())));
            TypeKeys(edit, action.text);
            break;
        }
        case ActionKind::Key: {
            QWidget* focused = QApplication::focusWidget();
            SendKey(focused != nullptr ? focused : &dlg, action.key, action.modifiers);
            break;
        }
        case ActionKind::KeyToControl: {
            QWidget* control = Control(dlg, action.control);
            control->setFocus();
            SendKey(control, action.key, action.modifiers);
            break;
        }
        case ActionKind::SliderSet:
            dlg.Slider()->setValue(action.value);
            break;
        case ActionKind::Select: {
            // As a choice in the drop-down list does: the entry becomes current and the
            // choice is reported, even for the entry in force.
            QComboBox& combo = *dlg.VariableCombo();
            combo.setCurrentIndex(action.value);
            emit combo.activated(action.value);
            break;
        }
        case ActionKind::Click:
            QTest::mouseClick(&dlg, action.rightButton ? Qt::RightButton : Qt::LeftButton, {},
                              action.point);
            break;
        case ActionKind::Resize:
            dlg.resize(action.size);
            break;
    }
}

}  // namespace quorvel::test
