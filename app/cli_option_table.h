// The command line's options, one row each: everything about an option stands in its row,
// and the parser, the checks and the help text are made from the rows.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "app/cli_options.h"

namespace quorvel {

/// What is wrong with a value or a command line, in a few words; nothing when all is well.
using Problem = std::optional<std::string>;

struct Option;
/// Reads `value` into the request; `name` is the option as listed.
using Store = Problem (*)(std::string_view name, std::string_view value, CliRequest& request);

enum class Section { kPlanFiles, kPlanValues, kModel, kLevels, kExports, kClean, kIdentify, kLast };

/// One command-line option: everything about it stands here, and the help text and the
/// checks that need the whole command line are made from these rows.
struct Option {
    std::string_view name;
    std::string_view value;  ///< what the help calls its value; empty: it takes none
    Section section;
    /// Its help, one line per '\n': a text, or one made with the defaults it names, which
    /// come from the constants they are.
    std::string_view text = {};
    std::string (*help)() = nullptr;
    Store store = nullptr;  ///< null: --help or --version, `action`
    CliAction action = CliAction::kStartDialog;
    /// The exports that read it, when not every run does: given without any of them, it
    /// is bad use, "<name> applies only to <readByText>".
    bool (*readBy)(const CliRequest&) = nullptr;
    std::string_view readByText = {};
    /// The export it asks for, a file name in the request.
    std::optional<std::string> CliRequest::*output = nullptr;
    std::string_view alias = {};  ///< a short spelling ("-h")
    int repeats = 1;              ///< how many times it may be given
};

/// Every option, in the order --help lists them.
std::span<const Option> CliOptions();

}  // namespace quorvel
