// The colour every view gives a harmonic, so that a line, a bar and a region of the map of
// the same harmonic are told apart alike.
#pragma once

#include <cstdint>

namespace quorvel {

/// Harmonic n's colour, 0x00BBGGRR, at `intensity` (its low 8 bits): odd harmonics cyan
/// (the intensity in green and blue), even ones red.
constexpr std::uint32_t HarmonicColour(int n, int intensity = 255) {
    const auto i = static_cast<std::uint32_t>(intensity) & 0xFFu;
    return n % 2 != 0 ? (i << 16) | (i << 8) : i;
}

}  // namespace quorvel
