// The About box: the icon, the version line, the copyright line and OK.
#pragma once

#include <QDialog>

namespace quorvel {

class CAboutDlg : public QDialog {
    Q_OBJECT

  public:
    /// Builds the box from IDD_ABOUTBOX. `owner` is the window it is modal over (it is
    /// centred on it); the box has no parent in the dialog sense and no members of its own.
    explicit CAboutDlg(QWidget* owner = nullptr);
};

}  // namespace quorvel
