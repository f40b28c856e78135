// MSI (Modified Plessey): modulo 10 and modulo 11 check digits.
#pragma once

#include <string>
#include <string_view>

namespace lum {

// Mode that appends both check digits; the one every caller uses.
inline constexpr int kMsiBothCheckDigits = 2;

// Appends the modulo 10 check digit and, with mode 2, the modulo 11 digit
// computed over the text with the first one appended; a modulo 11 value of 10
// is written ":" (the glyph after "9"). Empty when a character is not a digit.
std::string MsiCheckDigit(std::string_view text, int mode);

} // namespace lum
