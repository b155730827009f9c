#include "dialog/action_menu.h"

#include <QAction>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QPixmap>
#include <QToolButton>

#include "dialog/spur_plan_dlg.h"
#include "res/resource.h"

namespace quorvel {

namespace {

constexpr int kButtonWidth = 22;
constexpr int kGapAfterField = 3;
constexpr int kIconSide = 12;
constexpr int kIconBars = 3;

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
// bindings claim keys such as Ctrl+E; the window's own actions come first.
class ActionKeysFirst : public QObject {
  public:
    explicit ActionKeysFirst(CSpurPlanDlg& dlg) : QObject(&dlg), dlg_(dlg) {}

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::ShortcutOverride) {
            const QKeySequence pressed(static_cast<QKeyEvent*>(event)->keyCombination());
            for (const QAction* action : dlg_.actions()) {
                if (action->isEnabled() && action->shortcuts().contains(pressed)) {
                    return true;  // not accepted: the shortcut goes ahead
                }
            }
        }
        return QObject::eventFilter(watched, event);
    }

  private:
    CSpurPlanDlg& dlg_;
};

}  // namespace

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

    auto* menu = new QMenu(button);
    QObject::connect(menu, &QMenu::aboutToShow, menu, [menu, &dlg] {
        menu->clear();
        menu->addActions(dlg.actions());
    });
    button->setMenu(menu);

    auto* keys = new ActionKeysFirst(dlg);
    for (QLineEdit* edit : dlg.findChildren<QLineEdit*>()) {
        edit->installEventFilter(keys);
    }
    button->show();
    return button;
}

}  // namespace quorvel
