#include "dialog/field_mark.h"

#include <QLineEdit>
#include <QPalette>

namespace quorvel {

namespace {

constexpr const char* kMarkProperty = "quorvelFieldMarked";

}  // namespace

QString FieldProblemText(FieldKind kind) {
    return kind == FieldKind::Integer ? QStringLiteral("Please enter an integer.")
                                      : QStringLiteral("Please enter a number.");
}

void MarkField(QLineEdit& edit, FieldKind kind) {
    MarkField(edit, FieldProblemText(kind));
}

void MarkField(QLineEdit& edit, const QString& text) {
    if (IsFieldMarked(edit) && edit.toolTip() == text) {
        return;
    }
    QPalette palette = edit.palette();
    // Dark text on a pale red, readable under light and dark themes alike.
    palette.setColor(QPalette::Base, QColor(0xFF, 0xD4, 0xD4));
    palette.setColor(QPalette::Text, QColor(0x60, 0x00, 0x00));
    edit.setPalette(palette);
    edit.setToolTip(text);
    edit.setAccessibleDescription(text);
    edit.setProperty(kMarkProperty, true);
}

void ClearFieldMark(QLineEdit& edit) {
    if (!IsFieldMarked(edit)) {
        return;
    }
    edit.setPalette(QPalette());  // back to the inherited palette
    edit.setToolTip({});
    edit.setAccessibleDescription({});
    edit.setProperty(kMarkProperty, false);
}

bool IsFieldMarked(const QLineEdit& edit) {
    return edit.property(kMarkProperty).toBool();
}

}  // namespace quorvel
