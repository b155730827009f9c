// A measured spectrum's file, read whole and parsed, for the command line and the window
// alike: the same file is refused in both, for the same reason.
#pragma once

#include <optional>
#include <string>

#include "plan/spur_identify.h"

namespace quorvel {

/// Reads the file `name` (its bytes as the system spells it) and parses it as a measured
/// spectrum. When it cannot be used, `problem` says why, the line first where one is to
/// blame: "there is no such file", "line 7: its frequency 3 MHz is not above the one
/// before; frequencies must ascend". The caller names the file.
std::optional<MeasuredSpectrum> ReadMeasuredFile(const std::string& name, std::string& problem);

}  // namespace quorvel
