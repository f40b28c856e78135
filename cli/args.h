// Command-line parsing for the lumcode subcommands, driven by a table of
// options per subcommand.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace lum::cli {

struct OptionSpec {
    std::string_view name;      // "--check", or a short name such as "-o"
    std::string_view valueName; // "FORMAT" for an option that takes a value; empty for a flag
    std::string_view help;
};

struct ParsedArgs {
    std::vector<std::string_view> positionals;
    std::vector<std::pair<std::string_view, std::string_view>> options; // name as in the table, value
    bool help = false;

    bool Has(std::string_view name) const noexcept;
    // The value given last for the option, or nullopt.
    std::optional<std::string_view> Value(std::string_view name) const noexcept;
};

struct ParseOutcome {
    ParsedArgs args;
    std::string error; // empty when the arguments parsed
    bool Ok() const noexcept { return error.empty(); }
};

// Options may come before, between or after the positional arguments. "--"
// ends the options (for a text that starts with "-"); "-" alone is a
// positional. A value follows its option as "--name value" or "--name=value".
// "-h" and "--help" are understood everywhere.
ParseOutcome ParseArguments(std::span<const OptionSpec> options, std::span<const char* const> args);

// The options part of a help text: one line per option, aligned.
std::string OptionHelp(std::span<const OptionSpec> options);

} // namespace lum::cli
