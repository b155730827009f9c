// Whether there is a display to open the window on, said plainly instead of Qt's abort.
#pragma once

#include <optional>
#include <string>

namespace quorvel {

/// Reads an environment variable; returns nothing when it is unset or empty.
using EnvironmentReader = std::optional<std::string> (*)(const char* name);

/// A message saying what is missing when no display can be reached with this environment,
/// or nothing when one might be (or when a Qt platform is chosen explicitly).
std::optional<std::string> MissingDisplayMessage(EnvironmentReader read);

/// One line for a window system that was named but could not be started: what the
/// environment asked for, and how to run the program instead.
std::string UnreachableDisplayMessage(EnvironmentReader read);

/// The process environment.
std::optional<std::string> ReadProcessEnvironment(const char* name);

}  // namespace quorvel
