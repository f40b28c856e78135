// Test oracles over rendered bitmaps: zbar and ZXing-cpp decoders, zint's
// module rows, scan lines turned into narrow/wide elements, tesseract OCR.
#pragma once

#include <string>
#include <vector>

#include "fonts/render/render.h"

namespace lum::test {

// The generated font of that name (in LUM_FONT_DIR), opened once per test
// program; nullptr when it cannot be opened.
render::Font* GeneratedFont(const std::string& fontName);

struct Raster {
    render::Status status;
    render::Bitmap bitmap;
    render::Layout layout;
};

// A raster of a font string in a generated font, `modulePixels` dots a module
// at `dpi`, with quiet zones of 10 modules.
Raster DrawFontString(const std::string& fontName, const std::string& fontString, int modulePixels, int dpi = 300);

struct Decoded {
    std::string type; // decoder's symbology name
    std::string data; // decoded bytes
};

std::vector<Decoded> DecodeZbar(const render::Bitmap& bitmap);
std::vector<Decoded> DecodeZxing(const render::Bitmap& bitmap, bool readAddOns);

// Alternating bar/space runs (bar first) of one pixel row, ink below 128.
std::vector<int> ScanLineRuns(const render::Bitmap& bitmap, int row);

// Runs of a module row of zint (bar first), in modules; empty when zint fails.
struct ZintSymbol {
    std::vector<std::vector<int>> rows; // runs per row
    std::vector<std::string> modules;   // "1"/"0" per row
    std::string error;
};
ZintSymbol ZintRows(int symbology, const std::string& data, int option2 = 0);

// "n"/"w" per run: wider than the midpoint of the narrowest and widest run is wide.
std::string NarrowWide(const std::vector<int>& runs);

// Text tesseract reads in a one-line image (whitelisted characters), spaces removed.
std::string OcrLine(const render::Bitmap& bitmap, const std::string& whitelist);

// A new bitmap of the given rectangles of `source`, placed side by side with
// `gap` pixels of paper between them and a margin around.
struct Box {
    int x0, y0, x1, y1;
};
render::Bitmap Collage(const render::Bitmap& source, const std::vector<Box>& boxes, int gap);

} // namespace lum::test
