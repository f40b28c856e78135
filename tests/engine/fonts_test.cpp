#include "engine/fonts.h"

#include <gtest/gtest.h>

#include <set>

namespace lum {
namespace {

struct FontRow {
    const char* family;
    const char* style;
    const char* expected;
};

constexpr FontRow kRows[] = {
    {"VOR39", "Stretto e corto", "VOR39 Narrow Short"},
    {"VOR39", "Normal", "VOR39"},
    {"VOR39", "Normale", "VOR39"},
    {"VOR93", "Wide short", "VOR93 Wide Short"},
    {"VOR93", "Largo", "VOR93 Wide"},
    {"VOR128", "Wide", ""},
    {"VOR128", "Corto", "VOR128 Short"},
    {"VORDELTA DA", "Short", "VORDELTA DA Short"},
    {"VOR25 ITF", "Narrow", ""},
    {"VOREAN", "Short", "VOREAN"},
    {"VOR32", "Largo e corto", "VOR32"},
    {"VORPOSTNET", "Narrow", "VORPOSTNET"},
    {"VOR40", "Normal", ""},
    {"vor39", "Normal", ""},
    {"VOR39", "narrow", ""},
    {"VOR39", "", ""},
};

TEST(FontName, Table)
{
    for (const FontRow& row : kRows) {
        SCOPED_TRACE(testing::Message() << row.family << " / " << row.style);
        EXPECT_EQ(FontName(row.family, row.style), row.expected);
    }
}

// Every catalogue entry names a known family, and every family with styles
// gives distinct font names for the styles it has.
TEST(FontName, EveryCatalogueFamilyIsKnown)
{
    for (const Symbology& s : Catalogue()) {
        SCOPED_TRACE(s.id);
        ASSERT_NE(FindFontFamily(s.family), nullptr);
        EXPECT_EQ(FontName(s.family, "Normal"), s.family);
    }
    int names = 0;
    for (const FontFamily& f : FontFamilies()) {
        std::set<std::string> distinct;
        for (const StyleInfo& st : Styles())
            if (const std::string n = FontName(f.name, st.italian); !n.empty())
                distinct.insert(n);
        names += int(distinct.size());
        EXPECT_EQ(distinct.size(), f.kind == FamilyKind::SixStyles ? 6u : f.kind == FamilyKind::TwoStyles ? 2u : 1u);
        std::set<std::string> own; // the styles with a font of their own name the same fonts
        for (const StyleInfo& st : FontStyles(f))
            own.insert(FontName(f.name, st.english));
        EXPECT_EQ(own, distinct) << f.name;
    }
    EXPECT_EQ(names, 6 + 6 + 14 * 2 + 3); // the full list of font names
}

} // namespace
} // namespace lum
