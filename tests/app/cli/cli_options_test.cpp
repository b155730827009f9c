// Reading the command line: value forms, what lands in the plan, and when the dialog starts.
#include "app/cli_options.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "app/command_line.h"

namespace quorvel {
namespace {

CliRequest Parsed(std::vector<std::string_view> args) {
    auto result = ParseCommandLine(args, PlanFields{});
    if (const auto* error = std::get_if<CliUsageError>(&result)) {
        ADD_FAILURE() << error->message;
        return {};
    }
    return std::get<CliRequest>(result);
}

std::string Complaint(std::vector<std::string_view> args) {
    auto result = ParseCommandLine(args, PlanFields{});
    const auto* error = std::get_if<CliUsageError>(&result);
    return error != nullptr ? error->message : "(accepted)";
}

struct BadUse {
    const char* name;
    std::vector<std::string_view> args;
    std::string message;  ///< after "quorvel: "
};

class BadUseTest : public ::testing::TestWithParam<BadUse> {};

TEST_P(BadUseTest, SaysWhatIsWrongInOneLine) {
    EXPECT_EQ(Complaint(GetParam().args), "quorvel: " + GetParam().message);
}

std::string NotASize(const char* text) {
    return std::string("--size: '") + text + "' is not WIDTHxHEIGHT in pixels, each 1 to 16384";
}

INSTANTIATE_TEST_SUITE_P(
    Rows, BadUseTest,
    ::testing::Values(
        BadUse{"UnknownOption",
               {"--export-csv", "a.csv", "--sample-rate", "1000"},
               "unknown option '--sample-rate' (see --help)"},
        BadUse{"UnknownJoinedOption",
               {"--export-csv", "a.csv", "--fz=1000"},
               "unknown option '--fz' (see --help)"},
        BadUse{"StrayArgument",
               {"--export-csv", "a.csv", "a.qvplan", "1000"},
               "unexpected argument '1000' (see --help)"},
        BadUse{"TwoPlanFiles",
               {"a.qvplan", "--plan", "b.qvplan"},
               "a plan file is given twice ('a.qvplan' and 'b.qvplan')"},
        BadUse{"SavePlanOverExport",
               {"--export-csv", "a", "--save-plan", "a"},
               "--save-plan and --export-csv name the same file"},
        BadUse{"MissingValue", {"--export-csv", "a.csv", "--fs"}, "--fs needs a value"},
        BadUse{"NumberDoesNotConvert",
               {"--export-csv", "a.csv", "--if-bw", "20 MHz wide"},
               "--if-bw: '20 MHz wide' is not a number"},
        BadUse{"NumberOutOfRange",
               {"--export-png", "a.png", "--rf-bw=1e999"},
               "--rf-bw: '1e999' is not a number"},
        BadUse{"HarmonicsNotWhole",
               {"--export-csv", "a.csv", "--harmonics", "2.5"},
               "--harmonics: '2.5' is not a whole number"},
        BadUse{"SizeZero", {"--export-png", "a.png", "--size", "0x600"}, NotASize("0x600")},
        BadUse{"SizeTooLarge",
               {"--export-png", "a.png", "--size", "1000x16385"},
               NotASize("1000x16385")},
        BadUse{"SizeOneSide", {"--export-png", "a.png", "--size=800"}, NotASize("800")},
        BadUse{"SizeSigned", {"--export-png", "a.png", "--size", "-800x600"}, NotASize("-800x600")},
        BadUse{"MarkerOneNumber",
               {"--export-png", "a.png", "--marker", "413"},
               "--marker: '413' is not X,Y (two whole numbers)"},
        BadUse{"MarkerThreeNumbers",
               {"--export-png", "a.png", "--marker", "1,2,3"},
               "--marker: '1,2,3' is not X,Y (two whole numbers)"},
        BadUse{"FlagWithValue", {"--version=2"}, "--version takes no value"},
        BadUse{"RepeatedOption",
               {"--export-csv", "a.csv", "--fs", "1", "--fs=2"},
               "--fs is given more than once"},
        BadUse{"EmptyFileName", {"--export-csv="}, "--export-csv needs a file name"},
        BadUse{"PngToStandardOutput",
               {"--export-png", "-"},
               "--export-png needs a file name ('-' is for the CSV exports)"},
        BadUse{"SizeWithoutPng",
               {"--export-csv", "a.csv", "--size", "10x10"},
               "--size applies only to the image exports"},
        BadUse{"MarkerWithoutExport",
               {"--marker", "10,60"},
               "--marker applies only to --export-png, --export-svg and --export-pdf"},
        BadUse{"ScaleAboveItsRange",
               {"--export-png", "a.png", "--scale", "5"},
               "--scale: '5' is not a whole number from 1 to 4"},
        BadUse{"ScaleOfAVectorFile",
               {"--export-spectrum", "a.SVG", "--scale", "2"},
               "--scale applies only to the PNG exports"},
        BadUse{"UnknownTheme",
               {"--export-png", "a.png", "--theme", "blue"},
               "--theme: 'blue' is not dark or light"},
        BadUse{"ThemeWithoutImage",
               {"--export-csv", "a.csv", "--theme", "light"},
               "--theme applies only to the image exports"},
        BadUse{"BothCsvToStandardOutput",
               {"--export-csv", "-", "--export-lines", "-"},
               "--export-csv and --export-lines cannot both write to standard output"},
        BadUse{"SameFileTwice",
               {"--export-png", "a.out", "--export-lines", "a.out"},
               "--export-lines and --export-png name the same file"},
        BadUse{
            "ControlCharacterShownAsQuestionMark", {"--fs", "1\n2"}, "--fs: '1?2' is not a number"},
        BadUse{"InterleaveAboveItsRange",
               {"--interleave", "65"},
               "--interleave: '65' is not a whole number from 1 to 64"},
        BadUse{"InterleaveNotWhole",
               {"--interleave", "2.5"},
               "--interleave: '2.5' is not a whole number from 1 to 64"},
        BadUse{"InterleaveOrdersZero",
               {"--interleave-orders", "0"},
               "--interleave-orders: '0' is not a whole number from 1 to 26"},
        BadUse{"ClockSpurNotANumber",
               {"--clock-spur", "fast"},
               "--clock-spur: 'fast' is not a number of MHz within 1e100"},
        BadUse{"ClockSpurBeyondTheFinder",
               {"--clock-spur", "1e101"},
               "--clock-spur: '1e101' is not a number of MHz within 1e100"},
        BadUse{"ClockSpurOrdersAboveItsRange",
               {"--clock-spur-orders", "27"},
               "--clock-spur-orders: '27' is not a whole number from 1 to 26"},
        BadUse{"InterfererWithoutWidth",
               {"--interferer", "2400"},
               "--interferer: '2400' is not CENTRE:WIDTH[:ORDERS[:DBFS]] (MHz, MHz, 1 to 26, -200 "
               "to 0)"},
        BadUse{"InterfererNegativeWidth",
               {"--interferer", "2400:-5"},
               "--interferer: '2400:-5' needs a width of 0 MHz or more"},
        BadUse{"InterfererOrdersAboveItsRange",
               {"--interferer", "2400:5:27"},
               "--interferer: '2400:5:27' needs orders from 1 to 26"},
        BadUse{"NineInterferers",
               {"--interferer", "1:1", "--interferer", "1:1", "--interferer", "1:1", "--interferer",
                "1:1", "--interferer", "1:1", "--interferer", "1:1", "--interferer", "1:1",
                "--interferer", "1:1", "--interferer", "1:1"},
               "--interferer is given more than 8 times"},
        BadUse{"SignalLevelAboveFullScale",
               {"--signal-level", "0.5"},
               "--signal-level: '0.5' is not a level from -200 to 0"},
        BadUse{"FloorNotANumber",
               {"--spur-floor", "low"},
               "--spur-floor: 'low' is not a level from -200 to 0"},
        BadUse{"HarmonicLevelBelowTheRange",
               {"--hd=-70,-201"},
               "--hd: '-70,-201' is not a list of levels from -200 to 0, separated by commas, at "
               "most 26"},
        BadUse{"ImageLevelsWithAnEmptyEntry",
               {"--interleave-levels", "-70,,-80"},
               "--interleave-levels: '-70,,-80' is not a list of levels from -200 to 0, separated "
               "by commas, at most 26"},
        BadUse{"TwentySevenSidebandLevels",
               {"--clock-spur-levels",
                "-1,-1,-1,-1,-1,-1,-1,-1,-1,-1,-1,-1,-1,-1,-1,-1,-1,-1,-1,-1,"
                "-1,-1,-1,-1,-1,-1,-1"},
               "--clock-spur-levels: 27 levels given, at most 26"},
        BadUse{"InterfererLevelAboveFullScale",
               {"--interferer", "2400:5:2:3"},
               "--interferer: '2400:5:2:3' needs a level from -200 to 0 dBFS after its orders"},
        BadUse{"IdentifyNotANumber",
               {"--identify", "123.4,x"},
               "--identify: '123.4,x' is not FREQ[,FREQ...] (MHz within 1e100, separated by "
               "commas)"},
        BadUse{"ToleranceZero",
               {"--identify", "1", "--tolerance", "0"},
               "--tolerance: '0' is not a number of MHz above 0"},
        BadUse{"ToleranceAlone",
               {"--tolerance", "1"},
               "--tolerance applies only to --identify and --export-peaks"},
        BadUse{"PeaksWithoutAMeasuredSpectrum",
               {"--export-peaks", "-"},
               "--export-peaks needs --measured FILE"},
        BadUse{"IdentifyAndACsvOnStandardOutput",
               {"--identify", "1", "--export-csv", "-"},
               "--identify and --export-csv cannot both write to standard output"},
        BadUse{"LedgerAndBandTableToOneFile",
               {"--export-csv", "a", "--export-spurs", "a"},
               "--export-csv and --export-spurs name the same file"}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(CliOptions, PlanValuesReplaceTheDefaultsAndStartTheDialog) {
    const CliRequest request =
        Parsed({"--fs", "1000", "--if=-5", "--if-bw", "-2.5e1", "--rf-bw=7", "--harmonics", "-3"});
    EXPECT_EQ(request.action, CliAction::kStartDialog);
    EXPECT_EQ(request.plan.m_fs, 1000.0);
    EXPECT_EQ(request.plan.m_if, -5.0);
    EXPECT_EQ(request.plan.m_ifBw, -25.0);
    EXPECT_EQ(request.plan.m_rfBw, 7.0);
    EXPECT_EQ(request.plan.m_harmonics, -3);
}

TEST(CliOptions, ValuesReadLikeTheEditFields) {
    // Blanks around a number are accepted by the edit fields, so here too.
    EXPECT_EQ(Parsed({"--fs", " 491.52 "}).plan.m_fs, 491.52);
    // Units and products, as the fields read them, in every frequency option.
    EXPECT_EQ(Parsed({"--fs", "245.76 MS/s*12"}).plan.m_fs, 245.76 * 12);
    EXPECT_EQ(Parsed({"--clock-spur", "100 kHz"}).query.model.clockSpur, 0.1);
    EXPECT_EQ(Parsed({"--export-clean-fs", "-", "--fs-range", "2GHz:3GHz"}).fsRange,
              (FrequencyInterval{2000, 3000}));
    EXPECT_EQ(Parsed({"--harmonics= 40"}).plan.m_harmonics, 40);
    // However many digits spell it, a value a double can hold is read.
    const std::string tiny = "0." + std::string(400, '0') + "1";
    EXPECT_EQ(Parsed({"--if", tiny}).plan.m_if, 0.0);
}

TEST(CliOptions, ValueStartingWithMinusIsTakenEvenWhenItLooksLikeAnOption) {
    EXPECT_EQ(Parsed({"--export-csv", "--fs"}).bandCsvPath, "--fs");
    EXPECT_EQ(Complaint({"--if", "--fs", "1"}), "quorvel: --if: '--fs' is not a number");
}

TEST(CliOptions, AnyExportMakesItAnExportWithDefaultChartArea) {
    const CliRequest request = Parsed({"--export-png", "a.png"});
    EXPECT_EQ(request.action, CliAction::kExport);
    EXPECT_EQ(request.width, 744);
    EXPECT_EQ(request.height, 532);
    EXPECT_FALSE(request.marker.has_value());
    EXPECT_EQ(Parsed({"--export-lines=-"}).action, CliAction::kExport);
}

TEST(CliOptions, SizeAndMarkerForms) {
    const CliRequest request =
        Parsed({"--export-png", "a.png", "--size=16384X1", "--marker", "-7,+20"});
    EXPECT_EQ(request.width, 16384);
    EXPECT_EQ(request.height, 1);
    ASSERT_TRUE(request.marker.has_value());
    EXPECT_EQ(request.marker->x, -7);
    EXPECT_EQ(request.marker->y, 20);
}

TEST(CliOptions, FirstOfHelpVersionOrBadUseDecides) {
    EXPECT_EQ(Parsed({"--fs", "1", "--help", "--bogus"}).action, CliAction::kHelp);
    EXPECT_EQ(Parsed({"-h"}).action, CliAction::kHelp);
    EXPECT_EQ(Parsed({"--version", "--help"}).action, CliAction::kVersion);
    EXPECT_EQ(Complaint({"--bogus", "--help"}), "quorvel: unknown option '--bogus' (see --help)");
}

TEST(CliOptions, UsageNamesEveryOption) {
    const std::string usage = UsageText();
    for (const char* option :
         {"--fs", "--if", "--if-bw", "--rf-bw", "--harmonics", "--export-png", "--size", "--marker",
          "--export-csv", "--export-lines", "--help", "--version"}) {
        EXPECT_NE(usage.find(option), std::string::npos) << option;
    }
}

// RunCommandLine as main() calls it, with `args` after the program name.
std::optional<int> RunMain(std::vector<std::string> args, PlanFields& plan) {
    args.insert(args.begin(), "quorvel");
    std::vector<char*> argv;
    for (std::string& arg : args) {
        argv.push_back(arg.data());
    }
    argv.push_back(nullptr);
    return RunCommandLine(static_cast<int>(args.size()), argv.data(), plan);
}

TEST(RunCommandLine, WithoutExportLeavesTheValuesForTheDialog) {
    PlanFields plan;
    EXPECT_EQ(RunMain({}, plan), std::nullopt);
    EXPECT_EQ(plan, PlanFields{});
    EXPECT_EQ(RunMain({"--fs=1000", "--harmonics", "40"}, plan), std::nullopt);
    EXPECT_EQ(plan, (PlanFields{.m_fs = 1000.0, .m_harmonics = 40}));  // the paint caps it
}

TEST(RunCommandLine, BadUseLeavesThePlanAlone) {
    PlanFields plan;
    EXPECT_EQ(RunMain({"--fs=1000", "--harmonics=x"}, plan), 2);
    EXPECT_EQ(plan, PlanFields{});
}

}  // namespace
}  // namespace quorvel
