// Codabar (also sold as Monarch): modulo 16 check character and the font
// string with the "|" gap glyph between every two characters.
#pragma once

#include <string>
#include <string_view>

namespace lum {

// The sixteen data characters in value order; the check character is drawn from them.
inline constexpr std::string_view kCodabarData = "0123456789-$:/.+";

// Returns the start letter in lower case, the data, the modulo 16 check
// character and the stop letter in lower case. Start and stop letters
// ("ABCD", alternatives "TM*E") are valued in either case. Empty when the text
// has fewer than two characters or a character is outside its place's set.
std::string CodabarCheckDigit(std::string_view text);

// The characters of the text with one "|" between each two neighbours.
std::string EncodeCodabar(std::string_view text);

} // namespace lum
