// Opening a barcode font and turning its glyphs into device shapes: outlines
// read with FreeType in font units, then scaled; in a raster every bar edge
// is moved to a pixel boundary.
#include <algorithm>
#include <cmath>
#include <cstdio>

#include "engine/cp1252.h"
#include "fonts/render/glyphs.h"

#include FT_OUTLINE_H
#include FT_SFNT_NAMES_H

namespace lum::render {
namespace {

// The name record in which the fonts store their module width in font units.
constexpr FT_UShort kModuleNameId = 256;

// A rectilinear contour at least this share of the font's tallest one is a
// bar; shorter ones (the strokes of human-readable digits, bearer bars) are
// not, so their edges never split the elements of the bars they sit under.
constexpr double kBarShare = 0.25;

constexpr double kPointsPerMm = 72 / 25.4;

double ModuleFromNames(FT_Face face)
{
    for (FT_UInt i = 0, n = FT_Get_Sfnt_Name_Count(face); i < n; ++i) {
        FT_SfntName name;
        if (FT_Get_Sfnt_Name(face, i, &name) || name.name_id != kModuleNameId || name.platform_id != 3)
            continue;
        double value = 0;
        for (FT_UInt k = 1; k < name.string_len; k += 2) // UTF-16BE digits
            if (name.string[k] >= '0' && name.string[k] <= '9')
                value = value * 10 + (name.string[k] - '0');
        if (value > 0)
            return value;
    }
    return 0;
}

// Collects FreeType's outline walk into contours.
struct OutlineBuilder {
    Outline out;
    Point at{};

    Contour& Current() { return out.contours.back(); }
    static OutlineBuilder& Of(void* user) { return *static_cast<OutlineBuilder*>(user); }
    static Point P(const FT_Vector* v) { return {double(v->x), double(v->y)}; }

    static int Move(const FT_Vector* to, void* user)
    {
        auto& b = Of(user);
        b.at = P(to);
        b.out.contours.emplace_back().ops.push_back({Op::Move, {b.at}});
        return 0;
    }
    static int Line(const FT_Vector* to, void* user)
    {
        auto& b = Of(user);
        b.at = P(to);
        b.Current().ops.push_back({Op::Line, {b.at}});
        return 0;
    }
    // A quadratic segment as the cubic that draws the same curve.
    static int Conic(const FT_Vector* control, const FT_Vector* to, void* user)
    {
        auto& b = Of(user);
        const Point q = P(control), e = P(to);
        const Point c1{b.at.x + 2.0 / 3 * (q.x - b.at.x), b.at.y + 2.0 / 3 * (q.y - b.at.y)};
        const Point c2{e.x + 2.0 / 3 * (q.x - e.x), e.y + 2.0 / 3 * (q.y - e.y)};
        b.Current().ops.push_back({Op::Cubic, {c1, c2, e}});
        b.at = e;
        return 0;
    }
    static int Cubic(const FT_Vector* c1, const FT_Vector* c2, const FT_Vector* to, void* user)
    {
        auto& b = Of(user);
        b.at = P(to);
        b.Current().ops.push_back({Op::Cubic, {P(c1), P(c2), b.at}});
        return 0;
    }
};

// Bounding box of the points and whether every edge, the closing one
// included, is horizontal or vertical.
void Measure(Contour& c)
{
    c.rectilinear = true;
    c.minX = c.minY = HUGE_VAL;
    c.maxX = c.maxY = -HUGE_VAL;
    Point previous = c.ops.front().p[0];
    for (const PathOp& op : c.ops) {
        const int n = op.op == Op::Cubic ? 3 : 1;
        for (int i = 0; i < n; ++i) {
            c.minX = std::min(c.minX, op.p[i].x);
            c.maxX = std::max(c.maxX, op.p[i].x);
            c.minY = std::min(c.minY, op.p[i].y);
            c.maxY = std::max(c.maxY, op.p[i].y);
        }
        const Point end = op.p[n - 1];
        if (op.op == Op::Cubic || (end.x != previous.x && end.y != previous.y))
            c.rectilinear = false;
        previous = end;
    }
    const Point start = c.ops.front().p[0];
    if (previous.x != start.x && previous.y != start.y)
        c.rectilinear = false;
}

// Glyph x (font units) to device x when snapping: the edges of the bars and
// both ends of the advance map to whole pixels, each gap between neighbouring
// edges rounded on its own, so every element of one width gets one pixel
// width wherever it stands; points between edges are interpolated.
class EdgeMap {
public:
    EdgeMap(std::vector<double> edges, double scale) : from_(std::move(edges)), scale_(scale)
    {
        std::sort(from_.begin(), from_.end());
        from_.erase(std::unique(from_.begin(), from_.end()), from_.end());
        to_.assign(from_.size(), 0);
        const std::size_t origin = std::size_t(std::lower_bound(from_.begin(), from_.end(), 0.0) - from_.begin());
        for (std::size_t i = origin + 1; i < from_.size(); ++i)
            to_[i] = to_[i - 1] + std::round((from_[i] - from_[i - 1]) * scale_);
        for (std::size_t i = origin; i-- > 0;)
            to_[i] = to_[i + 1] - std::round((from_[i + 1] - from_[i]) * scale_);
    }

    double operator()(double x) const
    {
        if (x <= from_.front())
            return to_.front() + (x - from_.front()) * scale_;
        if (x >= from_.back())
            return to_.back() + (x - from_.back()) * scale_;
        const std::size_t i = std::size_t(std::upper_bound(from_.begin(), from_.end(), x) - from_.begin()) - 1;
        const double t = (x - from_[i]) / (from_[i + 1] - from_[i]);
        return to_[i] + t * (to_[i + 1] - to_[i]);
    }

private:
    std::vector<double> from_, to_;
    double scale_;
};

Status Failure(Problem problem, std::string message) { return {problem, std::move(message)}; }

std::uint32_t BigEndian(const unsigned char* p, int bytes)
{
    std::uint32_t v = 0;
    for (int i = 0; i < bytes; ++i)
        v = v << 8 | p[i];
    return v;
}

// A truncated font file still opens, and may even draw, with the tables past
// the cut missing: every table the font's directory lists must lie within
// the file.
Status CheckTables(const std::string& path)
{
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file)
        return Failure(Problem::FontUnreadable, "cannot read the font " + path);
    unsigned char head[12];
    std::vector<unsigned char> directory;
    long size = -1;
    bool read = std::fread(head, 1, sizeof head, file) == sizeof head;
    const std::uint32_t version = read ? BigEndian(head, 4) : 0;
    if (read && version != 0x74746366) { // a collection ("ttcf") is left to FreeType
        directory.resize(std::size_t(BigEndian(head + 4, 2)) * 16);
        read = std::fread(directory.data(), 1, directory.size(), file) == directory.size();
    }
    if (read && std::fseek(file, 0, SEEK_END) == 0)
        size = std::ftell(file);
    std::fclose(file);
    if (!read || size < 0)
        return Failure(Problem::FontUnreadable, "the font " + path + " is damaged: its table directory is cut short");
    for (std::size_t i = 0; i + 16 <= directory.size(); i += 16) {
        const std::uint64_t end = std::uint64_t(BigEndian(&directory[i + 8], 4)) + BigEndian(&directory[i + 12], 4);
        if (end > std::uint64_t(size))
            return Failure(Problem::FontUnreadable, "the font " + path + " is damaged: its " +
                                                        std::string(reinterpret_cast<const char*>(&directory[i]), 4) +
                                                        " table runs past the end of the file (truncated?)");
    }
    return {};
}

} // namespace

Font::Font(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}
Font::~Font() = default;

std::unique_ptr<Font> Font::Open(const std::string& path, Status& status)
{
    auto impl = std::make_unique<Impl>();
    impl->path = path;
    FT_Library lib = nullptr;
    if (FT_Init_FreeType(&lib)) {
        status = Failure(Problem::FontUnreadable, "cannot start FreeType to read the font " + path);
        return nullptr;
    }
    impl->library.reset(lib);
    FT_Face face = nullptr;
    if (FT_New_Face(lib, path.c_str(), 0, &face)) {
        status = Failure(Problem::FontUnreadable, "cannot read the font " + path);
        return nullptr;
    }
    impl->face.reset(face);
    if (!FT_IS_SCALABLE(face) || face->units_per_EM == 0) {
        status = Failure(Problem::FontUnreadable, "not an outline font: " + path);
        return nullptr;
    }
    if (FT_IS_SFNT(face)) {
        if (status = CheckTables(path); !status.Ok())
            return nullptr;
    }
    impl->unitsPerEm = face->units_per_EM;
    const double module = ModuleFromNames(face);
    impl->moduleUnits = module > 0 ? module : impl->unitsPerEm / 20;
    impl->ascender = face->ascender;
    impl->descender = face->descender;
    impl->lineHeight = std::max<double>(face->height, face->ascender - face->descender);
    // An 8-bit character under its byte value, else under its Windows-1252
    // code point: fonts map the characters 0x80 to 0x9F one way or the other.
    for (unsigned c = 0; c < 256; ++c) {
        FT_UInt index = FT_Get_Char_Index(face, c);
        if (const char32_t unicode = Cp1252ToUnicode(static_cast<unsigned char>(c)); index == 0 && unicode != c)
            index = FT_Get_Char_Index(face, unicode);
        impl->glyphs[c] = index;
    }
    status = {};
    return std::unique_ptr<Font>(new Font(std::move(impl)));
}

const std::string& Font::Path() const noexcept { return impl_->path; }
double Font::ModuleUnits() const noexcept { return impl_->moduleUnits; }
double Font::UnitsPerEm() const noexcept { return impl_->unitsPerEm; }

double Font::PointSizeForModule(double moduleMm) const noexcept
{
    return moduleMm * kPointsPerMm * impl_->unitsPerEm / impl_->moduleUnits;
}

double Font::ModuleForPointSize(double points) const noexcept
{
    return points / kPointsPerMm * impl_->moduleUnits / impl_->unitsPerEm;
}

Status Font::Impl::OutlineOf(FT_UInt glyph, const Outline*& out)
{
    FT_Face f = face.get();
    if (outlines_.empty())
        outlines_.resize(std::size_t(f->num_glyphs));
    if (glyph >= outlines_.size())
        return Failure(Problem::FontUnreadable, "the font " + path + " names a glyph it does not have");
    if (!outlines_[glyph]) {
        if (FT_Load_Glyph(f, glyph, FT_LOAD_NO_SCALE | FT_LOAD_NO_BITMAP) ||
            f->glyph->format != FT_GLYPH_FORMAT_OUTLINE) {
            return Failure(Problem::FontUnreadable,
                           "cannot read glyph " + std::to_string(glyph) + " of the font " + path + " (damaged?)");
        }
        OutlineBuilder builder;
        const FT_Outline_Funcs funcs{
            OutlineBuilder::Move, OutlineBuilder::Line, OutlineBuilder::Conic, OutlineBuilder::Cubic, 0, 0};
        if (FT_Outline_Decompose(&f->glyph->outline, &funcs, &builder))
            return Failure(Problem::FontUnreadable,
                           "cannot read glyph " + std::to_string(glyph) + " of the font " + path + " (damaged?)");
        std::erase_if(builder.out.contours, [](const Contour& c) { return c.ops.size() < 2; });
        for (Contour& c : builder.out.contours)
            Measure(c);
        builder.out.advance = double(f->glyph->advance.x);
        outlines_[glyph] = std::move(builder.out);
    }
    out = &*outlines_[glyph];
    return {};
}

// The tallest rectilinear contour among the glyphs of the 8-bit characters,
// times kBarShare; glyphs that cannot be read are left to fail when used.
double Font::Impl::BarHeight()
{
    if (barHeight_ < 0) {
        double tallest = 0;
        for (FT_UInt glyph : glyphs) {
            const Outline* outline = nullptr;
            if (glyph == 0 || !OutlineOf(glyph, outline).Ok())
                continue;
            for (const Contour& c : outline->contours)
                if (c.rectilinear)
                    tallest = std::max(tallest, c.maxY - c.minY);
        }
        barHeight_ = tallest * kBarShare;
    }
    return barHeight_;
}

Status Font::Impl::ShapeOf(FT_UInt glyph, double scale, bool snap, const Shape*& out)
{
    if (scale != shapeScale_ || snap != shapeSnap_ || shapes_.empty()) {
        shapeScale_ = scale;
        shapeSnap_ = snap;
        shapes_.assign(std::size_t(face->num_glyphs), std::nullopt);
        sprites_.assign(std::size_t(face->num_glyphs), std::nullopt);
    }
    if (glyph >= shapes_.size())
        return Failure(Problem::FontUnreadable, "the font " + path + " names a glyph it does not have");
    if (!shapes_[glyph]) {
        const Outline* outline = nullptr;
        if (Status s = OutlineOf(glyph, outline); !s.Ok())
            return s;
        std::vector<double> edges{0, outline->advance};
        if (snap) {
            const double barHeight = BarHeight();
            for (const Contour& c : outline->contours)
                if (c.rectilinear && c.maxY - c.minY >= barHeight)
                    for (const PathOp& op : c.ops)
                        edges.push_back(op.p[0].x);
        }
        const EdgeMap mapX(std::move(edges), scale);
        Shape shape;
        shape.advance = snap ? mapX(outline->advance) : outline->advance * scale;
        shape.minX = shape.minY = HUGE_VAL;
        shape.maxX = shape.maxY = -HUGE_VAL;
        for (const Contour& c : outline->contours) {
            Contour placed = c;
            const bool snapY = snap && c.rectilinear;
            for (PathOp& op : placed.ops)
                for (Point& p : op.p) {
                    p.x = snap ? mapX(p.x) : p.x * scale;
                    p.y = snapY ? -std::round(p.y * scale) : -p.y * scale;
                }
            Measure(placed);
            placed.rectilinear = c.rectilinear;
            shape.minX = std::min(shape.minX, placed.minX);
            shape.maxX = std::max(shape.maxX, placed.maxX);
            shape.minY = std::min(shape.minY, placed.minY);
            shape.maxY = std::max(shape.maxY, placed.maxY);
            shape.contours.push_back(std::move(placed));
        }
        shapes_[glyph] = std::move(shape);
    }
    out = &*shapes_[glyph];
    return {};
}

void AppendShapePath(cairo_t* cr, const Shape& shape, double dx, double dy)
{
    for (const Contour& c : shape.contours) {
        for (const PathOp& op : c.ops) {
            switch (op.op) {
            case Op::Move:
                cairo_move_to(cr, op.p[0].x + dx, op.p[0].y + dy);
                break;
            case Op::Line:
                cairo_line_to(cr, op.p[0].x + dx, op.p[0].y + dy);
                break;
            case Op::Cubic:
                cairo_curve_to(cr, op.p[0].x + dx, op.p[0].y + dy, op.p[1].x + dx, op.p[1].y + dy, op.p[2].x + dx,
                               op.p[2].y + dy);
                break;
            }
        }
        cairo_close_path(cr);
    }
}

const Sprite& Font::Impl::SpriteOf(FT_UInt glyph, const Shape& shape)
{
    std::optional<Sprite>& slot = sprites_[glyph];
    if (slot)
        return *slot;
    Sprite& sprite = slot.emplace();
    if (shape.contours.empty())
        return sprite;
    sprite.left = int(std::floor(shape.minX));
    sprite.top = int(std::floor(shape.minY));
    sprite.width = int(std::ceil(shape.maxX)) - sprite.left;
    sprite.height = int(std::ceil(shape.maxY)) - sprite.top;
    sprite.stride = (sprite.width + 7) / 8;
    sprite.bits.assign(std::size_t(sprite.stride) * std::size_t(sprite.height), 0);
    if (sprite.width <= 0 || sprite.height <= 0)
        return sprite;
    // Drawn without antialiasing: a pixel is ink when its centre is inside,
    // so the whole-pixel bar edges are exact and the rest is crisp for printing.
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_A8, sprite.width, sprite.height);
    cairo_t* cr = cairo_create(surface);
    cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
    AppendShapePath(cr, shape, -sprite.left, -sprite.top);
    cairo_fill(cr);
    cairo_destroy(cr);
    cairo_surface_flush(surface);
    const unsigned char* data = cairo_image_surface_get_data(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    for (int y = 0; data && y < sprite.height; ++y)
        for (int x = 0; x < sprite.width; ++x)
            if (data[y * stride + x] >= 128)
                sprite.bits[std::size_t(y * sprite.stride + x / 8)] |= std::uint8_t(0x80 >> (x % 8));
    cairo_surface_destroy(surface);
    const auto row = [&](int y) { return sprite.bits.begin() + std::ptrdiff_t(y) * sprite.stride; };
    for (int y = 0; y < sprite.height; ++y) {
        if (y == 0 || !std::equal(row(y), row(y) + sprite.stride, row(y - 1)))
            sprite.changes.push_back(y);
        int first = 0, end = sprite.stride;
        while (first < end && row(y)[first] == 0)
            ++first;
        while (end > first && row(y)[end - 1] == 0)
            --end;
        sprite.ink.push_back({std::uint16_t(first), std::uint16_t(end)});
    }
    return sprite;
}

} // namespace lum::render
