#include "app/measured_spectrum_prompts.h"

#include <QFile>
#include <QFileDialog>
#include <QMessageBox>
#include <string>

#include "planfile/measured_file.h"
#include "planfile/quoted_name.h"

namespace quorvel {

QString MeasuredSpectrumFilter() {
    return QStringLiteral("Measured spectra (*.csv *.txt);;All files (*)");
}

std::optional<MeasuredSpectrum> ReadMeasuredSpectrumFile(const QString& path, QString& problem) {
    const QByteArray name = QFile::encodeName(path);
    std::string reason;
    std::optional<MeasuredSpectrum> trace = ReadMeasuredFile(name.toStdString(), reason);
    if (!trace) {
        problem = QStringLiteral("Cannot read the measured spectrum %1: %2.")
                      .arg(QuotedNativeName(name), QString::fromStdString(reason));
    }
    return trace;
}

MeasuredSpectrumPrompts StandardMeasuredSpectrumPrompts() {
    MeasuredSpectrumPrompts prompts;
    prompts.openName = [](QWidget* owner) {
        return QFileDialog::getOpenFileName(owner, QStringLiteral("Open measured spectrum"), {},
                                            MeasuredSpectrumFilter());
    };
    prompts.read = ReadMeasuredSpectrumFile;
    prompts.warn = [](QWidget* owner, const QString& message) {
        QMessageBox::warning(owner, QStringLiteral("Quorvel"), message);
    };
    return prompts;
}

}  // namespace quorvel
