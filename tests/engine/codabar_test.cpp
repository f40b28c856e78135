#include "engine/codabar.h"

#include <gtest/gtest.h>

#include <random>

#include "engine/catalogue.h"
#include "library/lumdll.h"
#include "tests/engine/family_rows.h"

namespace lum {
namespace {

// Expected strings: modulo 16 over the start, data and stop values worked by
// hand; the check characters also agree with zint -b 18 --vers=1.
constexpr test::TextRow kRows[] = {
    {"A1234B", false, "A|1|2|3|4|B", "flag clear: letters stay upper case"},
    {"A1234B", true, "a|1|2|3|4|5|b", "16+17+1+2+3+4 = 43, r = 11, check 5"},
    {"a1234b", false, "A|1|2|3|4|B", "upper-cased by validation"},
    {"A+B", true, "a|+|0|b", "16+15+17 = 48, a multiple of 16: check 0"},
    {"T1*", true, "t|1|/|*", "T and * valued like A and C: 35, r = 3, check 13 = /"},
    {"A1C", true, "a|1|/|c", "the partners of T1*"},
    {"E5D", true, "e|5|5|d", "E valued like D: 19+5+19 = 43, check 5"},
    {"M0M", true, "m|0|.|m", "M valued like B: 34, r = 2, check 14 = ."},
    {"A1B", true, "a|1|.|b", "shortest text: four characters, three gaps"},
    {"A1B", false, "A|1|B", "shortest text without the flag"},
    {"A3B", true, "a|3|:|b", "36, r = 4, check 12 = :"},
    {"C$:/.+-D", false, "C|$|:|/|.|+|-|D", "every punctuation data character"},
    {"A123", false, "", "last character is not a start/stop letter"},
    {"N123B", false, "", "N is not an alternative start letter"},
    {"A123N", true, "", "N is not an alternative stop letter"},
    {"A1X2B", false, "", "a letter among the data"},
    {"AB", false, "", "too short"},
    {"AAB", false, "", "a start letter among the data"},
};

TEST(Codabar, Table) { test::ExpectFontStrings("CBAR", kRows); }

TEST(Codabar, CheckRoutineRejectsTextOutsideItsAlphabet)
{
    test::ExpectCheckRejects(CodabarCheckDigit, {"", "A", "1234", "AXB", "N1B", "A1N", "A 1B", "\3771B", "A1\xC1",
                                                 std::string_view("A\0B", 3)});
    // Start and stop letters are read in either case; two characters carry no data.
    EXPECT_EQ(CodabarCheckDigit("a1b"), "a1.b");
    EXPECT_EQ(CodabarCheckDigit("AB"), "a+b");
}

// Character values written out independently of the engine's tables.
int Value(char c)
{
    constexpr std::string_view kData = "0123456789-$:/.+";
    constexpr std::string_view kEnds = "atbmc*de"; // pairs valued 16 to 19
    const auto data = kData.find(c);
    return data != std::string_view::npos ? int(data) : 16 + int(kEnds.find(c) / 2);
}

// With the check character the values of the whole text sum to a multiple of
// 16, and replacing any data character by another changes the check.
TEST(Codabar, CheckCharacterCompletesTheSumAndCatchesSubstitutions)
{
    std::mt19937 random(16);
    constexpr std::string_view kEnds = "ABCDTM*E";
    for (int n = 0; n < 300; ++n) {
        std::string text(1, kEnds[random() % kEnds.size()]);
        for (std::size_t i = 0, len = 1 + random() % 20; i < len; ++i)
            text.push_back(kCodabarData[random() % kCodabarData.size()]);
        text.push_back(kEnds[random() % kEnds.size()]);
        SCOPED_TRACE(text);
        const std::string checked = CodabarCheckDigit(text);
        ASSERT_EQ(checked.size(), text.size() + 1);
        int sum = 0;
        for (char c : checked)
            sum += Value(c);
        EXPECT_EQ(sum % 16, 0);
        const std::size_t i = 1 + random() % (text.size() - 2);
        for (char c : kCodabarData) {
            if (c == text[i])
                continue;
            std::string changed = text;
            changed[i] = c;
            EXPECT_NE(CodabarCheckDigit(changed)[changed.size() - 1], checked[text.size() - 1]) << changed;
        }
    }
}

// Removing the gaps gives the text back; the font string stays within the
// library's output bound even for long texts, with the check character.
TEST(Codabar, FontStringSeparatesEveryCharacter)
{
    for (std::size_t len : {3u, 4u, 50u, 1000u}) {
        const std::string text = "A" + std::string(len - 2, '7') + "B";
        SCOPED_TRACE(len);
        for (bool check : {false, true}) {
            const std::string out = Encode(text, "CBAR", check, Deliverable::Library);
            const std::size_t symbols = len + (check ? 1 : 0);
            ASSERT_EQ(out.size(), 2 * symbols - 1);
            std::string back;
            for (std::size_t i = 0; i < out.size(); ++i)
                if (i % 2)
                    EXPECT_EQ(out[i], '|');
                else
                    back.push_back(out[i]);
            EXPECT_EQ(back, check ? CodabarCheckDigit(text) : text);
            EXPECT_LE(out.size() + 1, LUMDLL_OUTPUT_CAPACITY(len)); // the bound counts the terminating zero
        }
    }
    EXPECT_EQ(EncodeCodabar(""), "");
    EXPECT_EQ(EncodeCodabar("A"), "A");
}

} // namespace
} // namespace lum
