// POSTNET (USPS): the digit-sum check digit. The font wraps the digits in
// "*" and "#" frame bars.
#pragma once

#include <string>
#include <string_view>

namespace lum {

// Appends the digit that brings the sum of all digits to a multiple of 10;
// empty when a character is not a digit.
std::string PostnetCheckDigit(std::string_view digits);

} // namespace lum
