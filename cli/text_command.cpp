#include "cli/text_command.h"

#include <cerrno>
#include <string>

#include "cli/io.h"
#include "engine/addon.h"

namespace lum::cli {

const std::string_view kAddOnHelp = "SYMBOLOGY may also be MAIN+ADD2 or MAIN+ADD5, MAIN one of EAN13, UPCA,\n"
                                    "EAN8 and UPCE: the main symbol followed by a 2- or 5-digit add-on, typed\n"
                                    "as one TEXT. The main symbol takes the first 12 (EAN13), 11 (UPCA) or 7\n"
                                    "(EAN8, UPCE) digits with --check, one more without; the add-on the next 2\n"
                                    "or 5, padded on the left with 0 when fewer are left. A longer text is\n"
                                    "rejected. Each part is validated by its own rule; the output is the main\n"
                                    "symbol's font string followed directly by the add-on's.\n";

const std::string_view kMaxLineHelp = "A text, and in a batch an input line, may be at most 1 MiB long (--max-line\n"
                                      "changes the limit, up to 1G). A longer input line is rejected with its\n"
                                      "line number and skipped without being kept in memory; the batch goes on\n"
                                      "with the next line. Input that runs on for 1 GiB without a line end is\n"
                                      "not text lines: lumcode stops reading it (exit status 1).\n";

const std::string_view kEncodingHelp = "Input: the text is UTF-8 and is converted to Windows-1252, the engine's\n"
                                       "code page; a character that has no Windows-1252 form is rejected. With\n"
                                       "--raw-input the bytes are passed on unchanged.\n"
                                       "\n"
                                       "Formats (--format):\n"
                                       "  utf8      every byte as its Windows-1252 character in UTF-8; the five\n"
                                       "            bytes Windows-1252 leaves undefined (81 8D 8F 90 9D) as the\n"
                                       "            C1 controls U+0081 ... U+009D, so the mapping is reversible\n"
                                       "  raw       the bytes unchanged\n"
                                       "  escaped   printable ASCII as it is; \\\\ for a backslash, \\r \\n \\t, and\n"
                                       "            \\xHH (two upper-case hex digits) for every other byte below\n"
                                       "            32, for 127 and for every byte from 128 up\n"
                                       "  hex       two upper-case hex digits per byte, nothing between\n"
                                       "escaped and hex are unambiguous and always one line; utf8 and raw write\n"
                                       "the CR LF inside the two-line results (ISBN, ISBN13, C32HRC) as it is,\n"
                                       "so a batch of those needs escaped or hex to keep one line per input.\n"
                                       "The escaped form is also valid escape syntax for Full ASCII and Code 128\n"
                                       "texts.\n";

std::optional<LineOptions> ReadLineOptions(const Command& command, const ParsedArgs& args, Action action,
                                           const Streams& streams, int& status)
{
    LineOptions options;
    options.action = action;
    options.entry = FindTarget(args.positionals[0]);
    if (const auto ids = ParseMainAndAddOnId(args.positionals[0]); !options.entry && ids) {
        options.entry = FindSymbology(ids->main);
        options.addOn = FindSymbology(ids->addOn);
    }
    if (!options.entry) {
        status = UnknownSymbology(streams, command, args.positionals[0]);
        return std::nullopt;
    }
    options.check = args.Has("--check");
    options.rawInput = args.Has("--raw-input");
    if (const auto name = args.Value("--format")) {
        const auto format = ParseOutputFormat(*name);
        if (!format) {
            status = UsageError(streams, &command,
                                "unknown format '" + std::string(*name) + "' (utf8, raw, escaped or hex)");
            return std::nullopt;
        }
        options.format = *format;
    }
    if (const auto value = args.Value("--max-line")) {
        const auto maxLine = ParseMaxLine(*value);
        if (!maxLine) {
            status = UsageError(streams, &command,
                                "--max-line needs a number of bytes from 1 to 1G, such as 4096, 64K or 2M (not '" +
                                    std::string(*value) + "')");
            return std::nullopt;
        }
        options.maxLine = *maxLine;
    }
    options.values = args.Has("--values");
    if (options.values && !HasCodeValues(*options.entry)) {
        status = UsageError(streams, &command, "--values is for C128 and E128 only");
        return std::nullopt;
    }
    if (options.values && args.Has("--format")) {
        status = UsageError(streams, &command, "--values prints numbers; --format does not apply to them");
        return std::nullopt;
    }
    return options;
}

int RunText(LineHandler& handler, std::string_view text, const Streams& streams)
{
    std::string out, message;
    if (!handler.Handle(text, 0, out, message)) {
        PrintError(streams, message);
        return kExitRejected;
    }
    out.push_back('\n');
    errno = 0;
    const bool written = std::fwrite(out.data(), 1, out.size(), streams.out) == out.size();
    if (!written || std::fflush(streams.out) != 0) {
        PrintError(streams, CannotWrite("the output", errno));
        return kExitRejected;
    }
    return kExitOk;
}

int RunLines(const Command& command, Action action, const ParsedArgs& args, const Streams& streams)
{
    int status = kExitOk;
    const auto options = ReadLineOptions(command, args, action, streams, status);
    if (!options)
        return status;
    LineHandler handler(*options);
    return args.positionals.size() > 1 ? RunText(handler, args.positionals[1], streams) : RunBatch(handler, streams);
}

int RunBatch(LineHandler& handler, const Streams& streams)
{
    // Messages are buffered like the output and written at the same moments,
    // so a file of rejected lines costs no write per line either.
    OutputBuffer output(streams.out), errors(streams.err);
    const LineOptions& options = handler.Options();
    LineReader reader(fileno(streams.in), !options.rawInput, LineLimits{.maxLine = options.maxLine}, [&] {
        output.Flush();
        errors.Flush();
    });
    std::string message;
    std::string& out = output.Text();
    bool rejected = false;
    std::size_t lineNumber = 0;
    while (const auto line = reader.Next()) {
        ++lineNumber;
        if (line->unended) {
            message = MessageHead(options, lineNumber) + ": no line end in the first " + std::to_string(line->length) +
                      " bytes; this is not text lines, reading stopped";
        } else if (line->tooLong) {
            message = MessageHead(options, lineNumber) + ": " + DescribeTooLongLine(line->length, options.maxLine);
        }
        if (line->tooLong || !handler.Handle(line->text, lineNumber, out, message)) {
            errors.Text().append("lumcode: ").append(message).push_back('\n');
            errors.FlushIfFull();
            rejected = true;
        }
        out.push_back('\n');
        output.FlushIfFull();
        if (output.Failed())
            break;
    }
    const bool written = output.Flush();
    errors.Flush();
    if (!written) {
        PrintError(streams, CannotWrite("the output", output.Error()));
        return kExitRejected;
    }
    if (reader.Failed()) {
        PrintError(streams, CannotRead("the input", reader.Error()));
        return kExitRejected;
    }
    return rejected ? kExitRejected : kExitOk;
}

std::optional<std::size_t> ParseMaxLine(std::string_view text) noexcept
{
    std::size_t shift = 0;
    if (!text.empty()) {
        switch (text.back()) {
        // clang-format off
        case 'k': case 'K': shift = 10; break;
        case 'm': case 'M': shift = 20; break;
        case 'g': case 'G': shift = 30; break;
        default: break;
            // clang-format on
        }
    }
    if (shift != 0)
        text.remove_suffix(1);
    if (text.empty() || text.size() > 10)
        return std::nullopt;
    std::size_t value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9')
            return std::nullopt;
        value = 10 * value + std::size_t(c - '0');
    }
    if (value == 0 || value > (kLargestMaxLine >> shift))
        return std::nullopt;
    return value << shift;
}

} // namespace lum::cli
