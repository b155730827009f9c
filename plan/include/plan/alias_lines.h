// The zig-zag alias line of every harmonic: where n times a signal at f lands once
// folded into 0..Fs/2, plotted against f. Pure arithmetic on Fs and H.
#pragma once

#include <array>
#include <cstdint>

#include "plan/plan_fields.h"

namespace quorvel {

/// Vertex columns 0..26, of which 0..25 are filled.
inline constexpr int kAliasVertexColumns = 27;

/// Rows 0..kHarmonicCap by the vertex columns. Row 0 holds the alias value at each vertex
/// (0 or Fs/2); row n the frequencies of harmonic n's vertices, k x Fs/(2n) by repeated
/// addition.
using AliasVertexTable = std::array<std::array<double, kAliasVertexColumns>, kHarmonicCap + 1>;

/// Fills rows 0..h, columns 0..25. Nothing for h < 0; h is never taken beyond 26.
void FillAliasVertexTable(double fs, int h, AliasVertexTable& table);

struct AliasPoint {
    double x;  ///< signal frequency, MHz
    double y;  ///< alias frequency, MHz
};

/// One harmonic's line: vertex 0 at (0, 0), then vertices 1, 2, ... up to 1.1 x Fs/2,
/// at most 20 of them.
struct AliasLine {
    int harmonic = 0;
    std::uint32_t colour = 0;  ///< 0x00BBGGRR: odd harmonics cyan, even ones red
    int count = 0;             ///< points in use
    std::array<AliasPoint, 21> points{};
};

/// The lines in drawing order, harmonic H first and harmonic 2 last.
struct AliasLineSet {
    int count = 0;
    std::array<AliasLine, kHarmonicCap - 1> lines{};  ///< harmonics kHarmonicCap down to 2
};

/// The alias lines for sample rate fs and harmonic count h. Meant for fs > 0 and
/// h <= 26 (the chart gate); no lines for h < 2, and none for h > 26, which no chart draws.
AliasLineSet BuildAliasLines(double fs, int h);

}  // namespace quorvel
