#include "app/chart_export_actions.h"

#include <QAction>
#include <QClipboard>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMessageBox>
#include <type_traits>
#include <variant>

#include "app/export_clean.h"
#include "app/export_csv.h"
#include "app/export_output.h"
#include "app/export_png.h"
#include "app/export_vector.h"
#include "app/save_name_dialog.h"
#include "charts/chart_area.h"
#include "dialog/clean_map_window.h"
#include "dialog/spectrum_canvas.h"
#include "dialog/spectrum_window.h"
#include "dialog/spur_plan_dlg.h"
#include "paint/paint_cycle.h"
#include "plan/clean_map_ranges.h"
#include "plan/spur_ledger.h"

namespace quorvel {

namespace {

int ChartAreaHeight(const CSpurPlanDlg& dlg) {
    return dlg.height() - kControlStripHeight;
}

std::optional<MarkerPoint> MarkerOf(const CSpurPlanDlg& dlg) {
    if (!MarkerShown(dlg.Marker())) {
        return std::nullopt;
    }
    return dlg.Marker();
}

}  // namespace

// Every export of the window, in the order of `WindowExport`: the file dialog's filter and
// the name's extension.
struct WindowExportRow {
    WindowExport kind;
    const char* filter;
    const char* suffix;
};

constexpr WindowExportRow kWindowExports[] = {
    {WindowExport::kChartPng, "Chart area as PNG image (*.png)", "png"},
    {WindowExport::kBandCsv, "Harmonic band table as CSV (*.csv)", "csv"},
    {WindowExport::kLineCsv, "Alias lines as CSV (*.csv)", "csv"},
    {WindowExport::kSpurLedgerCsv, "Spur ledger as CSV (*.csv)", "csv"},
    {WindowExport::kCleanFsCsv, "Clean Fs intervals over the map's ranges as CSV (*.csv)", "csv"},
    {WindowExport::kCleanIfCsv, "Clean IF intervals over the map's ranges as CSV (*.csv)", "csv"},
    {WindowExport::kCleanMapPng, "Clean map as PNG image (*.png)", "png"},
    {WindowExport::kSpectrumPng, "Folded spectrum as PNG image (*.png)", "png"},
    {WindowExport::kChartSvg, "Chart area as SVG drawing (*.svg)", "svg"},
    {WindowExport::kCleanMapSvg, "Clean map as SVG drawing (*.svg)", "svg"},
    {WindowExport::kSpectrumSvg, "Folded spectrum as SVG drawing (*.svg)", "svg"},
    {WindowExport::kChartPdf, "Chart area as PDF page (*.pdf)", "pdf"},
    {WindowExport::kCleanMapPdf, "Clean map as PDF page (*.pdf)", "pdf"},
    {WindowExport::kSpectrumPdf, "Folded spectrum as PDF page (*.pdf)", "pdf"},
};

QStringList WindowExportFilters() {
    QStringList filters;
    for (const WindowExportRow& row : kWindowExports) {
        filters.append(QLatin1String(row.filter));
    }
    return filters;
}

std::optional<WindowExport> WindowExportFor(const QString& path, const QString& filter) {
    const QString suffix = QFileInfo(path).suffix().toLower();
    const WindowExportRow* chosen = nullptr;
    for (const WindowExportRow& row : kWindowExports) {
        if (filter == QLatin1String(row.filter)) {
            chosen = &row;
        }
    }
    if (suffix.isEmpty()) {
        return chosen ? std::optional(chosen->kind) : std::nullopt;
    }
    // The name's extension decides; among the exports it fits, the filter chosen.
    if (chosen && suffix == QLatin1String(chosen->suffix)) {
        return chosen->kind;
    }
    for (const WindowExportRow& row : kWindowExports) {
        if (suffix == QLatin1String(row.suffix)) {
            return row.kind;
        }
    }
    return std::nullopt;
}

ExportPrompts StandardExportPrompts() {
    ExportPrompts prompts;
    prompts.exportName = [](QWidget* owner) {
        std::vector<SaveFilter> filters;
        for (const WindowExportRow& row : kWindowExports) {
            filters.push_back({QLatin1String(row.filter), QLatin1String(row.suffix)});
        }
        const SaveName chosen = AskSaveName(owner, QStringLiteral("Export"), {}, filters);
        return std::pair{chosen.path, chosen.filter};
    };
    prompts.warn = [](QWidget* owner, const QString& message) {
        QMessageBox::warning(owner, QStringLiteral("Quorvel"), message);
    };
    return prompts;
}

CleanExportRanges WindowCleanRanges(const CSpurPlanDlg& dlg) {
    const CleanMapRanges defaults = DefaultCleanMapRanges(dlg.Plan());
    const FinderSettings& finder = dlg.Finder();
    return {finder.fsRange.value_or(defaults.fs), finder.ifRange.value_or(defaults.ifc),
            SpurQuery(finder.against.value_or(Against::kBoth), finder.margin.value_or(0.0),
                      dlg.Model())};
}

std::optional<QString> ExportFromWindow(const CSpurPlanDlg& dlg, WindowExport kind,
                                        const QString& path, Theme theme) {
    const PlanFields& plan = dlg.Plan();
    const bool tables = kind == WindowExport::kBandCsv || kind == WindowExport::kLineCsv;
    if (tables && !PlanHasChartData(plan)) {
        return QStringLiteral(
            "No band table or alias lines to export: the charts show no data for this plan "
            "(Fs and RF BW must both be above 0).");
    }
    const CleanExportRanges clean = WindowCleanRanges(dlg);
    const ChartLook look{.theme = theme};
    // The clean map at its window's size while it is open; the spectrum as its window shows
    // it then, the measured trace and its peaks included.
    const auto* mapWindow = dlg.findChild<CleanMapWindow*>(QString(), Qt::FindDirectChildrenOnly);
    const QSize mapSize = mapWindow && mapWindow->isVisible()
                              ? mapWindow->Canvas()->size()
                              : QSize(kDefaultCleanMapWidth, kDefaultCleanMapHeight);
    const auto* spectrumWindow =
        dlg.findChild<SpectrumWindow*>(QString(), Qt::FindDirectChildrenOnly);
    const SpectrumCanvas* shown =
        spectrumWindow && spectrumWindow->isVisible() ? spectrumWindow->Canvas() : nullptr;
    const SpectrumLayout spectrum =
        shown ? shown->Layout()
              : LayOutSpectrum(plan, dlg.Model(), kDefaultSpectrumWidth, kDefaultSpectrumHeight);
    const MeasuredOverlay* measured = shown ? shown->Overlay() : nullptr;
    const int chartHeight = ChartAreaHeight(dlg);

    const auto image = [](std::optional<QByteArray> file) -> std::variant<std::string, QString> {
        if (!file) {
            return QStringLiteral("The image cannot be made for this plan at this size.");
        }
        return file->toStdString();
    };
    const auto finder = [](auto made) -> std::variant<std::string, QString> {
        if (const auto* failure = std::get_if<CleanExportFailure>(&made)) {
            return QString::fromStdString(failure->message);
        }
        using Bytes = std::decay_t<decltype(std::get<0>(made))>;
        if constexpr (std::is_same_v<Bytes, QByteArray>) {
            return std::get<0>(made).toStdString();
        } else {
            return std::move(std::get<0>(made));
        }
    };
    std::variant<std::string, QString> bytes;
    switch (kind) {
        case WindowExport::kChartPng:
            bytes = image(ChartAreaPng(plan, dlg.width(), chartHeight, MarkerOf(dlg), look));
            break;
        case WindowExport::kChartSvg:
            bytes = image(ChartAreaSvg(plan, dlg.width(), chartHeight, MarkerOf(dlg), theme));
            break;
        case WindowExport::kChartPdf:
            bytes = image(ChartAreaPdf(plan, dlg.width(), chartHeight, MarkerOf(dlg), theme));
            break;
        case WindowExport::kBandCsv:
            bytes = HarmonicBandCsv(plan);
            break;
        case WindowExport::kLineCsv:
            bytes = AliasLineCsv(plan);
            break;
        case WindowExport::kSpurLedgerCsv:
            bytes = SpurLedgerCsv(BuildSpurLedger(plan, dlg.Model()), dlg.Model());
            break;
        case WindowExport::kCleanFsCsv:
            bytes = finder(CleanFsCsv(plan, clean.fs, clean.query));
            break;
        case WindowExport::kCleanIfCsv:
            bytes = finder(CleanIfCsv(plan, clean.ifc, clean.query));
            break;
        case WindowExport::kCleanMapPng:
            bytes = finder(CleanMapPng(plan, clean.fs, clean.ifc, clean.query, mapSize.width(),
                                       mapSize.height(), look));
            break;
        case WindowExport::kCleanMapSvg:
            bytes = finder(CleanMapSvg(plan, clean.fs, clean.ifc, clean.query, mapSize.width(),
                                       mapSize.height(), theme));
            break;
        case WindowExport::kCleanMapPdf:
            bytes = finder(CleanMapPdf(plan, clean.fs, clean.ifc, clean.query, mapSize.width(),
                                       mapSize.height(), theme));
            break;
        case WindowExport::kSpectrumPng:
            bytes = image(SpectrumPng(spectrum, measured, look));
            break;
        case WindowExport::kSpectrumSvg:
            bytes = image(SpectrumSvg(spectrum, measured, theme));
            break;
        case WindowExport::kSpectrumPdf:
            bytes = image(SpectrumPdf(spectrum, measured, theme));
            break;
    }
    if (const auto* refused = std::get_if<QString>(&bytes)) {
        return *refused;
    }
    if (const auto failure = WriteOutputs(
            {{QFile::encodeName(path).toStdString(), std::move(std::get<std::string>(bytes))}},
            RealOutputSystemCalls(), PipeReader::kRequire)) {
        return QString::fromStdString(failure->Message());
    }
    return std::nullopt;
}

void InstallChartExportActions(CSpurPlanDlg& dlg, ExportPrompts prompts) {
    // Exports and copies for a report on white paper; the window keeps its own colours.
    auto* light = new QAction(QStringLiteral("Light theme for exports"), &dlg);
    light->setObjectName(QStringLiteral("lightTheme"));
    light->setCheckable(true);
    const auto theme = [light] { return light->isChecked() ? Theme::kLight : Theme::kDark; };

    auto* copy = new QAction(QStringLiteral("Copy chart"), &dlg);
    copy->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C));
    copy->setShortcutContext(Qt::WindowShortcut);
    QObject::connect(copy, &QAction::triggered, &dlg, [&dlg, theme] {
        const QImage chartArea = ComposeChartArea(dlg.Plan(), dlg.width(), ChartAreaHeight(dlg),
                                                  dlg.Marker(), std::nullopt, {.theme = theme()});
        if (!chartArea.isNull()) {
            QGuiApplication::clipboard()->setImage(chartArea);
        }
    });
    dlg.addAction(copy);

    auto* exportAction = new QAction(QStringLiteral("Export..."), &dlg);
    exportAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_E));
    exportAction->setShortcutContext(Qt::WindowShortcut);
    QObject::connect(exportAction, &QAction::triggered, &dlg, [&dlg, prompts, theme] {
        const auto [path, filter] = prompts.exportName(&dlg);
        if (path.isEmpty()) {
            return;
        }
        const auto kind = WindowExportFor(path, filter);
        const auto failure =
            kind ? ExportFromWindow(dlg, *kind, path, theme())
                 : QStringLiteral(
                       "Cannot tell what to export to %1: name it .png, .svg, .pdf or .csv.")
                       .arg(QFileInfo(path).fileName());
        if (failure) {
            prompts.warn(&dlg, *failure);
        }
    });
    dlg.addAction(exportAction);
    dlg.addAction(light);
}

}  // namespace quorvel
