// Lays the guide out on A4 pages and writes it as PDF: the headings' page
// numbers go into the table of contents, every page but the title page
// carries its number at the foot.
#pragma once

#include <QString>

#include "assistant/guide/guide_document.h"

class QPdfWriter;

namespace lum::guide {

// A PDF writer set up for the guide's pages (A4, margins, 300 dpi).
void SetUpWriter(QPdfWriter& writer, const QString& title);

// The width of the text on a page of `writer`, in its device pixels.
double TextWidth(QPdfWriter& writer);

// Paginates `guide` for `writer` and draws every page; returns the number of
// pages, or 0 when nothing could be drawn.
int WritePages(GuideDocument& guide, QPdfWriter& writer);

} // namespace lum::guide
