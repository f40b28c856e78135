#include "fonts/render/render.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include <cairo-pdf.h>
#include <cairo-svg.h>

#include "fonts/render/glyphs.h"
#include "fonts/render/png_encoder.h"

namespace lum::render {
namespace {

constexpr double kPointsPerMm = 72 / 25.4;

Status Failure(Problem problem, std::string message) { return {problem, std::move(message)}; }

std::string Number(double value, int decimals = 0)
{
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.*f", decimals, value);
    return buf;
}

bool EndsWithIgnoringCase(std::string_view text, std::string_view suffix)
{
    if (text.size() < suffix.size())
        return false;
    for (std::size_t i = 0; i < suffix.size(); ++i) {
        char c = text[text.size() - suffix.size() + i];
        if (c >= 'A' && c <= 'Z')
            c = char(c - 'A' + 'a');
        if (c != suffix[i])
            return false;
    }
    return true;
}

std::vector<std::string_view> SplitLines(std::string_view text)
{
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= text.size(); ++i) {
        if (i == text.size() || text[i] == '\r' || text[i] == '\n') {
            lines.push_back(text.substr(start, i - start));
            if (i < text.size() && text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
            start = i + 1;
        }
    }
    return lines;
}

// The page in device units (pixels for a raster, points for PDF and SVG).
struct PlacedLine {
    std::vector<FT_UInt> glyphs;
    std::vector<const Shape*> shapes;
    std::vector<double> pens; // left edge of each glyph's advance
};

struct Page {
    std::vector<PlacedLine> lines;
    std::vector<double> baselines;
    double width = 0, height = 0;
    double scale = 0;  // device units per font unit
    double module = 0; // device units per module
};

// Lays the font string out: `module` device units a module, bars snapped to
// whole units when `snap`.
Status LayOut(Font::Impl& font, const Request& request, double module, bool snap, Page& page)
{
    const auto fit = [snap](double v) { return snap ? std::round(v) : v; };
    page.module = module;
    page.scale = module / font.moduleUnits;
    const double quietLeft = fit(request.quietLeft * module), quietRight = fit(request.quietRight * module);
    const double margin = fit(kVerticalMargin * module);
    const double lineHeight = fit(font.lineHeight * page.scale);
    double widest = 0, top = 0, bottom = 0;
    bool ink = false;
    const auto lines = SplitLines(request.fontString);
    page.lines.reserve(lines.size());
    for (std::size_t i = 0; i < lines.size(); ++i) {
        PlacedLine& line = page.lines.emplace_back();
        line.glyphs.reserve(lines[i].size());
        line.shapes.reserve(lines[i].size());
        line.pens.reserve(lines[i].size());
        const double y = double(i) * lineHeight;
        double pen = quietLeft;
        for (char ch : lines[i]) {
            const auto c = static_cast<unsigned char>(ch);
            const FT_UInt glyph = font.glyphs[c];
            if (glyph == 0)
                return Failure(Problem::NoGlyph,
                               "character " + std::to_string(c) + " has no glyph in the font " + font.path);
            const Shape* shape = nullptr;
            if (Status s = font.ShapeOf(glyph, page.scale, snap, shape); !s.Ok())
                return s;
            line.glyphs.push_back(glyph);
            line.shapes.push_back(shape);
            line.pens.push_back(pen);
            pen += shape->advance;
            if (shape->contours.empty())
                continue;
            const double t = y + (snap ? std::floor(shape->minY) : shape->minY);
            const double b = y + (snap ? std::ceil(shape->maxY) : shape->maxY);
            top = ink ? std::min(top, t) : t;
            bottom = ink ? std::max(bottom, b) : b;
            ink = true;
        }
        widest = std::max(widest, pen - quietLeft);
    }
    if (!ink)
        return Failure(Problem::NoInk, "the font " + font.path + " draws nothing for the text (a damaged font?)");
    for (std::size_t i = 0; i < lines.size(); ++i)
        page.baselines.push_back(margin - top + double(i) * lineHeight);
    page.width = quietLeft + widest + quietRight;
    page.height = margin + (bottom - top) + margin;
    return {};
}

Status CheckRequest(const Request& request)
{
    if (!(request.moduleMm > 0) || !std::isfinite(request.moduleMm) || request.dpi <= 0 || request.quietLeft < 0 ||
        request.quietRight < 0)
        return Failure(Problem::BadSize, "the module and the resolution must be positive");
    return {};
}

// A raster page, one bit a pixel, rows of `stride` bytes, the leftmost pixel
// in the most significant bit, 1 = paper: the rows of a 1-bit PNG. The bars
// make most rows equal to the row above; such a row shares the memory of the
// row above, and only the others are drawn. Drawn rows lie `stride` + 1 bytes
// apart: the spare byte lets a sprite byte shifted across a byte boundary be
// written without a bounds check.
struct BitPage {
    int width = 0, height = 0, stride = 0, dpi = 0;
    std::vector<std::uint8_t> bits; // the drawn rows
    std::vector<const std::uint8_t*> rows;

    std::size_t Pitch() const { return std::size_t(stride) + 1; }
};

struct PlacedSprite {
    const Sprite* sprite;
    int left, top; // on the page
};

// Inks a row of the page (row `y`) with every sprite that covers it.
void InkRow(const BitPage& page, std::uint8_t* dst, int y, const std::vector<PlacedSprite>& sprites)
{
    for (const PlacedSprite& p : sprites) {
        const Sprite& sprite = *p.sprite;
        const int r = y - p.top;
        if (r < 0 || r >= sprite.height)
            continue;
        const std::uint8_t* src = sprite.bits.data() + std::size_t(r) * std::size_t(sprite.stride);
        const int shift = p.left & 7;
        if (p.left >= 0 && p.left + sprite.width <= page.width) {
            // Each sprite byte lands on two page bytes: shifted into 16 bits, high then low.
            std::uint8_t* at = dst + (p.left >> 3);
            const auto [first, end] = sprite.ink[std::size_t(r)];
            for (int i = first; i < end; ++i) {
                const unsigned v = unsigned(src[i]) << (8 - shift);
                at[i] &= std::uint8_t(~(v >> 8));
                at[i + 1] &= std::uint8_t(~v);
            }
            continue;
        }
        for (int x = 0; x < sprite.width; ++x) { // partly off the page: pixel by pixel
            const int px = p.left + x;
            if (px >= 0 && px < page.width && (src[x / 8] & (0x80 >> (x % 8))))
                dst[px / 8] &= std::uint8_t(~(0x80 >> (px % 8)));
        }
    }
}

// Draws the sprites on a blank page: only the rows where some sprite changes.
void Compose(BitPage& page, const std::vector<PlacedSprite>& sprites)
{
    std::vector<std::uint8_t> fresh(std::size_t(page.height), 0);
    const auto mark = [&](int y) {
        if (y >= 0 && y < page.height)
            fresh[std::size_t(y)] = 1;
    };
    mark(0);
    for (const PlacedSprite& p : sprites) {
        mark(p.top + p.sprite->height);
        for (int r : p.sprite->changes)
            mark(p.top + r);
    }
    page.bits.resize(std::size_t(std::count(fresh.begin(), fresh.end(), 1)) * page.Pitch());
    page.rows.resize(std::size_t(page.height));
    std::uint8_t* next = page.bits.data();
    for (int y = 0; y < page.height; ++y) {
        if (!fresh[std::size_t(y)]) {
            page.rows[std::size_t(y)] = page.rows[std::size_t(y) - 1];
            continue;
        }
        std::fill(next, next + page.Pitch(), std::uint8_t(0xFF));
        InkRow(page, next, y, sprites);
        page.rows[std::size_t(y)] = next;
        next += page.Pitch();
    }
}

Status DrawRaster(Font& font, const Request& request, BitPage& out, Layout* layout)
{
    if (Status s = CheckRequest(request); !s.Ok())
        return s;
    Font::Impl& impl = font.Internals();
    const int m = ModulePixels(request.moduleMm, request.dpi);
    Page page;
    if (Status s = LayOut(impl, request, m, true, page); !s.Ok())
        return s;
    if (page.width > kMaxRasterSide || page.height > kMaxRasterSide)
        return Failure(Problem::TooLarge, "the image would be " + Number(page.width) + " x " + Number(page.height) +
                                              " pixels; the limit is " + std::to_string(kMaxRasterSide) +
                                              " pixels a side");
    out.width = int(page.width);
    out.height = int(page.height);
    out.stride = (out.width + 7) / 8;
    out.dpi = request.dpi;
    std::vector<PlacedSprite> sprites;
    sprites.reserve(request.fontString.size());
    for (std::size_t i = 0; i < page.lines.size(); ++i) {
        const PlacedLine& line = page.lines[i];
        const int baseline = int(page.baselines[i]);
        for (std::size_t g = 0; g < line.glyphs.size(); ++g) {
            const Sprite& sprite = impl.SpriteOf(line.glyphs[g], *line.shapes[g]);
            if (sprite.height > 0)
                sprites.push_back({&sprite, int(line.pens[g]) + sprite.left, baseline + sprite.top});
        }
    }
    Compose(out, sprites);
    if (layout) {
        layout->modulePixels = m;
        layout->pixelsPerUnit = page.scale;
        layout->baselines.clear();
        for (double b : page.baselines)
            layout->baselines.push_back(int(b));
        layout->glyphLeft.clear();
        for (const PlacedLine& line : page.lines) {
            auto& lefts = layout->glyphLeft.emplace_back();
            for (double pen : line.pens)
                lefts.push_back(int(pen));
        }
    }
    return {};
}

cairo_status_t AppendCairoBytes(void* closure, const unsigned char* data, unsigned int length)
{
    static_cast<std::string*>(closure)->append(reinterpret_cast<const char*>(data), length);
    return CAIRO_STATUS_SUCCESS;
}

// A PDF or SVG page of outlines at true size, in points.
Status DrawVector(Font& font, const Request& request, Format format, std::string& bytes)
{
    if (Status s = CheckRequest(request); !s.Ok())
        return s;
    Font::Impl& impl = font.Internals();
    Page page;
    if (Status s = LayOut(impl, request, request.moduleMm * kPointsPerMm, false, page); !s.Ok())
        return s;
    if (page.width > kMaxVectorSide || page.height > kMaxVectorSide)
        return Failure(Problem::TooLarge, "the page would be " + Number(page.width / kPointsPerMm) + " x " +
                                              Number(page.height / kPointsPerMm) + " mm; the limit is " +
                                              Number(kMaxVectorSide / kPointsPerMm) + " mm (200 in) a side");
    bytes.clear();
    cairo_surface_t* surface =
        format == Format::Pdf ? cairo_pdf_surface_create_for_stream(AppendCairoBytes, &bytes, page.width, page.height)
                              : cairo_svg_surface_create_for_stream(AppendCairoBytes, &bytes, page.width, page.height);
    if (format == Format::Pdf) {
        cairo_pdf_surface_set_metadata(surface, CAIRO_PDF_METADATA_CREATOR, "LUM barcode renderer");
        if (!request.title.empty())
            cairo_pdf_surface_set_metadata(surface, CAIRO_PDF_METADATA_TITLE, request.title.c_str());
    } else {
        cairo_svg_surface_set_document_unit(surface, CAIRO_SVG_UNIT_PT);
    }
    cairo_t* cr = cairo_create(surface);
    cairo_set_source_rgb(cr, 1, 1, 1);
    cairo_paint(cr);
    cairo_set_source_rgb(cr, 0, 0, 0);
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
    for (std::size_t i = 0; i < page.lines.size(); ++i) {
        const PlacedLine& line = page.lines[i];
        for (std::size_t g = 0; g < line.glyphs.size(); ++g)
            AppendShapePath(cr, *line.shapes[g], line.pens[g], page.baselines[i]);
    }
    cairo_fill(cr);
    cairo_destroy(cr);
    cairo_surface_finish(surface);
    const cairo_status_t status = cairo_surface_status(surface);
    cairo_surface_destroy(surface);
    if (status != CAIRO_STATUS_SUCCESS)
        return Failure(Problem::WriteFailed, std::string("cannot draw the page: ") + cairo_status_to_string(status));
    return {};
}

} // namespace

Format FormatForFile(std::string_view path) noexcept
{
    if (EndsWithIgnoringCase(path, ".svg"))
        return Format::Svg;
    if (EndsWithIgnoringCase(path, ".pdf"))
        return Format::Pdf;
    return Format::Png;
}

int ModulePixels(double moduleMm, int dpi) noexcept
{
    const double pixels = std::round(moduleMm * dpi / 25.4);
    return pixels >= 1 && pixels < 1e6 ? int(pixels) : 1;
}

Status RenderBitmap(Font& font, const Request& request, Bitmap& bitmap, Layout* layout)
{
    BitPage page;
    if (Status s = DrawRaster(font, request, page, layout); !s.Ok())
        return s;
    bitmap.width = page.width;
    bitmap.height = page.height;
    bitmap.dpi = page.dpi;
    bitmap.pixels.assign(std::size_t(page.width) * std::size_t(page.height), 255);
    for (int y = 0; y < page.height; ++y)
        for (int x = 0; x < page.width; ++x)
            if (!(page.rows[std::size_t(y)][x / 8] & (0x80 >> (x % 8))))
                bitmap.pixels[std::size_t(y) * std::size_t(page.width) + std::size_t(x)] = 0;
    return {};
}

Status RenderImage(Font& font, const Request& request, Format format, std::string& bytes)
{
    if (format != Format::Png)
        return DrawVector(font, request, format, bytes);
    BitPage page;
    page.bits.swap(font.Internals().pageScratch);
    Status s = DrawRaster(font, request, page, nullptr);
    if (s.Ok()) {
        bytes.clear();
        EncodeGreyPng(bytes, page.width, page.height, 1, page.dpi, page.rows.data());
    }
    page.bits.swap(font.Internals().pageScratch);
    return s;
}

Status EncodePng(const Bitmap& bitmap, std::string& bytes)
{
    if (bitmap.width <= 0 || bitmap.height <= 0)
        return Failure(Problem::BadSize, "empty image");
    std::vector<const std::uint8_t*> rows(std::size_t(bitmap.height));
    for (int y = 0; y < bitmap.height; ++y)
        rows[std::size_t(y)] = bitmap.pixels.data() + std::size_t(y) * std::size_t(bitmap.width);
    bytes.clear();
    EncodeGreyPng(bytes, bitmap.width, bitmap.height, 8, bitmap.dpi, rows.data());
    return {};
}

std::string FontFile(std::string_view dir, std::string_view fontName)
{
    std::string path(dir);
    if (!path.empty() && path.back() != '/')
        path += '/';
    path += fontName;
    path += ".ttf";
    return path;
}

} // namespace lum::render
