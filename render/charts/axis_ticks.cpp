#include "charts/axis_ticks.h"

#include <algorithm>
#include <cmath>

#include "plan/number_text.h"
#include "plan/powers_of_ten.h"
#include "plan/truncate.h"

namespace quorvel {

namespace {

constexpr int kMostTicks = 64;

}  // namespace

std::vector<AxisTick> AxisTicks(double lo, double hi, int pixels, int spacing) {
    std::vector<AxisTick> ticks;
    const double span = hi - lo;
    if (!(span > 0) || !std::isfinite(span) || pixels < 2 || spacing < 1) {
        return ticks;
    }
    const double rough = span / std::max(1, pixels / spacing);
    const double decade = PowerOfTen(TruncToInt(DecimalExponent(rough)));
    double step = 10 * decade;
    for (const double m : {5.0, 2.0, 1.0}) {
        if (m * decade >= rough) {
            step = m * decade;
        }
    }
    if (!(step > 0) || !std::isfinite(step)) {
        return ticks;
    }
    // Counted, not stepped: far from 0 adding the step to a tick may change nothing.
    const double first = std::ceil(lo / step);
    for (int i = 0; i < kMostTicks && (first + i) * step <= hi; ++i) {
        const double value = (first + i) * step;
        ticks.push_back({(value - lo) / span, FormatTickLabel(value, step)});
    }
    return ticks;
}

}  // namespace quorvel
