#include "fonts/render/render.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <memory>

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H
#include FT_ADVANCES_H
#include FT_SFNT_NAMES_H
#include <png.h>

namespace lum::render {
namespace {

// Unicode code points of Windows-1252 bytes 0x80 to 0x9F (0 = unassigned),
// tried when a font maps only one of the two forms of an 8-bit character.
constexpr std::array<char16_t, 32> kCp1252High{
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};

// The name record in which the fonts store their module width in font units.
constexpr FT_UShort kModuleNameId = 256;

struct LibraryDeleter {
    void operator()(FT_Library lib) const { FT_Done_FreeType(lib); }
};
struct FaceDeleter {
    void operator()(FT_Face face) const { FT_Done_Face(face); }
};
using LibraryPtr = std::unique_ptr<std::remove_pointer_t<FT_Library>, LibraryDeleter>;
using FacePtr = std::unique_ptr<std::remove_pointer_t<FT_Face>, FaceDeleter>;

struct Font {
    LibraryPtr library;
    FacePtr face;
    double scale = 0;  // pixels per font unit
    double module = 0; // module width in font units
};

std::string OpenFont(const Request& request, Font& font)
{
    if (request.pointSize <= 0 || request.dpi <= 0 || request.pointSize * request.dpi > 1e6)
        return "point size and resolution must be positive and reasonable";
    FT_Library lib = nullptr;
    if (FT_Init_FreeType(&lib))
        return "cannot initialise FreeType";
    font.library.reset(lib);
    FT_Face face = nullptr;
    if (FT_New_Face(lib, request.fontPath.c_str(), 0, &face))
        return "cannot open font " + request.fontPath;
    font.face.reset(face);
    if (!FT_IS_SCALABLE(face))
        return "not an outline font: " + request.fontPath;
    if (FT_Set_Char_Size(face, 0, FT_F26Dot6(std::lround(request.pointSize * 64)), FT_UInt(request.dpi),
                         FT_UInt(request.dpi)))
        return "cannot set the size";
    font.scale = request.pointSize * request.dpi / 72.0 / face->units_per_EM;
    font.module = face->units_per_EM / 20.0;
    for (FT_UInt i = 0, n = FT_Get_Sfnt_Name_Count(face); i < n; ++i) {
        FT_SfntName name;
        if (FT_Get_Sfnt_Name(face, i, &name) || name.name_id != kModuleNameId || name.platform_id != 3)
            continue;
        double value = 0;
        for (FT_UInt k = 1; k < name.string_len; k += 2) // UTF-16BE digits
            if (name.string[k] >= '0' && name.string[k] <= '9')
                value = value * 10 + (name.string[k] - '0');
        if (value > 0)
            font.module = value;
    }
    return {};
}

FT_UInt GlyphIndex(FT_Face face, unsigned char c)
{
    FT_UInt index = FT_Get_Char_Index(face, c);
    if (index == 0 && c >= 0x80 && c <= 0x9F && kCp1252High[c - 0x80] != 0)
        index = FT_Get_Char_Index(face, kCp1252High[c - 0x80]);
    return index;
}

std::vector<std::string> SplitLines(std::string_view text)
{
    std::vector<std::string> lines(1);
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' || text[i] == '\n') {
            if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
            lines.emplace_back();
        } else {
            lines.back() += text[i];
        }
    }
    return lines;
}

// Glyph indices and advances (font units) of one line; error text when a
// character has no glyph.
struct LineGlyphs {
    std::vector<FT_UInt> glyphs;
    std::vector<double> advances;
    double width = 0;
};

std::string ShapeLine(FT_Face face, std::string_view line, LineGlyphs& out)
{
    for (char ch : line) {
        const auto c = static_cast<unsigned char>(ch);
        const FT_UInt index = GlyphIndex(face, c);
        if (index == 0) {
            char buf[64];
            std::snprintf(buf, sizeof buf, "character %u has no glyph in the font", unsigned(c));
            return buf;
        }
        FT_Fixed advance = 0;
        if (FT_Get_Advance(face, index, FT_LOAD_NO_SCALE, &advance))
            return "cannot read a glyph advance";
        out.glyphs.push_back(index);
        out.advances.push_back(double(advance));
        out.width += double(advance);
    }
    return {};
}

// Page geometry shared by both outputs, in pixels.
struct Page {
    std::vector<LineGlyphs> lines;
    double width = 0, height = 0;
    double left = 0;
    std::vector<double> baselines;
};

std::string LayOut(const Request& request, const Font& font, Page& page)
{
    FT_Face face = font.face.get();
    double widest = 0;
    for (const std::string& text : SplitLines(request.fontString)) {
        LineGlyphs line;
        if (std::string error = ShapeLine(face, text, line); !error.empty())
            return error;
        widest = std::max(widest, line.width);
        page.lines.push_back(std::move(line));
    }
    const double s = font.scale, m = font.module * s;
    const double lineHeight = std::max<double>(face->height, face->ascender - face->descender) * s;
    // Vertically the page holds the ink of all lines (lines a line height
    // apart) and the quiet zones; blank lines keep the font's ascent/descent.
    double top = 0, bottom = 0, y = 0;
    bool ink = false;
    for (const LineGlyphs& line : page.lines) {
        for (FT_UInt index : line.glyphs) {
            if (FT_Load_Glyph(face, index, FT_LOAD_NO_SCALE))
                return "cannot load a glyph";
            if (face->glyph->outline.n_points == 0)
                continue;
            FT_BBox box;
            FT_Outline_Get_CBox(&face->glyph->outline, &box);
            const double t = y - double(box.yMax) * s, b = y - double(box.yMin) * s;
            top = ink ? std::min(top, t) : t;
            bottom = ink ? std::max(bottom, b) : b;
            ink = true;
        }
        y += lineHeight;
    }
    if (!ink) {
        top = -face->ascender * s;
        bottom = y - lineHeight - face->descender * s;
    }
    page.left = request.quiet.left * m;
    page.width = std::ceil(page.left + widest * s + request.quiet.right * m);
    for (std::size_t i = 0; i < page.lines.size(); ++i)
        page.baselines.push_back(request.quiet.top * m - top + double(i) * lineHeight);
    page.height = std::ceil(request.quiet.top * m + (bottom - top) + request.quiet.bottom * m);
    if (page.width * page.height > 4e8)
        return "image too large";
    return {};
}

struct Canvas {
    int width, height;
    std::vector<int> coverage;
};

void AddSpans(int y, int count, const FT_Span* spans, void* user)
{
    auto* canvas = static_cast<Canvas*>(user);
    const int row = canvas->height - 1 - y;
    if (row < 0 || row >= canvas->height)
        return;
    for (int i = 0; i < count; ++i)
        for (int x = spans[i].x; x < spans[i].x + spans[i].len && x < canvas->width; ++x)
            if (x >= 0)
                canvas->coverage[std::size_t(row) * std::size_t(canvas->width) + std::size_t(x)] += spans[i].coverage;
}

struct SvgPath {
    std::string d;
    double penX, baseline, scale;
    void Point(char op, const FT_Vector* p)
    {
        char buf[64];
        std::snprintf(buf, sizeof buf, "%c%.3f %.3f", op, penX + double(p->x) * scale, baseline - double(p->y) * scale);
        d += buf;
    }
};

int SvgMove(const FT_Vector* to, void* user)
{
    auto* path = static_cast<SvgPath*>(user);
    if (!path->d.empty() && path->d.back() != 'Z')
        path->d += 'Z';
    path->Point('M', to);
    return 0;
}
int SvgLine(const FT_Vector* to, void* user)
{
    static_cast<SvgPath*>(user)->Point('L', to);
    return 0;
}
int SvgConic(const FT_Vector* control, const FT_Vector* to, void* user)
{
    auto* path = static_cast<SvgPath*>(user);
    path->Point('Q', control);
    path->Point(' ', to);
    return 0;
}
int SvgCubic(const FT_Vector* c1, const FT_Vector* c2, const FT_Vector* to, void* user)
{
    auto* path = static_cast<SvgPath*>(user);
    path->Point('C', c1);
    path->Point(' ', c2);
    path->Point(' ', to);
    return 0;
}

// Opens the request's font and lays the page out; an error text, or empty.
std::string OpenAndLayOut(const Request& request, Font& font, Page& page)
{
    std::string error = OpenFont(request, font);
    return error.empty() ? LayOut(request, font, page) : error;
}

} // namespace

QuietZone QuietZoneForFamily(std::string_view family) noexcept
{
    if (family == "VOREAN") // EAN-13 11X left, UPC-A 9X, EAN-8 7X, add-ons 5X right
        return {11, 9, 2, 2};
    if (family == "VORPOSTNET") // at least 1/8 inch of blank around the bars
        return {7, 7, 2, 2};
    if (family == "VORMSI" || family == "VORPLESSEY")
        return {12, 12, 2, 2};
    return {};
}

BitmapResult RenderBitmap(const Request& request, Layout* layout)
{
    BitmapResult result;
    Font font;
    Page page;
    if (!(result.error = OpenAndLayOut(request, font, page)).empty())
        return result;
    Canvas canvas{int(page.width), int(page.height), {}};
    canvas.coverage.assign(std::size_t(canvas.width) * std::size_t(canvas.height), 0);
    FT_Face face = font.face.get();
    for (std::size_t i = 0; i < page.lines.size(); ++i) {
        const LineGlyphs& line = page.lines[i];
        double pen = page.left;
        for (std::size_t g = 0; g < line.glyphs.size(); ++g) {
            if (FT_Load_Glyph(face, line.glyphs[g], FT_LOAD_NO_HINTING | FT_LOAD_NO_BITMAP)) {
                result.error = "cannot load a glyph";
                return result;
            }
            FT_Outline* outline = &face->glyph->outline;
            FT_Outline_Translate(outline, FT_Pos(std::lround(pen * 64)),
                                 FT_Pos(std::lround((canvas.height - page.baselines[i]) * 64)));
            FT_Raster_Params params{};
            params.flags = FT_RASTER_FLAG_AA | FT_RASTER_FLAG_DIRECT | FT_RASTER_FLAG_CLIP;
            params.gray_spans = AddSpans;
            params.user = &canvas;
            params.clip_box = {0, 0, canvas.width, canvas.height};
            if (FT_Outline_Render(font.library.get(), outline, &params)) {
                result.error = "cannot rasterise a glyph";
                return result;
            }
            pen += line.advances[g] * font.scale;
        }
    }
    Bitmap& bitmap = result.bitmap;
    bitmap.width = canvas.width;
    bitmap.height = canvas.height;
    bitmap.dpi = request.dpi;
    bitmap.pixels.resize(canvas.coverage.size());
    std::transform(canvas.coverage.begin(), canvas.coverage.end(), bitmap.pixels.begin(),
                   [](int c) { return std::uint8_t(255 - std::min(c, 255)); });
    if (layout) {
        layout->pixelsPerUnit = font.scale;
        layout->modulePixels = font.module * font.scale;
        layout->baselines = page.baselines;
        layout->glyphLeft.clear();
        for (const LineGlyphs& line : page.lines) {
            std::vector<double>& lefts = layout->glyphLeft.emplace_back();
            double pen = page.left;
            for (double advance : line.advances) {
                lefts.push_back(pen);
                pen += advance * font.scale;
            }
        }
    }
    return result;
}

SvgResult RenderSvg(const Request& request)
{
    SvgResult result;
    Font font;
    Page page;
    if (!(result.error = OpenAndLayOut(request, font, page)).empty())
        return result;
    FT_Face face = font.face.get();
    const double unitScale = font.scale; // pixels per font unit
    std::string paths;
    for (std::size_t i = 0; i < page.lines.size(); ++i) {
        const LineGlyphs& line = page.lines[i];
        double pen = page.left;
        for (std::size_t g = 0; g < line.glyphs.size(); ++g) {
            if (FT_Load_Glyph(face, line.glyphs[g], FT_LOAD_NO_SCALE)) {
                result.error = "cannot load a glyph";
                return result;
            }
            SvgPath path{{}, pen, page.baselines[i], unitScale};
            const FT_Outline_Funcs funcs{SvgMove, SvgLine, SvgConic, SvgCubic, 0, 0};
            FT_Outline_Decompose(&face->glyph->outline, &funcs, &path);
            if (!path.d.empty())
                paths += path.d + "Z";
            pen += line.advances[g] * unitScale;
        }
    }
    // User units are pixels at the requested resolution; width and height in
    // millimetres give the printed size.
    const double mm = 25.4 / request.dpi;
    char head[512];
    std::snprintf(head, sizeof head,
                  "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                  "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"%.3fmm\" height=\"%.3fmm\" "
                  "viewBox=\"0 0 %.0f %.0f\">\n<rect width=\"100%%\" height=\"100%%\" fill=\"#fff\"/>\n",
                  page.width * mm, page.height * mm, page.width, page.height);
    result.svg = head;
    result.svg += "<path fill=\"#000\" fill-rule=\"nonzero\" d=\"" + paths + "\"/>\n</svg>\n";
    return result;
}

namespace {
// "cannot write PATH: the system's reason".
std::string CannotWrite(const std::string& path, int error)
{
    return "cannot write " + path + (error != 0 ? std::string(": ") + std::strerror(error) : std::string());
}
} // namespace

std::string WritePng(const Bitmap& bitmap, const std::string& path)
{
    if (bitmap.width <= 0 || bitmap.height <= 0)
        return "empty image";
    errno = 0;
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file)
        return CannotWrite(path, errno);
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    std::string error;
    if (!png || !info) {
        error = "cannot create the PNG writer";
    } else if (setjmp(png_jmpbuf(png))) {
        error = CannotWrite(path, errno); // libpng stops on a failed write
    } else {
        png_init_io(png, file);
        png_set_IHDR(png, info, png_uint_32(bitmap.width), png_uint_32(bitmap.height), 8, PNG_COLOR_TYPE_GRAY,
                     PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
        if (bitmap.dpi > 0) {
            const auto ppm = png_uint_32(std::lround(bitmap.dpi / 0.0254));
            png_set_pHYs(png, info, ppm, ppm, PNG_RESOLUTION_METER);
        }
        png_write_info(png, info);
        for (int y = 0; y < bitmap.height; ++y)
            png_write_row(png, bitmap.pixels.data() + std::size_t(y) * std::size_t(bitmap.width));
        png_write_end(png, nullptr);
    }
    png_destroy_write_struct(png ? &png : nullptr, info ? &info : nullptr);
    if (std::fclose(file) != 0 && error.empty())
        error = CannotWrite(path, errno);
    return error;
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
