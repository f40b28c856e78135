// How big each symbology is printed: quiet zones and module (X) sizes from the
// public standards. This is the one table of per-symbology print facts; its
// rows are keyed by catalogue identifier so that they can join the catalogue
// row later. docs/fonts.md gives the source of every figure.
#pragma once

#include <span>
#include <string_view>

namespace lum::render {

struct PrintGeometry {
    std::string_view id;        // catalogue identifier
    double quietLeft;           // quiet zones, in modules
    double quietRight;
    double nominalMm;           // the module the standard names as nominal (or a common one)
    double minimumMm;           // the smallest module the standard allows
    double maximumMm;           // the largest, or 0 when the standard sets none
    bool magnification;         // sized as a percentage of the nominal module (EAN/UPC)
    std::string_view standard;  // where the figures come from, for messages
};

// One row per catalogue entry, in catalogue order.
std::span<const PrintGeometry> PrintGeometries() noexcept;

// The row of an identifier (upper case), or nullptr.
const PrintGeometry* FindPrintGeometry(std::string_view id) noexcept;

// The blank border above and below the symbol, in modules; the standards set
// none, this keeps the bars off the edge of the image.
inline constexpr double kVerticalMargin = 2;

} // namespace lum::render
