// Reading the command line: value forms, what lands in the plan, and when the dialog starts.
#include "app/cli_options.h"

#include <gtest/gtest.h>

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
    EXPECT_EQ(Parsed({"--harmonics= 40"}).plan.m_harmonics, 40);
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

TEST(CliOptions, ControlCharactersNeverBreakTheMessageLine) {
    EXPECT_EQ(Complaint({"--fs", "1\n2"}), "quorvel: --fs: '1?2' is not a number");
}

TEST(CliOptions, UsageNamesEveryOption) {
    const std::string usage = UsageText();
    for (const char* option :
         {"--fs", "--if", "--if-bw", "--rf-bw", "--harmonics", "--export-png", "--size", "--marker",
          "--export-csv", "--export-lines", "--help", "--version"}) {
        EXPECT_NE(usage.find(option), std::string::npos) << option;
    }
}

TEST(RunCommandLine, WithoutExportLeavesTheValuesForTheDialog) {
    char program[] = "quorvel";
    char fs[] = "--fs=1000";
    char harmonics[] = "--harmonics";
    char count[] = "40";
    char* argv[] = {program, fs, harmonics, count, nullptr};
    PlanFields plan;
    EXPECT_EQ(RunCommandLine(4, argv, plan), std::nullopt);
    PlanFields expected;
    expected.m_fs = 1000.0;
    expected.m_harmonics = 40;  // the paint caps it, not the command line
    EXPECT_EQ(plan, expected);
}

TEST(RunCommandLine, NoArgumentsKeepsTheDefaults) {
    char program[] = "quorvel";
    char* argv[] = {program, nullptr};
    PlanFields plan;
    EXPECT_EQ(RunCommandLine(1, argv, plan), std::nullopt);
    EXPECT_EQ(plan, PlanFields{});
}

TEST(RunCommandLine, BadUseLeavesThePlanAlone) {
    char program[] = "quorvel";
    char fs[] = "--fs=1000";
    char bad[] = "--harmonics=x";
    char* argv[] = {program, fs, bad, nullptr};
    PlanFields plan;
    EXPECT_EQ(RunCommandLine(3, argv, plan), 2);
    EXPECT_EQ(plan, PlanFields{});
}

}  // namespace
}  // namespace quorvel
