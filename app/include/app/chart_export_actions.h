// Copy and export from the window: the chart area to the clipboard, and every export of the
// command line to a file through its own writers.
#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

#include "charts/chart_theme.h"
#include "plan/spur_query.h"

class QWidget;

namespace quorvel {

class CSpurPlanDlg;

enum class WindowExport {
    kChartPng,
    kBandCsv,
    kLineCsv,
    kSpurLedgerCsv,
    kCleanFsCsv,  ///< over the map's ranges (the finder's, or the defaults for the plan)
    kCleanIfCsv,
    kCleanMapPng,  ///< at the map window's size while it is open
    kSpectrumPng,  ///< as the spectrum's window shows it while it is open, trace and all
    kChartSvg,
    kCleanMapSvg,
    kSpectrumSvg,
    kChartPdf,
    kCleanMapPdf,
    kSpectrumPdf,
};

/// The ranges and query the window's clean exports search: the finder's settings, or the
/// map's defaults for the plan where they are not set, and the window's converter model.
struct CleanExportRanges {
    FrequencyInterval fs;
    FrequencyInterval ifc;
    SpurQuery query;
};
CleanExportRanges WindowCleanRanges(const CSpurPlanDlg& dlg);

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

/// Writes `kind` for the window's plan to `path` through the command line's writers, whole or
/// not at all; the chart area at the window's size with its marker. Returns the message
/// when it cannot (no data for the tables, the finder's refusal, a failed write).
std::optional<QString> ExportFromWindow(const CSpurPlanDlg& dlg, WindowExport kind,
                                        const QString& path, Theme theme = Theme::kDark);

/// Adds "Light theme for exports" (checkable: the images exported and copied on white),
/// "Copy chart" (Ctrl+Shift+C) and "Export..." (Ctrl+E) to `dlg`.
void InstallChartExportActions(CSpurPlanDlg& dlg, ExportPrompts prompts = StandardExportPrompts());

}  // namespace quorvel
