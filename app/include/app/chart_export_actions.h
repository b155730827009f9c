// Copy and export from the window: the chart area to the clipboard, and the chart area,
// band table or alias lines to a file through the command line's own writers.
#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

class QWidget;

namespace quorvel {

class CSpurPlanDlg;

enum class WindowExport { kChartPng, kBandCsv, kLineCsv };

/// The file dialog's filters, one per export, in the order of `WindowExport`.
QStringList WindowExportFilters();

/// The export a name chosen in the file dialog asks for: its extension first (.png or
/// .csv), then the filter chosen; nothing when neither says.
std::optional<WindowExport> WindowExportFor(const QString& path, const QString& filter);

struct ExportPrompts {
    /// The file name and the filter chosen; an empty name: cancelled.
    std::function<std::pair<QString, QString>(QWidget*)> exportName;
    std::function<void(QWidget*, const QString& message)> warn;
};

ExportPrompts StandardExportPrompts();

/// Writes `kind` for the window's plan, at the window's chart area size with its marker,
/// to `path`, whole or not at all; returns the message when it cannot.
std::optional<QString> ExportFromWindow(const CSpurPlanDlg& dlg, WindowExport kind,
                                        const QString& path);

/// Adds "Copy chart" (Ctrl+Shift+C) and "Export..." (Ctrl+E) to `dlg`.
void InstallChartExportActions(CSpurPlanDlg& dlg, ExportPrompts prompts = StandardExportPrompts());

}  // namespace quorvel
