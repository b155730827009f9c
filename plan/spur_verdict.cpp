#include "plan/spur_verdict.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "plan/spur_windows.h"

namespace quorvel {

namespace {

int LastHarmonic(const PlanFields& plan) {
    return std::min(plan.m_harmonics, kHarmonicCap);
}

bool Meets(const SpurEdges& e, int n, RefBand x, double fs, double margin) {
    return MultipleInWindow(HarmonicWindow(e, n, x, Fold::kDifference, margin), fs) ||
           MultipleInWindow(HarmonicWindow(e, n, x, Fold::kSum, margin), fs);
}

double Distance(const SpurEdges& e, int n, RefBand x, double fs) {
    return std::min(WindowDistance(HarmonicWindow(e, n, x, Fold::kDifference, 0), fs),
                    WindowDistance(HarmonicWindow(e, n, x, Fold::kSum, 0), fs));
}

}  // namespace

bool PlanHasSpurVerdict(const PlanFields& plan, double margin) {
    return std::isfinite(plan.m_fs) && plan.m_fs > 0 && std::isfinite(plan.m_if) &&
           std::isfinite(plan.m_ifBw) && std::isfinite(plan.m_rfBw) && std::isfinite(margin) &&
           margin >= 0;
}

SpurVerdict JudgeSpurs(const PlanFields& plan, const SpurQuery& query) {
    SpurVerdict v;
    v.valid = PlanHasSpurVerdict(plan, query.margin);
    if (!v.valid) {
        return v;
    }
    const SpurEdges e = EdgesAt(plan.m_if, plan.m_ifBw, plan.m_rfBw);
    v.foldsOntoItself = MultipleInWindow(SelfFoldWindow(e), plan.m_fs);
    for (int n = 2; n <= LastHarmonic(plan); ++n) {
        const auto i = static_cast<std::size_t>(n);
        v.meetsIf[i] = Meets(e, n, RefBand::kIf, plan.m_fs, query.margin);
        v.meetsRf[i] = Meets(e, n, RefBand::kRf, plan.m_fs, query.margin);
        const bool hit = (v.meetsIf[i] && AsksAbout(query.against, RefBand::kIf)) ||
                         (v.meetsRf[i] && AsksAbout(query.against, RefBand::kRf));
        if (hit && v.lowestMeeting == 0) {
            v.lowestMeeting = n;
        }
    }
    v.clean = !v.foldsOntoItself && v.lowestMeeting == 0;
    return v;
}

void ComputeHarmonicDistances(const PlanFields& plan, HarmonicDistanceTable& table) {
    const bool valid = PlanHasSpurVerdict(plan, 0);
    const SpurEdges e = EdgesAt(plan.m_if, plan.m_ifBw, plan.m_rfBw);
    for (int n = 2; n <= LastHarmonic(plan); ++n) {
        HarmonicDistance& d = table[static_cast<std::size_t>(n)];
        if (!valid) {
            d = {std::numeric_limits<double>::quiet_NaN(),
                 std::numeric_limits<double>::quiet_NaN()};
            continue;
        }
        d = {Distance(e, n, RefBand::kIf, plan.m_fs), Distance(e, n, RefBand::kRf, plan.m_fs)};
    }
}

double SpurMargin(const PlanFields& plan, Against against) {
    if (!JudgeSpurs(plan, {against, 0}).clean) {
        return 0;
    }
    HarmonicDistanceTable table{};
    ComputeHarmonicDistances(plan, table);
    double margin = std::numeric_limits<double>::infinity();
    for (int n = 2; n <= LastHarmonic(plan); ++n) {
        const HarmonicDistance& d = table[static_cast<std::size_t>(n)];
        if (AsksAbout(against, RefBand::kIf)) {
            margin = std::min(margin, d.toIf);
        }
        if (AsksAbout(against, RefBand::kRf)) {
            margin = std::min(margin, d.toRf);
        }
    }
    return margin;
}

}  // namespace quorvel
