// Rasters for label printers: at 203 and 300 dpi, with the nominal module of
// each symbology, every bar edge falls on a pixel boundary, so elements of
// one nominal width have one pixel width and the image holds no grey.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>

#include "engine/catalogue.h"
#include "engine/fonts.h"
#include "tests/fonts/readers.h"

namespace lum {
namespace {

enum class Widths : unsigned char {
    Modules,    // every element a whole number of modules (Code 128, Code 93, EAN/UPC, MSI, Plessey, 2 of 5 at 3:1)
    NarrowWide, // narrow and wide elements, the wide one a fractional number of modules
    Postnet,    // bars of one width at one pitch
};

struct GridRow {
    std::string_view id;
    std::string_view text;
    Widths widths;
    int bandUnits; // a scan line this many font units above the baseline crosses every bar
};

// clang-format off
const GridRow kGridRows[] = {
    {"C39", "CODE-39", Widths::NarrowWide, 200},
    {"C93", "CODE-93", Widths::Modules, 200},
    {"C32", "12345678", Widths::NarrowWide, 200},
    {"C25", "1234567", Widths::NarrowWide, 200},
    {"ITF", "1234567890123", Widths::NarrowWide, 200}, // between the bearer bars, also in Short
    {"CIND25", "123456", Widths::Modules, 200},
    {"C5BARS", "123456", Widths::Modules, 200},
    {"C3BARS", "123456", Widths::Modules, 200},
    {"C11", "123-45", Widths::NarrowWide, 200},
    {"CMSI", "1234567", Widths::Modules, 200},
    {"PLESSEY", "12AB34", Widths::Modules, 200},
    {"CBAR", "A40156B", Widths::NarrowWide, 200},
    {"C128", "Code 128 / 1234", Widths::Modules, 200},
    {"E128", "0195012345678903", Widths::Modules, 200},
    {"EAN13", "590123412345", Widths::Modules, 480}, // 40 modules of 12 units, in the data bars
    {"UPCE", "0123456", Widths::Modules, 480},
    {"POSTNET", "12345", Widths::Postnet, 200},      // under the half bars' tops
};
// clang-format on

void PrintTo(const GridRow& row, std::ostream* os) { *os << row.id; }

std::set<int> Distinct(const std::vector<int>& runs, std::size_t from, std::size_t step)
{
    std::set<int> out;
    for (std::size_t i = from; i < runs.size(); i += step)
        out.insert(runs[i]);
    return out;
}

class GridTest : public ::testing::TestWithParam<GridRow> {};

TEST_P(GridTest, BarEdgesOnPixelBoundaries)
{
    const GridRow& row = GetParam();
    const Symbology* entry = FindSymbology(row.id);
    const PrintGeometry* geometry = entry ? &entry->print : nullptr;
    ASSERT_TRUE(entry && geometry);
    const std::string fontString = Encode(row.text, row.id, true, Deliverable::Library);
    if (fontString.empty())
        GTEST_SKIP() << row.id << ": no encoder yet";
    std::set<std::string> fonts;
    for (const StyleInfo& style : Styles())
        if (std::string font = FontName(entry->family, style.english); !font.empty())
            fonts.insert(font);
    for (const std::string& font : fonts) {
        for (const int dpi : {203, 300}) {
            const int m = render::ModulePixels(geometry->nominalMm, dpi);
            SCOPED_TRACE(font + " at " + std::to_string(dpi) + " dpi, " + std::to_string(m) + " px a module");
            const test::Raster image = test::DrawFontString(font, fontString, m, dpi);
            ASSERT_TRUE(image.status.Ok()) << image.status.message;
            const auto& pixels = image.bitmap.pixels;
            EXPECT_TRUE(std::all_of(pixels.begin(), pixels.end(), [](std::uint8_t p) { return p == 0 || p == 255; }));
            const int y = image.layout.baselines.back() - int(row.bandUnits * image.layout.pixelsPerUnit);
            const std::vector<int> runs = test::ScanLineRuns(image.bitmap, y);
            ASSERT_GT(runs.size(), 10u);
            EXPECT_EQ(*std::min_element(runs.begin(), runs.end()), m);
            switch (row.widths) {
            case Widths::Modules:
                for (int r : runs)
                    EXPECT_EQ(r % m, 0) << "a run of " << r << " px";
                break;
            case Widths::NarrowWide: {
                const std::set<int> widths = Distinct(runs, 0, 1);
                EXPECT_EQ(widths.size(), 2u) << "narrow " << *widths.begin() << ", widest " << *widths.rbegin();
                break;
            }
            case Widths::Postnet:
                EXPECT_EQ(Distinct(runs, 0, 2), std::set<int>{m}); // bars
                EXPECT_EQ(Distinct(runs, 1, 2).size(), 1u);        // spaces
                break;
            }
        }
    }
}

std::string RowName(const ::testing::TestParamInfo<GridRow>& info) { return std::string(info.param.id); }

INSTANTIATE_TEST_SUITE_P(Fonts, GridTest, ::testing::ValuesIn(kGridRows), RowName);

} // namespace
} // namespace lum
