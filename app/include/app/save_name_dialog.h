// The file dialog for a name to save to: a name typed without an extension gets the chosen
// filter's before anyone is asked whether an existing file may be replaced.
#pragma once

#include <QString>
#include <vector>

class QWidget;

namespace quorvel {

struct SaveFilter {
    QString text;    ///< as the dialog lists it: "Quorvel plans (*.qvplan)"
    QString suffix;  ///< without its dot, given to a name typed without one
};

struct SaveName {
    QString path;    ///< empty: cancelled
    QString filter;  ///< the filter's text as chosen
};

/// Asks for a name to save to, starting at `start`. Replacing an existing file is always
/// asked, for a name typed whole and for one completed with the filter's suffix alike.
SaveName AskSaveName(QWidget* owner, const QString& title, const QString& start,
                     const std::vector<SaveFilter>& filters);

/// The name as it will be saved: `path` with `suffix` added when it has no extension.
QString WithDefaultSuffix(const QString& path, const QString& suffix);

}  // namespace quorvel
