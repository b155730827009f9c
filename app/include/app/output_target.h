// Where an export goes: standard output, a file written where it is (a pipe, a device,
// the file standard output already writes to), or a regular file replaced whole.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace quorvel {

/// The output name that stands for standard output.
inline constexpr std::string_view kStandardOutputName = "-";

struct OutputTarget {
    enum class Kind {
        kStandardOutput,
        kInPlace,  ///< opened and written as it is; never replaced
        kReplace,  ///< written beside `path` and renamed over it
    };
    Kind kind = Kind::kReplace;
    /// The file to open (in place) or to replace: for a regular file, the file behind any
    /// symbolic links, so that the links stay.
    std::string path;
    /// The existing file's permission bits, kept by its replacement (POSIX only).
    std::optional<unsigned> mode;
};

/// Resolves an output name as given ("-" for standard output). Reads the file system.
OutputTarget ResolveOutputTarget(const std::string& name);

/// Whether two output names reach the same file: the same file identity when the file
/// exists (the device and inode; on Windows the volume serial number and file index),
/// links followed, else the same name in the same directory.
bool SameOutputFile(const std::string& a, const std::string& b);

}  // namespace quorvel
