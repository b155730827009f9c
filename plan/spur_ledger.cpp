#include "plan/spur_ledger.h"

#include <cmath>

#include "plan/number_text.h"
#include "plan/spur_rows.h"
#include "plan/spur_verdict.h"
#include "plan/spur_windows.h"

namespace quorvel {

namespace {

// The member's frequencies before sampling, lowest first (for a band of positive width).
std::pair<double, double> MemberFrequencies(const SpurMember& member, const SpurModel& model,
                                            double fs, const SpurEdges& e) {
    const double na = member.order * e.ifLo;
    const double nb = member.order * e.ifHi;
    switch (member.family) {
        case SpurFamily::kHarmonic:
            return {na, nb};
        case SpurFamily::kInterleaveImage:
        case SpurFamily::kInterleaveOffset: {
            const double tone = (member.term * fs) / ModelInterleave(model);
            return member.order == 0 ? std::pair{tone, tone} : std::pair{tone + na, tone + nb};
        }
        case SpurFamily::kClockSideband:
            return {na + member.term * model.clockSpur, nb + member.term * model.clockSpur};
        case SpurFamily::kInterferer: {
            const Interferer& in = model.interferers[static_cast<std::size_t>(member.term - 1)];
            const double half = std::fabs(in.width) / 2;
            return {member.order * (in.centre - half), member.order * (half + in.centre)};
        }
    }
    return {};
}

std::string Distance(double mhz) {
    return std::isnan(mhz) ? std::string() : ShortestNumberText(mhz);
}

}  // namespace

std::vector<SpurLedgerRow> BuildSpurLedger(const PlanFields& plan, const SpurModel& model) {
    std::vector<SpurLedgerRow> rows;
    for (const SpurRow& row : BuildSpurRows(plan)) {
        rows.push_back({{SpurFamily::kHarmonic, row.harmonic, 0},
                        row.image,
                        row.meetsIf,
                        row.meetsRf,
                        row.distanceToIf,
                        row.distanceToRf});
        const SpurMember& member = rows.back().member;
        rows.back().level = MemberLevel(member, model);
        rows.back().counts = MemberCounts(member, model);
    }
    const std::vector<SpurMember> members = ModelledMembersOf(model);
    if (members.empty()) {
        return rows;
    }
    const SpurVerdict verdict = JudgeSpurs(plan, {Against::kBoth, 0, model});
    const std::vector<HarmonicDistance> distances = ComputeModelledDistances(plan, model);
    const SpurEdges e = EdgesAt(plan.m_if, plan.m_ifBw, plan.m_rfBw);
    for (std::size_t i = 0; i < members.size(); ++i) {
        const auto [lo, hi] = MemberFrequencies(members[i], model, plan.m_fs, e);
        const MemberMeets meets = verdict.valid ? verdict.modelled[i] : MemberMeets{};
        rows.push_back({members[i], FoldFrequencyInterval(plan.m_fs, lo, hi), meets.meetsIf,
                        meets.meetsRf, distances[i].toIf, distances[i].toRf,
                        MemberLevel(members[i], model), MemberCounts(members[i], model)});
    }
    return rows;
}

std::optional<double> LedgerRowDbc(const SpurLedgerRow& row, const SpurModel& model) {
    return row.level ? std::optional(*row.level - model.levels.signal) : std::nullopt;
}

std::string SpurLedgerCsv(const std::vector<SpurLedgerRow>& rows, const SpurModel& model) {
    const bool levels = LevelsGiven(model);
    std::string csv = std::string(kSpurLedgerCsvColumns);
    if (levels) {
        csv += ',' + std::string(kSpurLevelCsvColumns);
    }
    csv += '\n';
    for (const SpurLedgerRow& row : rows) {
        csv += std::string(SpurFamilyName(row.member.family)) + ',' +
               std::to_string(row.member.order) + ',' + SpurTermText(row.member, model) + ',' +
               ShortestNumberText(row.image.lo) + ',' + ShortestNumberText(row.image.hi) + ',' +
               (row.meetsIf ? '1' : '0') + ',' + (row.meetsRf ? '1' : '0') + ',' +
               Distance(row.distanceToIf) + ',' + Distance(row.distanceToRf);
        if (levels) {
            const auto level = [](std::optional<double> v) {
                return v ? ShortestNumberText(*v) : std::string();
            };
            csv += ',' + level(row.level) + ',' + level(LedgerRowDbc(row, model)) + ',' +
                   (row.counts ? '1' : '0');
        }
        csv += '\n';
    }
    return csv;
}

}  // namespace quorvel
