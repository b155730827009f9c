#include "app/save_name_dialog.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QStringList>
#include <algorithm>

namespace quorvel {

QString WithDefaultSuffix(const QString& path, const QString& suffix) {
    if (path.isEmpty() || !QFileInfo(path).suffix().isEmpty()) {
        return path;
    }
    return path + QLatin1Char('.') + suffix;
}

SaveName AskSaveName(QWidget* owner, const QString& title, const QString& start,
                     const std::vector<SaveFilter>& filters) {
    QFileDialog dialog(owner, title);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    QStringList texts;
    for (const SaveFilter& filter : filters) {
        texts << filter.text;
    }
    dialog.setNameFilters(texts);
    const auto suffixOf = [&filters](const QString& text) {
        const auto it = std::find_if(filters.begin(), filters.end(),
                                     [&text](const SaveFilter& f) { return f.text == text; });
        return it == filters.end() ? filters.front().suffix : it->suffix;
    };
    // The dialog adds the suffix before its own question whether to replace a file.
    dialog.setDefaultSuffix(filters.front().suffix);
    QObject::connect(
        &dialog, &QFileDialog::filterSelected, &dialog,
        [&dialog, &suffixOf](const QString& text) { dialog.setDefaultSuffix(suffixOf(text)); });
    if (!start.isEmpty()) {
        dialog.selectFile(start);
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return {};
    }
    SaveName chosen{dialog.selectedFiles().front(), dialog.selectedNameFilter()};
    // A native dialog may hand the name back as typed; then the suffix, and the question
    // about the file it now names, are left to us.
    const QString completed = WithDefaultSuffix(chosen.path, suffixOf(chosen.filter));
    if (completed != chosen.path) {
        chosen.path = completed;
        if (QFileInfo::exists(completed) &&
            QMessageBox::question(owner, title,
                                  QStringLiteral("%1 already exists.\nDo you want to replace it?")
                                      .arg(QFileInfo(completed).fileName())) != QMessageBox::Yes) {
            return {};
        }
    }
    return chosen;
}

}  // namespace quorvel
