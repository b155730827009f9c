// Whether there is a display to open the window on, said plainly before Qt tries.
#pragma once

#include <optional>
#include <string>

namespace quorvel {

/// Reads an environment variable; returns nothing when it is unset or empty.
using EnvironmentReader = std::optional<std::string> (*)(const char* name);

/// A message saying what is missing when no display can be reached with this environment,
/// or nothing when one can (or when a Qt platform is chosen explicitly).
std::optional<std::string> MissingDisplayMessage(EnvironmentReader read);

/// The process environment.
std::optional<std::string> ReadProcessEnvironment(const char* name);

}  // namespace quorvel
