// EAN-13, EAN-8, UPC-A, UPC-E and the 2- and 5-digit add-on symbols
// (ISO/IEC 15420), written for the "VOREAN" font family: one font character
// per guard pattern and per digit in the character set its parity demands.
#pragma once

#include <string>
#include <string_view>

namespace lum {

// Appends the EAN/UPC check digit, the GS1 modulo 10 rule of the 2 of 5
// routine: the rightmost digit weighs 3, then 1, 3, ... leftwards (for the
// 12 digits of an EAN-13 the even positions from the left, for the 7 and 11
// of EAN-8 and UPC-A the odd ones). Empty for an empty text or one that is
// not all digits.
std::string EanCheckDigit(std::string_view digits);

// The 11-digit UPC-A number that a number-system digit and six UPC-E digits
// stand for; empty unless the text is exactly 7 digits.
std::string UpcEExpansion(std::string_view digits);

// Appends the UPC-E check digit, which is the check digit of the UPC-A
// expansion; empty unless the text is exactly 7 digits.
std::string UpcECheckDigit(std::string_view digits);

// The add-on 5 checksum (3 x odd positions + 9 x even positions, modulo 10)
// that selects the parity pattern; -1 unless the text is exactly 5 digits.
int AddOn5Checksum(std::string_view digits) noexcept;

// The font strings. Each takes exactly the number of digits named, check digit
// included where the symbol has one, and returns the empty string otherwise.
std::string EncodeEan13(std::string_view digits);  // 13 digits -> 16 characters
std::string EncodeEan8(std::string_view digits);   // 8 digits -> 11 characters
std::string EncodeUpcA(std::string_view digits);   // 12 digits -> 15 characters
std::string EncodeUpcE(std::string_view digits);   // 8 digits -> 9 characters
std::string EncodeAddOn2(std::string_view digits); // 2 digits -> 5 characters
std::string EncodeAddOn5(std::string_view digits); // 5 digits -> 11 characters

} // namespace lum
