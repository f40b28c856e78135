// The 2 of 5 family: Interleaved 2 of 5 (ISO/IEC 16390) and ITF-14, which draw
// the digits in pairs, and the one-character-per-digit variants (Industrial,
// 5 bars, 3 bars matrix, BCD matrix, inverted, compressed), which the
// pipeline's plain wrap serves.
#pragma once

#include <string>
#include <string_view>

namespace lum {

// Appends the modulo 10 check digit with the digits in odd positions from the
// left weighted 3 and the others 1 (the check step of "C25" and "ITF", whose
// validation makes the length odd). Empty when a character is not a digit.
std::string InterleavedCheckDigit(std::string_view digits);

// Appends the GS1 modulo 10 check digit: the rightmost digit weighted 3, then
// 1, 3, ... leftwards, whatever the length. Empty when a character is not a
// digit. The EAN/UPC check digit and the EAN-128 wizard's GTIN and SSCC checks
// are this rule.
std::string TwoOfFiveCheckDigit(std::string_view digits);

// "*", the two font characters of every digit pair, "#". Empty when a
// character is not a digit or the count is odd (a digit would be lost).
std::string EncodeInterleaved(std::string_view digits);

} // namespace lum
