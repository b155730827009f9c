#include "plan/worst_spur.h"

namespace quorvel {

namespace {

// Whether a level ranks above another, an unknown one above every known one.
bool Louder(const std::optional<double>& level, const std::optional<double>& than) {
    if (!than) {
        return false;
    }
    return !level || *level > *than;
}

}  // namespace

std::optional<std::size_t> WorstSpurIndex(const std::vector<SpurLedgerRow>& rows, LedgerBand band) {
    std::optional<std::size_t> worst;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const SpurLedgerRow& row = rows[i];
        const bool meets = band == LedgerBand::kIf ? row.meetsIf : row.meetsRf;
        if (meets && row.counts && (!worst || Louder(row.level, rows[*worst].level))) {
            worst = i;
        }
    }
    return worst;
}

}  // namespace quorvel
