// The spur that sets a band's spur-free dynamic range: of the members that count and meet
// the band, the strongest. An unknown level is taken as the strongest of all, as the floor
// takes it: nothing says it is weaker than the signal.
#pragma once

#include <cstddef>
#include <optional>
#include <vector>

#include "plan/spur_ledger.h"

namespace quorvel {

enum class LedgerBand { kIf, kRf };

/// The index in `rows` of the worst spur meeting `band`, the first in ledger order among
/// equals; nothing when no member that counts meets it.
std::optional<std::size_t> WorstSpurIndex(const std::vector<SpurLedgerRow>& rows, LedgerBand band);

}  // namespace quorvel
