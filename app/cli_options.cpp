#include "app/cli_options.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <set>

#include "app/clean_options.h"
#include "app/quoted_text.h"
#include "charts/chart_area.h"
#include "plan/number_text.h"
#include "res/dialog_template.h"
#include "res/dialog_units.h"
#include "res/version.h"

namespace quorvel {
namespace {

enum class ValueKind { kNone, kNumber, kInteger, kFile, kSize, kMarker, kCleanSetting };

enum class OptionId {
    kFs,
    kIf,
    kIfBw,
    kRfBw,
    kHarmonics,
    kExportPng,
    kExportCsv,
    kExportLines,
    kPlan,
    kSavePlan,
    kSize,
    kMarker,
    kExportCleanFs,
    kExportCleanIf,
    kExportCleanMap,
    kFsRange,
    kIfRange,
    kAgainst,
    kMargin,
    kHelp,
    kVersion,
};

struct OptionSpec {
    std::string_view name;
    OptionId id;
    ValueKind kind;
};

constexpr std::array kOptions{
    OptionSpec{"--fs", OptionId::kFs, ValueKind::kNumber},
    OptionSpec{"--if", OptionId::kIf, ValueKind::kNumber},
    OptionSpec{"--if-bw", OptionId::kIfBw, ValueKind::kNumber},
    OptionSpec{"--rf-bw", OptionId::kRfBw, ValueKind::kNumber},
    OptionSpec{"--harmonics", OptionId::kHarmonics, ValueKind::kInteger},
    OptionSpec{"--export-png", OptionId::kExportPng, ValueKind::kFile},
    OptionSpec{"--export-csv", OptionId::kExportCsv, ValueKind::kFile},
    OptionSpec{"--export-lines", OptionId::kExportLines, ValueKind::kFile},
    OptionSpec{"--plan", OptionId::kPlan, ValueKind::kFile},
    OptionSpec{"--save-plan", OptionId::kSavePlan, ValueKind::kFile},
    OptionSpec{"--size", OptionId::kSize, ValueKind::kSize},
    OptionSpec{"--marker", OptionId::kMarker, ValueKind::kMarker},
    OptionSpec{"--export-clean-fs", OptionId::kExportCleanFs, ValueKind::kFile},
    OptionSpec{"--export-clean-if", OptionId::kExportCleanIf, ValueKind::kFile},
    OptionSpec{"--export-clean-map", OptionId::kExportCleanMap, ValueKind::kFile},
    OptionSpec{"--fs-range", OptionId::kFsRange, ValueKind::kCleanSetting},
    OptionSpec{"--if-range", OptionId::kIfRange, ValueKind::kCleanSetting},
    OptionSpec{"--against", OptionId::kAgainst, ValueKind::kCleanSetting},
    OptionSpec{"--margin", OptionId::kMargin, ValueKind::kCleanSetting},
    OptionSpec{"--help", OptionId::kHelp, ValueKind::kNone},
    OptionSpec{"-h", OptionId::kHelp, ValueKind::kNone},
    OptionSpec{"--version", OptionId::kVersion, ValueKind::kNone},
};

const OptionSpec* FindOption(std::string_view name) {
    const auto* it = std::find_if(kOptions.begin(), kOptions.end(),
                                  [name](const OptionSpec& option) { return option.name == name; });
    return it == kOptions.end() ? nullptr : &*it;
}

/// A positive whole number of at most five digits, written with digits only.
std::optional<int> ParseSide(std::string_view text) {
    if (text.empty() || text.size() > 5 ||
        !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        return std::nullopt;
    }
    int value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    if (value < 1 || value > kMaxExportSide) {
        return std::nullopt;
    }
    return value;
}

std::optional<std::pair<int, int>> ParseSize(std::string_view text) {
    const auto cross = text.find_first_of("xX");
    if (cross == std::string_view::npos) {
        return std::nullopt;
    }
    const auto width = ParseSide(text.substr(0, cross));
    const auto height = ParseSide(text.substr(cross + 1));
    if (!width || !height) {
        return std::nullopt;
    }
    return std::pair{*width, *height};
}

std::optional<MarkerPoint> ParseMarker(std::string_view text) {
    const auto comma = text.find(',');
    if (comma == std::string_view::npos) {
        return std::nullopt;
    }
    const auto x = ParsePlanInteger(text.substr(0, comma));
    const auto y = ParsePlanInteger(text.substr(comma + 1));
    if (!x || !y) {
        return std::nullopt;
    }
    return MarkerPoint{*x, *y};
}

/// Stores one option's value into the request; returns the complaint when it does not read.
std::optional<std::string> ApplyValue(const OptionSpec& option, std::string_view value,
                                      CliRequest& request) {
    const std::string name(option.name);
    switch (option.kind) {
        case ValueKind::kNumber: {
            const auto number = ParsePlanNumber(value);
            if (!number) {
                return name + ": " + Quoted(value) + " is not a number";
            }
            double* field = option.id == OptionId::kFs     ? &request.plan.m_fs
                            : option.id == OptionId::kIf   ? &request.plan.m_if
                            : option.id == OptionId::kIfBw ? &request.plan.m_ifBw
                                                           : &request.plan.m_rfBw;
            *field = *number;
            return std::nullopt;
        }
        case ValueKind::kInteger: {
            const auto number = ParsePlanInteger(value);
            if (!number) {
                return name + ": " + Quoted(value) + " is not a whole number";
            }
            request.plan.m_harmonics = *number;
            return std::nullopt;
        }
        case ValueKind::kFile: {
            if (value.empty()) {
                return name + " needs a file name";
            }
            if (option.id == OptionId::kPlan) {
                if (request.planPath) {
                    return "a plan file is given twice (" + Quoted(*request.planPath) + " and " +
                           Quoted(value) + ")";
                }
                request.planPath = std::string(value);
            } else if (option.id == OptionId::kSavePlan) {
                request.savePlanPath = std::string(value);
            } else if (option.id == OptionId::kExportPng) {
                if (value == kStandardOutputName) {
                    return name + " needs a file name ('-' is for the CSV exports)";
                }
                request.pngPath = std::string(value);
            } else if (option.id == OptionId::kExportCsv) {
                request.bandCsvPath = std::string(value);
            } else if (option.id == OptionId::kExportCleanFs) {
                request.cleanFsPath = std::string(value);
            } else if (option.id == OptionId::kExportCleanIf) {
                request.cleanIfPath = std::string(value);
            } else if (option.id == OptionId::kExportCleanMap) {
                if (value == kStandardOutputName) {
                    return name + " needs a file name ('-' is for the CSV exports)";
                }
                request.cleanMapPath = std::string(value);
            } else {
                request.lineCsvPath = std::string(value);
            }
            return std::nullopt;
        }
        case ValueKind::kSize: {
            const auto size = ParseSize(value);
            if (!size) {
                return name + ": " + Quoted(value) + " is not WIDTHxHEIGHT in pixels, each 1 to " +
                       std::to_string(kMaxExportSide);
            }
            request.width = size->first;
            request.height = size->second;
            request.sizeGiven = true;
            return std::nullopt;
        }
        case ValueKind::kMarker: {
            const auto marker = ParseMarker(value);
            if (!marker) {
                return name + ": " + Quoted(value) + " is not X,Y (two whole numbers)";
            }
            request.marker = *marker;
            return std::nullopt;
        }
        case ValueKind::kCleanSetting: {
            const CleanSetting setting = option.id == OptionId::kFsRange   ? CleanSetting::kFsRange
                                         : option.id == OptionId::kIfRange ? CleanSetting::kIfRange
                                         : option.id == OptionId::kAgainst ? CleanSetting::kAgainst
                                                                           : CleanSetting::kMargin;
            return ApplyCleanSetting(setting, option.name, value, request);
        }
        case ValueKind::kNone:
            break;
    }
    return std::nullopt;
}

/// The checks that need the whole command line.
std::optional<std::string> CheckCombination(const CliRequest& request,
                                            const std::set<OptionId>& seen) {
    if (auto complaint = CheckCleanSettings(request)) {
        return complaint;
    }
    for (const auto id : {OptionId::kSize, OptionId::kMarker}) {
        const bool mapSize = id == OptionId::kSize && request.cleanMapPath;
        if (seen.contains(id) && !request.pngPath && !mapSize) {
            return std::string(id == OptionId::kSize ? "--size" : "--marker") +
                   " applies only to --export-png";
        }
    }
    if (request.bandCsvPath && request.lineCsvPath &&
        *request.bandCsvPath == *request.lineCsvPath) {
        return *request.bandCsvPath == kStandardOutputName
                   ? "--export-csv and --export-lines cannot both write to standard output"
                   : "--export-csv and --export-lines name the same file";
    }
    for (const auto* csv : {&request.bandCsvPath, &request.lineCsvPath}) {
        if (*csv && request.pngPath && **csv == *request.pngPath) {
            return std::string(csv == &request.bandCsvPath ? "--export-csv" : "--export-lines") +
                   " and --export-png name the same file";
        }
    }
    const std::pair<const char*, const std::optional<std::string>*> others[] = {
        {"--export-png", &request.pngPath},
        {"--export-csv", &request.bandCsvPath},
        {"--export-lines", &request.lineCsvPath}};
    for (const auto& [name, path] : others) {
        if (request.savePlanPath && *path && **path == *request.savePlanPath) {
            return std::string("--save-plan and ") + name + " name the same file";
        }
    }
    return std::nullopt;
}

CliUsageError Complaint(const std::string& message) {
    return {"quorvel: " + message};
}

}  // namespace

std::variant<CliRequest, CliUsageError> ParseCommandLine(std::span<const std::string_view> args,
                                                         const PlanFields& plan) {
    CliRequest request;
    request.plan = plan;
    std::set<OptionId> seen;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string_view arg = args[i];
        if (arg.size() < 2 || arg.front() != '-') {
            // One plan file may stand alone; anything else loose is a slip.
            if (request.planPath || arg.empty()) {
                return Complaint("unexpected argument " + Quoted(arg) + " (see --help)");
            }
            request.planPath = std::string(arg);
            continue;
        }
        const auto equals = arg.find('=');
        const std::string_view name = arg.substr(0, equals);
        const OptionSpec* option = FindOption(name);
        if (option == nullptr) {
            return Complaint("unknown option " + Quoted(name) + " (see --help)");
        }
        if (option->kind == ValueKind::kNone) {
            if (equals != std::string_view::npos) {
                return Complaint(std::string(name) + " takes no value");
            }
            request.action = option->id == OptionId::kHelp ? CliAction::kHelp : CliAction::kVersion;
            return request;
        }
        if (!seen.insert(option->id).second) {
            return Complaint(std::string(option->name) + " is given more than once");
        }
        std::string_view value;
        if (equals != std::string_view::npos) {
            value = arg.substr(equals + 1);
        } else if (i + 1 < args.size()) {
            // Whatever follows is the value, a leading minus sign included (--if -5).
            value = args[++i];
        } else {
            return Complaint(std::string(option->name) + " needs a value");
        }
        if (auto complaint = ApplyValue(*option, value, request)) {
            return Complaint(*complaint);
        }
    }
    if (auto complaint = CheckCombination(request, seen)) {
        return Complaint(*complaint);
    }
    if (request.pngPath || request.bandCsvPath || request.lineCsvPath || request.savePlanPath ||
        request.cleanFsPath || request.cleanIfPath || request.cleanMapPath) {
        request.action = CliAction::kExport;
    }
    return request;
}

std::string UsageText() {
    const ChartAreaSize chartArea = DefaultChartAreaSize();
    return "Usage: quorvel [OPTIONS] [FILE]\n"
           "\n"
           "Without an export option Quorvel opens its window, with the plan values given\n"
           "below in its fields instead of the defaults, and the plan file FILE (.qvplan)\n"
           "as its file when one is given.\n"
           "\n"
           "Plan files:\n"
           "  --plan FILE          start from the plan in FILE; the values below override it\n"
           "  --save-plan FILE     write the plan (FILE's values, overridden by the values\n"
           "                       below) as a plan file, then exit\n"
           "\n"
           "Plan values (read as in the edit fields; frequencies in MHz):\n"
           "  --fs MHZ             sample rate Fs (default 737.28)\n"
           "  --if MHZ             centre of the IF band (default 184.32)\n"
           "  --if-bw MHZ          width of the IF band (default 20)\n"
           "  --rf-bw MHZ          width of the RF band around the IF (default 100)\n"
           "  --harmonics N        highest harmonic shown (default 15; drawn up to 26)\n"
           "\n"
           "Exports (no window and no display needed; several may be combined):\n"
           "  --export-png FILE    the chart area as a PNG image\n"
           "  --size WxH           its size in pixels, each 1 to " +
           std::to_string(kMaxExportSide) + " (default " + std::to_string(chartArea.width) + "x" +
           std::to_string(chartArea.height) +
           ",\n"
           "                       the chart area of the window at its initial size)\n"
           "  --marker X,Y         show the frequency readout of a left click at X,Y in\n"
           "                       window coordinates (the " +
           std::to_string(kControlStripHeight) +
           "-pixel control strip included)\n"
           "  --export-csv FILE    the harmonic band table:\n"
           "                       harmonic,lo_mhz,hi_mhz,in_if_band,in_rf_band\n"
           "  --export-lines FILE  the alias lines, one row per vertex:\n"
           "                       harmonic,vertex,x_mhz,y_mhz,colour\n"
           "                       FILE '-' writes a CSV export to standard output.\n"
           "\n"
           "Clean frequencies (no harmonic 2..H meets the bands, the IF band does not fold\n"
           "onto itself):\n"
           "  --export-clean-fs FILE  every clean Fs in --fs-range, for the plan's IF:\n"
           "                       fs_lo_mhz,fs_hi_mhz, one row per interval\n"
           "  --export-clean-if FILE  every clean IF in --if-range, for the plan's Fs:\n"
           "                       if_lo_mhz,if_hi_mhz, one row per interval\n"
           "  --export-clean-map FILE.png  the clean map, Fs across --fs-range, IF up\n"
           "                       --if-range (--size WxH, default 960x640)\n"
           "  --fs-range MIN:MAX   the range of Fs searched (MHz)\n"
           "  --if-range MIN:MAX   the range of IF searched (MHz)\n"
           "  --against BANDS      if, rf or both (default both)\n"
           "  --margin MHZ         guard margin around the bands (default 0)\n"
           "\n"
           "  -h, --help           show this help and exit\n"
           "  --version            show the version and exit\n"
           "\n"
           "An option's value follows it (--fs 1000) or is joined by '=' (--fs=1000).\n"
           "Files are replaced whole or not at all; pipes and devices are written as they are.\n"
           "Exit status: 0 done, 1 an output not written or no band table and alias lines\n"
           "to export (Fs or RF BW not above 0; the PNG is still written), 2 bad use (two\n"
           "exports to one file included).\n";
}

ChartAreaSize DefaultChartAreaSize() {
    const DialogPixels client = DialogClientRect(MainDialogTemplate());
    return {client.width, client.height - kControlStripHeight};
}

std::string VersionText() {
    return std::string("Quorvel ") + version::kVersion + "\n";
}

}  // namespace quorvel
