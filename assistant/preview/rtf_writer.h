// The preview as Rich Text Format, for the clipboard.
#pragma once

#include <string>

#include "assistant/preview/document.h"

namespace lum::preview {

// A complete RTF document in 7-bit ASCII: the Windows-1252 code page declared,
// a font table of the runs' families in order of appearance, one group per run
// with its font, size in half-points (rounded, at most 32767) and \b \i \ul
// \strike; every byte outside 0x20-0x7E written as \'hh, "\", "{" and "}"
// escaped, and CR LF (or a lone CR or LF) written as a paragraph break.
std::string WriteRtf(const PreviewDocument& doc);

} // namespace lum::preview
