#include "plan/spur_verdict.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "plan/number_text.h"
#include "plan/spur_windows.h"

namespace quorvel {

bool PlanHasSpurVerdict(const PlanFields& plan, double margin) {
    return std::isfinite(plan.m_fs) && plan.m_fs > 0 && std::isfinite(plan.m_if) &&
           std::isfinite(plan.m_ifBw) && std::isfinite(plan.m_rfBw) && std::isfinite(margin) &&
           margin >= 0;
}

SpurVerdict JudgeSpurs(const PlanFields& plan, const SpurQuery& query) {
    SpurVerdict v;
    v.valid = PlanHasSpurVerdict(plan, query.margin) && ModelBounded(query.model);
    if (!v.valid) {
        return v;
    }
    const SpurEdges e = EdgesAt(plan.m_if, plan.m_ifBw, plan.m_rfBw);
    // Both bands are judged, whichever are asked about: the table shows both.
    // The flags are geometric, every member's; only members that count spoil the plan.
    const SpurWindowList windows =
        SpurWindowsOf(plan, Against::kBoth, query.model, Members::kEvery);
    v.modelled.resize(static_cast<std::size_t>(windows.modelledMembers()));
    const std::vector<SpurMember> members = ModelledMembersOf(query.model);
    for (const SpurWindowSource& w : windows) {
        if (!MultipleInWindow(w.At(e, query.margin), plan.m_fs)) {
            continue;
        }
        if (w.Modelled()) {
            MemberMeets& meets = v.modelled[static_cast<std::size_t>(w.modelled)];
            (w.band == RefBand::kIf ? meets.meetsIf : meets.meetsRf) = true;
            if (!v.firstModelled && AsksAbout(query.against, w.band) &&
                MemberCounts(members[static_cast<std::size_t>(w.modelled)], query.model)) {
                v.firstModelled = w.modelled;
            }
            continue;
        }
        if (w.SelfFold()) {
            v.foldsOntoItself = true;
            continue;
        }
        auto& meets = w.band == RefBand::kIf ? v.meetsIf : v.meetsRf;
        meets[static_cast<std::size_t>(w.harmonic)] = true;
        if (v.lowestMeeting == 0 && MeetsAskedBand(v, w.harmonic, query.against) &&
            MemberCounts({SpurFamily::kHarmonic, w.harmonic, 0}, query.model)) {
            v.lowestMeeting = w.harmonic;
        }
    }
    v.clean = !v.foldsOntoItself && v.lowestMeeting == 0 && !v.firstModelled;
    return v;
}

bool MeetsAskedBand(const SpurVerdict& verdict, int n, Against against) {
    const auto i = static_cast<std::size_t>(n);
    return (verdict.meetsIf[i] && AsksAbout(against, RefBand::kIf)) ||
           (verdict.meetsRf[i] && AsksAbout(against, RefBand::kRf));
}

std::string SpurVerdictText(const PlanFields& plan, const SpurQuery& query) {
    const SpurVerdict v = JudgeSpurs(plan, query);
    if (!v.valid) {
        return "no sampling";
    }
    if (v.clean) {
        return "clean, spur margin " +
               FormatFixed(SpurMargin(plan, query.against, query.model), 3) + " MHz";
    }
    std::string text = v.foldsOntoItself ? "the IF band folds onto itself" : "";
    for (int n = 2; n <= HighestDrawnHarmonic(plan); ++n) {
        const auto i = static_cast<std::size_t>(n);
        const bool ifHit = v.meetsIf[i] && AsksAbout(query.against, RefBand::kIf);
        const bool rfHit = v.meetsRf[i] && AsksAbout(query.against, RefBand::kRf);
        // What spoils the plan: a spur below the floor meets, yet does not count.
        if ((!ifHit && !rfHit) || !MemberCounts({SpurFamily::kHarmonic, n, 0}, query.model)) {
            continue;
        }
        const char* bands = ifHit && rfHit ? "IF and RF" : ifHit ? "IF" : "RF";
        text += (text.empty() ? "H" : ", H") + std::to_string(n) + " meets " + bands;
    }
    const std::vector<SpurMember> members = ModelledMembersOf(query.model);
    for (std::size_t i = 0; i < v.modelled.size(); ++i) {
        const bool ifHit = v.modelled[i].meetsIf && AsksAbout(query.against, RefBand::kIf);
        const bool rfHit = v.modelled[i].meetsRf && AsksAbout(query.against, RefBand::kRf);
        if ((ifHit || rfHit) && MemberCounts(members[i], query.model)) {
            text += (text.empty() ? "" : ", ") + SpurMemberLabel(members[i], query.model) +
                    " meets " +
                    (ifHit && rfHit ? "IF and RF"
                     : ifHit        ? "IF"
                                    : "RF");
        }
    }
    return text;
}

void ComputeHarmonicDistances(const PlanFields& plan, HarmonicDistanceTable& table) {
    if (!PlanHasSpurVerdict(plan, 0)) {
        constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
        for (int n = 2; n <= HighestDrawnHarmonic(plan); ++n) {
            table[static_cast<std::size_t>(n)] = {kNaN, kNaN};
        }
        return;
    }
    const SpurEdges e = EdgesAt(plan.m_if, plan.m_ifBw, plan.m_rfBw);
    for (const SpurWindowSource& w : SpurWindowsOf(plan, Against::kBoth, {}, Members::kEvery)) {
        if (w.SelfFold()) {
            continue;
        }
        HarmonicDistance& d = table[static_cast<std::size_t>(w.harmonic)];
        double& toBand = w.band == RefBand::kIf ? d.toIf : d.toRf;
        const double distance = WindowDistance(w.At(e, 0), plan.m_fs);
        // The difference comes first, so a NaN from it stays, as min(difference, sum).
        toBand = w.fold == Fold::kDifference ? distance : std::min(toBand, distance);
    }
}

std::vector<HarmonicDistance> ComputeModelledDistances(const PlanFields& plan,
                                                       const SpurModel& model) {
    constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
    constexpr double kInf = std::numeric_limits<double>::infinity();
    const SpurWindowList windows = SpurWindowsOf(plan, Against::kBoth, model, Members::kEvery);
    std::vector<HarmonicDistance> table(static_cast<std::size_t>(windows.modelledMembers()),
                                        {kInf, kInf});
    const bool judged = PlanHasSpurVerdict(plan, 0) && ModelBounded(model);
    const SpurEdges e = EdgesAt(plan.m_if, plan.m_ifBw, plan.m_rfBw);
    for (const SpurWindowSource& w : windows) {
        if (!w.Modelled()) {
            continue;
        }
        HarmonicDistance& d = table[static_cast<std::size_t>(w.modelled)];
        double& toBand = w.band == RefBand::kIf ? d.toIf : d.toRf;
        const double distance = judged ? WindowDistance(w.At(e, 0), plan.m_fs) : kNaN;
        toBand = std::isnan(toBand) || std::isnan(distance) ? kNaN : std::min(toBand, distance);
    }
    return table;
}

double SpurMargin(const PlanFields& plan, Against against, const SpurModel& model) {
    if (!JudgeSpurs(plan, {against, 0, model}).clean) {
        return 0;
    }
    HarmonicDistanceTable table{};
    ComputeHarmonicDistances(plan, table);
    double margin = std::numeric_limits<double>::infinity();
    for (int n = 2; n <= HighestDrawnHarmonic(plan); ++n) {
        if (!MemberCounts({SpurFamily::kHarmonic, n, 0}, model)) {
            continue;
        }
        const HarmonicDistance& d = table[static_cast<std::size_t>(n)];
        if (AsksAbout(against, RefBand::kIf)) {
            margin = std::min(margin, d.toIf);
        }
        if (AsksAbout(against, RefBand::kRf)) {
            margin = std::min(margin, d.toRf);
        }
    }
    const std::vector<SpurMember> members = ModelledMembersOf(model);
    const std::vector<HarmonicDistance> distances = ComputeModelledDistances(plan, model);
    for (std::size_t i = 0; i < distances.size(); ++i) {
        if (!MemberCounts(members[i], model)) {
            continue;
        }
        const HarmonicDistance& d = distances[i];
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
