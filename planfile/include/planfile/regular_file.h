// Reading a whole file that must be a regular one, without ever waiting: a pipe with no
// writer or a device would hold the caller for ever, and opening some devices does
// something of its own.
#pragma once

#include <cstdint>
#include <string>

namespace quorvel {

struct RegularFileReading {
    enum class Problem { kNone, kMissing, kNotRegular, kCannotRead, kTooLarge };
    Problem problem = Problem::kNone;
    std::string bytes;       ///< the whole file, when there is no problem
    int error = 0;           ///< the errno, for kCannotRead
    std::uint32_t mode = 0;  ///< the file's mode, for kNotRegular
};

/// Reads the file `name` (its bytes as the system spells it) whole, up to `limit` bytes:
/// a larger one is kTooLarge, told without reading it all.
RegularFileReading ReadRegularFile(const std::string& name, std::int64_t limit);

/// What a file that is not a regular one is, in the words of someone who made it: "it is a
/// folder", "it is not a regular file (a pipe)".
std::string NotARegularFileText(std::uint32_t mode);

}  // namespace quorvel
