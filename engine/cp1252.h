// Windows-1252, the code page of the engine's 8-bit strings, and its mapping
// to and from UTF-8, the encoding of command lines, files, databases and pages.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace lum {

// The Unicode code point of a Windows-1252 byte. The five bytes the code page
// leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the C1 control of
// the same value, so every byte has a code point and maps back.
char32_t Cp1252ToUnicode(unsigned char byte) noexcept;

// The Windows-1252 byte of a code point, or -1 when it has none.
int UnicodeToCp1252(char32_t codePoint) noexcept;

enum class Utf8Problem : unsigned char {
    None,
    InvalidUtf8,  // a malformed, overlong, surrogate or out-of-range sequence
    NoCp1252Form, // a well-formed character outside Windows-1252
};

struct Utf8Conversion {
    Utf8Problem problem = Utf8Problem::None;
    std::size_t offset = 0;   // byte offset of the offending sequence in the UTF-8 input
    std::size_t position = 0; // its character index (0-based): the byte offset in the output
    char32_t codePoint = 0;   // the character, for NoCp1252Form
    constexpr bool Ok() const noexcept { return problem == Utf8Problem::None; }
};

struct Utf8Char {
    char32_t codePoint;
    std::size_t length; // bytes taken; 0 for a malformed sequence
};

// The well-formed UTF-8 character at `pos` (< utf8.size()): overlong forms,
// surrogates and values above U+10FFFF are malformed.
Utf8Char ReadUtf8(std::string_view utf8, std::size_t pos) noexcept;

// Replaces `out` by the Windows-1252 form of `utf8`. On a problem `out` holds
// the characters before it.
Utf8Conversion Utf8ToCp1252(std::string_view utf8, std::string& out);

// Appends the UTF-8 form of a code point (at most U+10FFFF).
void AppendUtf8(char32_t codePoint, std::string& out);

// The C0 and C1 control characters and DEL, which messages name by code point.
constexpr bool IsControlCharacter(char32_t codePoint) noexcept
{
    return codePoint < 0x20 || (codePoint >= 0x7F && codePoint < 0xA0);
}

// How a UTF-8 message names a character: the character in double quotes, then
// its code point in parentheses ("A" (U+0041)); a control character by its
// code point alone (U+0085).
std::string CodePointName(char32_t codePoint);

// Appends the UTF-8 form of Windows-1252 bytes.
void AppendCp1252AsUtf8(std::string_view bytes, std::string& out);

} // namespace lum
