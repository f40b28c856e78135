// The preview's document model in the rich-text widget and on the clipboard:
// runs written into a QTextDocument through Windows-1252 (as the barcode fonts
// map their 8-bit characters), read back from it, and offered as RTF, HTML
// and plain text.
#pragma once

#include "assistant/preview/document.h"

class QMimeData;
class QTextDocument;

namespace lum::assistant {

struct Configurazione;

// The HRC font of the settings record.
preview::HrcFont FontHrc(const Configurazione& cfg);

// Replaces the document's content by the runs; every CR LF (or lone CR or
// LF) starts a new paragraph in the font of the run it ends.
void WritePreview(QTextDocument& document, const preview::PreviewDocument& runs);

// The document's content as runs (one per stretch of equal font), paragraphs
// joined by CR LF, characters outside Windows-1252 as "?".
preview::PreviewDocument ReadPreview(const QTextDocument& document);

// The clipboard data of a preview: the RTF under the rich-text types word
// processors read ("text/rtf", "application/rtf", "text/richtext"), HTML and
// plain text. The caller owns the result.
QMimeData* PreviewMimeData(const preview::PreviewDocument& runs);

} // namespace lum::assistant
