// Code 32 (Italian pharmacode) and Code CIP.
#pragma once

#include <string>
#include <string_view>

namespace lum {

// Code 32: appends the check digit of a digit text (normally 8 digits): digits
// in odd positions from the left count as they are, digits in even positions
// doubled with their digit sum; the total modulo 10. Empty when a character is
// not a digit.
std::string Code32CheckDigit(std::string_view digits);

// "*", the number written as six base-32 symbols (characters 66 + value,
// most significant first), "#". Empty unless the text is 0 to 9 digits.
std::string EncodeCode32(std::string_view digits);

// "|", the Code 32 font string, CR LF, "A" and the digits: the bars and the
// human-readable line under them. Empty when EncodeCode32 is.
std::string EncodeCode32Hrc(std::string_view digits);

// Code CIP: the digits weighted 2, 3, 4, ... from the left, summed, modulo 11;
// -1 when a character is not a digit.
int CipRemainder(std::string_view digits) noexcept;

// Appends the Code CIP check digit (10 - r, and "0" for r = 0); empty when the
// remainder is 10 or a character is not a digit.
std::string CipCheckDigit(std::string_view digits);

} // namespace lum
