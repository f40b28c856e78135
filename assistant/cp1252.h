// Conversion between the engine's 8-bit Windows-1252 strings and QString,
// done only where text meets the user interface, through the engine's code page.
#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace lum::assistant {

// Every byte maps to one character. The five bytes Windows-1252 leaves
// undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the C1 controls of the same
// value, so any byte string survives a round trip.
QString FromCp1252(std::string_view bytes);

// Characters outside Windows-1252 become "?".
std::string ToCp1252(const QString& text);

// True when every character has a Windows-1252 byte, so that ToCp1252 turns
// none of them into "?".
bool FitsCp1252(const QString& text);

} // namespace lum::assistant
