#include "cli/command.h"

#include <array>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <exception>
#include <new>
#include <string>

#include "cli/format.h"

#ifndef LUM_VERSION
#define LUM_VERSION "unknown"
#endif

namespace lum::cli {
namespace {

#ifdef LUM_HAVE_RENDER
constexpr std::array<const Command*, 5> kCommands{&kEncodeCommand, &kValidateCommand, &kListCommand, &kIsbnCommand,
                                                  &kRenderCommand};
#else
constexpr std::array<const Command*, 4> kCommands{&kEncodeCommand, &kValidateCommand, &kListCommand, &kIsbnCommand};
#endif

constexpr std::string_view kOverview = "Usage: lumcode COMMAND [OPTIONS] [ARGUMENTS]\n"
                                       "Turns a line of text into a barcode font string: the text validated and\n"
                                       "normalised, with check, start/stop and guard characters, mapped onto the\n"
                                       "characters of a barcode font family (lumcode list shows the families).\n"
                                       "\n"
                                       "Commands:\n";

constexpr std::string_view kOverviewEnd =
    "\n"
    "Options:\n"
    "  -h, --help          show this help, or with a command that command's help\n"
    "  --version           show the version\n"
    "\n"
    "Run 'lumcode COMMAND --help' (or 'lumcode help COMMAND') for the\n"
    "arguments and options of a command. SYMBOLOGY is an identifier from\n"
    "lumcode list, in any letter case.\n"
    "\n"
    "Exit status:\n"
    "  0   done\n"
    "  1   a text was rejected, the output could not be written, or memory ran out\n"
    "  2   usage error, unknown SYMBOLOGY included\n"
    "\n"
    "Examples:\n"
    "  $ lumcode encode --check C39 ABC          # #ABCX#\n"
    "  $ lumcode encode --format escaped C39FULL 'a\\tb'\n"
    "  $ lumcode validate --check EAN13 123      # 000000000123\n"
    "  $ lumcode encode --check C39 < codes.txt  # a string a line\n"
    "  $ lumcode render --check -o ean.png EAN13 590123412345\n"
    "  $ lumcode list EAN13 C128                 # fonts, styles\n";

bool Write(std::FILE* file, std::string_view text)
{
    return std::fwrite(text.data(), 1, text.size(), file) == text.size() && std::fflush(file) == 0;
}

// Help and version texts go to the output stream; exit status 1 when they cannot.
int WriteOutput(const Streams& streams, std::string_view text)
{
    errno = 0;
    if (Write(streams.out, text))
        return kExitOk;
    PrintError(streams, CannotWrite("the output", errno));
    return kExitRejected;
}

std::string Failure(std::string_view verb, std::string_view what, int error)
{
    std::string out = "cannot ";
    out.append(verb).append(" ").append(what);
    if (error != 0)
        out.append(": ").append(std::strerror(error));
    return out;
}

std::string CommandHelp(const Command& c)
{
    std::string out = "Usage: lumcode ";
    out.append(c.name).append(" ").append(c.arguments).append("\n");
    out.append(c.details);
    out.append("\nOptions:\n").append(OptionHelp(c.options));
    return out;
}

std::string Overview()
{
    std::string out(kOverview);
    for (const Command* c : kCommands) {
        out.append("  ").append(c->name);
        out.append(c->name.size() < 12 ? 12 - c->name.size() : 1, ' ');
        out.append(c->summary).push_back('\n');
    }
    out.append(kOverviewEnd);
    return out;
}

const Command* FindCommand(std::string_view name) noexcept
{
    for (const Command* c : kCommands)
        if (c->name == name)
            return c;
    return nullptr;
}

} // namespace

std::span<const Command* const> Commands() noexcept { return kCommands; }

const Symbology* FindTarget(std::string_view id) noexcept { return FindSymbology(id); }

void PrintError(const Streams& streams, std::string_view message)
{
    std::string line = "lumcode: ";
    line.append(EscapeForMessage(message)).push_back('\n');
    Write(streams.err, line);
}

std::string CannotWrite(std::string_view what, int error) { return Failure("write", what, error); }

std::string CannotRead(std::string_view what, int error) { return Failure("read", what, error); }

int UsageError(const Streams& streams, const Command* command, std::string_view message)
{
    std::string line = "lumcode: ";
    if (command)
        line.append(command->name).append(": ");
    line.append(EscapeForMessage(message)).append("\nTry 'lumcode ");
    if (command)
        line.append(command->name).append(" ");
    line.append("--help'.\n");
    Write(streams.err, line);
    return kExitUsage;
}

int UnknownSymbology(const Streams& streams, const Command& command, std::string_view id)
{
    return UsageError(streams, &command,
                      "unknown symbology '" + std::string(id) + "' (lumcode list shows the identifiers)");
}

namespace {

int RunCommandLine(std::span<const char* const> args, const Streams& streams)
{
    if (args.empty())
        return UsageError(streams, nullptr, "no command given");
    const std::string_view first = args[0];
    if (first == "-h" || first == "--help" || first == "help") {
        if (first == "help" && args.size() > 1) {
            const Command* c = FindCommand(args[1]);
            if (!c)
                return UsageError(streams, nullptr, "unknown command '" + std::string(args[1]) + "'");
            return WriteOutput(streams, CommandHelp(*c));
        }
        return WriteOutput(streams, Overview());
    }
    if (first == "--version")
        return WriteOutput(streams, "lumcode " LUM_VERSION "\n");
    const Command* command = FindCommand(first);
    if (!command)
        return UsageError(streams, nullptr, "unknown command '" + std::string(first) + "'");

    const ParseOutcome parsed = ParseArguments(command->options, args.subspan(1));
    if (!parsed.Ok())
        return UsageError(streams, command, parsed.error);
    if (parsed.args.help)
        return WriteOutput(streams, CommandHelp(*command));
    const std::size_t n = parsed.args.positionals.size();
    if (n < command->minPositionals)
        return UsageError(streams, command,
                          "missing arguments (usage: lumcode " + std::string(command->name) + " " +
                              std::string(command->arguments) + ")");
    if (n > command->maxPositionals)
        return UsageError(streams, command,
                          "too many arguments (from '" + std::string(parsed.args.positionals[command->maxPositionals]) +
                              "'; quote a text that holds spaces)");
    return command->run(parsed.args, streams);
}

} // namespace

int Main(std::span<const char* const> args, const Streams& streams) noexcept
{
    // The last line of defence: whatever escapes a command ends in a message
    // and exit status 1, never in std::terminate. The messages are literals,
    // so reporting an exhausted heap needs no memory.
    const char* reason = "unexpected exception";
    try {
        return RunCommandLine(args, streams);
    } catch (const std::bad_alloc&) {
        reason = nullptr;
    } catch (const std::exception& e) {
        reason = e.what();
    } catch (...) {
    }
    if (reason)
        std::fprintf(streams.err, "lumcode: internal error: %s\n", reason);
    else
        std::fputs("lumcode: out of memory\n", streams.err);
    std::fflush(streams.err);
    return kExitRejected;
}

} // namespace lum::cli
