// Finds, to the last double, where a run of points that pass a test ends. The finder's
// interval ends come from a division; rounding can leave them a few doubles off the
// points that the direct verdict calls hits, so each end is settled against the verdict.
#pragma once

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>

namespace quorvel {

namespace boundary_detail {

// Finite doubles mapped to integers in the same order, one apart per representable step.
inline constexpr std::int64_t kOrderedMax = 0x7FEFFFFFFFFFFFFF;

inline std::int64_t Ordered(double x) {
    const auto bits = std::bit_cast<std::int64_t>(x);
    return bits < 0 ? std::numeric_limits<std::int64_t>::min() - bits : bits;
}

inline double FromOrdered(std::int64_t o) {
    return std::bit_cast<double>(o < 0 ? std::numeric_limits<std::int64_t>::min() - o : o);
}

inline std::int64_t Step(std::int64_t from, std::int64_t by) {
    if (by > 0) {
        return from > kOrderedMax - by ? kOrderedMax : from + by;
    }
    return from < -kOrderedMax - by ? -kOrderedMax : from + by;
}

// Half way between two ordered values, and whether they are neighbours, without overflow.
inline std::uint64_t Gap(std::int64_t a, std::int64_t b) {
    return a < b ? static_cast<std::uint64_t>(b) - static_cast<std::uint64_t>(a)
                 : static_cast<std::uint64_t>(a) - static_cast<std::uint64_t>(b);
}

inline std::int64_t Midpoint(std::int64_t from, std::int64_t to) {
    const auto half = static_cast<std::int64_t>(Gap(from, to) / 2);
    return from < to ? from + half : from - half;
}

}  // namespace boundary_detail

/// Settles one end of a run of hits. `approx` is the end as computed, `inner` a point of
/// the run on the other side, `outward` +1 for an upper end and -1 for a lower end. Returns
/// a hit whose outward neighbour is not a hit, found by galloping from `approx` and then
/// halving, or nothing when no double between `approx` and `inner` is a hit.
template <typename Hit>
std::optional<double> SettleRunEnd(Hit&& hit, double approx, double inner, int outward) {
    using namespace boundary_detail;
    if (!std::isfinite(approx) || !std::isfinite(inner)) {
        return std::nullopt;
    }
    const std::int64_t dir = outward > 0 ? 1 : -1;
    std::int64_t good = Ordered(approx);
    std::int64_t bad = good;
    if (hit(approx)) {
        for (std::int64_t step = 1;; step *= 2) {
            const std::int64_t next = Step(good, dir * step);
            if (next == good) {
                return FromOrdered(good);  // the run reaches the largest finite double
            }
            if (!hit(FromOrdered(next))) {
                bad = next;
                break;
            }
            good = next;
            if (step > (std::int64_t{1} << 61)) {
                return FromOrdered(good);
            }
        }
    } else {
        const std::int64_t limit = Ordered(inner);
        for (std::int64_t step = 1;; step *= 2) {
            std::int64_t next = Step(bad, -dir * step);
            const bool passed = dir > 0 ? next < limit : next > limit;
            if (passed || step > (std::int64_t{1} << 61)) {
                next = limit;
            }
            if (hit(FromOrdered(next))) {
                good = next;
                break;
            }
            if (next == limit) {
                return std::nullopt;
            }
            bad = next;
        }
    }
    while (Gap(good, bad) > 1) {
        const std::int64_t mid = Midpoint(good, bad);
        if (hit(FromOrdered(mid))) {
            good = mid;
        } else {
            bad = mid;
        }
    }
    return FromOrdered(good);
}

}  // namespace quorvel
