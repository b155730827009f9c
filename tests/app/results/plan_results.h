// The results every build must give bit for bit, whatever its system and C runtime: for a
// set of plans chosen at the edges of the arithmetic, the band table, the alias lines and
// every drawing call of the chart area, texts included, as one text.
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace quorvel::test {

struct PlanResult {
    std::string name;
    std::string text;  ///< "plan NAME" and its values, then what was worked out for it

    /// What a failing case names: the plan, not its text.
    friend void PrintTo(const PlanResult& result, std::ostream* out) { *out << result.name; }
};

/// The results of every plan in the set, in order.
std::vector<PlanResult> PlanResults();

/// All of them as the checked-in file holds them.
std::string PlanResultsText();

}  // namespace quorvel::test
