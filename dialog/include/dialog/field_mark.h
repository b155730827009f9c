// The in-place mark on an edit field whose text does not convert: a tint and a tooltip
// saying what the field wants. No message box: it would fire on every keystroke of a
// half-typed "-" or "1e" and steal the focus.
#pragma once

#include <QString>

class QLineEdit;

namespace quorvel {

enum class FieldKind { Number, Integer };

/// "Please enter a number." or "Please enter an integer."
QString FieldProblemText(FieldKind kind);

/// Marks `edit` as holding text that does not convert to `kind`.
void MarkField(QLineEdit& edit, FieldKind kind);

/// Marks `edit` as holding a value that cannot be used, `problem` saying why.
void MarkField(QLineEdit& edit, const QString& problem);

/// Removes the mark, if any.
void ClearFieldMark(QLineEdit& edit);

bool IsFieldMarked(const QLineEdit& edit);

}  // namespace quorvel
