// The folded spectrum in a window of its own, beside the main one: every spur of the plan
// and the converter model at its level over 0..Fs/2, following every change of either, and
// a status line naming the spurs under the pointer. A measured spectrum opened in it lies
// over the plan, its peaks named by the members behind them, and a click on a peak or a
// frequency typed lists every member that lands there.
#pragma once

#include <QPoint>
#include <QString>
#include <QWidget>
#include <functional>
#include <optional>
#include <vector>

#include "dialog/spectrum_canvas.h"
#include "plan/spur_identify.h"

class QAction;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QTableWidget;

namespace quorvel {

class CSpurPlanDlg;

/// How the window comes by a measured spectrum: the program asks for a file and reads it,
/// tests put their own in. Without `openName` and `read` the window opens none.
struct MeasuredSpectrumPrompts {
    std::function<QString(QWidget*)> openName;  ///< empty: cancelled
    /// The file's trace, whole; or nothing, with `problem` saying why, the file and the
    /// line named.
    std::function<std::optional<MeasuredSpectrum>(const QString& path, QString& problem)> read;
    std::function<void(QWidget*, const QString& message)> warn;
};

class SpectrumWindow : public QWidget {
    Q_OBJECT

  public:
    explicit SpectrumWindow(CSpurPlanDlg& main, MeasuredSpectrumPrompts prompts = {});

    SpectrumCanvas* Canvas() const { return canvas_; }
    QLabel* StatusLine() const { return status_; }
    QAction* OpenMeasuredAction() const { return open_; }
    QAction* ClearMeasuredAction() const { return clear_; }
    QLineEdit* ThresholdEdit() const { return threshold_; }
    QLineEdit* ToleranceEdit() const { return tolerance_; }
    /// The frequency whose candidates are listed: typed, or set by a click.
    QLineEdit* FrequencyEdit() const { return frequency_; }
    QLabel* CandidateCaption() const { return caption_; }
    QTableWidget* CandidateTable() const { return table_; }
    QPlainTextEdit* Summary() const { return summary_; }

    /// The measured spectrum shown, if any, and its peaks against the plan of the moment.
    const std::optional<MeasuredSpectrum>& Measured() const { return trace_; }
    const std::vector<SpectrumPeak>& Peaks() const { return peaks_; }

  private:
    void OpenAsked();
    /// Reads `path` through the prompts: a file refused is told and changes nothing.
    bool Open(const QString& path);
    void Clear();
    /// The plan or the model changed: the tones, the peaks and the list follow.
    void Refresh();
    void FindPeaksAgain();
    void ShowCandidates();
    void ShowSummary();
    void OnThresholdEdited();
    void OnToleranceEdited();
    void OnFrequencyEdited();
    void OnClick(QPoint point);
    void OnHover(QPoint point);
    void ShowReadout();

    CSpurPlanDlg& main_;
    MeasuredSpectrumPrompts prompts_;
    SpectrumCanvas* canvas_ = nullptr;
    QLabel* status_ = nullptr;
    QAction* open_ = nullptr;
    QAction* clear_ = nullptr;
    QLineEdit* threshold_ = nullptr;
    QLineEdit* tolerance_ = nullptr;
    QLineEdit* frequency_ = nullptr;
    QLabel* source_ = nullptr;
    QLabel* caption_ = nullptr;
    QTableWidget* table_ = nullptr;
    QPlainTextEdit* summary_ = nullptr;
    std::optional<QPoint> pointer_;  ///< where the pointer was last seen on the canvas

    std::vector<TonePosition> tones_;  ///< the plan's, which the peaks' candidates point into
    std::optional<MeasuredSpectrum> trace_;
    double traceMedian_ = 0;  ///< worked out once: the level axis shows the trace's noise
    QString traceName_;
    std::vector<SpectrumPeak> peaks_;
    double peakThreshold_ = kDefaultPeakThreshold;
    double matchTolerance_ = kDefaultTolerance;
    std::optional<double> asked_;  ///< the frequency whose candidates are listed
};

/// Adds "Folded spectrum..." (Ctrl+F) to the main window's actions; it opens the spectrum
/// window, one per main window, or brings it to the front; the window opens measured
/// spectra through `prompts`. Returns the action.
QAction* InstallSpectrumWindow(CSpurPlanDlg& main, MeasuredSpectrumPrompts prompts = {});

}  // namespace quorvel
