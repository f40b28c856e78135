#include "engine/code93.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cstdint>
#include <string>

#include "engine/catalogue.h"
#include "tests/engine/family_rows.h"

namespace lum {
namespace {

// "zint" rows: C and K as printed by zint 2.11.1 (`zint -b 25 --vers=1`), which
// also shows "_" as a space; the rest worked by hand from the weighting rule.
constexpr test::EncodeRow kRows[] = {
    {"C93", "TEST93", true, "*TEST93+6#", "standard example; zint"},
    {"C93", "TEST93", false, "*TEST93#", "flag clear: no check characters"},
    {"C93", "ABC", true, "*ABCHK#", "C = 12 + 2*11 + 3*10 = 64 -> 17 H; zint"},
    {"C93", "abc", true, "*ABCHK#", "upper-cased by validation"},
    {"c93", "ABC", true, "*ABCHK#", "lower-case identifier"},
    {"C93", "", false, "*#", "empty text"},
    {"C93", "", true, "*00#", "both sums are 0"},
    {"C93", "abcd", false, "*ABCD#", "typed a-d are letters, never shifts"},
    {"C93", "CODE 93", true, "", "a real space is rejected"},
    {"C93", "CODE_93", true, "*CODE_93E0#", "zint: \"CODE 93\" gives \"E0\""},
    {"C93", "CODE_93_WITH_SPACE", true, "*CODE_93_WITH_SPACE-I#", "zint with spaces"},
    {"C93", "Q9W8E7R6T5Y4U3", true, "*Q9W8E7R6T5Y4U3_S#", "14 characters: K over 15, no wrap; zint"},
    {"C93", "Q9W8E7R6T5Y4U3I", true, "*Q9W8E7R6T5Y4U3I8J#", "15: K weights wrap at the first character; zint"},
    {"C93", "Q9W8E7R6T5Y4U3I2", true, "*Q9W8E7R6T5Y4U3I2RI#", "16; zint"},
    {"C93", "Q9W8E7R6T5Y4U3I2O1P0", true, "*Q9W8E7R6T5Y4U3I2O1P0HQ#", "20: C weights 20..1; zint"},
    {"C93", "Q9W8E7R6T5Y4U3I2O1P0A", true, "*Q9W8E7R6T5Y4U3I2O1P0AdL#", "21: C weight wraps to 1; K is a shift; zint"},
    {"C93", "Q9W8E7R6T5Y4U3I2O1P0ASDFGHJKL", true, "*Q9W8E7R6T5Y4U3I2O1P0ASDFGHJKLPY#", "29; zint"},
    {"C93", "Q9W8E7R6T5Y4U3I2O1P0ASDFGHJKLZ", true, "*Q9W8E7R6T5Y4U3I2O1P0ASDFGHJKLZ0S#", "30: K wraps twice; zint"},
    {"C93", "Q9W8E7R6T5Y4U3I2O1P0ASDFGHJKLZX", true, "*Q9W8E7R6T5Y4U3I2O1P0ASDFGHJKLZX$%#", "31; zint"},
    {"C93", "Q9W8E7R6T5Y4U3I2O1P0ASDFGHJKLZXCVBNM-.$/+%", true, "*Q9W8E7R6T5Y4U3I2O1P0ASDFGHJKLZXCVBNM-.$/+%CQ#",
     "43, every punctuation character; zint"},
    {"C93FULL", "", false, "*#", "empty text"},
    {"C93FULL", "", true, "*00#", "empty text with check"},
    {"C93FULL", "a", false, "*dA#", "lower case takes the (+) shift"},
    {"C93FULL", "a", true, "*dA8P#", "standard example; zint"},
    {"C93FULL", "Ab", false, "*AdB#", "upper case stays"},
    {"C93FULL", "Ab", true, "*AdB$4#", "zint"},
    {"C93FULL", "\\t", false, "*aI#", "tab is ($) I"},
    {"C93FULL", "A\\tB", true, "*AaIBSb#", "zint --esc 'A\\tB'"},
    {"C93FULL", "Code 93", true, "*CdOdDdE_93a8#", "space is _; zint"},
    {"C93FULL", "Hello World", true, "*HdEdLdLdO_WdOdRdLdDUO#", "zint"},
    {"C93FULL", "x@y[z]~", true, "*dXbVdYbKdZbMbSES#", "(%) shifts; zint"},
    {"C93FULL", "-./$%+", false, "*cMcNcOcDcEcK#", "punctuation 33-47 is always shifted"},
    {"C93FULL", ":", false, "*cZ#", "colon"},
    {"C93FULL", "\\0\\x7f", false, "*bUbT#", "NUL and DEL"},
    {"C93FULL", "\\d200", false, "", "code 200 is outside Full ASCII"},
    {"C93FULL", "\xC8", false, "", "a raw byte of 200 likewise"},
    {"C93FULL", "A\x80", true, "", "code 128 fails even after good characters"},
};

TEST(Code93, Table) { test::ExpectFontStrings(kRows, {Deliverable::Library, Deliverable::Assistant}); }

// The weighting written out as its definition: the i-th character from the
// right (i from 0) carries weight i mod limit + 1.
char ReferenceCheck(const std::string& text, int limit)
{
    long sum = 0;
    const long n = long(text.size());
    for (long i = 0; i < n; ++i)
        sum += long(kCode93Alphabet.find(text[std::size_t(n - 1 - i)])) * (i % limit + 1);
    return kCode93Alphabet[std::size_t(sum % 47)];
}

// Deterministic pseudo-random texts over all 47 symbols, lengths 0 to 99.
std::string SampleText(std::uint32_t& state, std::size_t length)
{
    std::string text;
    for (std::size_t i = 0; i < length; ++i) {
        state = state * 1664525u + 1013904223u;
        text.push_back(kCode93Alphabet[(state >> 16) % 47]);
    }
    return text;
}

TEST(Code93, CheckCharactersMatchTheWeightingDefinition)
{
    std::uint32_t state = 93;
    for (std::size_t length = 0; length < 100; ++length) {
        const std::string text = SampleText(state, length);
        SCOPED_TRACE(text);
        const char c = ReferenceCheck(text, 20);
        const char k = ReferenceCheck(text + c, 15);
        EXPECT_EQ(Code93CheckDigits(text), text + c + k);
    }
}

// Weights 1 to 20 are all non-zero modulo the prime 47, so changing any one
// character to any other changes C.
TEST(Code93, AnySingleSubstitutionChangesC)
{
    const std::string base = "Q9W8E7R6T5Y4U3I2O1P0ASDFGabcd";
    const char c = Code93CheckDigits(base)[base.size()];
    for (std::size_t i = 0; i < base.size(); ++i)
        for (char s : kCode93Alphabet) {
            if (s == base[i])
                continue;
            std::string changed = base;
            changed[i] = s;
            EXPECT_NE(Code93CheckDigits(changed)[base.size()], c) << changed;
        }
}

TEST(Code93, CheckRoutineRejectsTextOutsideTheAlphabet)
{
    for (const std::string_view bad : {std::string_view("e"), std::string_view("A B"), std::string_view("AB*"),
                                       std::string_view("#"), std::string_view("A\0B", 3), std::string_view("\xC8")})
        EXPECT_EQ(Code93CheckDigits(bad), "") << bad;
    EXPECT_EQ(Code93CheckDigits(""), "00");
    EXPECT_EQ(Code93CheckDigits("abcd").size(), 6u); // the shifts are symbols
}

// Every 7-bit code expands to a data character or a shift and a letter, and
// reading it back with the standard Full ASCII decoding gives the code again.
TEST(Code93, FullAsciiTableDecodesBack)
{
    // The (%) shift: letters A to W in order.
    using namespace std::string_view_literals;
    constexpr std::string_view kPercent = "\x1b\x1c\x1d\x1e\x1f;<=>?[\\]^_{|}~\x7f\0@`"sv;
    static_assert(kPercent.size() == 23);
    for (unsigned code = 0; code < 128; ++code) {
        SCOPED_TRACE(code);
        const std::string_view e = Code93FullAsciiEntry(static_cast<unsigned char>(code));
        ASSERT_TRUE(e.size() == 1 || e.size() == 2);
        unsigned decoded = 0;
        if (e.size() == 1) {
            ASSERT_TRUE(std::isdigit(static_cast<unsigned char>(e[0])) ||
                        std::isupper(static_cast<unsigned char>(e[0])) || e[0] == '_');
            decoded = e[0] == '_' ? 32u : unsigned(e[0]);
        } else {
            const char letter = e[1];
            ASSERT_TRUE(letter >= 'A' && letter <= 'Z');
            switch (e[0]) {
            case 'a':
                decoded = unsigned(letter - 64);
                break;
            case 'b':
                decoded = static_cast<unsigned char>(kPercent.at(std::size_t(letter - 'A')));
                break;
            case 'c':
                decoded = letter == 'Z' ? 58u : unsigned(letter - 32);
                break;
            case 'd':
                decoded = unsigned(letter + 32);
                break;
            default:
                FAIL() << "unexpected shift " << e[0];
            }
        }
        EXPECT_EQ(decoded, code);
    }
    EXPECT_TRUE(Code93FullAsciiEntry(128).empty());
}

TEST(Code93, FullAsciiCheckIsOverTheExpansion)
{
    const auto expansion = Code93FullAsciiExpansion("Code 93", Deliverable::Library);
    ASSERT_TRUE(expansion);
    EXPECT_EQ(*expansion, "CdOdDdE_93");
    EXPECT_EQ(EncodeCode93FullAscii("Code 93", true, Deliverable::Library), "*" + Code93CheckDigits(*expansion) + "#");
    EXPECT_FALSE(Code93FullAsciiExpansion("\xFF", Deliverable::Library));
}

// A decimal escape above 255: the library keeps two digits and reads the third
// as a character, the desktop program takes 255, which Full ASCII cannot carry.
TEST(Code93, EscapeAbove255DependsOnTheDeliverable)
{
    EXPECT_EQ(Encode("\\d300", "C93FULL", false, Deliverable::Library), "*bD0#");
    EXPECT_EQ(Encode("\\d300", "C93FULL", false, Deliverable::Assistant), "");
    EXPECT_EQ(Encode("\\d0651", "C93FULL", false, Deliverable::Assistant), "*A1#");
}

// Whatever Full ASCII cannot carry, Diagnose names, at the byte where it starts.
TEST(Code93, DiagnoseAgreesWithTheFullAsciiEncoder)
{
    for (const Deliverable who : {Deliverable::Library, Deliverable::Assistant})
        for (int b = 1; b < 256; ++b) {
            const std::string text = std::string("AB") + char(b);
            const Verdict v = Diagnose(text, "C93FULL", true, who);
            const bool encodes = !Encode(text, "C93FULL", true, who).empty();
            EXPECT_EQ(encodes, v.Accepted()) << "byte " << b;
            EXPECT_EQ(encodes, b < 128) << "byte " << b;
            if (!encodes) {
                EXPECT_EQ(v.reason, Rejection::NotEncodable);
                EXPECT_EQ(v.position, 2u);
            }
        }
}

// Worst cases for the library's output bound of 2n + 64 bytes, terminating zero included: every input
// byte expanding to two symbols, plus start, stop and both check characters.
TEST(Code93, OutputFitsTheLibraryBound)
{
    std::string all;
    for (int code = 1; code < 128; ++code)
        all.push_back(char(code));
    for (const std::string& text : {all, std::string(300, 'z'), std::string("\\0\\0\\0"), std::string(200, '%')})
        for (const char* id : {"C93", "C93FULL"})
            for (bool check : {false, true}) {
                const std::string out = Encode(text, id, check, Deliverable::Library);
                EXPECT_LT(out.size(), 2 * text.size() + 64) << id << ' ' << check;
            }
    EXPECT_EQ(Encode(std::string(300, 'z'), "C93FULL", true, Deliverable::Library).size(), 604u);
}

} // namespace
} // namespace lum
