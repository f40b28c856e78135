// Inside the renderer: glyph outlines read from the font once, placed on the
// device grid (Shape) and rasterised once per scale (Sprite).
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <type_traits>
#include <vector>

#include <cairo.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include "fonts/render/render.h"

namespace lum::render {

struct Point {
    double x, y;
};

enum class Op : unsigned char { Move, Line, Cubic };

// One step of a contour: Move and Line use p[0]; Cubic p[0] and p[1] as
// control points and p[2] as its end.
struct PathOp {
    Op op;
    std::array<Point, 3> p;
};

struct Contour {
    std::vector<PathOp> ops;
    bool rectilinear = false; // straight edges parallel to the axes only: a bar or a straight stroke
    double minX = 0, maxX = 0, minY = 0, maxY = 0;
};

// A glyph in font units, y up, from its pen position on the baseline.
struct Outline {
    std::vector<Contour> contours;
    double advance = 0;
};

// A glyph in device units (pixels or points), y down, from its pen position
// on the baseline.
struct Shape {
    std::vector<Contour> contours;
    double advance = 0;
    double minX = 0, maxX = 0, minY = 0, maxY = 0; // ink box, when there are contours
};

// A shape rasterised: one bit a pixel (1 = ink), rows of `stride` bytes,
// leftmost pixel in the most significant bit; placed at (left, top) from the
// pen position on the baseline. `changes` lists the rows that differ from
// the row above (row 0 first): the bars make the others repeat it. `ink`
// holds, per row, the bytes [first, end) that have ink.
struct Sprite {
    int left = 0, top = 0, width = 0, height = 0, stride = 0;
    std::vector<std::uint8_t> bits;
    std::vector<int> changes;
    std::vector<std::array<std::uint16_t, 2>> ink;
};

struct LibraryDeleter {
    void operator()(FT_Library lib) const { FT_Done_FreeType(lib); }
};
struct FaceDeleter {
    void operator()(FT_Face face) const { FT_Done_Face(face); }
};

struct Font::Impl {
    std::string path;
    std::unique_ptr<std::remove_pointer_t<FT_Library>, LibraryDeleter> library;
    std::unique_ptr<std::remove_pointer_t<FT_Face>, FaceDeleter> face;
    double unitsPerEm = 1000, moduleUnits = 50, ascender = 0, descender = 0, lineHeight = 0;
    std::array<FT_UInt, 256> glyphs{};     // glyph index of every 8-bit character, 0 = none
    std::vector<std::uint8_t> pageScratch; // a raster page's memory, kept from one image to the next

    // The outline of a glyph, read on first use.
    Status OutlineOf(FT_UInt glyph, const Outline*& out);
    // The glyph at `scale` device units per font unit; `snap` puts bar edges
    // on whole device units (pixels).
    Status ShapeOf(FT_UInt glyph, double scale, bool snap, const Shape*& out);
    // The shape rasterised (only for snapped shapes, at the scale last asked for).
    const Sprite& SpriteOf(FT_UInt glyph, const Shape& shape);

private:
    double BarHeight();

    std::vector<std::optional<Outline>> outlines_;
    double barHeight_ = -1;
    double shapeScale_ = 0;
    bool shapeSnap_ = false;
    std::vector<std::optional<Shape>> shapes_;
    std::vector<std::optional<Sprite>> sprites_;
};

// Adds a shape's contours, moved by (dx, dy), to the cairo path of `cr`.
void AppendShapePath(cairo_t* cr, const Shape& shape, double dx, double dy);

} // namespace lum::render
