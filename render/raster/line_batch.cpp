#include "line_batch.h"

#include <algorithm>
#include <cstddef>
#include <utility>

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

// A range of steps, [first, end).
struct StepRange {
    std::int64_t first;
    std::int64_t end;

    StepRange operator&(const StepRange& o) const {
        return {std::max(first, o.first), std::min(end, o.end)};
    }
};

// The steps whose major coordinate lies in lo..hi - 1.
StepRange MajorIn(const LineSteps& s, int lo, int hi) {
    return {std::int64_t{lo} - s.major, std::int64_t{hi} - s.major};
}

// The steps whose minor coordinate lies in lo..hi - 1: it moves monotonically with the step.
StepRange MinorIn(const LineSteps& s, int lo, int hi) {
    const std::int64_t from = std::int64_t{lo} * 65536 - s.minor;
    const std::int64_t to = std::int64_t{hi} * 65536 - s.minor;
    if (s.increment > 0) {
        // k increment must land in [from, to).
        return {CeilDiv(from, s.increment), CeilDiv(to, s.increment)};
    }
    if (s.increment < 0) {
        const std::int64_t d = -s.increment;
        return {FloorDiv(-to, d) + 1, FloorDiv(-from, d) + 1};
    }
    const bool inside = from <= 0 && 0 < to;
    return {0, inside ? s.count : 0};
}

// Writes steps first..end - 1, all of them on the image.
void WriteSteps(const HeldLine& line, const PixelBuffer& image, int first, int end,
                const std::uint32_t* dots) {
    const LineSteps& s = line.steps;
    const std::ptrdiff_t majorStride = s.yMajor ? image.stride : 1;
    const std::ptrdiff_t minorStride = s.yMajor ? 1 : image.stride;
    std::uint32_t* const bits = image.bits;
    std::ptrdiff_t at = (s.major + first) * majorStride;
    std::int64_t minor = s.minor + first * s.increment;
    if (!line.dotted) {
        if (s.increment == 0 && !s.yMajor) {
            std::uint32_t* run = bits + at + (minor >> 16) * minorStride;
            std::fill(run, run + (end - first), line.on);
            return;
        }
        for (int k = first; k < end; ++k) {
            bits[at + (minor >> 16) * minorStride] = line.on;
            minor += s.increment;
            at += majorStride;
        }
        return;
    }
    int phase = ((first - s.dotPhase) % 3 + 3) % 3;  // 0 on a dot
    if (dots != nullptr && s.increment == 0 && !s.yMajor) {
        std::copy_n(dots + phase, end - first, bits + at + (minor >> 16) * minorStride);
        return;
    }
    for (int k = first; k < end; ++k) {
        bits[at + (minor >> 16) * minorStride] = phase == 0 ? line.on : line.off;
        phase = phase == 2 ? 0 : phase + 1;
        minor += s.increment;
        at += majorStride;
    }
}

// The rows the line's steps reach, before any cut to the image.
void RowSpan(const LineSteps& s, int& top, int& bottom) {
    if (s.yMajor) {
        top = s.major;
        bottom = s.major + s.count;
        return;
    }
    const int first = s.MinorAt(0);
    const int last = s.MinorAt(s.count - 1);
    top = std::min(first, last);
    bottom = std::max(first, last) + 1;
}

}  // namespace

void WriteLineRows(const HeldLine& line, const PixelBuffer& image, int top, int bottom,
                   const std::uint32_t* dots) {
    const LineSteps& s = line.steps;
    const StepRange range = StepRange{0, s.count} &
                            (s.yMajor ? MajorIn(s, top, bottom) : MinorIn(s, top, bottom)) &
                            (s.yMajor ? MinorIn(s, 0, image.width) : MajorIn(s, 0, image.width));
    if (range.first >= range.end) {
        return;
    }
    const int first = static_cast<int>(range.first);
    const int end = static_cast<int>(range.end);
    // The line leaves out its end point, wherever that falls among the steps.
    const std::int64_t skip = std::int64_t{s.yMajor ? line.endY : line.endX} - s.major;
    const int endMinor = s.yMajor ? line.endX : line.endY;
    if (skip >= first && skip < end && s.MinorAt(static_cast<int>(skip)) == endMinor) {
        WriteSteps(line, image, first, static_cast<int>(skip), dots);
        WriteSteps(line, image, static_cast<int>(skip) + 1, end, dots);
    } else {
        WriteSteps(line, image, first, end, dots);
    }
}

void LineBatch::WriteTo(const PixelBuffer& image, PendingBlackRows& black) {
    if (lines_.empty()) {
        return;
    }
    int top = image.height;
    int bottom = 0;
    for (const HeldLine& line : lines_) {
        int lineTop = 0;
        int lineBottom = 0;
        RowSpan(line.steps, lineTop, lineBottom);
        top = std::min(top, lineTop);
        bottom = std::max(bottom, lineBottom);
    }
    top = std::max(top, 0);
    bottom = std::min(bottom, image.height);
    std::vector<const std::uint32_t*> dots(lines_.size(), nullptr);
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        const HeldLine& line = lines_[i];
        if (line.dotted && line.steps.increment == 0 && !line.steps.yMajor) {
            dots[i] = DotRow(line.on, line.off, image.width);
        }
    }
    const int rowBytes = std::max(image.width, 1) * 4;
    const int band = std::max(kLeastBandRows, kBandBytes / rowBytes);
    for (int bandTop = top; bandTop < bottom; bandTop += band) {
        const int bandBottom = std::min(bottom, bandTop + band);
        black.Settle(bandTop, bandBottom);
        for (std::size_t i = 0; i < lines_.size(); ++i) {
            WriteLineRows(lines_[i], image, bandTop, bandBottom, dots[i]);
        }
    }
    lines_.clear();
}

const std::uint32_t* LineBatch::DotRow(std::uint32_t on, std::uint32_t off, int width) {
    const std::size_t length = static_cast<std::size_t>(std::max(width, 0)) + 3;
    for (const Dots& d : dotRows_) {
        if (d.on == on && d.off == off && d.row.size() >= length) {
            return d.row.data();
        }
    }
    Dots d{on, off, std::vector<std::uint32_t>(length)};
    for (std::size_t i = 0; i < length; ++i) {
        d.row[i] = i % 3 == 0 ? on : off;
    }
    dotRows_.push_back(std::move(d));
    return dotRows_.back().row.data();
}

}  // namespace quorvel
