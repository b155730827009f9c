#include "cli_option_table.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>

#include "app/clean_options.h"
#include "app/export_clean.h"
#include "app/export_png.h"
#include "app/export_vector.h"
#include "app/quoted_text.h"
#include "charts/chart_area.h"
#include "charts/chart_look.h"
#include "plan/frequency_text.h"
#include "plan/number_text.h"
#include "plan/spur_ledger.h"
#include "res/version.h"

namespace quorvel {
namespace {

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

std::string Text(double value) {
    return FormatPlanNumber(value);
}

Problem NotA(std::string_view name, std::string_view value, const char* what) {
    return std::string(name) + ": " + Quoted(value) + " is not " + what;
}

template <double PlanFields::*Field>
Problem StoreNumber(std::string_view name, std::string_view value, CliRequest& request) {
    const auto number = ParseFrequencyText(value);
    if (!number) {
        return NotA(name, value, "a number");
    }
    request.plan.*Field = *number;
    return std::nullopt;
}

Problem StoreHarmonics(std::string_view name, std::string_view value, CliRequest& request) {
    const auto number = ParsePlanInteger(value);
    if (!number) {
        return NotA(name, value, "a whole number");
    }
    request.plan.m_harmonics = *number;
    return std::nullopt;
}

/// A file name; `-` stands for standard output where `StandardOutputToo`.
template <std::optional<std::string> CliRequest::*Path, bool StandardOutputToo>
Problem StoreFile(std::string_view name, std::string_view value, CliRequest& request) {
    if (value.empty()) {
        return std::string(name) + " needs a file name";
    }
    if (!StandardOutputToo && value == kStandardOutputName) {
        return std::string(name) + " needs a file name ('-' is for the CSV exports)";
    }
    request.*Path = std::string(value);
    return std::nullopt;
}

Problem StorePlanFile(std::string_view name, std::string_view value, CliRequest& request) {
    if (request.planPath && !value.empty()) {
        return "a plan file is given twice (" + Quoted(*request.planPath) + " and " +
               Quoted(value) + ")";
    }
    return StoreFile<&CliRequest::planPath, true>(name, value, request);
}

Problem StoreSize(std::string_view name, std::string_view value, CliRequest& request) {
    const auto size = ParseSize(value);
    if (!size) {
        return NotA(
            name, value,
            ("WIDTHxHEIGHT in pixels, each 1 to " + std::to_string(kMaxExportSide)).c_str());
    }
    request.width = size->first;
    request.height = size->second;
    request.sizeGiven = true;
    return std::nullopt;
}

Problem StoreMarker(std::string_view name, std::string_view value, CliRequest& request) {
    const auto marker = ParseMarker(value);
    if (!marker) {
        return NotA(name, value, "X,Y (two whole numbers)");
    }
    request.marker = *marker;
    return std::nullopt;
}

/// A whole number from lo to hi into the model.
template <int SpurModel::*Field, int Lo, int Hi>
Problem StoreModelCount(std::string_view name, std::string_view value, CliRequest& request) {
    const auto number = ParsePlanInteger(value);
    if (!number || *number < Lo || *number > Hi) {
        return NotA(
            name, value,
            ("a whole number from " + std::to_string(Lo) + " to " + std::to_string(Hi)).c_str());
    }
    request.query.model.*Field = *number;
    return std::nullopt;
}

/// A frequency the finder can work with: finite and within its limit.
std::optional<double> ParseModelFrequency(std::string_view text) {
    const auto number = ParseFrequencyText(text);
    if (!number || !(std::fabs(*number) <= kFinderFrequencyLimit)) {
        return std::nullopt;
    }
    return number;
}

constexpr const char* kModelFrequencyText = "a number of MHz within 1e100";

Problem StoreClockSpur(std::string_view name, std::string_view value, CliRequest& request) {
    const auto number = ParseModelFrequency(value);
    if (!number) {
        return NotA(name, value, kModelFrequencyText);
    }
    request.query.model.hasClockSpur = true;
    request.query.model.clockSpur = *number;
    return std::nullopt;
}

/// A level: finite, from -200 to 0 (dBFS or dBc).
std::optional<double> ParseLevel(std::string_view text) {
    const auto number = ParsePlanNumber(text);
    if (!number || !ValidLevel(*number)) {
        return std::nullopt;
    }
    return number;
}

constexpr const char* kLevelText = "a level from -200 to 0";

template <double SpurLevels::*Field>
Problem StoreLevel(std::string_view name, std::string_view value, CliRequest& request) {
    const auto level = ParseLevel(value);
    if (!level) {
        return NotA(name, value, kLevelText);
    }
    request.query.model.levels.*Field = *level;
    return std::nullopt;
}

template <std::optional<double> SpurLevels::*Field>
Problem StoreOptionalLevel(std::string_view name, std::string_view value, CliRequest& request) {
    const auto level = ParseLevel(value);
    if (!level) {
        return NotA(name, value, kLevelText);
    }
    request.query.model.levels.*Field = *level;
    return std::nullopt;
}

/// Levels by order, comma separated: at most kMaxLevelList of them, each a level.
template <std::vector<double> SpurLevels::*Field>
Problem StoreLevelList(std::string_view name, std::string_view value, CliRequest& request) {
    std::vector<double> levels;
    std::size_t start = 0;
    while (true) {
        const std::size_t comma = value.find(',', start);
        const auto level = ParseLevel(value.substr(start, comma - start));
        if (!level) {
            return NotA(name, value,
                        ("a list of levels from -200 to 0, separated by commas, at most " +
                         std::to_string(kMaxLevelList))
                            .c_str());
        }
        levels.push_back(*level);
        if (comma == std::string_view::npos) {
            break;
        }
        start = comma + 1;
    }
    if (levels.size() > static_cast<std::size_t>(kMaxLevelList)) {
        return std::string(name) + ": " + std::to_string(levels.size()) +
               " levels given, at most " + std::to_string(kMaxLevelList);
    }
    request.query.model.levels.*Field = std::move(levels);
    return std::nullopt;
}

Problem StoreInterferer(std::string_view name, std::string_view value, CliRequest& request) {
    const auto first = value.find(':');
    const auto second = first == std::string_view::npos ? first : value.find(':', first + 1);
    const auto third = second == std::string_view::npos ? second : value.find(':', second + 1);
    const auto centre = ParseModelFrequency(value.substr(0, first));
    if (!centre || first == std::string_view::npos) {
        return NotA(name, value, "CENTRE:WIDTH[:ORDERS[:DBFS]] (MHz, MHz, 1 to 26, -200 to 0)");
    }
    const auto width = ParseModelFrequency(value.substr(first + 1, second - first - 1));
    if (!width || *width < 0) {
        return std::string(name) + ": " + Quoted(value) + " needs a width of 0 MHz or more";
    }
    Interferer in{*centre, *width, 1};
    if (second != std::string_view::npos) {
        const auto orders = ParsePlanInteger(value.substr(second + 1, third - second - 1));
        if (!orders || !ValidModelOrder(*orders)) {
            return std::string(name) + ": " + Quoted(value) + " needs orders from 1 to " +
                   std::to_string(kMaxModelOrder);
        }
        in.orders = *orders;
    }
    if (third != std::string_view::npos) {
        in.level = ParseLevel(value.substr(third + 1));
        if (!in.level) {
            return std::string(name) + ": " + Quoted(value) +
                   " needs a level from -200 to 0 dBFS after its orders";
        }
    }
    if (request.interferersGiven++ == 0) {
        request.query.model.interferers.clear();
    }
    request.query.model.interferers.push_back(in);
    return std::nullopt;
}

template <CleanSetting Setting>
Problem StoreClean(std::string_view name, std::string_view value, CliRequest& request) {
    return ApplyCleanSetting(Setting, name, value, request);
}

bool ReadByChartArea(const CliRequest& r) {
    return r.pngPath || r.svgPath || r.pdfPath;
}
bool ReadByAnImage(const CliRequest& r) {
    return ReadByChartArea(r) || r.cleanMapPath || r.spectrumPath;
}
bool IsPng(const std::optional<std::string>& path) {
    return path && ImageFormatOfName(*path) == ImageFormat::kPng;
}
bool ReadByAPng(const CliRequest& r) {
    return r.pngPath || IsPng(r.cleanMapPath) || IsPng(r.spectrumPath);
}

constexpr std::string_view kImageReaders = "the image exports";

Problem StoreTheme(std::string_view name, std::string_view value, CliRequest& request) {
    const auto* it = std::find_if(kThemeNames.begin(), kThemeNames.end(),
                                  [value](const auto& e) { return value == e.second; });
    if (it == kThemeNames.end()) {
        return NotA(name, value, "dark or light");
    }
    request.theme = it->first;
    return std::nullopt;
}

Problem StoreScale(std::string_view name, std::string_view value, CliRequest& request) {
    const auto number = ParsePlanInteger(value);
    if (!number || *number < 1 || *number > kMostChartScale) {
        return NotA(name, value,
                    ("a whole number from 1 to " + std::to_string(kMostChartScale)).c_str());
    }
    request.scale = *number;
    return std::nullopt;
}
bool ReadByFsFinder(const CliRequest& r) {
    return r.cleanFsPath || r.cleanMapPath || r.savePlanPath;
}
bool ReadByIfFinder(const CliRequest& r) {
    return r.cleanIfPath || r.cleanMapPath || r.savePlanPath;
}
bool ReadByAnyFinder(const CliRequest& r) {
    return r.cleanFsPath || r.cleanIfPath || r.cleanMapPath || r.savePlanPath;
}

constexpr std::string_view kFinderReaders = "the clean-frequency exports and --save-plan";

bool ReadByIdentifying(const CliRequest& r) {
    return r.identify || r.peaksPath;
}
bool ReadByPeaks(const CliRequest& r) {
    return r.peaksPath.has_value();
}

Problem StoreIdentify(std::string_view name, std::string_view value, CliRequest& request) {
    std::vector<double> observed;
    std::size_t start = 0;
    while (true) {
        const std::size_t comma = value.find(',', start);
        const auto number = ParseModelFrequency(value.substr(start, comma - start));
        if (!number) {
            return NotA(name, value, "FREQ[,FREQ...] (MHz within 1e100, separated by commas)");
        }
        observed.push_back(*number);
        if (comma == std::string_view::npos) {
            break;
        }
        start = comma + 1;
    }
    request.identify = std::move(observed);
    return std::nullopt;
}

Problem StoreTolerance(std::string_view name, std::string_view value, CliRequest& request) {
    const auto number = ParseModelFrequency(value);
    if (!number || !(*number > 0)) {
        return NotA(name, value, "a number of MHz above 0");
    }
    request.tolerance = *number;
    return std::nullopt;
}

Problem StorePeakThreshold(std::string_view name, std::string_view value, CliRequest& request) {
    const auto number = ParsePlanNumber(value);
    if (!number || !(*number >= 0 && *number <= 1e6)) {
        return NotA(name, value, "a number of dB from 0");
    }
    request.peakThreshold = *number;
    return std::nullopt;
}

// In the order --help lists them.
const std::array kOptions{
    Option{.name = "--plan",
           .value = "FILE",
           .section = Section::kPlanFiles,
           .text = "start from the plan in FILE; the values below override it",
           .store = StorePlanFile},
    Option{.name = "--save-plan",
           .value = "FILE",
           .section = Section::kPlanFiles,
           .text = "write the plan (FILE's values, overridden by the values\n"
                   "below) as a plan file, then exit",
           .store = StoreFile<&CliRequest::savePlanPath, true>,
           .output = &CliRequest::savePlanPath},
    Option{.name = "--fs",
           .value = "MHZ",
           .section = Section::kPlanValues,
           .help = [] { return "sample rate Fs (default " + Text(PlanFields{}.m_fs) + ")"; },
           .store = StoreNumber<&PlanFields::m_fs>},
    Option{.name = "--if",
           .value = "MHZ",
           .section = Section::kPlanValues,
           .help = [] { return "centre of the IF band (default " + Text(PlanFields{}.m_if) + ")"; },
           .store = StoreNumber<&PlanFields::m_if>},
    Option{
        .name = "--if-bw",
        .value = "MHZ",
        .section = Section::kPlanValues,
        .help = [] { return "width of the IF band (default " + Text(PlanFields{}.m_ifBw) + ")"; },
        .store = StoreNumber<&PlanFields::m_ifBw>},
    Option{.name = "--rf-bw",
           .value = "MHZ",
           .section = Section::kPlanValues,
           .help =
               [] {
                   return "width of the RF band around the IF (default " +
                          Text(PlanFields{}.m_rfBw) + ")";
               },
           .store = StoreNumber<&PlanFields::m_rfBw>},
    Option{.name = "--harmonics",
           .value = "N",
           .section = Section::kPlanValues,
           .help =
               [] {
                   return "highest harmonic shown (default " +
                          FormatPlanInteger(PlanFields{}.m_harmonics) + "; drawn up to " +
                          std::to_string(kHarmonicCap) + ")";
               },
           .store = StoreHarmonics},
    Option{.name = "--interleave",
           .value = "M",
           .section = Section::kModel,
           .help =
               [] {
                   return "cores of an interleaved converter, 1 to " +
                          std::to_string(kMaxInterleave) + " (default " +
                          std::to_string(SpurModel{}.interleave) +
                          ", not interleaved):\nimages q Fs/M + n f and offset tones q Fs/M";
               },
           .store = StoreModelCount<&SpurModel::interleave, 1, kMaxInterleave>},
    Option{.name = "--interleave-orders",
           .value = "N",
           .section = Section::kModel,
           .help =
               [] {
                   return "image orders n = 1..N, N up to " + std::to_string(kMaxModelOrder) +
                          " (default " + std::to_string(SpurModel{}.interleaveOrders) + ")";
               },
           .store = StoreModelCount<&SpurModel::interleaveOrders, 1, kMaxModelOrder>},
    Option{.name = "--clock-spur",
           .value = "MHZ",
           .section = Section::kModel,
           .text = "a spur on the sample clock at Fc from the carrier: sidebands\n"
                   "n f + Fc and n f - Fc (default none)",
           .store = StoreClockSpur},
    Option{.name = "--clock-spur-orders",
           .value = "N",
           .section = Section::kModel,
           .help =
               [] {
                   return "sideband orders n = 1..N, N up to " + std::to_string(kMaxModelOrder) +
                          " (default " + std::to_string(SpurModel{}.clockSpurOrders) + ")";
               },
           .store = StoreModelCount<&SpurModel::clockSpurOrders, 1, kMaxModelOrder>},
    Option{.name = "--interferer",
           .value = "C:W[:N]",
           .section = Section::kModel,
           .help =
               [] {
                   return "a signal centred on C, W wide (MHz), and its harmonics up to\n"
                          "order N (default 1); up to " +
                          std::to_string(kMaxInterferers) + " of them";
               },
           .store = StoreInterferer,
           .repeats = kMaxInterferers},
    Option{.name = "--signal-level",
           .value = "DBFS",
           .section = Section::kLevels,
           .help =
               [] {
                   return "the signal's level Ls (default " +
                          ShortestNumberText(SpurLevels{}.signal) +
                          "); every level is from -200 to 0";
               },
           .store = StoreLevel<&SpurLevels::signal>},
    Option{.name = "--hd",
           .value = "DBC,...",
           .section = Section::kLevels,
           .text = "harmonic levels HD2, HD3, ... in order; the rest stay unknown",
           .store = StoreLevelList<&SpurLevels::harmonics>},
    Option{.name = "--interleave-levels",
           .value = "DBC,...",
           .section = Section::kLevels,
           .text = "interleaving image levels by order from 1",
           .store = StoreLevelList<&SpurLevels::images>},
    Option{.name = "--offset-level",
           .value = "DBFS",
           .section = Section::kLevels,
           .text = "the level of every interleaving offset tone",
           .store = StoreOptionalLevel<&SpurLevels::offset>},
    Option{.name = "--clock-spur-levels",
           .value = "DBC,...",
           .section = Section::kLevels,
           .text = "clock sideband levels by order from 1",
           .store = StoreLevelList<&SpurLevels::sidebands>},
    Option{.name = "--spur-floor",
           .value = "DBC",
           .section = Section::kLevels,
           .text = "a spur counts only above this level; an unknown level always counts\n"
                   "(--interferer C:W:N:DBFS gives an interferer's own level)",
           .store = StoreOptionalLevel<&SpurLevels::floor>},
    Option{.name = "--export-png",
           .value = "FILE",
           .section = Section::kExports,
           .text = "the chart area as a PNG image",
           .store = StoreFile<&CliRequest::pngPath, false>,
           .output = &CliRequest::pngPath},
    Option{.name = "--export-svg",
           .value = "FILE",
           .section = Section::kExports,
           .text = "the chart area as SVG: lines as lines, text as text",
           .store = StoreFile<&CliRequest::svgPath, false>,
           .output = &CliRequest::svgPath},
    Option{.name = "--export-pdf",
           .value = "FILE",
           .section = Section::kExports,
           .text = "the chart area as a one-page PDF, 96 pixels to the inch",
           .store = StoreFile<&CliRequest::pdfPath, false>,
           .output = &CliRequest::pdfPath},
    Option{.name = "--size",
           .value = "WxH",
           .section = Section::kExports,
           .help =
               [] {
                   const ChartAreaSize area = DefaultChartAreaSize();
                   return "its size in pixels, each 1 to " + std::to_string(kMaxExportSide) +
                          " (default " + std::to_string(area.width) + "x" +
                          std::to_string(area.height) +
                          ",\nthe chart area of the window at its initial size)";
               },
           .store = StoreSize,
           .readBy = ReadByAnImage,
           .readByText = kImageReaders},
    Option{.name = "--theme",
           .value = "THEME",
           .section = Section::kExports,
           .text = "dark (the window's, the default) or light: white ground,\n"
                   "dark lines and text, for print; every image export",
           .store = StoreTheme,
           .readBy = ReadByAnImage,
           .readByText = kImageReaders},
    Option{.name = "--scale",
           .value = "N",
           .section = Section::kExports,
           .help =
               [] {
                   return "PNG exports drawn N times as large (1 to " +
                          std::to_string(kMostChartScale) +
                          ", default 1):\nthe layout of WxH / N; without --size, N times the\n"
                          "default size";
               },
           .store = StoreScale,
           .readBy = ReadByAPng,
           .readByText = "the PNG exports"},
    Option{
        .name = "--marker",
        .value = "X,Y",
        .section = Section::kExports,
        .help =
            [] {
                return "show the frequency readout of a left click at X,Y in\nwindow coordinates "
                       "(the " +
                       std::to_string(kControlStripHeight) + "-pixel control strip included)";
            },
        .store = StoreMarker,
        .readBy = ReadByChartArea,
        .readByText = "--export-png, --export-svg and --export-pdf"},
    Option{.name = "--export-csv",
           .value = "FILE",
           .section = Section::kExports,
           .text = "the harmonic band table:\nharmonic,lo_mhz,hi_mhz,in_if_band,in_rf_band",
           .store = StoreFile<&CliRequest::bandCsvPath, true>,
           .output = &CliRequest::bandCsvPath},
    Option{.name = "--export-spurs",
           .value = "FILE",
           .section = Section::kExports,
           .help =
               [] {
                   return "the spur ledger, one row per member of every family:\n" +
                          std::string(kSpurLedgerCsvColumns);
               },
           .store = StoreFile<&CliRequest::spurLedgerPath, true>,
           .output = &CliRequest::spurLedgerPath},
    Option{.name = "--export-spectrum",
           .value = "FILE",
           .section = Section::kExports,
           .help =
               [] {
                   return "the folded spectrum, 0 to Fs/2, every spur at its level\n(--size WxH, "
                          "default " +
                          std::to_string(kDefaultSpectrumWidth) + "x" +
                          std::to_string(kDefaultSpectrumHeight) +
                          "); as SVG or PDF when FILE\nends in .svg or .pdf, else PNG";
               },
           .store = StoreFile<&CliRequest::spectrumPath, false>,
           .output = &CliRequest::spectrumPath},
    Option{.name = "--export-lines",
           .value = "FILE",
           .section = Section::kExports,
           .text = "the alias lines, one row per vertex:\nharmonic,vertex,x_mhz,y_mhz,colour\n"
                   "FILE '-' writes a CSV export to standard output.",
           .store = StoreFile<&CliRequest::lineCsvPath, true>,
           .output = &CliRequest::lineCsvPath},
    Option{.name = "--export-clean-fs",
           .value = "FILE",
           .section = Section::kClean,
           .text = "every clean Fs in --fs-range, for the plan's IF:\n"
                   "fs_lo_mhz,fs_hi_mhz, one row per interval",
           .store = StoreFile<&CliRequest::cleanFsPath, true>,
           .output = &CliRequest::cleanFsPath},
    Option{.name = "--export-clean-if",
           .value = "FILE",
           .section = Section::kClean,
           .text = "every clean IF in --if-range, for the plan's Fs:\n"
                   "if_lo_mhz,if_hi_mhz, one row per interval",
           .store = StoreFile<&CliRequest::cleanIfPath, true>,
           .output = &CliRequest::cleanIfPath},
    Option{.name = "--export-clean-map",
           .value = "FILE",
           .section = Section::kClean,
           .help =
               [] {
                   return "the clean map, Fs across --fs-range, IF up\n--if-range (--size WxH, "
                          "default " +
                          std::to_string(kDefaultCleanMapWidth) + "x" +
                          std::to_string(kDefaultCleanMapHeight) +
                          "); as SVG or\nPDF when FILE ends in .svg or .pdf, else PNG";
               },
           .store = StoreFile<&CliRequest::cleanMapPath, false>,
           .output = &CliRequest::cleanMapPath},
    Option{.name = "--fs-range",
           .value = "MIN:MAX",
           .section = Section::kClean,
           .text = "the range of Fs searched (MHz)",
           .store = StoreClean<CleanSetting::kFsRange>,
           .readBy = ReadByFsFinder,
           .readByText = "--export-clean-fs, --export-clean-map and --save-plan"},
    Option{.name = "--if-range",
           .value = "MIN:MAX",
           .section = Section::kClean,
           .text = "the range of IF searched (MHz)",
           .store = StoreClean<CleanSetting::kIfRange>,
           .readBy = ReadByIfFinder,
           .readByText = "--export-clean-if, --export-clean-map and --save-plan"},
    Option{.name = "--against",
           .value = "BANDS",
           .section = Section::kClean,
           .help =
               [] {
                   const Against against = SpurQuery{}.against;
                   const auto* it =
                       std::find_if(kAgainstNames.begin(), kAgainstNames.end(),
                                    [against](const auto& e) { return e.first == against; });
                   return std::string("if, rf or both (default ") + it->second + ")";
               },
           .store = StoreClean<CleanSetting::kAgainst>,
           .readBy = ReadByAnyFinder,
           .readByText = kFinderReaders},
    Option{.name = "--margin",
           .value = "MHZ",
           .section = Section::kClean,
           .help =
               [] {
                   return "guard margin around the bands (default " + Text(SpurQuery{}.margin) +
                          ")";
               },
           .store = StoreClean<CleanSetting::kMargin>,
           .readBy = ReadByAnyFinder,
           .readByText = kFinderReaders},
    Option{.name = "--identify",
           .value = "FREQ,...",
           .section = Section::kIdentify,
           .text = "the members that land within the tolerance of each frequency, on\n"
                   "standard output: observed_mhz,family,order,term,predicted_mhz,\n"
                   "offset_mhz,level_dbfs",
           .store = StoreIdentify},
    Option{.name = "--tolerance",
           .value = "MHZ",
           .section = Section::kIdentify,
           .help =
               [] {
                   return "how near a member must land (default " +
                          ShortestNumberText(kDefaultTolerance) + ")";
               },
           .store = StoreTolerance,
           .readBy = ReadByIdentifying,
           .readByText = "--identify and --export-peaks"},
    Option{.name = "--measured",
           .value = "FILE",
           .section = Section::kIdentify,
           .text = "a measured spectrum: CSV of frequency (MHz, ascending) and level\n"
                   "(dBFS); a header, ';' or tabs, blank lines and # comments allowed",
           .store = StoreFile<&CliRequest::measuredPath, false>,
           .readBy = ReadByPeaks,
           .readByText = "--export-peaks"},
    Option{.name = "--peak-threshold",
           .value = "DB",
           .section = Section::kIdentify,
           .help =
               [] {
                   return "a peak stands this far above the trace's median (default " +
                          ShortestNumberText(kDefaultPeakThreshold) + ")";
               },
           .store = StorePeakThreshold,
           .readBy = ReadByPeaks,
           .readByText = "--export-peaks"},
    Option{.name = "--export-peaks",
           .value = "FILE",
           .section = Section::kIdentify,
           .text = "the measured peaks, each with its nearest member, and a summary on\n"
                   "standard error: frequency_mhz,level_dbfs,family,order,term,\n"
                   "predicted_mhz,offset_mhz",
           .store = StoreFile<&CliRequest::peaksPath, true>,
           .output = &CliRequest::peaksPath},
    Option{.name = "--help",
           .value = "",
           .section = Section::kLast,
           .text = "show this help and exit",
           .action = CliAction::kHelp,
           .alias = "-h"},
    Option{.name = "--version",
           .value = "",
           .section = Section::kLast,
           .text = "show the version and exit",
           .action = CliAction::kVersion},
};

}  // namespace

std::span<const Option> CliOptions() {
    return kOptions;
}

}  // namespace quorvel
