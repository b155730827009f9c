#include "app/export_output.h"

#include <QSaveFile>
#include <cstdio>
#include <memory>

#include "app/cli_options.h"

namespace quorvel {
namespace {

std::string CannotWrite(const std::string& path, const QString& reason) {
    return "quorvel: cannot write '" + path + "': " + reason.toStdString();
}

}  // namespace

std::optional<std::string> WriteExportOutputs(const std::vector<ExportOutput>& outputs) {
    std::vector<std::unique_ptr<QSaveFile>> files;
    std::vector<const std::string*> filePaths;
    for (const ExportOutput& output : outputs) {
        if (output.path == kStandardOutputName) {
            continue;
        }
        auto file = std::make_unique<QSaveFile>(QString::fromLocal8Bit(output.path));
        if (!file->open(QIODevice::WriteOnly)) {
            return CannotWrite(output.path, file->errorString());
        }
        if (file->write(output.bytes) != output.bytes.size()) {
            return CannotWrite(output.path, file->errorString());
        }
        files.push_back(std::move(file));
        filePaths.push_back(&output.path);
    }
    // Uncommitted save files remove their temporary copies when they go out of scope.
    for (std::size_t i = 0; i < files.size(); ++i) {
        if (!files[i]->commit()) {
            return CannotWrite(*filePaths[i], files[i]->errorString());
        }
    }
    for (const ExportOutput& output : outputs) {
        if (output.path != kStandardOutputName) {
            continue;
        }
        const auto size = static_cast<std::size_t>(output.bytes.size());
        if (std::fwrite(output.bytes.constData(), 1, size, stdout) != size ||
            std::fflush(stdout) != 0) {
            return std::string("quorvel: cannot write to standard output");
        }
    }
    return std::nullopt;
}

}  // namespace quorvel
