#include "dialog/action_menu.h"

#include <QAction>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QPixmap>
#include <QShortcut>
#include <QToolButton>
#include <algorithm>

#include "dialog/spur_plan_dlg.h"
#include "paint/paint_cycle.h"
#include "res/resource.h"

namespace quorvel {

namespace {

constexpr int kButtonWidth = 22;
constexpr int kGapAfterField = 3;
constexpr int kIconSide = 12;
constexpr int kIconBars = 3;
constexpr int kLeastChartHeight = 160;

// Three bars, the sign people know for "more commands"; drawn, so no font decides it.
QIcon MenuIcon(const QColor& colour) {
    QPixmap pixmap(kIconSide, kIconSide);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    const int pitch = kIconSide / kIconBars;
    for (int bar = 0; bar < kIconBars; ++bar) {
        painter.fillRect(1, bar * pitch + pitch / 2 - 1, kIconSide - 2, 2, colour);
    }
    return QIcon(pixmap);
}

// A field asks for a key before the window's shortcuts see it, and on X11 its line-editing
// bindings claim keys such as Ctrl+E and Ctrl+K; the window's own actions come first.
class ActionKeysFirst : public QObject {
  public:
    explicit ActionKeysFirst(QWidget& window) : QObject(&window), window_(window) {}

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::ShortcutOverride) {
            const auto* key = static_cast<QKeyEvent*>(event);
            // A field with its own typing to undo or redo keeps those keys.
            if (const auto* edit = qobject_cast<const QLineEdit*>(watched);
                edit != nullptr &&
                ((key->matches(QKeySequence::Undo) && edit->isUndoAvailable()) ||
                 (key->matches(QKeySequence::Redo) && edit->isRedoAvailable()))) {
                return QObject::eventFilter(watched, event);
            }
            const QKeySequence pressed(key->keyCombination());
            for (const QAction* action : window_.actions()) {
                if (action->isEnabled() && action->shortcuts().contains(pressed)) {
                    return true;  // not accepted: the shortcut goes ahead
                }
            }
        }
        return QObject::eventFilter(watched, event);
    }

  private:
    QWidget& window_;
};

}  // namespace

void GiveActionKeysPrecedence(QWidget& window) {
    auto* keys = new ActionKeysFirst(window);
    for (QLineEdit* edit : window.findChildren<QLineEdit*>()) {
        edit->installEventFilter(keys);
    }
}

void ShareMainWindowKeys(QWidget& side, CSpurPlanDlg& main) {
    // A key the side window has an action of its own for is its own there: two actions on
    // one key in one window would leave the key doing nothing.
    const QList<QAction*> own = side.actions();
    for (QAction* action : main.actions()) {
        const QList<QKeySequence> keys = action->shortcuts();
        const bool taken = std::any_of(own.begin(), own.end(), [&keys](const QAction* mine) {
            const QList<QKeySequence> mineKeys = mine->shortcuts();
            return std::any_of(mineKeys.begin(), mineKeys.end(),
                               [&keys](const QKeySequence& key) { return keys.contains(key); });
        });
        if (!taken) {
            side.addAction(action);
        }
    }
    // Escape and Ctrl+W close a side window, as they would a document's.
    auto* close = new QAction(QStringLiteral("Close"), &side);
    close->setShortcuts({QKeySequence(Qt::Key_Escape), QKeySequence(Qt::CTRL | Qt::Key_W)});
    close->setShortcutContext(Qt::WindowShortcut);
    QObject::connect(close, &QAction::triggered, &side, &QWidget::close);
    side.addAction(close);
    GiveActionKeysPrecedence(side);
}

QToolButton* InstallActionMenu(CSpurPlanDlg& dlg) {
    auto* button = new QToolButton(&dlg);
    button->setObjectName(QStringLiteral("actionMenu"));
    button->setToolTip(QStringLiteral("Menu: plan files, copy, export, About"));
    button->setAccessibleName(QStringLiteral("Menu"));
    button->setFocusPolicy(Qt::NoFocus);
    button->setAutoRaise(false);
    button->setPopupMode(QToolButton::InstantPopup);
    button->setIcon(MenuIcon(dlg.palette().windowText().color()));
    const QRect field = dlg.Edit(IDC_HARMONICS)->geometry();
    button->setGeometry(field.right() + 1 + kGapAfterField, field.top(), kButtonWidth,
                        field.height());
    // The window may not shrink so far that the strip loses its last field or this button,
    // and keeps room for a chart below it.
    dlg.setMinimumSize(
        std::max(dlg.minimumWidth(), button->geometry().right() + 1 + kGapAfterField),
        std::max(dlg.minimumHeight(), kControlStripHeight + kLeastChartHeight));

    auto* menu = new QMenu(button);
    QObject::connect(menu, &QMenu::aboutToShow, menu, [menu, &dlg] {
        menu->clear();
        menu->addActions(dlg.actions());
    });
    button->setMenu(menu);

    GiveActionKeysPrecedence(dlg);
    // F10 and the menu key open it from the keyboard, as a menu bar would.
    for (const QKeySequence& key : {QKeySequence(Qt::Key_F10), QKeySequence(Qt::Key_Menu)}) {
        auto* shortcut = new QShortcut(key, &dlg);
        shortcut->setContext(Qt::WindowShortcut);
        QObject::connect(shortcut, &QShortcut::activated, button, &QToolButton::showMenu);
    }
    button->show();
    return button;
}

}  // namespace quorvel
