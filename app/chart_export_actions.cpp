#include "app/chart_export_actions.h"

#include <QAction>
#include <QClipboard>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMessageBox>

#include "app/export_csv.h"
#include "app/export_output.h"
#include "app/export_png.h"
#include "app/save_name_dialog.h"
#include "charts/chart_area.h"
#include "dialog/spur_plan_dlg.h"
#include "paint/paint_cycle.h"

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

QStringList WindowExportFilters() {
    return {QStringLiteral("Chart area as PNG image (*.png)"),
            QStringLiteral("Harmonic band table as CSV (*.csv)"),
            QStringLiteral("Alias lines as CSV (*.csv)")};
}

std::optional<WindowExport> WindowExportFor(const QString& path, const QString& filter) {
    const QString suffix = QFileInfo(path).suffix().toLower();
    const qsizetype chosen = WindowExportFilters().indexOf(filter);
    if (suffix == QLatin1String("png")) {
        return WindowExport::kChartPng;
    }
    if (suffix == QLatin1String("csv")) {
        return chosen == static_cast<qsizetype>(WindowExport::kLineCsv) ? WindowExport::kLineCsv
                                                                        : WindowExport::kBandCsv;
    }
    if (chosen < 0) {
        return std::nullopt;
    }
    return static_cast<WindowExport>(chosen);
}

ExportPrompts StandardExportPrompts() {
    ExportPrompts prompts;
    prompts.exportName = [](QWidget* owner) {
        std::vector<SaveFilter> filters;
        for (const QString& text : WindowExportFilters()) {
            filters.push_back(
                {text, filters.empty() ? QStringLiteral("png") : QStringLiteral("csv")});
        }
        const SaveName chosen = AskSaveName(owner, QStringLiteral("Export"), {}, filters);
        return std::pair{chosen.path, chosen.filter};
    };
    prompts.warn = [](QWidget* owner, const QString& message) {
        QMessageBox::warning(owner, QStringLiteral("Quorvel"), message);
    };
    return prompts;
}

std::optional<QString> ExportFromWindow(const CSpurPlanDlg& dlg, WindowExport kind,
                                        const QString& path) {
    const PlanFields& plan = dlg.Plan();
    if (kind != WindowExport::kChartPng && !PlanHasChartData(plan)) {
        return QStringLiteral(
            "No band table or alias lines to export: the charts show no data for this plan "
            "(Fs and RF BW must both be above 0).");
    }
    std::string bytes;
    switch (kind) {
        case WindowExport::kChartPng: {
            auto png = ChartAreaPng(plan, dlg.width(), ChartAreaHeight(dlg), MarkerOf(dlg));
            if (!png) {
                return QStringLiteral("The chart area cannot be made into an image.");
            }
            bytes = png->toStdString();
            break;
        }
        case WindowExport::kBandCsv:
            bytes = HarmonicBandCsv(plan);
            break;
        case WindowExport::kLineCsv:
            bytes = AliasLineCsv(plan);
            break;
    }
    if (const auto failure =
            WriteOutputs({{QFile::encodeName(path).toStdString(), std::move(bytes)}},
                         RealOutputSystemCalls(), PipeReader::kRequire)) {
        return QString::fromStdString(failure->Message());
    }
    return std::nullopt;
}

void InstallChartExportActions(CSpurPlanDlg& dlg, ExportPrompts prompts) {
    auto* copy = new QAction(QStringLiteral("Copy chart"), &dlg);
    copy->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C));
    copy->setShortcutContext(Qt::WindowShortcut);
    QObject::connect(copy, &QAction::triggered, &dlg, [&dlg] {
        const QImage chartArea =
            ComposeChartArea(dlg.Plan(), dlg.width(), ChartAreaHeight(dlg), dlg.Marker());
        if (!chartArea.isNull()) {
            QGuiApplication::clipboard()->setImage(chartArea);
        }
    });
    dlg.addAction(copy);

    auto* exportAction = new QAction(QStringLiteral("Export..."), &dlg);
    exportAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_E));
    exportAction->setShortcutContext(Qt::WindowShortcut);
    QObject::connect(exportAction, &QAction::triggered, &dlg, [&dlg, prompts] {
        const auto [path, filter] = prompts.exportName(&dlg);
        if (path.isEmpty()) {
            return;
        }
        const auto kind = WindowExportFor(path, filter);
        const auto failure =
            kind ? ExportFromWindow(dlg, *kind, path)
                 : QStringLiteral("Cannot tell what to export to %1: name it .png or .csv.")
                       .arg(QFileInfo(path).fileName());
        if (failure) {
            prompts.warn(&dlg, *failure);
        }
    });
    dlg.addAction(exportAction);
}

}  // namespace quorvel
