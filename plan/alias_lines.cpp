#include "plan/alias_lines.h"

#include <algorithm>

#include "plan/harmonic_colour.h"
#include "plan/truncate.h"

namespace quorvel {

namespace {
constexpr int kLastRow = kHarmonicCap;
constexpr int kFilledColumns = kAliasVertexColumns - 1;
constexpr int kLastDrawnVertex = 20;

std::size_t Idx(int i) {
    return static_cast<std::size_t>(i);
}
}  // namespace

void FillAliasVertexTable(double fs, int h, AliasVertexTable& table) {
    const double half = fs / 2.0;
    const int lastRow = std::min(h, kLastRow);
    for (int n = 0; n <= lastRow; ++n) {
        auto& row = table[Idx(n)];
        if (n == 0) {
            for (int k = 0; k < kFilledColumns; ++k) {
                row[Idx(k)] = half;
                if (k % 2 == 0) {
                    row[Idx(k)] = 0.0;
                }
            }
            continue;
        }
        row[0] = 0.0;
        row[1] = half / n;
        for (int k = 2; k < kFilledColumns; ++k) {
            row[Idx(k)] = row[Idx(k - 1)] + row[1];
        }
    }
}

AliasLineSet BuildAliasLines(double fs, int h) {
    AliasLineSet set;
    if (h < 2 || h > kLastRow) {
        return set;
    }
    AliasVertexTable table{};
    FillAliasVertexTable(fs, h, table);
    const double half = fs / 2.0;
    const double cutOff = 1.1 * half;

    double step = 150.0;
    int intensity = 255;
    if (h > 3) {
        step = 150 / (h / 2 - 1);
        intensity = 105;
    }

    for (int n = h; n > 1; --n) {
        if (intensity > 255) {
            intensity = 255;
        }
        AliasLine& line = set.lines[Idx(set.count++)];
        line.harmonic = n;
        line.colour = HarmonicColour(n, intensity);
        line.points[0] = {0.0, 0.0};
        line.count = 1;
        for (int k = 1; k <= kLastDrawnVertex; ++k) {
            const double x = table[Idx(n)][Idx(k)];
            if (!(cutOff >= x)) {
                break;
            }
            line.points[Idx(line.count++)] = {x, table[0][Idx(k)]};
        }
        if (n % 2 == 0) {
            intensity += TruncToInt(step + 0.5);
        }
    }
    return set;
}

}  // namespace quorvel
