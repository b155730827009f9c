#include "app/cli_options.h"

#include "cli_option_table.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <map>

#include "app/clean_options.h"
#include "app/export_clean.h"
#include "app/quoted_text.h"
#include "charts/chart_area.h"
#include "plan/number_text.h"
#include "res/dialog_template.h"
#include "res/dialog_units.h"
#include "res/version.h"

namespace quorvel {
namespace {

const Option* FindOption(std::string_view name) {
    for (const Option& option : CliOptions()) {
        if (option.name == name || (!option.alias.empty() && option.alias == name)) {
            return &option;
        }
    }
    return nullptr;
}

std::string_view OutputName(std::optional<std::string> CliRequest::*output) {
    for (const Option& option : CliOptions()) {
        if (option.output == output) {
            return option.name;
        }
    }
    return {};
}

/// The checks that need the whole command line.
Problem CheckCombination(const CliRequest& request, const std::map<const Option*, int>& seen) {
    if (!request.planPath) {
        if (auto complaint = CheckCleanRanges(request)) {
            return complaint;
        }
    }
    for (const Option& option : CliOptions()) {
        if (option.readBy != nullptr && seen.contains(&option) && !option.readBy(request)) {
            return std::string(option.name) + " applies only to " + std::string(option.readByText);
        }
    }
    if (request.peaksPath && !request.measuredPath) {
        return std::string(OutputName(&CliRequest::peaksPath)) + " needs --measured FILE";
    }
    if (request.identify) {
        for (const Option& option : CliOptions()) {
            if (option.output != nullptr && request.*option.output == kStandardOutputName) {
                return "--identify and " + std::string(option.name) +
                       " cannot both write to standard output";
            }
        }
    }
    // Outputs named alike; other exports' names are compared as files when they are written.
    using Path = std::optional<std::string> CliRequest::*;
    const Path named[] = {&CliRequest::savePlanPath, &CliRequest::bandCsvPath,
                          &CliRequest::lineCsvPath, &CliRequest::pngPath,
                          &CliRequest::spurLedgerPath};
    for (std::size_t j = 1; j < std::size(named); ++j) {
        for (std::size_t i = 0; i < j; ++i) {
            const auto& a = request.*named[i];
            const auto& b = request.*named[j];
            if (!a || !b || *a != *b) {
                continue;
            }
            const std::string both =
                std::string(OutputName(named[i])) + " and " + std::string(OutputName(named[j]));
            return *a == kStandardOutputName && named[i] != &CliRequest::savePlanPath
                       ? both + " cannot both write to standard output"
                       : both + " name the same file";
        }
    }
    return std::nullopt;
}

CliUsageError Complaint(const std::string& message) {
    return {"quorvel: " + message};
}

}  // namespace

std::variant<CliRequest, CliUsageError> ParseCommandLine(std::span<const std::string_view> args,
                                                         const PlanFields& plan,
                                                         const SpurModel& model) {
    CliRequest request;
    request.plan = plan;
    request.query.model = model;
    std::map<const Option*, int> seen;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string_view arg = args[i];
        if (arg.size() < 2 || arg.front() != '-') {
            // One plan file may stand alone; anything else loose is a slip.
            if (request.planPath || arg.empty()) {
                return Complaint("unexpected argument " + Quoted(arg) + " (see --help)");
            }
            request.planPath = std::string(arg);
            continue;
        }
        const auto equals = arg.find('=');
        const std::string_view name = arg.substr(0, equals);
        const Option* option = FindOption(name);
        if (option == nullptr) {
            return Complaint("unknown option " + Quoted(name) + " (see --help)");
        }
        if (option->store == nullptr) {
            if (equals != std::string_view::npos) {
                return Complaint(std::string(name) + " takes no value");
            }
            request.action = option->action;
            return request;
        }
        if (++seen[option] > option->repeats) {
            return Complaint(std::string(option->name) + " is given more than " +
                             (option->repeats == 1 ? std::string("once")
                                                   : std::to_string(option->repeats) + " times"));
        }
        std::string_view value;
        if (equals != std::string_view::npos) {
            value = arg.substr(equals + 1);
        } else if (i + 1 < args.size()) {
            // Whatever follows is the value, a leading minus sign included (--if -5).
            value = args[++i];
        } else {
            return Complaint(std::string(option->name) + " needs a value");
        }
        if (auto complaint = option->store(option->name, value, request)) {
            return Complaint(*complaint);
        }
    }
    if (auto complaint = CheckCombination(request, seen)) {
        return Complaint(*complaint);
    }
    for (const Option& option : CliOptions()) {
        if (option.output != nullptr && request.*option.output) {
            request.action = CliAction::kExport;
        }
    }
    if (request.identify && request.action == CliAction::kStartDialog) {
        request.action = CliAction::kExport;
    }
    return request;
}

std::string UsageText() {
    constexpr std::size_t kHelpColumn = 23;
    const char* headings[] = {
        "Plan files:\n",
        "Plan values (read as in the edit fields; frequencies in MHz):\n",
        "Converter spurs (each counted as the harmonics are, in every export):\n",
        "Spur levels (with a floor, clean means no spur above it meets the bands):\n",
        "Exports (no window and no display needed; several may be combined):\n",
        "Clean frequencies (no harmonic 2..H meets the bands, the IF band does not fold\n"
        "onto itself):\n",
        "Naming spurs (a single test tone at the IF centre; interferers as tones at their\n"
        "centres):\n",
        ""};
    std::string text =
        "Usage: quorvel [OPTIONS] [FILE]\n"
        "\n"
        "Without an export option Quorvel opens its window, with the plan values given\n"
        "below in its fields instead of the defaults, and the plan file FILE (.qvplan)\n"
        "as its file when one is given.\n";
    std::optional<Section> section;
    for (const Option& option : CliOptions()) {
        if (option.section != section) {
            section = option.section;
            text += std::string("\n") + headings[static_cast<std::size_t>(option.section)];
        }
        std::string left = "  ";
        if (!option.alias.empty()) {
            left += std::string(option.alias) + ", ";
        }
        left += std::string(option.name);
        if (!option.value.empty()) {
            left += " " + std::string(option.value);
        }
        const std::string help = option.help != nullptr ? option.help() : std::string(option.text);
        std::size_t from = 0;
        for (bool first = true; from <= help.size(); first = false) {
            const std::size_t end = std::min(help.find('\n', from), help.size());
            const std::string lead = first ? left : std::string();
            const std::size_t pad = lead.size() + 2 <= kHelpColumn ? kHelpColumn - lead.size() : 2;
            text += lead + std::string(pad, ' ') + help.substr(from, end - from) + "\n";
            from = end + 1;
        }
    }
    return text +
           "\n"
           "An option's value follows it (--fs 1000) or is joined by '=' (--fs=1000).\n"
           "Files are replaced whole or not at all; pipes and devices are written as they are.\n"
           "Exit status: 0 done, 1 an output not written or no band table and alias lines\n"
           "to export (Fs or RF BW not above 0; the PNG is still written), 2 bad use (two\n"
           "exports to one file included).\n";
}

ChartAreaSize DefaultChartAreaSize() {
    const DialogPixels client = DialogClientRect(MainDialogTemplate());
    return {client.width, client.height - kControlStripHeight};
}

std::string VersionText() {
    return std::string("Quorvel ") + version::kVersion + "\n";
}

}  // namespace quorvel
