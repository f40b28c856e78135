// The module size lumcode render draws at: the standard's nominal module, or
// what --size, --module or --magnification ask for; in a raster rounded to
// whole dots, with the notes and warnings the user should see.
#pragma once

#include <string>
#include <vector>

#include "engine/catalogue.h"

namespace lum::cli {

enum class SizeBy : unsigned char {
    Nominal,       // nothing asked: the standard's nominal module
    Points,        // --size PT: the font's point size
    Module,        // --module MM
    Magnification, // --magnification PCT of the nominal module (EAN/UPC)
};

struct SizeRequest {
    SizeBy by = SizeBy::Nominal;
    double value = 0;
};

// Limits of the size options (usage errors outside them).
struct SizeLimit {
    double low, high;
};
inline constexpr SizeLimit kPointLimit{1, 2000};
inline constexpr SizeLimit kModuleLimit{0.01, 25};
inline constexpr SizeLimit kMagnificationLimit{10, 1000};
inline constexpr SizeLimit kDpiLimit{10, 4800};

struct ResolvedSize {
    double askedMm = 0;                // the module asked for
    double moduleMm = 0;               // the module drawn
    int dots = 0;                      // dots a module in a raster; 0 for PDF and SVG
    std::vector<std::string> notes;    // the size was changed to fit the dots
    std::vector<std::string> warnings; // the module is outside what the standard allows
};

// `mmPerPoint`: the module in millimetres per point of font size (the font's
// module units over its em, in millimetres a point). `dpi` 0 for PDF and SVG.
// A raster module is the nearest whole number of dots; when the size asked
// is within the standard's range and the nearest count is not, the nearest
// count within the range is taken.
ResolvedSize ResolveSize(const SizeRequest& request, const PrintGeometry& geometry, double mmPerPoint, int dpi);

} // namespace lum::cli
