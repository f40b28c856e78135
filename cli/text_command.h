// What the encode and validate commands share: the options --check,
// --raw-input and --format, and the single-text and batch runs.
#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

#include "cli/command.h"
#include "cli/line.h"

namespace lum::cli {

// The options every text command has; a command lists them in its own table,
// beside any options of its own.
inline constexpr OptionSpec kCheckOption{"--check", "", "compute and append the check character(s)"};
inline constexpr OptionSpec kRawInputOption{"--raw-input", "", "take the input bytes as Windows-1252, unconverted"};
inline constexpr OptionSpec kFormatOption{"--format", "FORMAT", "write utf8 (the default), raw, escaped or hex"};
inline constexpr OptionSpec kMaxLineOption{"--max-line", "BYTES",
                                           "longest text or input line taken (default 1M; K, M, G: KiB, MiB, GiB)"};
inline constexpr OptionSpec kValuesOption{"--values", "",
                                          "C128 and E128: print the code values (start, data, check, stop)"};

// The help paragraph on main symbols with an add-on (MAIN+ADD2, MAIN+ADD5).
extern const std::string_view kAddOnHelp;

// The help paragraph on the line limit.
extern const std::string_view kMaxLineHelp;

// The help paragraph on input and output encodings.
extern const std::string_view kEncodingHelp;

// The line options the arguments ask for; nullopt after a usage error, whose
// exit status is then in `status`.
std::optional<LineOptions> ReadLineOptions(const Command& command, const ParsedArgs& args, Action action,
                                           const Streams& streams, int& status);

// Handles one text and writes its output line.
int RunText(LineHandler& handler, std::string_view text, const Streams& streams);

// The encode and validate commands: reads the command's options, then
// handles TEXT (the second positional) or, without it, every input line.
int RunLines(const Command& command, Action action, const ParsedArgs& args, const Streams& streams);

// Handles every line of the input stream: one output line per input line,
// an empty one for a rejected input; exit status 1 when any was rejected.
// A line over the limit is rejected without being kept; input that runs on
// for 1 GiB without a line end is read no further.
int RunBatch(LineHandler& handler, const Streams& streams);

// The --max-line value of "BYTES", "BYTESK", "BYTESM" or "BYTESG" (powers of
// 1024, either letter case), from 1 to kLargestMaxLine; nullopt otherwise.
std::optional<std::size_t> ParseMaxLine(std::string_view text) noexcept;

} // namespace lum::cli
