// Writing the exports: each file appears complete or not at all, and standard output
// stands in for a file named "-". Plain C++ on the system's calls, POSIX or Win32: no Qt.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "app/output_system_calls.h"

namespace quorvel {

struct ExportOutput {
    /// A file, or "-" for standard output; bytes as given (on Windows, UTF-8).
    std::string path;
    std::string bytes;
};

/// Why an output could not be written: its name as given and the system's reason.
struct OutputFailure {
    std::string path;
    std::string reason;

    /// The command line's one line: "quorvel: cannot write 'a.csv': <reason>".
    std::string Message() const;
};

/// Whether a pipe with nothing reading it yet is waited for, as a shell's '>' waits, or
/// refused at once, as a window must, which cannot hang until a reader comes. (Windows
/// never waits: a pipe with no reader cannot be opened.)
enum class PipeReader { kWaitFor, kRequire };

/// Writes every output. A regular file is written and flushed to the disk beside its final
/// name; standard output, pipes and devices are written directly; only once all of that
/// has succeeded are the files renamed over their final names. A failure leaves every old
/// file as it was and no new one behind, and its message (one line, the system's reason)
/// is returned.
std::optional<OutputFailure> WriteOutputs(const std::vector<ExportOutput>& outputs,
                                          const OutputSystemCalls& calls = RealOutputSystemCalls(),
                                          PipeReader reader = PipeReader::kWaitFor);

/// WriteOutputs with the failure as the command line's one line.
std::optional<std::string> WriteExportOutputs(
    const std::vector<ExportOutput>& outputs,
    const OutputSystemCalls& calls = RealOutputSystemCalls());

/// The first two output names that reach one file under different spellings ("a.csv"
/// and "./a.csv", a link and its target, "-" and /dev/stdout), as the message for that
/// bad use.
std::optional<std::string> SameFileUnderTwoNames(const std::vector<std::string>& names);

}  // namespace quorvel
