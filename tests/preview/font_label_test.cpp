#include "assistant/preview/font_label.h"

#include <gtest/gtest.h>

#include <string>

namespace lum::preview {
namespace {

HrcFont Font(std::string face, int size, bool bold = false, bool italic = false, bool underline = false,
             bool strike = false)
{
    HrcFont f;
    f.faceName = std::move(face);
    f.size = size;
    f.bold = bold;
    f.italic = italic;
    f.underline = underline;
    f.strikethrough = strike;
    return f;
}

TEST(AggiornaEtichettaFont, Captions)
{
    struct Case {
        HrcFont font;
        std::string_view caption;
        std::string_view note;
    };
    const Case cases[] = {
        {HrcFont{}, "Courier (10 punti)", "the defaults"},
        {Font("Arial", 12, true, false, true), "Arial (BU; 12 punti)", "bold and underlined Arial at 12 points"},
        {Font("Arial", 12, true), "Arial (B; 12 punti)", "bold Arial at 12 points"},
        {Font("Times New Roman", 8, true, true, true, true), "Times New Roman (BIUS; 8 punti)", "letter order B I U S"},
        {Font("Verdana", 72, false, true, false, true), "Verdana (IS; 72 punti)", "italic and struck"},
        {Font("  Courier" + std::string(119, ' '), 10), "Courier (10 punti)", "the record's blank padding"},
        {Font("Mono", 0), "Mono (0 punti)", "size as a plain integer"},
        {Font("Mono", -3, false, false, false, true), "Mono (S; -3 punti)", "a stored negative size as it is"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.note));
        EXPECT_EQ(AggiornaEtichettaFont(c.font), c.caption);
    }
}

TEST(RoundPointSize, HalvesToEven)
{
    struct Case {
        double points;
        int whole;
    };
    // clang-format off
    const Case cases[] = {
        {10, 10},     {10.5, 10},   {11.5, 12},     {12.49, 12},    {12.51, 13},     {0.5, 0},
        {1.5, 2},     {2.5, 2},     {-0.5, 0},      {-1.5, -2},     {7.25, 7},       {99999, 32767},
        {-1e9, -32768}, {32766.5, 32766}, {32767.5, 32767},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.points);
        EXPECT_EQ(RoundPointSize(c.points), c.whole);
    }
}

} // namespace
} // namespace lum::preview
