// The program's string table.
#pragma once

#include <string_view>

namespace quorvel {

/// The string with resource id `id`; empty when the table has none.
std::string_view LoadResourceString(int id);

}  // namespace quorvel
