// Windows-1252 to Unicode, as the barcode fonts map their 8-bit characters.
#pragma once

#include <string>
#include <string_view>

namespace lum::preview {

// The Unicode code point of a Windows-1252 byte. The five bytes the code page
// leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the C1 control of the
// same value, so every byte has a character.
char32_t Cp1252ToUnicode(unsigned char byte) noexcept;

// The bytes as UTF-8, one character per byte.
std::string Cp1252ToUtf8(std::string_view bytes);

} // namespace lum::preview
