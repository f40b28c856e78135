#include "engine/twoof5.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <string>

#include "engine/catalogue.h"
#include "tests/engine/family_rows.h"

namespace lum {
namespace {

constexpr const char* kOneCharacterPerDigit[] = {"CIND25", "C5BARS", "C3BARS", "CBCD", "C25INV", "C25COMP"};

// "zint" rows: check digit as printed by zint 2.11.1 (`-b 89`, `-b 3 --vers=1`,
// `-b 7 --vers=1`, `-b 2 --vers=1`); pairs looked up by hand in the pair table.
constexpr test::EncodeRow kRows[] = {
    {"ITF", "1234567890123", true, "*LfNiWeDsCpLfPa#", "standard example: check 1; zint"},
    {"ITF", "12", true, "*ApApApApApHhSb#", "padded to 13 digits, check 3"},
    {"ITF", "12345678901234", true, "", "14 digits with the flag set are too many"},
    {"ITF", "12345678901234", false, "*LfNiWeDsCpLfNi#", "flag clear: 7 pairs as typed"},
    {"ITF", "9999999999999", true, "*JmJmJmJmJmJmCv#", "check 7; zint"},
    {"ITF", "5012345678900", true, "*InLfNiWeDsCpAp#", "check 0; zint"},
    {"itf", "", true, "*ApApApApApApAp#", "lower-case identifier; all zeros"},
    {"C25", "123", true, "*LfRe#", "odd, no padding: 1236"},
    {"C25", "12", true, "*HhSb#", "even, padded to 012: 0123"},
    {"C25", "123", false, "*HhSb#", "flag clear, odd: padded to 0123"},
    {"C25", "1234", false, "*LfNi#", "flag clear, even: as typed"},
    {"C25", "1234", true, "*HhSbHj#", "padded to 01234, check 8"},
    {"C25", "", true, "*Ap#", "padded to 0, check 0"},
    {"C25", "", false, "*#", "empty text"},
    {"C25", "1", true, "*Ey#", "check 7; zint"},
    {"C25", "99999", true, "*JmJmMh#", "check 1; zint"},
    {"C25", "3141592653589", true, "*PaHfWcJl\\`TcSd#", "check 3; zint; pair 53 is backslash and grave accent"},
    {"C25", "7477", false, "*@|@~#", "pairs with the vertical bar and the tilde"},
    {"C25", "3363", false, "*Z`^`#", "pairs with the grave accent"},
    {"C25", "12A", true, "", "digits only"},
    {"CIND25", "1234", true, "*12348#", "standard example; zint"},
    {"CIND25", "123", true, "*1236#", "zint"},
    {"CIND25", "9", true, "*93#", "rightmost digit weighted 3; zint"},
    {"CIND25", "1234567", true, "*12345670#", "zint"},
    {"CIND25", "1234", false, "*1234#", "flag clear"},
    {"C25INV", "12A", false, "", "digits only, like the four sister entries"},
    {"C25COMP", "abc", true, "", "digits only"},
    {"CBCD", " 1", false, "", "digits only"},
};

TEST(TwoOfFive, Table) { test::ExpectFontStrings(kRows); }

TEST(TwoOfFive, OneCharacterPerDigitEntriesShareTheWrap)
{
    // 314159265358: check digit 8 from zint `-b 7` and `-b 2` with `--vers=1`.
    for (const char* id : kOneCharacterPerDigit) {
        SCOPED_TRACE(id);
        EXPECT_EQ(Encode("31415926535", id, true, Deliverable::Library), "*314159265358#");
        EXPECT_EQ(Encode("31415926535", id, false, Deliverable::Library), "*31415926535#");
        EXPECT_EQ(Encode("", id, true, Deliverable::Library), "*0#");
        EXPECT_EQ(Encode("", id, false, Deliverable::Library), "*#");
        EXPECT_EQ(Encode("0A", id, false, Deliverable::Library), "");
    }
}

TEST(TwoOfFive, CheckDigitsMatchZint)
{
    const std::pair<const char*, char> interleaved[] = {
        {"1234567890123", '1'}, {"0000000000000", '0'}, {"9999999999999", '7'},
        {"5012345678900", '0'}, {"123", '6'},           {"1", '7'},
        {"99999", '1'},         {"3141592653589", '3'}, {"12345678901234567890123", '6'},
    };
    for (const auto& [text, check] : interleaved)
        EXPECT_EQ(InterleavedCheckDigit(text), std::string(text) + check) << text;
    const std::pair<const char*, char> plain[] = {
        {"1234", '8'}, {"123", '6'}, {"0", '0'}, {"9", '3'}, {"1234567", '0'}, {"31415926535", '8'},
    };
    for (const auto& [text, check] : plain)
        EXPECT_EQ(TwoOfFiveCheckDigit(text), std::string(text) + check) << text;
}

// The two rules written from their definitions, positions counted from the left.
char ReferenceInterleaved(const std::string& d)
{
    int odd = 0, even = 0;
    for (std::size_t p = 1; p <= d.size(); ++p)
        (p % 2 == 1 ? odd : even) += d[p - 1] - '0';
    const int r = (3 * odd + even) % 10;
    return r == 0 ? '0' : char(58 - r);
}

char ReferenceTwoOfFive(const std::string& d)
{
    int odd = 0, even = 0;
    for (std::size_t p = 1; p <= d.size(); ++p)
        (p % 2 == 1 ? odd : even) += d[p - 1] - '0';
    const int r = (d.size() % 2 == 1 ? 3 * odd + even : 3 * even + odd) % 10;
    return r == 0 ? '0' : char('0' + 10 - r);
}

TEST(TwoOfFive, CheckDigitsMatchTheirDefinitions)
{
    std::uint32_t state = 25;
    for (std::size_t length = 0; length < 60; ++length) {
        std::string d;
        for (std::size_t i = 0; i < length; ++i) {
            state = state * 1664525u + 1013904223u;
            d.push_back(char('0' + (state >> 16) % 10));
        }
        SCOPED_TRACE(d);
        EXPECT_EQ(InterleavedCheckDigit(d), d + ReferenceInterleaved(d));
        EXPECT_EQ(TwoOfFiveCheckDigit(d), d + ReferenceTwoOfFive(d));
        // Both weight the rightmost digit 3 once "C25" has made the length odd.
        const std::string odd = d.size() % 2 == 1 ? d : "0" + d;
        EXPECT_EQ(InterleavedCheckDigit(odd).back(), TwoOfFiveCheckDigit(d).back());
    }
}

// Weights 1 and 3 are both prime to 10: any one changed digit changes the check.
TEST(TwoOfFive, AnySingleSubstitutionChangesTheCheckDigit)
{
    const std::string base = "3141592653589";
    const char interleaved = InterleavedCheckDigit(base).back();
    const char plain = TwoOfFiveCheckDigit(base.substr(1)).back();
    for (std::size_t i = 0; i < base.size(); ++i)
        for (char d = '0'; d <= '9'; ++d) {
            if (d == base[i])
                continue;
            std::string changed = base;
            changed[i] = d;
            EXPECT_NE(InterleavedCheckDigit(changed).back(), interleaved) << changed;
            if (i > 0) {
                EXPECT_NE(TwoOfFiveCheckDigit(changed.substr(1)).back(), plain) << changed;
            }
        }
}

TEST(TwoOfFive, RoutinesRejectTextOutsideTheirAlphabet)
{
    for (const std::string_view bad : {std::string_view("12a"), std::string_view(" "), std::string_view("-1"),
                                       std::string_view("1\0", 2), std::string_view("\xB9")}) {
        EXPECT_EQ(InterleavedCheckDigit(bad), "") << bad;
        EXPECT_EQ(TwoOfFiveCheckDigit(bad), "") << bad;
    }
    EXPECT_EQ(EncodeInterleaved("1a"), "");
    EXPECT_EQ(EncodeInterleaved("123"), ""); // an odd digit would be lost
    EXPECT_EQ(EncodeInterleaved(""), "*#");
}

// Bars and spaces of every font character (narrow n, wide w) as the font draws
// them: the first character of a pair is bar, space, bar, space, bar; the
// second space, bar, space, bar, space.
const std::map<char, std::string_view> kFirstHalf = {
    {'A', "nnnnw"}, {'H', "nwnnw"}, {'F', "nnnww"}, {'X', "nwnww"}, {'E', "wnnnn"}, {'O', "wwnnn"},  {'L', "wnnwn"},
    {'Q', "wwnwn"}, {'C', "nnwnn"}, {'M', "nwwnn"}, {'J', "nnwwn"}, {'S', "nwwwn"}, {'N', "wnwnn"},  {'P', "wwwnn"},
    {'R', "wnwwn"}, {'Z', "wwwwn"}, {'I', "wnnnw"}, {'T', "wwnnw"}, {'W', "wnnww"}, {'\\', "wwnww"}, {'G', "nnwnw"},
    {'V', "nwwnw"}, {'Y', "nnwww"}, {'^', "nwwww"}, {'@', "nnnnn"}, {'D', "nwnnn"}, {'B', "nnnwn"},  {'K', "nwnwn"},
};
const std::map<char, std::string_view> kSecondHalf = {
    {'p', "wwwnn"}, {'r', "wnwwn"}, {'n', "wnwnn"}, {'z', "wwwwn"}, {'h', "nwnnw"}, {'f', "nnnww"}, {'a', "nnnnw"},
    {'x', "nwnww"}, {'d', "nwnnn"}, {'b', "nnnwn"}, {'`', "nnnnn"}, {'k', "nwnwn"}, {'t', "wwnnw"}, {'w', "wnnww"},
    {'i', "wnnnw"}, {'|', "wwnww"}, {'o', "wwnnn"}, {'l', "wnnwn"}, {'e', "wnnnn"}, {'q', "wwnwn"}, {'v', "nwwnw"},
    {'y', "nnwww"}, {'g', "nnwnw"}, {'~', "nwwww"}, {'m', "nwwnn"}, {'j', "nnwwn"}, {'c', "nnwnn"}, {'s', "nwwwn"},
};

// The digit patterns of ISO/IEC 16390 (two wide elements of five).
int DigitOfPattern(const std::string& pattern)
{
    constexpr std::string_view kDigits[] = {"nnwwn", "wnnnw", "nwnnw", "wwnnn", "nnwnw",
                                            "wnwnn", "nwwnn", "nnnww", "wnnwn", "nwnwn"};
    for (int d = 0; d < 10; ++d)
        if (kDigits[d] == pattern)
            return d;
    return -1;
}

// Reads a pair of font characters back: the bars carry the first digit, the
// spaces the second.
std::string DecodePair(char first, char second)
{
    const auto a = kFirstHalf.find(first), b = kSecondHalf.find(second);
    if (a == kFirstHalf.end() || b == kSecondHalf.end())
        return "?";
    const std::string_view f = a->second, s = b->second;
    const std::string bars{f[0], f[2], f[4], s[1], s[3]};
    const std::string spaces{f[1], f[3], s[0], s[2], s[4]};
    const int hi = DigitOfPattern(bars), lo = DigitOfPattern(spaces);
    return hi < 0 || lo < 0 ? "?" : std::string{char('0' + hi), char('0' + lo)};
}

TEST(TwoOfFive, EveryPairDecodesBackToItsDigits)
{
    for (int pair = 0; pair < 100; ++pair) {
        const std::string digits{char('0' + pair / 10), char('0' + pair % 10)};
        const std::string out = EncodeInterleaved(digits);
        ASSERT_EQ(out.size(), 4u) << digits;
        EXPECT_EQ(out.front(), '*');
        EXPECT_EQ(out.back(), '#');
        EXPECT_EQ(DecodePair(out[1], out[2]), digits);
    }
}

TEST(TwoOfFive, LongInterleavedTextDecodesBack)
{
    const std::string text = "31415926535897932384626433832795028841971";
    const std::string out = Encode(text, "C25", true, Deliverable::Library);
    ASSERT_GE(out.size(), 2u);
    std::string decoded;
    for (std::size_t i = 1; i + 2 < out.size(); i += 2)
        decoded += DecodePair(out[i], out[i + 1]);
    EXPECT_EQ(decoded, InterleavedCheckDigit(text));
}

// Every request stays within the library's bound of 2n + 64 bytes, terminating zero included.
TEST(TwoOfFive, OutputFitsTheLibraryBound)
{
    for (const char* id : {"C25", "ITF", "CIND25", "C5BARS", "C3BARS", "CBCD", "C25INV", "C25COMP"})
        for (std::size_t n : {0u, 1u, 2u, 13u, 14u, 101u})
            for (bool check : {false, true}) {
                const std::string text(n, '7');
                EXPECT_LT(Encode(text, id, check, Deliverable::Library).size(), 2 * n + 64) << id << ' ' << n;
            }
}

} // namespace
} // namespace lum
