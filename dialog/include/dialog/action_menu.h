// The strip's menu button: every action of the main window, with its shortcut, in one place.
#pragma once

class QToolButton;
class QWidget;

namespace quorvel {

class CSpurPlanDlg;

/// Puts a menu button in the free space right of the harmonics field. Its menu lists the
/// window's actions (`actions()`) as they are when it opens, so actions added later by
/// other parts of the program appear too. The button takes no focus, so the fields' tab
/// order stays as it is. The window's shortcuts take precedence over the fields' own key
/// bindings.
/// F10 and the menu key open it.
QToolButton* InstallActionMenu(CSpurPlanDlg& dlg);

/// The window's own action shortcuts win over its fields' line-editing keys.
void GiveActionKeysPrecedence(QWidget& window);

/// A side window of `main` takes main's shortcuts (Ctrl+S, Ctrl+M, ... work from it), but
/// for those it has actions of its own on, and Escape and Ctrl+W close it. Call it once the
/// side window's own actions and fields exist.
void ShareMainWindowKeys(QWidget& side, CSpurPlanDlg& main);

}  // namespace quorvel
