// Thousands of random user actions on the main dialog, with its invariants checked after
// every one. The sequence comes from a fixed seed; a failure prints the seed and the
// actions that led to it, and the same seed and count replay them.
//
//   QUORVEL_MONKEY_SEED     the seed (default below)
//   QUORVEL_MONKEY_ACTIONS  how many actions (default: the build's; the sanitizer build runs fewer)
//   QUORVEL_MONKEY_TRACE=1  print each action as it is performed
#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <deque>
#include <iostream>
#include <sstream>

#include "dialog/spur_plan_dlg.h"
#include "dialog_invariants.h"
#include "monkey_action.h"
#include "widget_test_support.h"

namespace quorvel::test {
namespace {

constexpr std::uint32_t kDefaultSeed = 20261208;
// Set by the build: fewer under the sanitizers, which are several times slower.
constexpr int kDefaultActions = QUORVEL_MONKEY_DEFAULT_ACTIONS;
// Comparing the chart area costs a composition; the cheaper checks run after every action.
constexpr int kImageCheckEvery = 20;
constexpr std::size_t kActionsShownOnFailure = 150;

int EnvironmentInt(const char* name, int fallback) {
    bool ok = false;
    const int value = qEnvironmentVariableIntValue(name, &ok);
    return ok ? value : fallback;
}

class ReplayLog {
  public:
    explicit ReplayLog(std::uint32_t seed) : m_seed(seed) {}

    void Add(int step, const std::string& line) {
        m_lines.push_back("  #" + std::to_string(step) + " " + line);
        if (m_lines.size() > kActionsShownOnFailure) {
            m_lines.pop_front();
        }
    }

    std::string Report(int step, const std::string& problems) const {
        std::ostringstream report;
        report << "after action #" << step << ": " << problems << "\nseed " << m_seed
               << "; the last " << m_lines.size() << " actions:\n";
        for (const std::string& line : m_lines) {
            report << line << "\n";
        }
        report << "replay with QUORVEL_MONKEY_SEED=" << m_seed
               << " QUORVEL_MONKEY_ACTIONS=" << step + 1 << " (QUORVEL_MONKEY_TRACE=1 lists all)";
        return report.str();
    }

  private:
    std::uint32_t m_seed;
    std::deque<std::string> m_lines;
};

TEST(DialogMonkey, RandomActionsKeepFieldsPlanAndPaintInStep) {
    const auto seed = static_cast<std::uint32_t>(
        EnvironmentInt("QUORVEL_MONKEY_SEED", static_cast<int>(kDefaultSeed)));
    const int actions = EnvironmentInt("QUORVEL_MONKEY_ACTIONS", kDefaultActions);
    const bool trace = EnvironmentInt("QUORVEL_MONKEY_TRACE", 0) != 0;
    std::cout << "monkey: seed " << seed << ", " << actions << " actions" << std::endl;

    CSpurPlanDlg dlg;
    dlg.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dlg));
    dlg.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dlg));
    PaintWatch watch(dlg);
    ASSERT_TRUE(WaitUntil([&] { return PaintIsCurrent(dlg, watch); }));

    MonkeyActionSource source(seed);
    ReplayLog log(seed);
    for (int step = 0; step < actions; ++step) {
        const MonkeyAction action = source.Next(dlg);
        const std::string line = action.Describe();
        log.Add(step, line);
        if (trace) {
            std::cout << "#" << step << " " << line << std::endl;
        }
        Perform(action, dlg);

        // The change's repaint is queued: let it run, and give it time only if it is late.
        QCoreApplication::processEvents();
        std::string problems;
        if (!PaintIsCurrent(dlg, watch) &&
            !WaitUntil([&] { return PaintIsCurrent(dlg, watch); }, 2000)) {
            problems = "no paint drew the present plan at the present size (" +
                       DescribePaintLag(dlg, watch) + "); ";
        }
        problems += CheckControls(dlg);
        if (problems.empty() && (step % kImageCheckEvery == 0 || step + 1 == actions)) {
            problems = CheckRepaintShowsPlan(dlg, watch);
        }
        if (!problems.empty()) {
            FAIL() << log.Report(step, problems);
        }
    }
    std::cout << "monkey: " << watch.PaintEvents() << " paint events" << std::endl;
}

}  // namespace
}  // namespace quorvel::test
