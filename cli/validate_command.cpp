// lumcode validate: the normalised text, as the encoder receives it.
#include <array>
#include <string>

#include "cli/text_command.h"

namespace lum::cli {
namespace {

// The command takes exactly one TEXT, so there is no batch mode.
int RunValidate(const ParsedArgs& args, const Streams& streams)
{
    return RunLines(kValidateCommand, Action::Validate, args, streams);
}

const std::string kDetails = std::string("Checks TEXT against the symbology's validation rule and prints it\n"
                                         "normalised: upper-cased where the alphabet is upper-case, padded on the\n"
                                         "left with 0 to the fixed length. --check changes the accepted length of\n"
                                         "the fixed-length symbologies (one digit fewer: the check digit is added).\n"
                                         "A rejected text is reported on standard error (exit status 1). Only the\n"
                                         "validation rule is applied: characters a Full ASCII or Code 128 encoder\n"
                                         "cannot carry are reported by encode.\n"
                                         "TEXT may be at most 1 MiB long (--max-line changes the limit).\n"
                                         "\n") +
                             std::string(kAddOnHelp) + "\n" + std::string(kEncodingHelp);

constexpr std::array kOptions{kCheckOption, kRawInputOption, kFormatOption, kMaxLineOption};

} // namespace

const Command kValidateCommand{
    "validate",
    "[OPTIONS] SYMBOLOGY TEXT",
    "print the normalised text, or why it is rejected",
    kDetails,
    kOptions,
    2,
    2,
    RunValidate,
};

} // namespace lum::cli
