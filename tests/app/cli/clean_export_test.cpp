// The clean-frequency exports: bad use of their options, the CSV as the finder's intervals
// to the last bit, and a worked case and a refusal through the real binary.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "app/cli_options.h"
#include "app/export_clean.h"
#include "export_fixture.h"

namespace quorvel {
namespace {

using test::CsvRows;
using test::ExportBinaryTest;
using test::Number;

struct CleanBadUse {
    const char* name;
    std::vector<std::string_view> args;
    std::string message;  ///< after "quorvel: "
};

class CleanBadUseTest : public ::testing::TestWithParam<CleanBadUse> {};

TEST_P(CleanBadUseTest, SaysWhatIsWrongInOneLine) {
    const auto result = ParseCommandLine(GetParam().args, PlanFields{});
    const auto* error = std::get_if<CliUsageError>(&result);
    ASSERT_NE(error, nullptr);
    EXPECT_EQ(error->message, "quorvel: " + GetParam().message);
}

const std::string kNotRange = " is not MIN:MAX (two numbers, MIN below MAX)";
const std::string kNotMargin = " is not a margin (a number of MHz, 0 or more)";

INSTANTIATE_TEST_SUITE_P(
    Options, CleanBadUseTest,
    ::testing::Values(
        CleanBadUse{"FsRangeMissing",
                    {"--export-clean-fs", "a.csv"},
                    "--export-clean-fs needs --fs-range MIN:MAX"},
        CleanBadUse{"IfRangeMissing",
                    {"--export-clean-if", "a.csv", "--fs-range", "1:2"},
                    "--export-clean-if needs --if-range MIN:MAX"},
        CleanBadUse{"MapNeedsBoth",
                    {"--export-clean-map", "m.png", "--fs-range", "1:2"},
                    "--export-clean-map needs --fs-range MIN:MAX and --if-range MIN:MAX"},
        CleanBadUse{"NoColon", {"--fs-range", "100"}, "--fs-range: '100'" + kNotRange},
        CleanBadUse{"NotANumber", {"--if-range", "0:abc"}, "--if-range: '0:abc'" + kNotRange},
        CleanBadUse{"MinAtMax", {"--fs-range=5:5"}, "--fs-range: '5:5'" + kNotRange},
        CleanBadUse{"MinAboveMax", {"--fs-range", "9:-9"}, "--fs-range: '9:-9'" + kNotRange},
        CleanBadUse{"Overflow", {"--if-range", "1:1e400"}, "--if-range: '1:1e400'" + kNotRange},
        CleanBadUse{"NegativeMargin", {"--margin", "-0.5"}, "--margin: '-0.5'" + kNotMargin},
        CleanBadUse{"InfiniteMargin", {"--margin", "inf"}, "--margin: 'inf'" + kNotMargin},
        CleanBadUse{"UnknownBands", {"--against", "IF"}, "--against: 'IF' is not if, rf or both"},
        CleanBadUse{
            "FsRangeAlone",
            {"--export-clean-if", "a.csv", "--if-range", "0:1", "--fs-range", "1:2"},
            "--fs-range applies only to --export-clean-fs, --export-clean-map and --save-plan"},
        CleanBadUse{
            "IfRangeAlone",
            {"--if-range", "0:1"},
            "--if-range applies only to --export-clean-if, --export-clean-map and --save-plan"},
        CleanBadUse{"AgainstAlone",
                    {"--export-csv", "-", "--against", "rf"},
                    "--against applies only to the clean-frequency exports and --save-plan"},
        CleanBadUse{"MarginAlone",
                    {"--margin", "1"},
                    "--margin applies only to the clean-frequency exports and --save-plan"},
        CleanBadUse{"MapToStandardOutput",
                    {"--export-clean-map", "-"},
                    "--export-clean-map needs a file name ('-' is for the CSV exports)"}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(CleanExportCsv, RowsReadBackToTheFindersIntervalsExactly) {
    std::mt19937 random(12);
    std::uniform_real_distribution<double> unit(0, 1);
    for (int trial = 0; trial < 200; ++trial) {
        PlanFields plan;
        plan.m_fs = 50 + 1500 * unit(random);
        plan.m_if = 20 + 400 * unit(random);
        plan.m_ifBw = 1 + 30 * unit(random);
        plan.m_rfBw = plan.m_ifBw * (1 + 3 * unit(random));
        plan.m_harmonics = 2 + trial % 12;
        const SpurQuery query{static_cast<Against>(trial % 3), trial % 2 * 2 * unit(random)};
        const bool alongFs = trial % 2 == 0;
        const double lo = 400 * unit(random);
        const FrequencyInterval range{lo, lo + 10 + 2000 * unit(random)};
        const auto csv = alongFs ? CleanFsCsv(plan, range, query) : CleanIfCsv(plan, range, query);
        const auto expected =
            alongFs ? FindCleanFs(plan, range, query) : FindCleanIf(plan, range, query);
        ASSERT_TRUE(std::holds_alternative<std::string>(csv));
        const auto rows = CsvRows(QByteArray::fromStdString(std::get<std::string>(csv)));
        ASSERT_EQ(rows.size(), expected.intervals.size() + 1);
        EXPECT_EQ(rows[0], (std::vector<std::string>{alongFs ? "fs_lo_mhz" : "if_lo_mhz",
                                                     alongFs ? "fs_hi_mhz" : "if_hi_mhz"}));
        for (std::size_t i = 0; i < expected.intervals.size(); ++i) {
            EXPECT_EQ(Number(rows[i + 1][0]), expected.intervals[i].lo);
            EXPECT_EQ(Number(rows[i + 1][1]), expected.intervals[i].hi);
        }
    }
}

// The default plan, H = 5, against the IF band [a, b] = [174.32, 194.32]. Harmonic n meets it
// when some k Fs lies in [n a - b, n b - a] or [n a + a, n b + b]: H3's first window, k = 1,
// spoils 328.64..408.64; H4's second one, 871.6..971.6, spoils 435.8..485.8 at k = 2 and
// 290.53..323.87 at k = 3; nothing lies above H5's 6b = 1165.92.
TEST_F(ExportBinaryTest, CleanFsOfTheDefaultPlanAgainstTheIfBand) {
    const auto result = Run({"--harmonics", "5", "--against", "if", "--export-clean-fs", "fs.csv",
                             "--fs-range", "300:2000"});
    ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
    const auto rows = CsvRows(Contents("fs.csv"));
    ASSERT_EQ(rows.size(), 8u);
    EXPECT_EQ(rows[1][0], "323.8666666666666");
    EXPECT_EQ(Number(rows[1][1]), 328.64000000000004);
    EXPECT_EQ(Number(rows[2][0]), 408.64000000000004);
    EXPECT_EQ(Number(rows[2][1]), 435.79999999999995);
    EXPECT_EQ(rows[7], (std::vector<std::string>{"1165.9199999999998", "2000"}));
}

TEST_F(ExportBinaryTest, ARefusalOfTheFinderExitsOneAndWritesNothing) {
    // Bands a millionth of a MHz wide at 1000 MHz stay apart for some 10^9 multiples.
    const auto result =
        Run({"--if", "1000", "--if-bw", "1e-6", "--rf-bw", "1e-6", "--export-clean-fs", "fs.csv",
             "--fs-range", "1e-3:1e6", "--export-csv", "bands.csv"});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.err.toStdString(),
              "quorvel: --export-clean-fs: the range holds too many intervals to list (over 2 "
              "million); narrow it\n");
    EXPECT_TRUE(Entries().isEmpty());
}

// In-process. Bands a hundredth of a MHz wide at 1000 MHz: a row of Fs 1..2000 holds some
// 480 000 intervals, which a map body of 4 rows allows and one of 100 does not.
TEST_F(ExportBinaryTest, AMapRefusedForItsSizeSaysToMakeItSmaller) {
    const PlanFields plan{.m_if = 1000, .m_ifBw = 0.01, .m_rfBw = 0.01};
    const FrequencyInterval fs{1, 2000};
    const FrequencyInterval ifc{999, 1000};
    EXPECT_TRUE(std::holds_alternative<QByteArray>(CleanMapPng(plan, fs, ifc, {}, 200, 80)));
    const auto tall = CleanMapPng(plan, fs, ifc, {}, 200, 176);
    ASSERT_TRUE(std::holds_alternative<CleanExportFailure>(tall));
    EXPECT_EQ(std::get<CleanExportFailure>(tall).message,
              "quorvel: --export-clean-map: the map is too large at this size to compute; make it "
              "smaller (--size)");
}

TEST_F(ExportBinaryTest, CleanMapIsAPngOfTheGivenSize) {
    const auto result = Run({"--export-clean-map", "map.png", "--fs-range", "400:1600",
                             "--if-range", "0:368.64", "--size", "300x200"});
    ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
    EXPECT_EQ(test::LoadedPng(PathOf("map.png")).size(), QSize(300, 200));
}

}  // namespace
}  // namespace quorvel
