// What Qt's JSON classes do not keep of an object's members: a repeated name (the parsed
// object holds one value per name), and the sign of a zero (a parsed -0 reads as 0).
#pragma once

#include <QByteArray>
#include <QSet>
#include <QString>
#include <QStringList>

namespace quorvel {

/// The top-level members of an object, in the text's own words.
struct TopLevelMembers {
    QStringList repeated;    ///< names given more than once, each listed once
    QSet<QString> negative;  ///< names whose value is written with a leading minus
};

/// Walks the top-level members of `json`, which must already have been accepted by
/// QJsonDocument as an object: only strings and nesting are tracked, nothing is validated.
/// Returns what it found before any surprise.
TopLevelMembers ScanTopLevelMembers(const QByteArray& json);

}  // namespace quorvel
