// The generated font files: one per font name whose symbology has a public
// definition, named exactly by the font name, and a glyph for every
// character the encoders emit into that family.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_SFNT_NAMES_H

#include "engine/fonts.h"
#include "fonts/render/render.h"

namespace lum {
namespace {

// Characters each family's encoders emit (the encoders' assignments).
struct FamilyChars {
    std::string_view family;
    std::string chars;
};

std::string Range(char first, char last)
{
    std::string s;
    for (int c = first; c <= last; ++c)
        s += char(c);
    return s;
}

std::vector<FamilyChars> Emitted()
{
    std::string code128 = Range('!', '~');
    for (int c : {130, 131, 132, 133, 134, 135, 136, 137, 138, 139, 150, 151, 152})
        code128 += char(c);
    // The 28 + 28 characters of the Interleaved 2 of 5 pair table.
    const std::string pairs = "@ABCDEFGHIJKLMNOPQRSTVWXYZ\\^"
                              "`abcdefghijklmnopqrstvwxyz|~";
    return {
        {"VOR39", "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ-._$/+%#*"},
        {"VOR93", "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ-._$/+%abcd*#"},
        {"VOR32", Range('B', 'a') + "*#|A0123456789"},
        {"VOREAN",
         Range('A', 'J') + Range('a', 'j') + Range('m', 'v') + Range('K', '^') + "0123456789|!#-+_%&'():;<=>?.$"},
        {"VOR25 ITF", pairs + "*#"},
        {"VORITF14", pairs + "*#"},
        {"VORIND25", "0123456789*#"},
        {"VOR5BARS", "0123456789*#"},
        {"VOR3BARS", "0123456789*#"},
        {"VORMSI", "0123456789:*#"},
        {"VORCODABAR", "0123456789-$:/.+ABCDEMT*abcdemt|"},
        {"VOR128", code128},
        {"VOR11", "0123456789-*#"},
        {"VORPLESSEY", "0123456789ABCDEF*#"},
        {"VORPOSTNET", "0123456789*#"},
    };
}

std::vector<std::string> FontNamesOf(std::string_view family)
{
    std::vector<std::string> names;
    if (const FontFamily* f = FindFontFamily(family))
        for (const StyleInfo& s : FontStyles(*f))
            names.push_back(FontName(family, s.english));
    return names;
}

struct FreeType {
    FT_Library lib = nullptr;
    FreeType() { FT_Init_FreeType(&lib); }
    ~FreeType() { FT_Done_FreeType(lib); }
};

TEST(FontFiles, EveryFontNameWithAPublicSymbologyHasItsFile)
{
    // Families whose symbology has no public element-level definition (BCD
    // matrix, inverted and compressed 2 of 5, Delta-Distance A) have no glyph set.
    int count = 0;
    for (const FontFamily& f : FontFamilies()) {
        const bool undefined = f.glyphs.empty();
        for (const std::string& name : FontNamesOf(f.name)) {
            SCOPED_TRACE(name);
            EXPECT_EQ(std::filesystem::exists(render::FontFile(LUM_FONT_DIR, name)), !undefined);
            count += undefined ? 0 : 1;
        }
    }
    EXPECT_EQ(count, 35); // 2 x 6 + 10 x 2 + 3
}

TEST(FontFiles, NamesAndCharacters)
{
    FreeType ft;
    ASSERT_NE(ft.lib, nullptr);
    for (const FamilyChars& fc : Emitted()) {
        for (const std::string& name : FontNamesOf(fc.family)) {
            SCOPED_TRACE(name);
            FT_Face face = nullptr;
            ASSERT_EQ(FT_New_Face(ft.lib, render::FontFile(LUM_FONT_DIR, name).c_str(), 0, &face), 0);
            EXPECT_EQ(std::string(face->family_name), name);
            EXPECT_EQ(std::string(face->style_name), "Regular");
            for (FT_UInt i = 0, n = FT_Get_Sfnt_Name_Count(face); i < n; ++i) {
                FT_SfntName rec;
                ASSERT_EQ(FT_Get_Sfnt_Name(face, i, &rec), 0);
                EXPECT_TRUE(rec.name_id != 16 && rec.name_id != 17) << "typographic family names present";
            }
            for (char ch : fc.chars) {
                const auto c = static_cast<unsigned char>(ch);
                EXPECT_NE(FT_Get_Char_Index(face, c), 0u) << "no glyph for character " << unsigned(c);
            }
            FT_Done_Face(face);
        }
    }
}

TEST(FontFiles, Code128HighCharactersUnderBothCodePoints)
{
    // Windows-1252 bytes 0x82-0x8B, 0x96-0x98 and their Unicode characters.
    // clang-format off
    const std::pair<FT_ULong, FT_ULong> pairs[] = {
        {0x82, 0x201A}, {0x83, 0x0192}, {0x84, 0x201E}, {0x85, 0x2026}, {0x86, 0x2020}, {0x87, 0x2021},
        {0x88, 0x02C6}, {0x89, 0x2030}, {0x8A, 0x0160}, {0x8B, 0x2039}, {0x96, 0x2013}, {0x97, 0x2014},
        {0x98, 0x02DC},
    };
    // clang-format on
    FreeType ft;
    for (const std::string& name : FontNamesOf("VOR128")) {
        FT_Face face = nullptr;
        ASSERT_EQ(FT_New_Face(ft.lib, render::FontFile(LUM_FONT_DIR, name).c_str(), 0, &face), 0);
        for (const auto& [latin1, unicode] : pairs) {
            SCOPED_TRACE(name + " " + std::to_string(latin1));
            const FT_UInt a = FT_Get_Char_Index(face, latin1), b = FT_Get_Char_Index(face, unicode);
            EXPECT_NE(a, 0u);
            EXPECT_EQ(a, b);
        }
        FT_Done_Face(face);
    }
}

} // namespace
} // namespace lum
