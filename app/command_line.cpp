#include "app/command_line.h"

namespace quorvel {

std::optional<int> RunCommandLine(int /*argc*/, char** /*argv*/, PlanFields& /*plan*/) {
    return std::nullopt;
}

}  // namespace quorvel
