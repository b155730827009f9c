// What the command line asks for: plan values, exports and their settings, or help. Reading
// it is pure (no Qt, no I/O), so every kind of bad use is known before anything is written.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "plan/spur_identify.h"

#include "app/output_target.h"
#include "charts/chart_theme.h"
#include "charts/marker_point.h"
#include "plan/plan_fields.h"
#include "plan/spur_query.h"

namespace quorvel {

struct ChartAreaSize {
    int width = 0;
    int height = 0;
};

/// The chart area of the dialog at its initial size: the main dialog template's client
/// area less the control strip.
ChartAreaSize DefaultChartAreaSize();

/// The largest chart area an export accepts in either direction.
inline constexpr int kMaxExportSide = 16384;

enum class CliAction {
    kStartDialog,  ///< no export: the dialog starts with the plan given
    kExport,
    kHelp,
    kVersion,
};

struct CliRequest {
    CliAction action = CliAction::kStartDialog;
    PlanFields plan;
    std::optional<std::string> pngPath;
    std::optional<std::string> svgPath;  ///< --export-svg FILE: the chart area as SVG
    std::optional<std::string> pdfPath;  ///< --export-pdf FILE: the chart area as PDF
    std::optional<std::string> bandCsvPath;
    std::optional<std::string> lineCsvPath;
    /// The plan file whose values the command line's own values override (--plan FILE, or
    /// FILE alone, which the window also keeps as its file).
    std::optional<std::string> planPath;
    std::optional<std::string> savePlanPath;  ///< --save-plan FILE
    int width = DefaultChartAreaSize().width;
    int height = DefaultChartAreaSize().height;
    std::optional<MarkerPoint> marker;
    bool sizeGiven = false;      ///< --size was given (the clean map has a size of its own)
    Theme theme = Theme::kDark;  ///< --theme, for every image export
    int scale = 1;               ///< --scale, for the PNG exports
    std::optional<std::string> cleanFsPath;
    std::optional<std::string> cleanIfPath;
    std::optional<std::string> cleanMapPath;
    std::optional<std::string> spurLedgerPath;  ///< --export-spurs FILE
    std::optional<std::string> spectrumPath;    ///< --export-spectrum FILE.png
    std::optional<FrequencyInterval> fsRange;
    std::optional<FrequencyInterval> ifRange;
    SpurQuery query;
    bool againstGiven = false;  ///< --against was given (else a plan file's may stand)
    bool marginGiven = false;   ///< --margin was given (else a plan file's may stand)
    /// --interferer was given this often: the first one replaces a plan file's interferers.
    int interferersGiven = 0;
    std::optional<std::vector<double>> identify;   ///< --identify: observed frequencies, MHz
    double tolerance = kDefaultTolerance;          ///< --tolerance
    std::optional<std::string> measuredPath;       ///< --measured FILE
    double peakThreshold = kDefaultPeakThreshold;  ///< --peak-threshold
    std::optional<std::string> peaksPath;          ///< --export-peaks FILE
};

/// Bad use: one line (no newline) naming the option at fault.
struct CliUsageError {
    std::string message;
};

/// Reads the arguments after the program name, starting from `plan` and `model`. Options
/// are read left to right; the first of bad use, --help or --version decides.
std::variant<CliRequest, CliUsageError> ParseCommandLine(std::span<const std::string_view> args,
                                                         const PlanFields& plan,
                                                         const SpurModel& model = {});

/// The --help text.
std::string UsageText();

/// The --version line: the program's name and the version record's file version.
std::string VersionText();

}  // namespace quorvel
