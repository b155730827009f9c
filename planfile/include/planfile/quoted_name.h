// File names and keys as they appear in one-line messages.
#pragma once

#include <QString>

namespace quorvel {

/// Wraps text in single quotes with control characters escaped (\n, \t, \r, \xNN, \uNNNN)
/// and backslashes doubled, so that a name cannot break or forge a line of a message.
QString QuotedName(const QString& text);

}  // namespace quorvel
