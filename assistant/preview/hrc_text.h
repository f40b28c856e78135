// The human-readable line the desktop program prints under the bars, for the
// symbologies whose font string carries none of its own.
#pragma once

#include <string>
#include <string_view>

namespace lum::preview {

struct HrcOptions {
    bool checkDigit = false;      // chkDigit: the bars carry the check character(s)
    bool checkDigitInHrc = false; // mnuIncludiCheckDigit: show them in the line as well
};

// The human-readable text of a validated (normalised) code for the display-name
// id `nameId` (400 to 435), by the HRC rule of its catalogue entry. With both
// options set the line shows the check character(s) the bars carry; otherwise
// the code as it stands. Code 39 is framed by "*" in both cases, Code 93 only
// with the check characters; "_", the Code 39 / Code 93 space symbol, shows as
// a blank. The Full ASCII forms show the code as typed (escapes included)
// followed by the check characters computed over their Full ASCII expansion.
// Codabar comes back as the check routine writes it; the main window
// lower-cases that line. Names whose line is not of this kind (EAN/UPC with or
// without add-on, ISBN, Code 32, Code 128, EAN 128) give the empty string.
std::string TestoHRC(int nameId, std::string_view code, HrcOptions options);

// How a Code 39 or Code 93 symbol reads in the line: "_" as a blank and the
// four Code 93 shift symbols "a" to "d" as "($)", "(%)", "(/)", "(+)".
std::string ReadableSymbols(std::string_view symbols);

} // namespace lum::preview
