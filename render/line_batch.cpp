#include "render/line_batch.h"

#include <algorithm>
#include <cstddef>

namespace quorvel {

namespace {

// A band's rows take about this many bytes: well inside a core's second-level cache.
constexpr int kBandBytes = 256 * 1024;
constexpr int kLeastBandRows = 8;

std::int64_t FloorDiv(std::int64_t a, std::int64_t b) {  // b > 0
    return a >= 0 ? a / b : -((-a + b - 1) / b);
}

std::int64_t CeilDiv(std::int64_t a, std::int64_t b) {  // b > 0
    return -FloorDiv(-a, b);
}

// The steps [first, end) whose row lies in top..bottom - 1.
void StepsInRows(const LineSteps& s, int top, int bottom, std::int64_t& first, std::int64_t& end) {
    if (s.yMajor) {
        first = std::int64_t{top} - s.major;
        end = std::int64_t{bottom} - s.major;
        return;
    }
    const std::int64_t lo = std::int64_t{top} * 65536 - s.minor;
    const std::int64_t hi = std::int64_t{bottom} * 65536 - s.minor;
    if (s.increment > 0) {
        // minor + k increment lands in [lo, hi) once shifted.
        first = CeilDiv(lo, s.increment);
        end = CeilDiv(hi, s.increment);
    } else if (s.increment < 0) {
        const std::int64_t d = -s.increment;
        first = FloorDiv(-hi, d) + 1;
        end = FloorDiv(-lo, d) + 1;
    } else {
        const bool inside = lo <= 0 && 0 < hi;
        first = 0;
        end = inside ? s.count : 0;
    }
}

}  // namespace

void WriteLineRows(const HeldLine& line, const PixelBuffer& image, int top, int bottom) {
    const LineSteps& s = line.steps;
    const int majorExtent = s.yMajor ? image.height : image.width;
    const int minorExtent = s.yMajor ? image.width : image.height;
    std::int64_t first = 0;
    std::int64_t end = 0;
    StepsInRows(s, top, bottom, first, end);
    // Only steps on the line and with the major coordinate on the image.
    first = std::max({first, std::int64_t{0}, -std::int64_t{s.major}});
    end = std::min({end, std::int64_t{s.count}, std::int64_t{majorExtent} - s.major});
    if (first >= end) {
        return;
    }
    const int kFirst = static_cast<int>(first);
    const int kEnd = static_cast<int>(end);
    const std::ptrdiff_t majorStride = s.yMajor ? image.stride : 1;
    const std::ptrdiff_t minorStride = s.yMajor ? 1 : image.stride;
    const int endMajor = s.yMajor ? line.endY : line.endX;
    const int endMinor = s.yMajor ? line.endX : line.endY;
    // The end point's step, when it lies on the line.
    const std::int64_t skip = std::int64_t{endMajor} - s.major;
    std::uint32_t* const bits = image.bits;

    if (s.increment == 0) {
        const int minor = s.MinorAt(0);
        if (minor < 0 || minor >= minorExtent) {
            return;
        }
        std::uint32_t* const run = bits + minor * minorStride;
        const std::int64_t skipStep = endMinor == minor ? skip : -1;
        if (!line.dotted && !s.yMajor) {
            // A solid row: one run, or two either side of the end point.
            const int split = static_cast<int>(std::clamp<std::int64_t>(skipStep, kFirst, kEnd));
            std::fill(run + (s.major + kFirst), run + (s.major + split), line.on);
            const int resume = split < kEnd && split == skipStep ? split + 1 : split;
            std::fill(run + (s.major + resume), run + (s.major + kEnd), line.on);
            return;
        }
        for (int k = kFirst; k < kEnd; ++k) {
            if (k != skipStep) {
                run[(s.major + k) * majorStride] = !line.dotted || s.IsDot(k) ? line.on : line.off;
            }
        }
        return;
    }
    for (int k = kFirst; k < kEnd; ++k) {
        const int minor = s.MinorAt(k);
        if (minor < 0 || minor >= minorExtent || (k == skip && minor == endMinor)) {
            continue;
        }
        bits[minor * minorStride + (s.major + k) * majorStride] =
            !line.dotted || s.IsDot(k) ? line.on : line.off;
    }
}

void LineBatch::WriteTo(const PixelBuffer& image) {
    if (lines_.empty()) {
        return;
    }
    const int rowBytes = std::max(image.width, 1) * 4;
    const int band = std::max(kLeastBandRows, kBandBytes / rowBytes);
    for (int top = 0; top < image.height; top += band) {
        const int bottom = std::min(image.height, top + band);
        for (const HeldLine& line : lines_) {
            WriteLineRows(line, image, top, bottom);
        }
    }
    lines_.clear();
}

}  // namespace quorvel
