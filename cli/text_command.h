// What the encode and validate commands share: the options --check,
// --raw-input and --format, and the single-text and batch runs.
#pragma once

#include <array>
#include <optional>

#include "cli/command.h"
#include "cli/line.h"

namespace lum::cli {

inline constexpr std::array<OptionSpec, 3> kTextOptions{{
    {"--check", "", "compute and append the check character(s)"},
    {"--raw-input", "", "take the input bytes as Windows-1252, unconverted"},
    {"--format", "FORMAT", "write utf8 (the default), raw, escaped or hex"},
}};

// The help paragraph on input and output encodings.
extern const std::string_view kEncodingHelp;

// The line options the arguments ask for; nullopt after a usage error, whose
// exit status is then in `status`.
std::optional<LineOptions> ReadLineOptions(const Command& command, const ParsedArgs& args, Action action,
                                           const Streams& streams, int& status);

// Handles one text and writes its output line.
int RunText(LineHandler& handler, std::string_view text, const Streams& streams);

// Handles every line of the input stream: one output line per input line,
// an empty one for a rejected input; exit status 1 when any was rejected.
int RunBatch(LineHandler& handler, const Streams& streams);

} // namespace lum::cli
