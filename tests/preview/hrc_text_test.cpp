#include "assistant/preview/hrc_text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "engine/catalogue.h"
#include "engine/code39.h"
#include "engine/code93.h"
#include "engine/text.h"

namespace lum::preview {
namespace {

constexpr HrcOptions kPlain{false, false};
constexpr HrcOptions kCheck{true, true};

std::string Lower(std::string text)
{
    for (char& c : text)
        c = ToLowerAscii(c);
    return text;
}

// The code as the main window hands it over: validated with the check flag.
std::string Validated(std::string code, std::string_view id, bool check)
{
    EXPECT_TRUE(Validate(code, id, check)) << code;
    return code;
}

struct Row {
    int nameId;
    std::string_view id;
    std::string_view code; // validated form
    std::string_view checkColumn;
    std::string_view plainColumn;
    std::string_view note;
};

// Expected lines: the AIM USS Code 93 worked example where there is one,
// otherwise hand calculations noted per row.
const Row kRows[] = {
    {400, "C39", "ABC", "*ABCX*", "*ABC*", "10+11+12 = 33, X"},
    {400, "C39", "AB_1", "*AB 1H*", "*AB 1*", "10+11+38+1 = 60, mod 43 = 17, H"},
    {400, "C39", "Y4", "*Y4 *", "*Y4*", "34+4 = 38, the space symbol, shown blank"},
    {402, "C93", "TEST93", "*TEST93+6*", "TEST93", "AIM USS Code 93 example: C +, K 6"},
    {402, "C93", "ABC", "*ABCHK*", "ABC", "C H, K K"},
    {402, "C93", "A_B", "*A BNB*", "A B", "C: 11+76+30 = 117 mod 47 = 23 N; K: 23+22+114+40 = 199 mod 47 = 11 B"},
    {402, "C93", "1%", "*1%(%).*", "1%", "C: 42+2 = 44, the (%) shift; K: 44+84+3 = 131 mod 47 = 37 ."},
    {404, "C25", "123", "1236", "123", "odd positions from the left weighted 3: 3+2+9 = 14, 6"},
    {432, "ITF", "1234567890123", "12345678901231", "1234567890123", "GS1 modulo 10: 87+22 = 109, 1"},
    {405, "CIND25", "123", "1236", "123", "rightmost weighted 3: 9+2+3 = 14, 6"},
    {406, "C5BARS", "4", "48", "4", "12, 8"},
    {407, "C3BARS", "1234", "12348", "1234", "12+3+6+1 = 22, 8"},
    {408, "CBCD", "9", "93", "9", "27, 3"},
    {430, "C25INV", "55", "550", "55", "15+5 = 20, 0"},
    {431, "C25COMP", "10", "109", "10", "0+1 = 1, 9"},
    {409, "CMSI", "1234567", "123456742", "1234567",
     "modulo 10: 5+6+1+4+6+2+2 = 26, 4; modulo 11 weights 2-7: 130 mod 11 = 9, 2"},
    {411, "CBAR", "A123B", "a1239b", "A123B", "16+1+2+3+17 = 39 mod 16 = 7, 16-7 = 9"},
    {426, "C11", "123-45", "123-455", "123-45", "5+8+30+12+10+6 = 71 mod 11 = 5; under 11 characters, no K"},
    {427, "CIP", "123456", "1234568", "123456", "2+6+12+20+30+42 = 112 mod 11 = 2, 10-2 = 8"},
    {429, "DELTA", "12K", "12K4", "12K", "K doubled 20 (2+0), 2, 1 doubled 2: 6, 4"},
    {433, "POSTNET", "12345", "123455", "12345", "1+2+3+4+5 = 15, 5"},
};

TEST(TestoHRC, Columns)
{
    for (const Row& row : kRows) {
        SCOPED_TRACE(std::to_string(row.nameId) + " " + std::string(row.code) + ": " + std::string(row.note));
        EXPECT_EQ(Validated(std::string(row.code), row.id, true), row.code);
        EXPECT_EQ(TestoHRC(row.nameId, row.code, kCheck), row.checkColumn);
        EXPECT_EQ(TestoHRC(row.nameId, row.code, kPlain), row.plainColumn);
    }
}

// The check column carries exactly the check characters of the bars: for the
// rows whose font string holds the data as it stands, the font string less its
// start/stop (Codabar has none besides its letters; its "|" gaps, Delta-Distance's "|" before each
// character) equals the line. Catches a row wired to the wrong routine.
TEST(TestoHRC, CheckColumnMatchesTheBars)
{
    struct Case {
        int nameId;
        std::string_view code;
    };
    // clang-format off
    const Case cases[] = {
        {400, "CODE_39"}, {402, "TEST93"},    {405, "31415"},  {406, "2718"},   {407, "0"},
        {408, "987654"},  {430, "42"},        {431, "1999"},   {409, "80523"},  {409, "9999999999999"},
        {411, "C-$:/.+D"}, {411, "t0e"},      {426, "0-9-1234567"}, {427, "4000"}, {428, "1A2B3C"},
        {428, "FFFFFFFFFFFFFFF"}, {429, "MOLK0"}, {433, "987654321"}, {433, "20500"},
    };
    // clang-format on
    for (const Case& c : cases) {
        const Symbology* entry = nullptr;
        for (const Symbology& s : Catalogue())
            if (s.nameId == c.nameId && !entry)
                entry = &s;
        ASSERT_NE(entry, nullptr);
        SCOPED_TRACE(std::string(entry->id) + " " + std::string(c.code));
        const std::string code = Validated(std::string(c.code), entry->id, true);
        std::string bars = Encode(code, entry->id, true, Deliverable::Assistant);
        ASSERT_GE(bars.size(), 2U);
        if (c.nameId != 411) // Codabar's own start and stop letters are the ends
            bars = bars.substr(1, bars.size() - 2);
        std::erase(bars, '|');
        std::string line = TestoHRC(c.nameId, code, kCheck);
        if (c.nameId == 400 || c.nameId == 402) {
            ASSERT_TRUE(line.size() >= 2 && line.front() == '*' && line.back() == '*');
            line = line.substr(1, line.size() - 2);
            bars = ReadableSymbols(bars);
        }
        if (c.nameId == 411) {
            line = Lower(line);
            bars = Lower(bars);
        }
        EXPECT_EQ(line, bars);
        // And the plain column is the code itself, whatever the check routine does.
        if (c.nameId != 400) {
            EXPECT_EQ(TestoHRC(c.nameId, code, kPlain), ReadableSymbols(code));
        }
    }
}

// The check column needs both the check box and the menu item; with either off
// the bars may carry a check digit but the line shows the bare code.
TEST(TestoHRC, CheckColumnNeedsBothOptions)
{
    for (const HrcOptions options : {HrcOptions{true, false}, HrcOptions{false, true}, HrcOptions{false, false}}) {
        SCOPED_TRACE(std::to_string(options.checkDigit) + std::to_string(options.checkDigitInHrc));
        EXPECT_EQ(TestoHRC(400, "AB_1", options), "*AB 1*");
        EXPECT_EQ(TestoHRC(402, "TEST93", options), "TEST93");
        EXPECT_EQ(TestoHRC(433, "12345", options), "12345");
    }
}

// Codabar a123b with HRC on: Validate upper-cases it for the bars, and the main
// window's lower-casing brings the line back to a123b.
TEST(TestoHRC, CodabarLineInLowerCase)
{
    const std::string code = Validated("a123b", "CBAR", false);
    EXPECT_EQ(code, "A123B");
    EXPECT_EQ(Lower(TestoHRC(411, code, kPlain)), "a123b");
    EXPECT_EQ(Lower(TestoHRC(411, code, kCheck)), "a1239b");
}

// The symbologies whose line comes from elsewhere (or that have none).
TEST(TestoHRC, OtherRowsGiveNothing)
{
    for (const int id :
         {410, 412, 413, 414, 415, 416, 417, 418, 419, 420, 421, 422, 423, 424, 425, 434, 435, 399, 436, 0}) {
        SCOPED_TRACE(id);
        EXPECT_EQ(TestoHRC(id, "123456789012", kCheck), "");
        EXPECT_EQ(TestoHRC(id, "123456789012", kPlain), "");
    }
}

// Full ASCII: the line is the code as typed (every character itself, "_" an
// underscore) and, in the check column, the check characters the bars carry,
// which are computed over the Full ASCII expansion. Routing the typed text
// through the plain Code 39 / Code 93 routine would fail on lower case and
// escapes, and give other check characters where it did not.
struct FullAsciiRow {
    int nameId;
    std::string_view code;
    std::string_view checkColumn;
    std::string_view plainColumn;
    std::string_view note;
};

const FullAsciiRow kFullAscii[] = {
    {401, "a", "*a8*", "*a*", "+A: 41+10 = 51 mod 43 = 8"},
    {401, "a_b", "*a_b/*", "*a_b*", "+A%O+B: 41+10+42+24+41+11 = 169 mod 43 = 40, /"},
    {401, "A\\tB", "*A\\tBZ*", "*A\\tB*", "A$IB: 10+39+18+11 = 78 mod 43 = 35, Z"},
    {401, " ", "*  *", "* *", "_: 38, the space symbol, shown blank"},
    {401, "ABC", "*ABCX*", "*ABC*", "plain letters expand to themselves: as Code 39"},
    {401, "È", "*È*", "*È*", "code 200: no expansion, no bars, no check character"},
    {403, "a", "*a8P*", "a", "AIM USS Code 93 Full ASCII: dA, C 8, K P"},
    {403, "TEST93", "*TEST93+6*", "TEST93", "as Code 93"},
    {403, "a_b", "*a_bJV*", "a_b", "dAbOdB: C 677 mod 47 = 19 J; K 877 mod 47 = 31 V"},
    {403, "\\d200", "*\\d200*", "\\d200", "escape above 127: no bars"},
};

TEST(TestoHRC, FullAsciiShowsTheTypedTextAndTheBarsCheckCharacters)
{
    for (const FullAsciiRow& row : kFullAscii) {
        SCOPED_TRACE(std::to_string(row.nameId) + " " + std::string(row.code) + ": " + std::string(row.note));
        EXPECT_EQ(TestoHRC(row.nameId, row.code, kCheck), row.checkColumn);
        EXPECT_EQ(TestoHRC(row.nameId, row.code, kPlain), row.plainColumn);
    }
}

// The check characters shown are the ones in front of the stop character of
// the Full ASCII font string (one for Code 39, two for Code 93).
TEST(TestoHRC, FullAsciiCheckCharactersDecodeFromTheBars)
{
    const std::string_view codes[] = {"Code 39", "a", "~\\x7F",        "\\n\\r", "{|}",        "lum@example",
                                      "%%",      "z", "Hello, World!", "\\0",    "0123456789", "__"};
    for (const std::string_view code : codes) {
        SCOPED_TRACE(std::string(code));
        const std::string bars39 = EncodeCode39FullAscii(code, true, Deliverable::Assistant);
        ASSERT_GE(bars39.size(), 3U);
        EXPECT_EQ(TestoHRC(401, code, kCheck),
                  "*" + std::string(code) + ReadableSymbols(bars39.substr(bars39.size() - 2, 1)) + "*");
        const std::string bars93 = EncodeCode93FullAscii(code, true, Deliverable::Assistant);
        ASSERT_GE(bars93.size(), 4U);
        EXPECT_EQ(TestoHRC(403, code, kCheck),
                  "*" + std::string(code) + ReadableSymbols(bars93.substr(bars93.size() - 3, 2)) + "*");
    }
}

TEST(ReadableSymbols, SpaceAndShifts)
{
    EXPECT_EQ(ReadableSymbols("A_B"), "A B");
    EXPECT_EQ(ReadableSymbols("abcd"), "($)(%)(/)(+)");
    EXPECT_EQ(ReadableSymbols("XYZe-.$/+%"), "XYZe-.$/+%");
    EXPECT_EQ(ReadableSymbols(""), "");
}

} // namespace
} // namespace lum::preview
