// Draws font strings with the barcode fonts. The glyph outlines come from
// FreeType; a raster (PNG) is drawn with every module a whole number of pixels
// and every bar edge on a pixel boundary, so a label printer prints it dot for
// dot; PDF and SVG are written by cairo from the same outlines, unrasterised.
// A two-line font string ("\r\n" between the lines) is drawn as two lines.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace lum::render {

enum class Problem : unsigned char {
    None,
    FontUnreadable, // the font file cannot be opened, or a glyph in it cannot be read
    NoGlyph,        // a character of the font string has no glyph in the font
    NoInk,          // the font draws nothing for the font string
    BadSize,        // a module or resolution that is not positive
    TooLarge,       // the image would be larger than its format allows
    WriteFailed,    // the image file could not be written
};

// The outcome of an operation: Ok(), or the problem with a message for the user.
struct Status {
    Problem problem = Problem::None;
    std::string message;
    bool Ok() const noexcept { return problem == Problem::None; }
};

enum class Format : unsigned char { Png, Svg, Pdf };

// The format a file name asks for: ".svg" and ".pdf" (any letter case), else PNG.
Format FormatForFile(std::string_view path) noexcept;

// The blank border above and below the symbol, in modules; the standards set
// none, this keeps the bars off the edge of the image. The quiet zones left and
// right are the symbology's (its catalogue row's print geometry).
inline constexpr double kVerticalMargin = 2;

// Largest raster side, in pixels, and largest PDF or SVG page side, in points
// (200 inches, the page limit of PDF readers).
inline constexpr int kMaxRasterSide = 32767;
inline constexpr double kMaxVectorSide = 14400;

// A barcode font, opened once and reused for many renderings (batch mode):
// glyph outlines and rasterised glyphs are kept after their first use. One
// thread at a time may use a Font.
class Font {
public:
    // Opens the font file; nullptr with the status (naming the file) on failure.
    static std::unique_ptr<Font> Open(const std::string& path, Status& status);
    ~Font();
    Font(const Font&) = delete;
    Font& operator=(const Font&) = delete;

    const std::string& Path() const noexcept;
    // The module (narrow element) width in font units, as the font records it
    // (name ID 256), or a twentieth of the em for other fonts.
    double ModuleUnits() const noexcept;
    double UnitsPerEm() const noexcept;
    // The point size that gives a module of `moduleMm`, and the module of a point size.
    double PointSizeForModule(double moduleMm) const noexcept;
    double ModuleForPointSize(double points) const noexcept;

    // The renderer's own state of the font (fonts/render/glyphs.h).
    struct Impl;
    Impl& Internals() noexcept { return *impl_; }

private:
    explicit Font(std::unique_ptr<Impl> impl);
    std::unique_ptr<Impl> impl_;
};

struct Request {
    std::string fontString; // 8-bit (Windows-1252) characters
    double moduleMm = 0.25; // module width; a raster rounds it to whole pixels (ModulePixels)
    int dpi = 300;          // raster resolution, dots per inch
    double quietLeft = 10;  // quiet zones, in modules
    double quietRight = 10;
    std::string title; // document title of a PDF (UTF-8), may be empty
};

// Pixels a module takes in a raster: the nearest whole number, at least 1.
int ModulePixels(double moduleMm, int dpi) noexcept;

// Grey image, one byte a pixel, row by row from the top; 0 = ink, 255 = paper.
struct Bitmap {
    int width = 0;
    int height = 0;
    int dpi = 0;
    std::vector<std::uint8_t> pixels;
    std::uint8_t At(int x, int y) const { return pixels[std::size_t(y) * std::size_t(width) + std::size_t(x)]; }
};

// Where a raster put things, for callers that look at parts of it.
struct Layout {
    int modulePixels = 0;       // module width in pixels
    double pixelsPerUnit = 0;   // pixels per font unit (vertically exact; horizontally up to the rounding of widths)
    std::vector<int> baselines; // baseline of each line, pixels from the top
    std::vector<std::vector<int>> glyphLeft; // per line, left edge of each glyph's advance, pixels
};

// Draws the request as a raster (bars black, paper white, no grey).
Status RenderBitmap(Font& font, const Request& request, Bitmap& bitmap, Layout* layout = nullptr);

// The bytes of an image file of the request in the format: a 1-bit PNG
// carrying its resolution, or a PDF or SVG page of outlines at true size.
Status RenderImage(Font& font, const Request& request, Format format, std::string& bytes);

// An 8-bit greyscale PNG of a bitmap, with its resolution.
Status EncodePng(const Bitmap& bitmap, std::string& bytes);

// Writes `bytes` to a temporary file in the target's folder and renames it
// over `path` only once every byte is written, so a failure (a full disk)
// leaves any previous file as it was. A target that exists and is not a
// regular file (a device, a pipe) is written directly.
Status WriteImageFile(const std::string& path, std::string_view bytes);

// "<dir>/<font name>.ttf", the file name under which the fonts are built.
std::string FontFile(std::string_view dir, std::string_view fontName);

} // namespace lum::render
