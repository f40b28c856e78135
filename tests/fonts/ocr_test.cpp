// The human-readable glyphs of VOREAN and VOR32 read by tesseract: the
// digits under (and above) the EAN bars, cut out glyph by glyph so that guard
// bars stay out, and the text lines of Code 32 and ISBN.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "engine/catalogue.h"
#include "fonts/render/render.h"
#include "tests/fonts/readers.h"

namespace lum {
namespace {

bool HaveTesseract() { return std::system("tesseract --version >/dev/null 2>&1") == 0; }

test::Raster Draw(const std::string& font, const std::string& fontString, int modulePixels = 4)
{
    test::Raster out = test::DrawFontString(font, fontString, modulePixels);
    EXPECT_EQ(out.status.message, "");
    return out;
}

bool IsEanDigitGlyph(char c)
{
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'J') || (c >= 'a' && c <= 'j') || (c >= 'm' && c <= 'v');
}
bool IsAddOnDigitGlyph(char c) { return c >= 'K' && c <= '^'; }

// The human-readable digits of the last line of an EAN/UPC font string: main
// digits in the band under the bars, add-on digits above the add-on bars.
std::string EanDigits(const std::string& fontString, bool addOn)
{
    const test::Raster d = Draw("VOREAN", fontString);
    const std::string line = fontString.substr(fontString.rfind('\n') + 1);
    const auto& lefts = d.layout.glyphLeft.back();
    const double m = d.layout.modulePixels, base = d.layout.baselines.back();
    std::vector<test::Box> boxes;
    for (std::size_t i = 0; i < line.size(); ++i) {
        if (addOn ? !IsAddOnDigitGlyph(line[i]) : !IsEanDigitGlyph(line[i]))
            continue;
        const int x0 = int(lefts[i]), x1 = int(i + 1 < lefts.size() ? lefts[i + 1] : lefts[i] + 7 * m);
        if (addOn)
            boxes.push_back({x0, int(base - 78.5 * m), x1, int(base - 69.5 * m)});
        else
            boxes.push_back({x0, int(base - 8.8 * m), x1, int(base + 0.8 * m)});
    }
    return test::OcrLine(test::Collage(d.bitmap, boxes, int(2 * m)), "0123456789");
}

// One text line (pixels from `top` to `bottom` font units above the baseline of line `index`).
std::string TextLine(const std::string& font, const std::string& fontString, std::size_t index, int top, int bottom,
                     const std::string& whitelist)
{
    const test::Raster d = Draw(font, fontString);
    const double base = d.layout.baselines[index], s = d.layout.pixelsPerUnit;
    const test::Box box{0, int(base - top * s), d.bitmap.width, int(base - bottom * s)};
    return test::OcrLine(test::Collage(d.bitmap, {box}, 8), whitelist);
}

TEST(OcrTest, EanDigitsReadBack)
{
    if (!HaveTesseract())
        GTEST_SKIP() << "tesseract not installed";
    struct Row {
        std::string fontString, digits;
        bool addOn;
    } rows[] = {
        {"5|JabCDe!nopqrt|", "5901234123457", false},                   // EAN-13
        {"0|AAAAAA!mmmmmm|", "0000000000000", false},                   // EAN-13, all zeros
        {"|JGDI!rmtq|", "96385074", false},                             // EAN-8
        {"|ADGAAA!ovnqro|", "036000291452", false},                     // UPC-A
        {"9|HiaDaG!qmsnrt|-+Z_M_Y_T_P", "52495", true},                 // add-on digits above its bars
        {"1|CDEfgh#", "1234567", false},                                // UPC-E: number system and six digits
        {"9|HiaDaG!qmsnrt|-+U_V_W_X_Y_Z_[_\\_]_^", "0123456789", true}, // every add-on set B digit
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.fontString);
        EXPECT_EQ(EanDigits(row.fontString, row.addOn), row.digits);
    }
}

TEST(OcrTest, EncodedEanDigitsReadBack)
{
    if (!HaveTesseract())
        GTEST_SKIP() << "tesseract not installed";
    const std::string fontString = Encode("978030640615", "EAN13", true, Deliverable::Library);
    if (fontString.empty())
        GTEST_SKIP() << "EAN13: no encoder yet";
    EXPECT_EQ(EanDigits(fontString, false), "9780306406157");
}

TEST(OcrTest, TextLinesReadBack)
{
    if (!HaveTesseract())
        GTEST_SKIP() << "tesseract not installed";
    // Code 32 text line: glyphs from 380 to 740 units on the second line.
    EXPECT_EQ(TextLine("VOR32", "|*EWYUJV#\r\nA123456788", 1, 760, 360, "A0123456789"), "A123456788");
    EXPECT_EQ(TextLine("VOR32", "|*BBBBBB#\r\nA024681357", 1, 760, 360, "A0123456789"), "A024681357");
    // ISBN text line above the bars: glyphs from 0 to 96 units on the first line.
    EXPECT_EQ(TextLine("VOREAN", "--$%.(%;.)%;&:.'\r\n9|HiaDaG!qmsnrt|", 0, 110, -15, "ISBNX0123456789-"),
              "ISBN0-306-40615-2");
    EXPECT_EQ(TextLine("VOREAN", "$><=.&.::)%).'>:.?\r\n9|HiaDaG!qmsnrt|", 0, 110, -15, "ISBNX0123456789-"),
              "ISBN978-1-55404-295-X");
}

TEST(OcrTest, EncodedCode32TextLineReadsBack)
{
    if (!HaveTesseract())
        GTEST_SKIP() << "tesseract not installed";
    const std::string fontString = Encode("12345678", "C32HRC", true, Deliverable::Library);
    if (fontString.empty())
        GTEST_SKIP() << "C32HRC: no encoder yet";
    EXPECT_EQ(TextLine("VOR32", fontString, 1, 760, 360, "A0123456789"), "A123456788");
}

} // namespace
} // namespace lum
