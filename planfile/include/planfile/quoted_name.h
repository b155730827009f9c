// File names and keys as they appear in one-line messages.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace quorvel {

/// Wraps text in single quotes with control characters escaped (\n, \t, \r, \xNN, \uNNNN)
/// and backslashes doubled, so that a name cannot break or forge a line of a message.
QString QuotedName(const QString& text);

/// A file name as the system gives it: quoted as QuotedName, each byte that is not part
/// of valid UTF-8 shown as \xNN, so that two names differing there read differently.
QString QuotedNativeName(const QByteArray& name);

/// The longest a value from a file is shown in a message, in characters before quoting.
inline constexpr qsizetype kLongestQuotedValue = 60;

/// As QuotedName, a text longer than kLongestQuotedValue cut there with an ellipsis: a
/// file may hold a value of any length, a message must stay readable.
QString QuotedValue(const QString& text);

/// How many names a list in a message shows before it says how many more there are.
inline constexpr qsizetype kLongestQuotedList = 5;

/// The first kLongestQuotedList names, each as QuotedValue, joined with ", ", then
/// "and N more" for the rest.
QString QuotedList(const QStringList& names);

}  // namespace quorvel
