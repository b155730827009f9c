#include "app/about_dlg.h"

#include <QPushButton>

#include "dialog/template_widgets.h"
#include "res/dialog_template.h"
#include "res/dialog_units.h"
#include "res/main_frame_icon.h"
#include "res/resource.h"

namespace quorvel {

CAboutDlg::CAboutDlg(QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                         Qt::WindowCloseButtonHint) {
    const DialogTemplate& dialogTemplate = AboutBoxTemplate();
    setWindowTitle(QString::fromUtf8(dialogTemplate.caption.data(),
                                     static_cast<qsizetype>(dialogTemplate.caption.size())));
    setWindowIcon(MainFrameIcon());
    QFont templateFont = font();
    templateFont.setPointSize(dialogTemplate.fontPointSize);
    setFont(templateFont);

    const TemplateWidgets controls = BuildTemplateControls(dialogTemplate, *this);
    if (auto* ok = controls.As<QPushButton>(IDOK)) {
        connect(ok, &QPushButton::clicked, this, &QDialog::accept);
        ok->setFocus();
    }
    // A modal frame: the box keeps the size its template gives.
    const DialogPixels client = DialogClientRect(dialogTemplate);
    setFixedSize(client.width, client.height);
}

}  // namespace quorvel
