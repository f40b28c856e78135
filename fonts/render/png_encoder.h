// A PNG encoder for barcode rasters. Most rows of a barcode repeat the row
// above (the bars run from top to bottom), so each run of repeated rows is
// written as back-references to the row above, and runs of equal bytes inside
// a row as references to the byte before: a few deflate symbols where a
// general compressor would scan every byte.
#pragma once

#include <cstdint>
#include <string>

namespace lum::render {

// Appends a greyscale PNG (`bitDepth` 1 or 8, 0 = black) of `height` rows of
// `stride` bytes, each row a pointer in `rows`, with its resolution when
// `dpi` > 0.
void EncodeGreyPng(std::string& out, int width, int height, int bitDepth, int dpi, const std::uint8_t* const* rows);

} // namespace lum::render
