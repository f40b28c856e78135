// lumcode isbn: checks a typed ISBN-10 or ISBN-13 and prints both hyphenated forms.
#include <array>
#include <cerrno>
#include <cstdio>
#include <optional>
#include <string>

#include "cli/command.h"
#include "cli/line.h"
#include "engine/cp1252.h"
#include "engine/ean.h"
#include "engine/isbn.h"
#include "engine/text.h"

namespace lum::cli {
namespace {

bool IsSeparator(char c) noexcept { return c == '-' || c == ' '; }

// The first character ParseIsbn does not allow, as a message part.
std::string DescribeBadCharacter(std::string_view text, std::size_t length)
{
    std::size_t index = 0; // among the characters that are not separators
    for (std::size_t pos = 0; pos < text.size(); ++pos) {
        const char c = ToUpperAscii(text[pos]);
        if (IsSeparator(c))
            continue;
        const bool finalX = c == 'X' && length == 10 && index == 9;
        if (!IsDigit(c) && !finalX)
            return "character " + QuoteForMessage(text.substr(pos, 1)) + " at position " + std::to_string(pos + 1) +
                   " is not allowed; an ISBN-10 is nine digits and a digit or X, an ISBN-13 thirteen digits";
        ++index;
    }
    return "a character is not allowed";
}

std::string Cleaned(std::string_view text)
{
    std::string out;
    for (char c : text)
        if (!IsSeparator(c))
            out.push_back(ToUpperAscii(c));
    return out;
}

std::string DescribeFailure(IsbnParse result, std::string_view text)
{
    const std::string s = Cleaned(text);
    switch (result) {
    // clang-format off
    case IsbnParse::Ok: return {};
    case IsbnParse::Empty: return "empty: an ISBN has 10 or 13 characters besides hyphens and blanks";
    case IsbnParse::BadLength:
        // clang-format on
        return std::to_string(s.size()) + " characters besides hyphens and blanks; an ISBN has 10 or 13";
    // clang-format off
    case IsbnParse::BadCharacter: return DescribeBadCharacter(text, s.size());
    case IsbnParse::BadIsbn10:
        // clang-format on
        return "not a valid ISBN-10: the check character for " + s.substr(0, 9) + " is " +
               Isbn10CheckDigit(s.substr(0, 9)).substr(9) + ", not " + s.substr(9);
    case IsbnParse::BadIsbn13:
        return "not a valid ISBN-13: the check digit for " + s.substr(0, 12) + " is " +
               EanCheckDigit(s.substr(0, 12)).substr(12) + ", not " + s.substr(12);
    }
    return "not an ISBN";
}

// The note for a number outside the assigned ranges: the element for which
// the range data has no range.
std::string UnassignedNote(std::string_view isbn13)
{
    const std::optional<IsbnElements> e = SplitIsbn(isbn13);
    const std::string prefix(isbn13.substr(0, 3));
    std::string note = "Note: outside the ranges the ISBN agency has assigned (range data of ";
    note.append(IsbnRangeDataEdition().date).append("): ");
    if (GroupRanges(prefix).empty())
        note.append(prefix).append(" is not an ISBN prefix (978, 979), so the digits after it are not split.\n");
    else if (!e || e->group.empty())
        note.append("prefix ").append(prefix).append(" has no registration group for the digits after it, so they ");
    else
        note.append("group ").append(prefix).append("-").append(e->group).append(
            " has no publisher range for the digits after it, so they ");
    if (!note.ends_with('\n'))
        note.append("are not split.\n");
    return note;
}

int RunIsbn(const ParsedArgs& args, const Streams& streams)
{
    // Blanks may separate the elements, so the arguments are one ISBN.
    std::string typed;
    for (std::string_view part : args.positionals) {
        if (!typed.empty())
            typed.push_back(' ');
        typed.append(part);
    }
    std::string text;
    if (const Utf8Conversion conversion = Utf8ToCp1252(typed, text); !conversion.Ok()) {
        PrintError(streams, "isbn: invalid character at byte " + std::to_string(conversion.offset + 1));
        return kExitRejected;
    }
    const IsbnParseResult parsed = ParseIsbn(text);
    if (parsed.result != IsbnParse::Ok) {
        PrintError(streams, "isbn: " + QuoteForMessage(text) + ": " + DescribeFailure(parsed.result, text));
        return kExitRejected;
    }
    std::string out = "ISBN-10: ";
    out.append(parsed.isbn10.empty() ? "none (only numbers with the prefix 978 have an ISBN-10)" : parsed.isbn10);
    out.append("\nISBN-13: ").append(parsed.isbn13).push_back('\n');
    if (!parsed.assigned)
        out.append(UnassignedNote(parsed.isbn13));
    errno = 0;
    if (std::fwrite(out.data(), 1, out.size(), streams.out) != out.size() || std::fflush(streams.out) != 0) {
        PrintError(streams, CannotWrite("the output", errno));
        return kExitRejected;
    }
    return kExitOk;
}

const std::string kDetails = "Checks an ISBN-10 or ISBN-13, typed with or without hyphens and blanks\n"
                             "(\"0-306-40615-2\", \"978 0 306 40615 7\", or as several arguments), and\n"
                             "prints its hyphenated ISBN-10 and ISBN-13 forms on two lines:\n"
                             "  ISBN-10: 0-306-40615-2\n"
                             "  ISBN-13: 978-0-306-40615-7\n"
                             "The hyphens set off the prefix, registration group, publisher and title\n"
                             "elements and the check character. An ISBN-13 outside the prefix 978 has\n"
                             "no ISBN-10 form, which is then shown as none.\n"
                             "\n"
                             "The elements follow the International ISBN Agency's range data, the\n"
                             "edition of " +
                             std::string(IsbnRangeDataEdition().date) + " (range message " +
                             std::string(IsbnRangeDataEdition().serial) +
                             ")\n"
                             "built in. A number for which it has no registration group or no publisher\n"
                             "range is split only as far as the data goes, and a third line says so\n"
                             "(its barcode is not affected).\n"
                             "\n"
                             "A text that is not an ISBN (not 10 or 13 characters, a character other\n"
                             "than digits and a final X, a wrong check character) is reported on\n"
                             "standard error (exit status 1).\n";

constexpr std::array<OptionSpec, 0> kOptions{};

} // namespace

const Command kIsbnCommand{
    "isbn",    "ISBN",  "check an ISBN and print its hyphenated ISBN-10 and ISBN-13 forms", kDetails, kOptions, 1,
    kAnyCount, RunIsbn,
};

} // namespace lum::cli
