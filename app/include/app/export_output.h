// Writing the exports: each file appears complete or not at all, and standard output
// stands in for a file named "-".
#pragma once

#include <QByteArray>
#include <optional>
#include <string>
#include <vector>

namespace quorvel {

struct ExportOutput {
    std::string path;  ///< a file, or "-" for standard output
    QByteArray bytes;
};

/// Writes every output. Each file is written beside its final name and renamed over it
/// only once every file has been written in full, so a failure leaves the old files as
/// they were; standard output is written last. Returns the message for the first failure.
std::optional<std::string> WriteExportOutputs(const std::vector<ExportOutput>& outputs);

}  // namespace quorvel
