// System commands of the main window: which ones are the program's own.
#pragma once

#include <cstdint>

#include "res/resource.h"

namespace quorvel {

/// True for the About command: the low 16 bits of `nID`, with the lowest four (which the
/// window system uses internally) cleared, equal IDM_ABOUTBOX, whatever the high bits are.
constexpr bool IsAboutBoxCommand(std::uint32_t nID) {
    return (nID & 0xFFF0u) == IDM_ABOUTBOX;
}

}  // namespace quorvel
