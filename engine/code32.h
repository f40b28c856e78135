// Code 32 (Italian pharmacode) and Code CIP.
#pragma once

#include <string>
#include <string_view>

namespace lum {

// Code CIP: the digits weighted 2, 3, 4, ... from the left, summed, modulo 11;
// -1 when a character is not a digit.
int CipRemainder(std::string_view digits) noexcept;

// Appends the Code CIP check digit (10 - r, and "0" for r = 0); empty when the
// remainder is 10 or a character is not a digit.
std::string CipCheckDigit(std::string_view digits);

} // namespace lum
