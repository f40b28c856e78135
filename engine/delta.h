// Delta-Distance A: modulo 10 check digit and the font string with a "|"
// before every character.
#pragma once

#include <string>
#include <string_view>

namespace lum {

// Appends the check digit: values (0-9, K 10, L 11, M 12, O 14) at odd
// positions from the right are doubled, the decimal digits of all of them
// summed, and the digit brings the total to a multiple of 10. Empty when a
// character is outside "0123456789KLMO".
std::string DeltaCheckDigit(std::string_view text);

// "*", then "|" and the character for each character of the text, then "|#".
std::string EncodeDelta(std::string_view text);

} // namespace lum
