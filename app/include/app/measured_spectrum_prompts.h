// How the folded-spectrum window opens a measured spectrum: the file dialog, the reading the
// command line's --measured does, and a message box for a file it refuses.
#pragma once

#include <QString>
#include <optional>

#include "dialog/spectrum_window.h"

namespace quorvel {

/// The file dialogs' filter for measured spectra.
QString MeasuredSpectrumFilter();

/// The file read whole or refused; a refusal reads "Cannot read the measured spectrum
/// 'x.csv': line 7: ...".
std::optional<MeasuredSpectrum> ReadMeasuredSpectrumFile(const QString& path, QString& problem);

MeasuredSpectrumPrompts StandardMeasuredSpectrumPrompts();

}  // namespace quorvel
