// The preview as HTML and as plain text, the clipboard's other flavours.
#pragma once

#include <string>

#include "assistant/preview/document.h"

namespace lum::preview {

// A UTF-8 HTML document: one <p> per paragraph, one <span> per run with its
// font family by name, size in points, weight, style and decoration; the bytes
// converted through Windows-1252 (as the barcode fonts map them) and blanks
// kept (white-space: pre).
std::string WriteHtml(const PreviewDocument& doc);

// The text of all runs as UTF-8 (through Windows-1252), paragraphs ended by LF.
std::string WritePlainText(const PreviewDocument& doc);

} // namespace lum::preview
