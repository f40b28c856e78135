// Why a text is rejected, in words: the messages lumcode prints, the library's
// VORDiagnoseDLL returns and the database and spreadsheet functions raise.
// Every string here is Windows-1252, like the texts it describes; callers
// convert it at their edge.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "engine/catalogue.h"

namespace lum {

// How the check flag is named in a length message: the command line has an
// option for it, the other callers an argument.
enum class FlagWording : unsigned char {
    Argument,    // "when the check digit is added"
    CommandLine, // "with --check"
};

struct ReasonStyle {
    Language language = Language::English;
    FlagWording flag = FlagWording::Argument;
    Deliverable who = Deliverable::Library; // how escapes above 255 read, for "stands for code N"
};

// Why the entry rejects `text`: "too long: ...", "character ... at position
// ...". `verdict` comes from ValidateText or Diagnose; empty when it accepts.
std::string DescribeRejection(const Symbology& entry, const Verdict& verdict, std::string_view text, bool check,
                              ReasonStyle style);

// Why Encode(text, id, check, style.who) fails, or the empty string when it
// succeeds. Unknown identifiers are named as such.
std::string RejectionReason(std::string_view text, std::string_view id, bool check, ReasonStyle style = {});

// `text` in double quotes for a message, with control characters escaped
// (\t, \r, \n, \xHH) so the message stays on one line, cut after `limit`
// characters.
std::string QuoteText(std::string_view text, std::size_t limit = 60);

// A character for a message: "x", "é" (U+00E9), or U+0009 for a control.
std::string CharacterName(unsigned char byte);

} // namespace lum
