// The action that opens a side window of the main window: one window of its kind per main
// window, made the first time (from the main window and `args`) and brought to the front
// every time.
#pragma once

#include <QAction>
#include <QKeySequence>
#include <QString>

#include "dialog/spur_plan_dlg.h"

namespace quorvel {

template <typename Window, typename... Args>
QAction* InstallSideWindowAction(CSpurPlanDlg& main, const QString& text,
                                 const QKeySequence& shortcut, Args... args) {
    auto* action = new QAction(text, &main);
    action->setShortcut(shortcut);
    action->setShortcutContext(Qt::WindowShortcut);
    QObject::connect(action, &QAction::triggered, &main, [&main, args...] {
        auto* window = main.findChild<Window*>(QString(), Qt::FindDirectChildrenOnly);
        if (window == nullptr) {
            window = new Window(main, args...);
        }
        window->show();
        window->raise();
        window->activateWindow();
    });
    main.addAction(action);
    return action;
}

}  // namespace quorvel
