// ISBN-10 and ISBN-13 (ISO 2108) book-number labels for the "VOREAN" font
// family: a text line with the hyphenated number, a line break, and the
// EAN-13 symbol of the 13-digit number.
#pragma once

#include <string>
#include <string_view>

namespace lum {

// Appends the ISBN-10 check character ("0" to "9" or "X"; weights 10 down to
// 2, modulo 11); empty unless the text is exactly 9 digits.
std::string Isbn10CheckDigit(std::string_view digits);

// Length of the element that starts `digits`: the length of the last bound of
// the comma-separated, ascending `ranges` that is not greater than `digits`
// in character-code order. 0 when the first bound is already greater or the
// list is empty.
std::size_t RangePrefixLength(std::string_view digits, std::string_view ranges) noexcept;

// The registration groups' lower bounds: group elements of 1 to 5 digits.
inline constexpr std::string_view kIsbnGroupRanges = "0,80,950,9960,99900";

// The publisher ranges of a registration group, keyed by the group's numeric
// value; empty for a group without ranges.
std::string_view PublisherRanges(int group) noexcept;

// Hyphenates a 10-character ISBN-10 or a 13-digit ISBN-13 into prefix (13
// digits only), group, publisher, title and check character. Hyphens in the
// input are ignored and "x" is read as "X". The check character is not
// verified. Empty for any other input.
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
    std::string isbn10; // hyphenated; empty on failure and for a 13-digit number not starting 978
    std::string isbn13; // hyphenated; empty on failure
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
