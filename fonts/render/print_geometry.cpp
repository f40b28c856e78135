#include "fonts/render/print_geometry.h"

#include <array>

namespace lum::render {
namespace {

constexpr std::string_view kGs1Retail = "GS1 General Specifications, ISO/IEC 15420";
constexpr std::string_view kGs1Logistics = "GS1 General Specifications, general distribution";
constexpr std::string_view kNoStandard = "no public standard; as Code 39";

// EAN/UPC: nominal X 0.330 mm (100%), 80% to 200% allowed.
constexpr PrintGeometry Ean(std::string_view id, double left, double right)
{
    return {id, left, right, 0.330, 0.264, 0.660, true, kGs1Retail};
}

// The wide/narrow and module codes without a fixed nominal size: the common
// 0.25 mm, and the 0.0075 in (0.191 mm) floor of the AIM specifications.
constexpr PrintGeometry Common(std::string_view id, double quiet, std::string_view standard)
{
    return {id, quiet, quiet, 0.250, 0.191, 0, false, standard};
}

constexpr std::array kGeometry{
    // id, quiet left, quiet right (modules), nominal, minimum, maximum (mm), magnification, standard
    PrintGeometry{"POSTNET", 7, 7, 0.508, 0.381, 0.635, false, "USPS DMM 708.4"}, // bar width 0.020 in; 1/8 in quiet
    Common("C39", 10, "ISO/IEC 16388, AIM USS Code 39"),
    Common("C39FULL", 10, "ISO/IEC 16388, AIM USS Code 39"),
    Common("C93", 10, "AIM USS Code 93"),
    Common("C93FULL", 10, "AIM USS Code 93"),
    Common("CIP", 10, "ISO/IEC 16388 (Code CIP is Code 39)"),
    Common("PLESSEY", 12, kNoStandard),
    Common("DELTA", 10, kNoStandard),
    Common("C25", 10, "ISO/IEC 16390, AIM USS Interleaved 2 of 5"),
    PrintGeometry{"ITF", 10, 10, 0.495, 0.495, 1.016, false, kGs1Logistics}, // ITF-14
    Common("CIND25", 10, kNoStandard),
    Common("C5BARS", 10, kNoStandard),
    Common("C3BARS", 10, kNoStandard),
    Common("CBCD", 10, kNoStandard),
    Common("C25INV", 10, kNoStandard),
    Common("C25COMP", 10, kNoStandard),
    Common("C11", 10, "AIM USS Code 11"),
    Common("CMSI", 12, kNoStandard),
    Ean("EAN13", 11, 7),
    Ean("UPCA", 9, 9),
    Ean("EAN8", 7, 7),
    Ean("UPCE", 9, 7),
    Ean("ADD2", 7, 5), // the right quiet zone after a main symbol with its add-on
    Ean("ADD5", 7, 5),
    Common("C32", 10, "Italian pharmacode label (0.25 mm), ISO/IEC 16388"),
    Common("C32HRC", 10, "Italian pharmacode label (0.25 mm), ISO/IEC 16388"),
    PrintGeometry{"CBAR", 10, 10, 0.330, 0.191, 0, false, "EN 798"},
    Common("C128", 10, "ISO/IEC 15417, AIM USS Code 128"),
    PrintGeometry{"E128", 10, 10, 0.495, 0.495, 1.016, false, kGs1Logistics}, // GS1-128
    Ean("ISBN", 11, 7),
    Ean("ISBN13", 11, 7),
};

} // namespace

std::span<const PrintGeometry> PrintGeometries() noexcept { return kGeometry; }

const PrintGeometry* FindPrintGeometry(std::string_view id) noexcept
{
    for (const PrintGeometry& row : kGeometry)
        if (row.id == id)
            return &row;
    return nullptr;
}

} // namespace lum::render
