// The strip's menu button: every action of the main window, with its shortcut, in one place.
#pragma once

class QToolButton;

namespace quorvel {

class CSpurPlanDlg;

/// Puts a menu button in the free space right of the harmonics field. Its menu lists the
/// window's actions (`actions()`) as they are when it opens, so actions added later by
/// other parts of the program appear too. The button takes no focus, so the fields' tab
/// order stays as it is. The window's shortcuts take precedence over the fields' own key
/// bindings.
QToolButton* InstallActionMenu(CSpurPlanDlg& dlg);

}  // namespace quorvel
