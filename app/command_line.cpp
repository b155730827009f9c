#include "app/command_line.h"

#include <QByteArray>
#include <QGuiApplication>
#include <csignal>
#include <cstdio>
#include <optional>
#include <string>
#include <type_traits>
#include <vector>

#include "app/clean_options.h"
#include "app/cli_options.h"
#include "app/export_clean.h"
#include "app/export_csv.h"
#include "app/export_output.h"
#include "app/export_png.h"
#include "app/export_vector.h"
#include "app/quoted_text.h"
#include "plan/spur_identify.h"
#include "plan/spur_ledger.h"
#include "planfile/measured_file.h"
#include "planfile/plan_file.h"

namespace quorvel {
namespace {

/// Qt's own chatter (a missing runtime directory, font cache notes) is not the exporter's
/// business; only its errors reach standard error.
void KeepQtQuiet(QtMsgType type, const QMessageLogContext& /*context*/, const QString& text) {
    if (type == QtCriticalMsg || type == QtFatalMsg) {
        std::fputs(("quorvel: " + text.toStdString() + "\n").c_str(), stderr);
    }
}

void PrintLine(std::FILE* stream, const std::string& text) {
    std::fputs(text.c_str(), stream);
    std::fputc('\n', stream);
}

/// A measured spectrum, read whole and parsed, or why not: the file and the line named.
std::optional<MeasuredSpectrum> ReadMeasuredSpectrum(const std::string& name,
                                                     std::string& problem) {
    std::string reason;
    auto trace = ReadMeasuredFile(name, reason);
    if (!trace) {
        problem = "cannot read the measured spectrum " + Quoted(name) + ": " + reason;
    }
    return trace;
}

// `unknownMembers`: the plan file's members this version does not understand, which a saved plan
// keeps.
int RunExports(const CliRequest& request, const FinderSettings& finder,
               const QJsonObject& unknownMembers, const char* programName) {
    std::vector<std::string> names;
    for (const auto* path :
         {&request.pngPath, &request.svgPath, &request.pdfPath, &request.bandCsvPath,
          &request.lineCsvPath, &request.savePlanPath, &request.cleanFsPath, &request.cleanIfPath,
          &request.cleanMapPath, &request.spurLedgerPath, &request.peaksPath, &request.measuredPath,
          &request.spectrumPath}) {
        if (*path) {
            names.push_back(**path);
        }
    }
    if (const auto clash = SameFileUnderTwoNames(names)) {
        PrintLine(stderr, *clash);
        return 2;
    }
    // An export over the plan being read would destroy it; saving the plan back onto its
    // own file is an update the user asked for, and is let through.
    if (request.planPath) {
        // A plan file named "-" is a file (there is no reading a plan from standard input),
        // while an export named "-" is standard output.
        const std::string& plan = *request.planPath;
        std::vector<std::string> overPlan{plan == kStandardOutputName ? "./" + plan : plan};
        for (const std::string& name : names) {
            if (!request.savePlanPath || name != *request.savePlanPath) {
                overPlan.push_back(name);
            }
        }
        if (const auto clash = SameFileUnderTwoNames(overPlan)) {
            PrintLine(stderr, *clash);
            return 2;
        }
    }
    // A plan whose charts show no data has no band table and no alias lines. Each export
    // keeps its own rule whether it is asked for alone or with others: the PNG still shows
    // what the charts show (grid and axes), the two tables are refused and the status says
    // so.
    int status = 0;
    CliRequest kept = request;
    if ((request.bandCsvPath || request.lineCsvPath) && !PlanHasChartData(request.plan)) {
        PrintLine(stderr,
                  "quorvel: no band table or alias lines to export: the charts show no data for "
                  "this plan (Fs and RF BW must both be above 0)");
        kept.bandCsvPath.reset();
        kept.lineCsvPath.reset();
        status = 1;
    }
    if (request.spurLedgerPath && !PlanHasChartData(request.plan)) {
        // The ledger starts with the band table, and has none for such a plan either.
        PrintLine(stderr,
                  "quorvel: no spur ledger to export: the charts show no data for this plan (Fs "
                  "and RF BW must both be above 0)");
        kept.spurLedgerPath.reset();
        status = 1;
    }
    std::vector<ExportOutput> outputs;
    std::string peakSummary;
    int qtArgc = 1;
    char* qtArgv[] = {const_cast<char*>(programName), nullptr};
    std::optional<QGuiApplication> app;
    if (request.pngPath || request.svgPath || request.pdfPath || request.cleanMapPath ||
        request.spectrumPath) {
        // Fonts need a GUI application; the offscreen platform needs no display.
        qputenv("QT_QPA_PLATFORM", "offscreen");
        qInstallMessageHandler(KeepQtQuiet);
        app.emplace(qtArgc, qtArgv);
    }
    const auto cannotMake = [](ExportImageSize size, const char* what) {
        PrintLine(stderr, "quorvel: cannot make a " + std::to_string(size.width) + "x" +
                              std::to_string(size.height) + " " + what);
        return 1;
    };
    const ChartAreaSize area = DefaultChartAreaSize();
    if (request.pngPath) {
        const ExportImageSize size =
            ExportSizeOf(request, ImageFormat::kPng, area.width, area.height);
        auto png =
            ChartAreaPng(request.plan, size.width, size.height, request.marker, PngLookOf(request));
        if (!png) {
            return cannotMake(size, "image");
        }
        outputs.push_back({*request.pngPath, png->toStdString()});
    }
    for (const auto& [path, format] : {std::pair{&request.svgPath, ImageFormat::kSvg},
                                       std::pair{&request.pdfPath, ImageFormat::kPdf}}) {
        if (!*path) {
            continue;
        }
        const ExportImageSize size = ExportSizeOf(request, format, area.width, area.height);
        auto bytes =
            format == ImageFormat::kSvg
                ? ChartAreaSvg(request.plan, size.width, size.height, request.marker, request.theme)
                : ChartAreaPdf(request.plan, size.width, size.height, request.marker,
                               request.theme);
        if (!bytes) {
            return cannotMake(size, format == ImageFormat::kSvg ? "SVG file" : "PDF file");
        }
        outputs.push_back({**path, bytes->toStdString()});
    }
    if (auto failure = AddCleanExports(request, outputs)) {
        PrintLine(stderr, *failure);
        return 1;
    }
    if (request.spectrumPath) {
        // A plan with no spectrum still gets its frame, as --export-png gets its axes.
        const ImageFormat format = ImageFormatOfName(*request.spectrumPath);
        const ExportImageSize size =
            ExportSizeOf(request, format, kDefaultSpectrumWidth, kDefaultSpectrumHeight);
        const SpurModel& model = request.query.model;
        std::optional<QByteArray> bytes;
        switch (format) {
            case ImageFormat::kSvg:
                bytes = SpectrumSvg(request.plan, model, size.width, size.height, request.theme);
                break;
            case ImageFormat::kPdf:
                bytes = SpectrumPdf(request.plan, model, size.width, size.height, request.theme);
                break;
            case ImageFormat::kPng:
                bytes =
                    SpectrumPng(request.plan, model, size.width, size.height, PngLookOf(request));
                break;
        }
        if (!bytes) {
            return cannotMake(size, format == ImageFormat::kPng ? "image" : "file");
        }
        outputs.push_back({*request.spectrumPath, bytes->toStdString()});
    }
    if (kept.bandCsvPath) {
        outputs.push_back({*kept.bandCsvPath, HarmonicBandCsv(request.plan)});
    }
    if (kept.spurLedgerPath) {
        outputs.push_back(
            {*kept.spurLedgerPath, SpurLedgerCsv(BuildSpurLedger(request.plan, request.query.model),
                                                 request.query.model)});
    }
    if (request.identify || request.peaksPath) {
        const std::vector<TonePosition> tones = TonePositions(request.plan, request.query.model);
        if (request.identify) {
            outputs.push_back(
                {std::string(kStandardOutputName),
                 IdentifyCsv(tones, request.query.model, *request.identify, request.tolerance)});
        }
        if (request.peaksPath) {
            std::string problem;
            const auto trace = ReadMeasuredSpectrum(*request.measuredPath, problem);
            if (!trace) {
                PrintLine(stderr, "quorvel: " + problem);
                return 2;
            }
            const std::vector<SpectrumPeak> peaks =
                FindPeaks(*trace, tones, request.tolerance, request.peakThreshold);
            outputs.push_back({*request.peaksPath, PeaksCsv(peaks, request.query.model)});
            peakSummary = PeakSummary(peaks, request.query.model);
        }
    }
    if (kept.lineCsvPath) {
        outputs.push_back({*kept.lineCsvPath, AliasLineCsv(request.plan)});
    }
    if (request.savePlanPath) {
        PlanFileValues values = PlanFileValues::FromPlan(request.plan);
        values.finder = SavedFinderSettings(request, finder);
        values.model = request.query.model;
        if (const QString problem = PlanValuesProblem(values); !problem.isEmpty()) {
            PrintLine(stderr, "quorvel: cannot save the plan file " +
                                  Quoted(*request.savePlanPath) + ": " + problem.toStdString());
            return 1;
        }
        outputs.push_back(
            {*request.savePlanPath, PlanDocumentText(values, unknownMembers).toStdString()});
    }
    // A reader that goes away (quorvel ... | head) is a failed write to report, not a
    // signal that ends the program with its temporary files left behind.
    std::signal(SIGPIPE, SIG_IGN);
    if (const auto failure = WriteExportOutputs(outputs)) {
        PrintLine(stderr, *failure);
        return 1;
    }
    // The review's summary of the peaks, once they are written.
    std::fputs(peakSummary.c_str(), stderr);
    return status;
}

}  // namespace

std::optional<int> RunCommandLine(int argc, char** argv, PlanFields& plan, std::string* planFile,
                                  std::string* planProblem, SpurModel* model) {
    std::vector<std::string_view> args;
    for (int i = 1; i < argc; ++i) {
        args.emplace_back(argv[i]);
    }
    const auto parsed = ParseCommandLine(args, plan);
    if (const auto* error = std::get_if<CliUsageError>(&parsed)) {
        PrintLine(stderr, error->message);
        return 2;
    }
    auto request = std::get<CliRequest>(parsed);
    FinderSettings finder;
    QJsonObject kept;
    const bool usesPlan =
        request.action == CliAction::kExport || request.action == CliAction::kStartDialog;
    if (request.planPath && usesPlan) {
        // The file's values come first, so the options are read again over them.
        const PlanFileReading reading = ReadPlanFile(QByteArray::fromStdString(*request.planPath));
        if (reading.values) {
            if (!reading.notice.isEmpty() && request.action == CliAction::kExport) {
                PrintLine(stderr, "quorvel: " + reading.notice.toStdString());
            }
            PlanFields fromFile = plan;
            reading.values->ApplyTo(fromFile);
            finder = reading.values->finder;
            kept = reading.kept;
            request = std::get<CliRequest>(
                ParseCommandLine(args, fromFile, reading.values->model.value_or(SpurModel{})));
            // The finder's settings the command line leaves out come from the file too.
            FillCleanSettings(request, finder);
            if (const auto complaint = CheckCleanRanges(request)) {
                PrintLine(stderr, "quorvel: " + *complaint);
                return 2;
            }
        } else {
            PrintLine(stderr, "quorvel: " + reading.error.toStdString());
            if (request.action == CliAction::kExport || planProblem == nullptr) {
                return 2;
            }
            // Started from a file manager there is no terminal to read: the window says it
            // too, and opens on the command line's values with no file of its own.
            *planProblem = reading.error.toStdString();
            request.planPath.reset();
        }
    }
    switch (request.action) {
        case CliAction::kHelp:
            std::fputs(UsageText().c_str(), stdout);
            return 0;
        case CliAction::kVersion:
            std::fputs(VersionText().c_str(), stdout);
            return 0;
        case CliAction::kExport:
            return RunExports(request, finder, kept, argc > 0 ? argv[0] : "quorvel");
        case CliAction::kStartDialog:
            break;
    }
    plan = request.plan;
    if (model != nullptr) {
        *model = request.query.model;
    }
    if (planFile != nullptr && request.planPath) {
        *planFile = *request.planPath;
    }
    return std::nullopt;
}

}  // namespace quorvel
