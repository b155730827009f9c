#include "dialog/template_widgets.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <algorithm>

#include "res/dialog_units.h"
#include "res/main_frame_icon.h"
#include "res/resource.h"

namespace quorvel {

namespace {

constexpr int kStandardIconSize = 32;
// A drop-down box is as high as an edit field while closed; its template height is the
// height with the list dropped down, which Qt sizes on its own.
constexpr int kClosedComboHeightUnits = 12;

QString TextOf(const ControlTemplate& control) {
    return QString::fromUtf8(control.text.data(), static_cast<qsizetype>(control.text.size()));
}

QWidget* CreateControl(const ControlTemplate& control, QWidget& parent, DialogPixels& rect) {
    using namespace style;
    switch (control.controlClass) {
        case ControlClass::Edit: {
            auto* edit = new QLineEdit(TextOf(control), &parent);
            edit->setFrame(HasStyle(control.styles, kBorder));
            return edit;
        }
        case ControlClass::Static: {
            auto* label = new QLabel(&parent);
            if (HasStyle(control.styles, kIcon)) {
                // The control takes the size of the icon, as an icon static does.
                label->setPixmap(MainFrameIcon().pixmap(kStandardIconSize, kStandardIconSize));
                rect.width = kStandardIconSize;
                rect.height = kStandardIconSize;
            } else {
                label->setText(TextOf(control));
                label->setTextFormat(Qt::PlainText);
                label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
                // The template was laid out for a narrower font; a label never clips its
                // text (none of them has a neighbour close enough on its right to touch).
                rect.width = std::max(rect.width, label->sizeHint().width());
            }
            // Labels let clicks through to the dialog, so a click on one counts as a
            // click in the dialog's client area.
            label->setAttribute(Qt::WA_TransparentForMouseEvents);
            return label;
        }
        case ControlClass::Slider: {
            auto* slider = new QSlider(
                HasStyle(control.styles, kHorizontal) ? Qt::Horizontal : Qt::Vertical, &parent);
            slider->setTickPosition(HasStyle(control.styles, kNoTicks) ? QSlider::NoTicks
                                                                       : QSlider::TicksBelow);
            return slider;
        }
        case ControlClass::ComboBox: {
            auto* combo = new QComboBox(&parent);
            combo->setEditable(HasStyle(control.styles, kDropDown));
            if (QLineEdit* field = combo->lineEdit()) {
                // Typed text has no effect on the choice; read-only says so at once,
                // where an editable field would have the typed name pick an entry.
                field->setReadOnly(true);
            }
            combo->setInsertPolicy(QComboBox::NoInsert);
            rect.height = DialogUnitsToPixelsY(kClosedComboHeightUnits);
            return combo;
        }
        case ControlClass::Button: {
            auto* button = new QPushButton(TextOf(control), &parent);
            button->setDefault(HasStyle(control.styles, kDefaultButton));
            return button;
        }
    }
    return nullptr;
}

}  // namespace

QWidget* TemplateWidgets::Control(int id) const {
    if (id == IDC_STATIC) {
        return nullptr;
    }
    for (const auto& [controlId, widget] : byId_) {
        if (controlId == id) {
            return widget;
        }
    }
    return nullptr;
}

TemplateWidgets BuildTemplateControls(const DialogTemplate& dialogTemplate, QWidget& parent) {
    TemplateWidgets widgets;
    for (const ControlTemplate& control : dialogTemplate.controls) {
        DialogPixels rect = DialogUnitsToPixels(control.rect);
        QWidget* widget = CreateControl(control, parent, rect);
        if (widget == nullptr) {
            continue;
        }
        widget->setGeometry(rect.x, rect.y, rect.width, rect.height);
        widget->setFocusPolicy(HasStyle(control.styles, style::kTabStop) ? Qt::StrongFocus
                                                                         : Qt::NoFocus);
        widget->setObjectName(QStringLiteral("control%1").arg(control.id));
        widgets.Add(control.id, widget);
    }
    return widgets;
}

}  // namespace quorvel
