// User text quoted in a one-line message.
#pragma once

#include <string>
#include <string_view>

namespace quorvel {

/// `text` in single quotes, each control character shown as '?': a raw newline or escape
/// sequence would break the line or drive the terminal. Other bytes are kept as given.
inline std::string Quoted(std::string_view text) {
    std::string out = "'";
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        out += (byte < 0x20 || byte == 0x7f) ? '?' : c;
    }
    out += '\'';
    return out;
}

}  // namespace quorvel
