#include "assistant/preview/document.h"

#include <gtest/gtest.h>

#include <string>

namespace lum::preview {
namespace {

PreviewOptions Options(std::string_view size, bool hrc, HrcFont font = {})
{
    PreviewOptions o;
    o.sizeText = size;
    o.hrcOption = hrc;
    o.hrcFont = std::move(font);
    return o;
}

// Code 39 AB_1 with HRC on: the bars at the barcode size, a line break in the
// barcode font, then the line in the HRC font with its attributes.
TEST(AggiornaAnteprima, TwoParagraphsWithHrc)
{
    HrcFont font;
    font.faceName = "  Arial" + std::string(121, ' ');
    font.bold = true;
    font.underline = true;
    font.size = 12;
    const PreviewDocument doc = AggiornaAnteprima("#AB_1#", "VOR39 Wide", "*AB 1*", Options("100", true, font));
    ASSERT_EQ(doc.runs.size(), 2U);
    const TextRun& bars = doc.runs[0];
    EXPECT_EQ(bars.family, "VOR39 Wide");
    EXPECT_EQ(bars.size, 100);
    EXPECT_EQ(bars.text, "#AB_1#\r\n");
    EXPECT_FALSE(bars.bold || bars.italic || bars.underline || bars.strikethrough);
    const TextRun& line = doc.runs[1];
    EXPECT_EQ(line.family, "Arial");
    EXPECT_EQ(line.size, 12);
    EXPECT_TRUE(line.bold);
    EXPECT_FALSE(line.italic);
    EXPECT_TRUE(line.underline);
    EXPECT_FALSE(line.strikethrough);
    EXPECT_EQ(line.text, "*AB 1*");
}

TEST(AggiornaAnteprima, AttributesEach)
{
    HrcFont font;
    font.italic = true;
    font.strikethrough = true;
    font.size = 7;
    const PreviewDocument doc = AggiornaAnteprima("x", "VOR93", "y", Options("24", true, font));
    ASSERT_EQ(doc.runs.size(), 2U);
    EXPECT_EQ(doc.runs[1].family, "Courier");
    EXPECT_FALSE(doc.runs[1].bold);
    EXPECT_TRUE(doc.runs[1].italic);
    EXPECT_FALSE(doc.runs[1].underline);
    EXPECT_TRUE(doc.runs[1].strikethrough);
    EXPECT_EQ(doc.runs[1].size, 7);
}

// Without the option, or with an empty line (EAN 13 has none although chkHRC
// is forced on), the bars stand alone with no trailing break.
TEST(AggiornaAnteprima, NoTrailingBreakWithoutHrc)
{
    struct Case {
        bool hrcOption;
        std::string_view hrc;
    };
    for (const Case c : {Case{false, "*AB 1*"}, Case{true, ""}, Case{false, ""}}) {
        SCOPED_TRACE(std::to_string(c.hrcOption) + " '" + std::string(c.hrc) + "'");
        const PreviewDocument doc = AggiornaAnteprima("#AB_1#", "VOR39", c.hrc, Options("100", c.hrcOption));
        ASSERT_EQ(doc.runs.size(), 1U);
        EXPECT_EQ(doc.runs[0].text, "#AB_1#");
        EXPECT_EQ(doc.runs[0].family, "VOR39");
    }
}

// An empty font string: the first paragraph is empty, the line follows.
TEST(AggiornaAnteprima, EmptyFontString)
{
    const PreviewDocument with = AggiornaAnteprima("", "VOR128", "abc", Options("100", true));
    ASSERT_EQ(with.runs.size(), 2U);
    EXPECT_EQ(with.runs[0].text, "\r\n");
    EXPECT_EQ(with.runs[1].text, "abc");
    const PreviewDocument without = AggiornaAnteprima("", "VOR128", "", Options("100", true));
    ASSERT_EQ(without.runs.size(), 1U);
    EXPECT_EQ(without.runs[0].text, "");
}

// The two-line symbols keep their own CR LF inside the bars' run.
TEST(AggiornaAnteprima, TwoLineFontStringStaysOneRun)
{
    const PreviewDocument doc = AggiornaAnteprima("|*BCD#\r\nA12345678", "VOR32", "", Options("60", true));
    ASSERT_EQ(doc.runs.size(), 1U);
    EXPECT_EQ(doc.runs[0].text, "|*BCD#\r\nA12345678");
}

TEST(NumericValue, ReadsAsFarAsANumberGoes)
{
    struct Case {
        std::string_view text;
        double value;
    };
    // clang-format off
    const Case cases[] = {
        {"100", 100}, {"12.5", 12.5}, {"  36", 36}, {"12abc", 12}, {"abc", 0}, {"", 0},
        {".5", 0.5},  {"-5", 0},      {"0", 0},     {"7.", 7},     {"1.2.3", 1.2},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.text));
        EXPECT_DOUBLE_EQ(NumericValue(c.text), c.value);
    }
}

} // namespace
} // namespace lum::preview
