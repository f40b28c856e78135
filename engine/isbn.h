// ISBN-10 and ISBN-13 (ISO 2108) book-number labels for the "VOREAN" font
// family: a text line with the hyphenated number, a line break, and the
// EAN-13 symbol of the 13-digit number.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace lum {

// Appends the ISBN-10 check character ("0" to "9" or "X"; weights 10 down to
// 2, modulo 11); empty unless the text is exactly 9 digits.
std::string Isbn10CheckDigit(std::string_view digits);

// Length of the element that starts `digits` under `ranges`, a
// comma-separated list of ranges "LOW-HIGH" whose two bounds are as long as
// the element they describe ("00-19" for the two-digit elements 00 to 19): the
// length of the first range that holds as many leading digits of `digits` as
// its bounds have. 0 when no range holds them: the number lies outside the
// ranges assigned so far.
std::size_t RangePrefixLength(std::string_view digits, std::string_view ranges) noexcept;

// The registration group ranges of an EAN.UCC prefix ("978", "979") after the
// International ISBN Agency's range data; empty for any other prefix.
std::string_view GroupRanges(std::string_view prefix) noexcept;

// The publisher (registrant) ranges of a registration group, named by prefix
// and group as the agency names it ("978-88", "979-12"); empty for a group
// without ranges.
std::string_view PublisherRanges(std::string_view prefixAndGroup) noexcept;

// The edition of the agency's range data built in.
struct IsbnRangeEdition {
    std::string_view date;   // "2022-11-13"
    std::string_view serial; // the range message's serial number
};
IsbnRangeEdition IsbnRangeDataEdition() noexcept;

// An ISBN split into its elements by the range data. Where the data defines
// no group, or no publisher range for the digits after the group, those
// elements are empty and the digits they would start are left whole in
// `title`.
struct IsbnElements {
    std::string prefix; // the first three digits of a 13-digit number; empty for an ISBN-10
    std::string group;
    std::string publisher;
    std::string title;
    char check = 0;
    // Whether group and publisher lie in ranges the agency has assigned.
    bool Assigned() const noexcept { return !publisher.empty(); }
};

// Splits a 10-character ISBN-10 (read with the prefix 978) or a 13-digit
// ISBN-13. Hyphens in the input are ignored and "x" is read as "X"; the check
// character is not verified. Nothing for any other input.
std::optional<IsbnElements> SplitIsbn(std::string_view isbn);

// The elements of SplitIsbn that are not empty, joined by hyphens; empty for
// any other input.
std::string HyphenateIsbn(std::string_view isbn);

// Outcome of ParseIsbn.
enum class IsbnParse : int {
    Ok = 0,
    Empty = -1,        // nothing but hyphens and blanks
    BadLength = -2,    // neither 10 nor 13 characters
    BadCharacter = -3, // outside "0123456789X" (10) or "0123456789" (13)
    BadIsbn10 = -4,    // ISBN-10 weighted sum not divisible by 11
    BadIsbn13 = -5,    // ISBN-13 check digit wrong
};

struct IsbnParseResult {
    IsbnParse result = IsbnParse::Empty;
    std::string isbn10;    // hyphenated; empty on failure and for a 13-digit number not starting 978
    std::string isbn13;    // hyphenated; empty on failure
    bool assigned = false; // group and publisher lie in the agency's assigned ranges
};

// Reads an ISBN-10 or ISBN-13 typed with or without hyphens and blanks,
// checks it and returns both hyphenated forms. A 13-digit number outside the
// 978 prefix has no ISBN-10 form.
IsbnParseResult ParseIsbn(std::string_view text);

// The text-line characters of a hyphenated number: "%&'():;<=>?." for
// "0123456789X-"; empty when the text holds any other character.
std::string IsbnTextCharacters(std::string_view hyphenated);

// The two-line font strings: text line, CR LF, EAN-13 symbol. EncodeIsbn10
// takes the first nine digits of an ISBN-10 ("--$" line, symbol of 978 and
// the nine digits); EncodeIsbn13 the first twelve of an ISBN-13 ("$" line).
// Empty unless the text is exactly 9 (12) digits.
std::string EncodeIsbn10(std::string_view digits);
std::string EncodeIsbn13(std::string_view digits);

} // namespace lum
