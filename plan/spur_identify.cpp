#include "plan/spur_identify.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

#include "plan/harmonic_band.h"
#include "plan/number_text.h"
#include "plan/spur_windows.h"

namespace quorvel {

namespace {

// A single frequency's image in 0..Fs/2, a negative one folding as its mirror.
double FoldTone(double fs, double f) {
    return FoldFrequencyInterval(fs, f, f).lo;
}

// The member's frequency for a single tone at the IF centre.
double ToneFrequency(const SpurMember& m, const SpurModel& model, double fs, double f) {
    switch (m.family) {
        case SpurFamily::kHarmonic:
            return m.order * f;
        case SpurFamily::kInterleaveImage:
        case SpurFamily::kInterleaveOffset: {
            const double tone = (m.term * fs) / ModelInterleave(model);
            return m.order == 0 ? tone : tone + m.order * f;
        }
        case SpurFamily::kClockSideband:
            return m.order * f + m.term * model.clockSpur;
        case SpurFamily::kInterferer:
            return m.order * model.interferers[static_cast<std::size_t>(m.term - 1)].centre;
    }
    return 0;
}

std::string Optional(const std::optional<double>& v) {
    return v ? ShortestNumberText(*v) : std::string();
}

std::string_view Trim(std::string_view s) {
    const auto space = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
    while (!s.empty() && space(s.front())) {
        s.remove_prefix(1);
    }
    while (!s.empty() && space(s.back())) {
        s.remove_suffix(1);
    }
    return s;
}

std::optional<double> Number(std::string_view s) {
    s = Trim(s);
    if (!s.empty() && s.front() == '+') {
        s.remove_prefix(1);
    }
    double value = 0;
    const auto [end, error] = std::from_chars(s.data(), s.data() + s.size(), value);
    if (s.empty() || error != std::errc() || end != s.data() + s.size() || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

double Median(std::vector<double> values) {
    if (values.empty()) {
        return std::numeric_limits<double>::quiet_NaN();
    }
    const std::size_t half = values.size() / 2;
    std::nth_element(values.begin(), values.begin() + static_cast<std::ptrdiff_t>(half),
                     values.end());
    const double upper = values[half];
    if (values.size() % 2 != 0) {
        return upper;
    }
    const double lower =
        *std::max_element(values.begin(), values.begin() + static_cast<std::ptrdiff_t>(half));
    return (lower + upper) / 2;
}

}  // namespace

std::vector<TonePosition> TonePositions(const PlanFields& plan, const SpurModel& model) {
    std::vector<TonePosition> tones;
    const double fs = plan.m_fs;
    const double f = plan.m_if;
    if (!(std::isfinite(fs) && fs > 0 && std::isfinite(f)) || !ModelBounded(model)) {
        return tones;
    }
    tones.push_back({true, {}, FoldTone(fs, f), model.levels.signal});
    for (int n = 2; n <= HighestDrawnHarmonic(plan); ++n) {
        const SpurMember member{SpurFamily::kHarmonic, n, 0};
        tones.push_back({false, member, FoldTone(fs, n * f), MemberLevel(member, model)});
    }
    for (const SpurMember& member : ModelledMembersOf(model)) {
        tones.push_back({false, member, FoldTone(fs, ToneFrequency(member, model, fs, f)),
                         MemberLevel(member, model)});
    }
    return tones;
}

std::string ToneLabel(const TonePosition& tone, const SpurModel& model) {
    if (tone.signal) {
        return "signal";
    }
    if (tone.member.family == SpurFamily::kHarmonic) {
        return "H" + std::to_string(tone.member.order);
    }
    return SpurMemberLabel(tone.member, model);
}

std::string ToneMemberColumns(const TonePosition& tone, const SpurModel& model) {
    if (tone.signal) {
        return "signal,1,";
    }
    return std::string(SpurFamilyName(tone.member.family)) + ',' +
           std::to_string(tone.member.order) + ',' + SpurTermText(tone.member, model);
}

std::vector<const TonePosition*> CandidatesFor(const std::vector<TonePosition>& tones,
                                               double observed, double tolerance) {
    std::vector<const TonePosition*> found;
    for (const TonePosition& tone : tones) {
        if (std::fabs(tone.position - observed) <= tolerance) {
            found.push_back(&tone);
        }
    }
    // Stable, so that the ledger order decides what the distance and the level leave tied.
    std::stable_sort(found.begin(), found.end(), [observed](const auto* a, const auto* b) {
        const double da = std::fabs(a->position - observed);
        const double db = std::fabs(b->position - observed);
        if (da != db) {
            return da < db;
        }
        if (a->level.has_value() != b->level.has_value()) {
            return a->level.has_value();
        }
        return a->level && *a->level > *b->level;
    });
    return found;
}

std::string IdentifyCsv(const std::vector<TonePosition>& tones, const SpurModel& model,
                        const std::vector<double>& observed, double tolerance) {
    std::string csv = "observed_mhz,family,order,term,predicted_mhz,offset_mhz,level_dbfs\n";
    for (const double g : observed) {
        const std::string at = ShortestNumberText(g) + ',';
        const auto candidates = CandidatesFor(tones, g, tolerance);
        if (candidates.empty()) {
            csv += at + ",,,,,\n";
        }
        for (const TonePosition* tone : candidates) {
            csv += at + ToneMemberColumns(*tone, model) + ',' + ShortestNumberText(tone->position) +
                   ',' + ShortestNumberText(tone->position - g) + ',' + Optional(tone->level) +
                   '\n';
        }
    }
    return csv;
}

std::optional<MeasuredSpectrum> ParseMeasuredSpectrum(std::string_view text,
                                                      MeasuredProblem& problem) {
    MeasuredSpectrum trace;
    int line = 0;
    bool first = true;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        const std::string_view row = Trim(text.substr(start, end - start));
        start = end + 1;
        ++line;
        if (row.empty() || row.front() == '#') {
            continue;
        }
        const std::size_t split = row.find_first_of(",;\t");
        const auto mhz =
            split == std::string_view::npos ? std::nullopt : Number(row.substr(0, split));
        const auto dbfs =
            split == std::string_view::npos ? std::nullopt : Number(row.substr(split + 1));
        const bool wasFirst = first;
        first = false;
        if (!mhz || !dbfs) {
            if (wasFirst) {
                continue;  // a header
            }
            problem = {line, "it is not a frequency and a level, two numbers"};
            return std::nullopt;
        }
        if (!trace.mhz.empty() && !(*mhz > trace.mhz.back())) {
            problem = {line, "its frequency " + ShortestNumberText(*mhz) +
                                 " MHz is not above the one before; frequencies must ascend"};
            return std::nullopt;
        }
        trace.mhz.push_back(*mhz);
        trace.dbfs.push_back(*dbfs);
    }
    if (trace.mhz.empty()) {
        problem = {0, "it holds no frequency and level"};
        return std::nullopt;
    }
    return trace;
}

double TraceMedian(const MeasuredSpectrum& trace) {
    return Median(trace.dbfs);
}

std::vector<SpectrumPeak> FindPeaks(const MeasuredSpectrum& trace,
                                    const std::vector<TonePosition>& tones, double tolerance,
                                    double threshold) {
    std::vector<SpectrumPeak> peaks;
    const std::size_t n = trace.dbfs.size();
    if (n < 3) {
        return peaks;
    }
    const double least = Median(trace.dbfs) + threshold;
    const std::vector<double>& d = trace.dbfs;
    for (std::size_t i = 1; i + 1 < n; ++i) {
        if (d[i] > d[i - 1] && d[i] > d[i + 1] && d[i] >= least) {
            const auto candidates = CandidatesFor(tones, trace.mhz[i], tolerance);
            peaks.push_back({trace.mhz[i], d[i], candidates.empty() ? nullptr : candidates[0]});
        }
    }
    return peaks;
}

std::string PeaksCsv(const std::vector<SpectrumPeak>& peaks, const SpurModel& model) {
    std::string csv = "frequency_mhz,level_dbfs,family,order,term,predicted_mhz,offset_mhz\n";
    for (const SpectrumPeak& peak : peaks) {
        csv += ShortestNumberText(peak.mhz) + ',' + ShortestNumberText(peak.dbfs) + ',';
        if (peak.candidate == nullptr) {
            csv += ",,,,\n";
            continue;
        }
        csv += ToneMemberColumns(*peak.candidate, model) + ',' +
               ShortestNumberText(peak.candidate->position) + ',' +
               ShortestNumberText(peak.candidate->position - peak.mhz) + '\n';
    }
    return csv;
}

std::string PeakSummary(const std::vector<SpectrumPeak>& peaks, const SpurModel& model) {
    const auto explained = static_cast<std::size_t>(
        std::count_if(peaks.begin(), peaks.end(), [](const auto& p) { return p.candidate; }));
    std::string text = std::to_string(peaks.size()) + " peak" + (peaks.size() == 1 ? "" : "s") +
                       " above the threshold: " + std::to_string(explained) + " explained, " +
                       std::to_string(peaks.size() - explained) + " unexplained\n";
    const SpectrumPeak* worst = nullptr;
    for (const SpectrumPeak& peak : peaks) {
        if (peak.candidate == nullptr && (worst == nullptr || peak.dbfs > worst->dbfs)) {
            worst = &peak;
        }
    }
    if (worst != nullptr) {
        text += "worst unexplained: " + FormatFixed(worst->mhz, 3) + " MHz at " +
                FormatFixed(worst->dbfs, 1) + " dBFS\n";
    }
    for (const SpectrumPeak& peak : peaks) {
        if (peak.candidate == nullptr) {
            continue;
        }
        text += FormatFixed(peak.mhz, 3) + " MHz " +
                (peak.candidate->signal ? "the signal" : ToneLabel(*peak.candidate, model)) +
                ": measured " + FormatFixed(peak.dbfs, 1) + " dBFS";
        if (const auto planned = peak.candidate->level) {
            text += ", planned " + FormatFixed(*planned, 1) + " dBFS";
            if (peak.dbfs - *planned > kPeakAbovePlanFlag) {
                text +=
                    " - " + FormatFixed(peak.dbfs - *planned, 1) + " dB above the plan, flagged";
            }
        } else {
            text += ", no planned level";
        }
        text += '\n';
    }
    return text;
}

}  // namespace quorvel
