// Draws font strings with the barcode fonts: FreeType outlines laid out at
// sub-pixel positions, rasterised to an 8-bit grey bitmap (PNG) or written as
// SVG paths without rasterising. A two-line font string ("\r\n" between the
// lines) is drawn as two lines.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace lum::render {

// Blank margins around the symbol, in modules of the font.
struct QuietZone {
    double left = 10, right = 10, top = 2, bottom = 2;
};

// The quiet zones the symbologies of a font family call for (ISO/IEC 16388,
// 15417, 15420, 16390, EN 798, USPS for POSTNET); 10 modules for the others.
QuietZone QuietZoneForFamily(std::string_view family) noexcept;

struct Request {
    std::string fontPath;
    std::string fontString; // 8-bit (Windows-1252) characters
    double pointSize = 48;
    int dpi = 300;
    QuietZone quiet;
};

// Grey image, one byte a pixel, row by row from the top; 0 = ink, 255 = paper.
struct Bitmap {
    int width = 0;
    int height = 0;
    int dpi = 0;
    std::vector<std::uint8_t> pixels;
    std::uint8_t At(int x, int y) const { return pixels[std::size_t(y) * std::size_t(width) + std::size_t(x)]; }
};

// Result of a rendering: `error` is empty on success.
struct BitmapResult {
    Bitmap bitmap;
    std::string error;
};
struct SvgResult {
    std::string svg;
    std::string error;
};

// Also the layout facts callers may need (for scan lines and checks).
struct Layout {
    double pixelsPerUnit = 0;  // pixels per font unit
    double modulePixels = 0;   // module width in pixels
    std::vector<double> baselines; // baseline of each line, pixels from the top
    std::vector<std::vector<double>> glyphLeft; // per line, left edge of each glyph's advance, pixels
};

BitmapResult RenderBitmap(const Request& request, Layout* layout = nullptr);
SvgResult RenderSvg(const Request& request);

// Writes the bitmap as an 8-bit greyscale PNG with its resolution; the error
// text, empty on success.
std::string WritePng(const Bitmap& bitmap, const std::string& path);

// "<dir>/<font name>.ttf", the file name under which the fonts are built.
std::string FontFile(std::string_view dir, std::string_view fontName);

} // namespace lum::render
