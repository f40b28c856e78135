// lumcode encode: the font string of a text, or of every line of the input.
#include <array>
#include <string>

#include "cli/text_command.h"

namespace lum::cli {
namespace {

int RunEncode(const ParsedArgs& args, const Streams& streams)
{
    return RunLines(kEncodeCommand, Action::Encode, args, streams);
}

const std::string kDetails = std::string("Prints the font string for TEXT: the text validated and normalised, with\n"
                                         "the check character(s) when --check is given, and the start, stop and guard\n"
                                         "characters, to be set in the symbology's font family (lumcode list).\n"
                                         "\n"
                                         "Without TEXT, reads standard input line by line and writes exactly one\n"
                                         "line per input line: the font string, or an empty line for a rejected\n"
                                         "input, whose reason goes to standard error with its line number. CR LF\n"
                                         "line ends, a missing final line end and a UTF-8 byte order mark are fine\n"
                                         "(with --raw-input the byte order mark is part of the first line).\n"
                                         "\n"
                                         "With --values (C128 and E128), prints the code values instead: start,\n"
                                         "data, check and stop values as decimal numbers separated by spaces.\n"
                                         "\n"
                                         "A rejected text is reported on standard error (exit status 1); positions\n"
                                         "in messages count characters from 1.\n"
                                         "\n") +
                             std::string(kMaxLineHelp) + "\n" + std::string(kAddOnHelp) + "\n" +
                             std::string(kEncodingHelp);

constexpr std::array kOptions{kCheckOption, kRawInputOption, kFormatOption, kValuesOption, kMaxLineOption};

} // namespace

const Command kEncodeCommand{
    "encode",
    "[OPTIONS] SYMBOLOGY [TEXT]",
    "print the font string of a text (or of each input line)",
    kDetails,
    kOptions,
    1,
    2,
    RunEncode,
};

} // namespace lum::cli
