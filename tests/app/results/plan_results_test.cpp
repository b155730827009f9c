// Every build gives the results written on Linux, bit for bit: the shortest texts of the
// folded edges and the alias vertices, and the chart's calls with their tick labels and
// readouts. A difference is a fault of this build's arithmetic or formatting.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <string>
#include <string_view>

#include "plan_results.h"

extern const char kPlanResultsFile[];

namespace quorvel::test {
namespace {

// The expected results of one plan: from its "plan NAME " line to the next plan's.
std::string_view ExpectedOf(const std::string& name) {
    const std::string_view file = kPlanResultsFile;
    const std::string head = "plan " + name + " ";
    std::size_t start = file.rfind(head, 0) == 0 ? 0 : file.find("\n" + head);
    if (start == std::string_view::npos) {
        return {};
    }
    if (file[start] == '\n') {
        ++start;
    }
    const std::size_t end = file.find("\nplan ", start);
    return file.substr(start,
                       end == std::string_view::npos ? std::string_view::npos : end + 1 - start);
}

// The first line that differs, with its number, says more than two long texts.
std::string FirstDifference(std::string_view expected, std::string_view actual) {
    int line = 1;
    while (!expected.empty() || !actual.empty()) {
        const std::string_view a = expected.substr(0, expected.find('\n'));
        const std::string_view b = actual.substr(0, actual.find('\n'));
        if (a != b) {
            return "line " + std::to_string(line) + ": expected \"" + std::string(a) +
                   "\", got \"" + std::string(b) + "\"";
        }
        expected.remove_prefix(std::min(expected.size(), a.size() + 1));
        actual.remove_prefix(std::min(actual.size(), b.size() + 1));
        ++line;
    }
    return {};
}

class PlanResultsTest : public ::testing::TestWithParam<PlanResult> {};

TEST_P(PlanResultsTest, AreTheResultsWrittenOnLinux) {
    const std::string_view expected = ExpectedOf(GetParam().name);
    ASSERT_FALSE(expected.empty()) << "no results for " << GetParam().name
                                   << " in the file: write it anew with write_plan_results";
    EXPECT_EQ(FirstDifference(expected, GetParam().text), "");
}

INSTANTIATE_TEST_SUITE_P(Plans, PlanResultsTest, ::testing::ValuesIn(PlanResults()),
                         [](const auto& row) {
                             std::string name;
                             for (const char c : row.param.name) {
                                 name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
                             }
                             return name;
                         });

TEST(PlanResultsFile, HoldsNothingElse) {
    EXPECT_EQ(FirstDifference(kPlanResultsFile, PlanResultsText()), "");
}

}  // namespace
}  // namespace quorvel::test
