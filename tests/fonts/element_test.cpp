// Fonts of symbologies no available decoder reads: a scan line of the
// rendering, turned into narrow/wide elements, must equal zint's module row
// for the same data (POSTNET: full/half bars from two scan lines).
#include <gtest/gtest.h>

#include <random>
#include <string>

#include <zint.h>

#include "engine/catalogue.h"
#include "engine/fonts.h"
#include "fonts/render/render.h"
#include "tests/fonts/readers.h"

namespace lum {
namespace {

constexpr int kDpi = 300;
constexpr int kModulePixels = 3;

struct ZintCase {
    int symbology;
    int option2;
    std::string data;
};

// What zint is given for the characters between our start and stop.
using ZintData = ZintCase (*)(const std::string& payload);

struct ElementRow {
    std::string_view id;
    ZintData zint;
    const char* note;
};

// clang-format off
const ElementRow kElementRows[] = {
    {"CIND25", [](const std::string& p) { return ZintCase{BARCODE_C25IND, 0, p}; }, "Industrial 2 of 5"},
    {"C5BARS", [](const std::string& p) { return ZintCase{BARCODE_C25IATA, 0, p}; }, "IATA 2 of 5"},
    {"C3BARS", [](const std::string& p) { return ZintCase{BARCODE_C25STANDARD, 0, p}; }, "Matrix 2 of 5"},
    {"C11", [](const std::string& p) { return ZintCase{BARCODE_CODE11, 2, p}; }, "Code 11, check characters typed in"},
    {"CMSI",
     [](const std::string& p) {
         std::string d; // ":" (check value 10) is printed as the digits 1 0
         for (char c : p)
             d += c == ':' ? std::string("10") : std::string(1, c);
         return ZintCase{BARCODE_MSI_PLESSEY, 0, d};
     },
     "MSI, check digits typed in"},
    {"PLESSEY", [](const std::string& p) { return ZintCase{BARCODE_PLESSEY, 0, p.substr(0, p.size() - 2)}; },
     "UK Plessey: zint adds its own CRC, so ours must match"},
    {"POSTNET", [](const std::string& p) { return ZintCase{BARCODE_POSTNET, 0, p.substr(0, p.size() - 1)}; },
     "POSTNET: zint adds its own check digit"},
};
// clang-format on

void PrintTo(const ElementRow& row, std::ostream* os) { *os << row.id; }

std::string RandomText(std::mt19937& rng, std::string_view id)
{
    const std::string_view alphabet = id == "PLESSEY" ? "0123456789ABCDEF" : id == "C11" ? "0123456789-" : "0123456789";
    std::uniform_int_distribution<int> len(id == "POSTNET" ? 5 : 1, id == "POSTNET" ? 11 : 12);
    std::uniform_int_distribution<std::size_t> pick(0, alphabet.size() - 1);
    std::string s;
    for (int n = len(rng); n > 0; --n)
        s += alphabet[pick(rng)];
    return s;
}

// Full/half bar letters from a lower scan line (every bar) and an upper one (full bars only).
std::string BarHeights(const render::Bitmap& b, int lowerRow, int upperRow)
{
    std::string out;
    for (int x = 0; x < b.width;) {
        if (b.At(x, lowerRow) >= 128) {
            ++x;
            continue;
        }
        int end = x;
        while (end < b.width && b.At(end, lowerRow) < 128)
            ++end;
        out += b.At((x + end) / 2, upperRow) < 128 ? 'F' : 'H';
        x = end;
    }
    return out;
}

std::string ZintBarHeights(const test::ZintSymbol& z)
{
    std::string out;
    if (z.modules.size() != 2)
        return "<" + std::to_string(z.modules.size()) + " rows>";
    for (std::size_t c = 0; c < z.modules[1].size(); ++c)
        if (z.modules[1][c] == '1')
            out += z.modules[0][c] == '1' ? 'F' : 'H';
    return out;
}

// Compares one font string, drawn in every style of the family, with zint.
void CompareWithZint(std::string_view family, const std::string& fontString, const ZintCase& zc)
{
    ASSERT_GE(fontString.size(), 2u);
    const test::ZintSymbol z = test::ZintRows(zc.symbology, zc.data, zc.option2);
    ASSERT_EQ(z.error, "") << "zint refused " << zc.data;
    for (const StyleInfo& style : Styles()) {
        const std::string font = FontName(family, style.english);
        if (font.empty() || (style.style != Style::Normal && font == FontName(family, "Normal")))
            continue;
        SCOPED_TRACE(font + ": " + fontString + ", zint data " + zc.data);
        const auto image = test::DrawFontString(font, fontString, kModulePixels, kDpi);
        ASSERT_EQ(image.status.message, "");
        const double base = image.layout.baselines[0], s = image.layout.pixelsPerUnit;
        if (zc.symbology == BARCODE_POSTNET) {
            // Bars stand on the baseline: half bars 400 units, full bars 1000.
            EXPECT_EQ(BarHeights(image.bitmap, int(base - 150 * s), int(base - 750 * s)), ZintBarHeights(z));
        } else {
            // Bars from the baseline up to 400 (Short) or 800 units.
            const auto runs = test::ScanLineRuns(image.bitmap, int(base - 200 * s));
            ASSERT_FALSE(z.rows.empty());
            EXPECT_EQ(test::NarrowWide(runs), test::NarrowWide(z.rows[0]));
        }
    }
}

class ElementTest : public ::testing::TestWithParam<ElementRow> {};

TEST_P(ElementTest, ScanLineMatchesZint)
{
    const ElementRow& row = GetParam();
    SCOPED_TRACE(row.note);
    const Symbology* entry = FindSymbology(row.id);
    ASSERT_NE(entry, nullptr);
    if (Encode("1", row.id, true, Deliverable::Library).empty())
        GTEST_SKIP() << row.id << ": no encoder yet";
    std::mt19937 rng(7);
    for (int n = 0; n < 6; ++n) {
        const std::string fontString = Encode(RandomText(rng, row.id), row.id, true, Deliverable::Library);
        ASSERT_GE(fontString.size(), 2u);
        const std::string payload = fontString.substr(1, fontString.size() - 2);
        CompareWithZint(entry->family, fontString, row.zint(payload));
    }
}

INSTANTIATE_TEST_SUITE_P(Fonts, ElementTest, ::testing::ValuesIn(kElementRows),
                         [](const auto& info) { return std::string(info.param.id); });

// The same comparison for fixed strings, so the fonts are checked whatever
// encoders exist. Check characters as the symbologies' definitions give them.
struct FixedElementRow {
    std::string_view family;
    std::string fontString;
    ZintCase zint;
};

TEST(ElementFixed, ExamplesMatchZint)
{
    const FixedElementRow rows[] = {
        {"VORIND25", "*12348#", {BARCODE_C25IND, 0, "12348"}},
        {"VORIND25", "*0123456789#", {BARCODE_C25IND, 0, "0123456789"}},
        {"VOR5BARS", "*0123456789#", {BARCODE_C25IATA, 0, "0123456789"}},
        {"VOR3BARS", "*0123456789#", {BARCODE_C25STANDARD, 0, "0123456789"}},
        {"VOR11", "*123-455#", {BARCODE_CODE11, 2, "123-455"}},
        {"VOR11", "*0123456789-#", {BARCODE_CODE11, 2, "0123456789-"}},
        {"VORMSI", "*123456742#", {BARCODE_MSI_PLESSEY, 0, "123456742"}},
        {"VORMSI", "*0123456789#", {BARCODE_MSI_PLESSEY, 0, "0123456789"}},
        {"VORMSI", "*166:#", {BARCODE_MSI_PLESSEY, 0, "16610"}}, // mod 11 value 10 printed as "10"
        {"VORPLESSEY", "*123456E#", {BARCODE_PLESSEY, 0, "12345"}},
        {"VORPLESSEY", "*0123456789ABCDEF9#", {BARCODE_PLESSEY, 0, "0123456789ABCDE"}},
        {"VORPOSTNET", "*123455#", {BARCODE_POSTNET, 0, "12345"}},
        {"VORPOSTNET", "*01234567895#", {BARCODE_POSTNET, 0, "0123456789"}}, // sum 45, check 5
    };
    for (const FixedElementRow& row : rows)
        CompareWithZint(row.family, row.fontString, row.zint);
}

} // namespace
} // namespace lum
