#include "planfile/measured_file.h"

#include <cstdint>
#include <cstring>

#include "planfile/regular_file.h"

namespace quorvel {

std::optional<MeasuredSpectrum> ReadMeasuredFile(const std::string& name, std::string& problem) {
    // A million rows take some 20 MB; a gigabyte is no measurement.
    constexpr std::int64_t kMaxMeasuredBytes = std::int64_t{1} << 30;
    using Problem = RegularFileReading::Problem;
    const RegularFileReading file = ReadRegularFile(name, kMaxMeasuredBytes);
    switch (file.problem) {
        case Problem::kNone:
            break;
        case Problem::kMissing:
            problem = "there is no such file";
            return std::nullopt;
        case Problem::kNotRegular:
            problem = NotARegularFileText(file.mode);
            return std::nullopt;
        case Problem::kCannotRead:
            problem = std::string("it cannot be read (") + std::strerror(file.error) + ")";
            return std::nullopt;
        case Problem::kTooLarge:
            problem = "it is larger than a measured spectrum can be";
            return std::nullopt;
    }
    MeasuredProblem at;
    auto trace = ParseMeasuredSpectrum(file.bytes, at);
    if (!trace) {
        problem = (at.line > 0 ? "line " + std::to_string(at.line) + ": " : "") + at.reason;
    }
    return trace;
}

}  // namespace quorvel
