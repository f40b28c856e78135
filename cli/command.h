// The lumcode subcommands: a table of them, one source file each, and the
// entry point that picks one.
#pragma once

#include <cstddef>
#include <cstdio>
#include <span>
#include <string>
#include <string_view>

#include "cli/args.h"
#include "engine/catalogue.h"

namespace lum::cli {

struct Streams {
    std::FILE* in;
    std::FILE* out;
    std::FILE* err;
};

enum ExitCode : int {
    kExitOk = 0,
    kExitRejected = 1, // rejected input, or output that could not be written
    kExitUsage = 2,
};

inline constexpr std::size_t kAnyCount = std::size_t(-1);

struct Command {
    std::string_view name;
    std::string_view arguments; // after the name in the usage line: "[OPTIONS] SYMBOLOGY [TEXT]"
    std::string_view summary;   // one line, for the overview
    std::string_view details;   // the body of the command's help
    std::span<const OptionSpec> options;
    std::size_t minPositionals, maxPositionals;
    int (*run)(const ParsedArgs& args, const Streams& streams);
};

// One definition per subcommand source file; Commands() lists them in help order.
extern const Command kEncodeCommand;
extern const Command kValidateCommand;
extern const Command kListCommand;
extern const Command kIsbnCommand;
extern const Command kRenderCommand; // only in builds with the renderer (LUM_HAVE_RENDER)

std::span<const Command* const> Commands() noexcept;

// The catalogue entry a SYMBOLOGY argument names (any letter case), or nullptr.
const Symbology* FindTarget(std::string_view id) noexcept;

// Writes "lumcode: COMMAND: message" and a pointer to the help; returns kExitUsage.
int UsageError(const Streams& streams, const Command* command, std::string_view message);

// Reports an unknown SYMBOLOGY argument as a usage error.
int UnknownSymbology(const Streams& streams, const Command& command, std::string_view id);

// Writes a line "lumcode: message" on the error stream; controls in the
// message are escaped.
void PrintError(const Streams& streams, std::string_view message);

// "cannot write WHAT: REASON" (or "cannot read"), REASON the system's text for
// the error number; without it when the number is 0.
std::string CannotWrite(std::string_view what, int error);
std::string CannotRead(std::string_view what, int error);

// lumcode with its arguments (without the program name); returns the exit
// status. Never throws: running out of memory is reported, with status 1.
int Main(std::span<const char* const> args, const Streams& streams) noexcept;

} // namespace lum::cli
