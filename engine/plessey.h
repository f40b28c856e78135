// Plessey (UK Plessey): two hexadecimal check characters from an 8-bit CRC
// with the generator x^8 + x^7 + x^6 + x^5 + x^3 + 1.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace lum {

// The longest text the symbology carries, and so the reach of the remainder table.
inline constexpr std::size_t kPlesseyMaxLength = 15;

// The 8-bit remainder of the text's bit string (each character's four bits,
// lowest first) followed by eight zero bits, divided by the generator; from a
// table of x^(8 + d) modulo the generator. -1 when a character is outside
// "0123456789ABCDEF" or the text is longer than kPlesseyMaxLength.
int PlesseyCrc(std::string_view text) noexcept;

// The same remainder by bitwise long division, for texts of any length.
int PlesseyCrcByDivision(std::string_view text) noexcept;

// Appends the two check characters: the high and then the low half of the
// remainder, each with its four bits reversed. Empty when PlesseyCrc fails.
std::string PlesseyCheckDigit(std::string_view text);

} // namespace lum
