#include "engine/code39.h"

#include <gtest/gtest.h>

#include "engine/catalogue.h"
#include "tests/engine/family_rows.h"

namespace lum {
namespace {

using namespace std::string_view_literals;

// Expected strings: ISO/IEC 16388 check rule (sum of values modulo 43) worked by hand.
constexpr test::EncodeRow kRows[] = {
    {"C39", "ABC", true, "#ABCX#", "10+11+12 = 33 -> X"},
    {"C39", "ABC", false, "#ABC#", "flag clear: no check character"},
    {"C39", "", false, "##", "empty text"},
    {"C39", "", true, "#0#", "empty sum is 0"},
    {"C39", "abc-12", false, "#ABC-12#", "upper-cased by validation"},
    {"C39", "CODE_39", true, "#CODE_39R#", "12+24+13+14+38+3+9 = 113, mod 43 = 27 -> R"},
    {"c39", "%%%", true, "#%%%/#", "3 x 42 = 126 = 2 x 43 + 40 -> /; lower-case identifier"},
    {"C39FULL", "", false, "##", "empty text"},
    {"C39FULL", "", true, "#0#", "empty text with check"},
    {"C39FULL", "a", false, "#+A#", "lower case shifts with +"},
    {"C39FULL", "a", true, "#+A8#", "41 + 10 = 51 -> 8"},
    {"C39FULL", "Code 39", false, "#C+O+D+E_39#", "space is _"},
    {"C39FULL", "A\\tB", false, "#A$IB#", "tab is $I"},
    {"C39FULL", "-./:", false, "#/M/N/O/Z#", "punctuation is always shifted"},
    {"C39FULL", "\\d200", false, "", "code 200 is outside Full ASCII"},
    {"C39FULL", "\xC8", false, "", "a raw byte of 200 likewise"},
    {"C39FULL", "\\d7A", false, "#$GA#", "\\d7 then A"},
    {"C39FULL", "\\x4G", false, "#$DG#", "\\x4 then G"},
    {"C39FULL", "\\q", false, "#+Q#", "unknown escape is the character"},
    {"C39FULL", "\\0", false, "#%U#", "NUL"},
};

TEST(Code39, Table) { test::ExpectFontStrings(kRows); }

// The check character of a text must make the total a multiple of 43 once
// its value is subtracted; and a changed character must change it.
TEST(Code39, CheckCharacterCatchesEverySingleSubstitution)
{
    const std::string base = "CODE_39";
    const std::string checked = Code39CheckDigit(base);
    ASSERT_EQ(checked.size(), base.size() + 1);
    int sum = 0;
    for (char c : base)
        sum += int(kCode39Alphabet.find(c));
    EXPECT_EQ(int(kCode39Alphabet.find(checked.back())), sum % 43);
    for (std::size_t i = 0; i < base.size(); ++i)
        for (char c : kCode39Alphabet) {
            if (c == base[i])
                continue;
            std::string changed = base;
            changed[i] = c;
            EXPECT_NE(Code39CheckDigit(changed).back(), checked.back()) << changed;
        }
}

TEST(Code39, CheckRoutineRejectsTextOutsideTheAlphabet)
{
    EXPECT_EQ(Code39CheckDigit("abc"), "");
    EXPECT_EQ(Code39CheckDigit("A B"), "");
    EXPECT_EQ(Code39CheckDigit(std::string_view("A\0B", 3)), "");
    EXPECT_EQ(Code39CheckDigit(""), "0");
}

// Every 7-bit code expands to one or two alphabet characters, and reading the
// expansion back with the standard Full ASCII decoding gives the code again.
TEST(Code39, FullAsciiTableDecodesBack)
{
    for (unsigned code = 0; code < 128; ++code) {
        SCOPED_TRACE(code);
        const std::string_view e = Code39FullAsciiEntry(static_cast<unsigned char>(code));
        ASSERT_FALSE(e.empty());
        ASSERT_LE(e.size(), 2u);
        for (char c : e)
            EXPECT_GE(kCode39Alphabet.find(c), 0u);
        unsigned decoded = 0;
        if (e.size() == 1) {
            decoded = e[0] == '_' ? 32u : unsigned(e[0]);
            EXPECT_TRUE(std::isalnum(static_cast<unsigned char>(e[0])) || e[0] == '_');
        } else {
            const char shift = e[0], letter = e[1];
            ASSERT_TRUE(letter >= 'A' && letter <= 'Z');
            switch (shift) {
            // clang-format off
            case '$': decoded = unsigned(letter - 64); break;
            case '+': decoded = unsigned(letter + 32); break;
            case '/': decoded = letter == 'Z' ? 58u : unsigned(letter - 32); break;
            case '%': {
                // clang-format on
                constexpr std::string_view kPercent = "\x1b\x1c\x1d\x1e\x1f;<=>?[\\]^_{|}~\x7f\0@`"sv;
                decoded = static_cast<unsigned char>(kPercent[std::size_t(letter - 'A')]);
                break;
            }
            default:
                FAIL() << "unexpected shift " << shift;
            }
        }
        EXPECT_EQ(decoded, code);
    }
    EXPECT_TRUE(Code39FullAsciiEntry(128).empty());
}

TEST(Code39, FullAsciiCheckIsOverTheExpansion)
{
    // "a" expands to "+A": the check covers "+" and "A", not the letter typed.
    const auto expansion = Code39FullAsciiExpansion("a", Deliverable::Library);
    ASSERT_TRUE(expansion);
    EXPECT_EQ(EncodeCode39FullAscii("a", true, Deliverable::Library), "#" + Code39CheckDigit(*expansion) + "#");
    EXPECT_FALSE(Code39FullAsciiExpansion("\x80", Deliverable::Library));
}

} // namespace
} // namespace lum
