#include "engine/code128.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iostream>
#include <random>
#include <set>

#include "engine/catalogue.h"
#include "engine/ean128.h"
#include "engine/escape.h"
#include "tests/engine/code128_reference.h"

namespace lum {
namespace {

using code128ref::AsScanned;
using code128ref::DecodeSymbol;

constexpr Deliverable kBoth[] = {Deliverable::Library, Deliverable::Assistant};

std::vector<int> AsInts(const Code128Sequence& s) { return {s.begin(), s.end()}; }

std::string Bytes(std::initializer_list<int> codes)
{
    std::string out;
    for (int c : codes)
        out += static_cast<char>(c);
    return out;
}

enum Who { Both, LibraryOnly, AssistantOnly };

struct Row {
    std::string_view text; // with escapes
    Who who;
    std::vector<int> values; // start, data, check; empty for failure
    const char* note;
};

// Value sequences. "example": worked example of the subset rules; "hand":
// subset rules and modulo 103 sum worked by hand; "zint": same sequence as
// `zint -b 20`.
const Row kRows[] = {
    {"", Both, {104, 1}, "example: empty text is Start B, check 104 mod 103"},
    {"1234", Both, {105, 12, 34, 82}, "example, zint"},
    {"123", Both, {104, 17, 18, 19, 8}, "example: three characters start in B"},
    {"12345", Both, {105, 12, 34, 100, 21, 54}, "example, zint: odd count still starts in C"},
    {"ABC123456", Both, {104, 33, 34, 35, 99, 12, 34, 56, 23}, "example, zint"},
    {"HI345678", Both, {104, 40, 41, 99, 34, 56, 78, 68}, "example, zint"},
    {"X1234Y", Both, {104, 56, 99, 12, 34, 100, 57, 33}, "example, zint: run of exactly 4 mid-text"},
    {"AB\r", Both, {103, 33, 34, 77, 23}, "example: deciding control character is the last"},
    {"Ab\tc", Both, {104, 33, 66, 98, 73, 67, 57}, "example: tab shifted from B"},
    {"a\001b", Both, {104, 65, 98, 65, 66, 0}, "example: check value 0"},
    {"\\x810112345678901231", Both, {105, 102, 1, 12, 34, 56, 78, 90, 12, 31, 74}, "example: FNC1 in C"},
    {"abc", Both, {104, 65, 66, 67, 90}, "example, zint: lower case never via A"},
    {"\xE9", Both, {}, "example: accented letter above 132"},
    {"A\\0B", Both, {103, 33, 64, 34, 57}, "hand: NUL as escape 0 decides subset A"},
    {"A\\x80B", Both, {103, 33, 64, 34, 57}, "hand: NUL as escape 128"},
    {"a\\0", Both, {104, 65, 101, 64, 48}, "hand: NUL last in B switches with CODE A"},
    {"\\x84", Both, {104, 100, 101}, "hand: FNC4 is 100 in B"},
    {"\t\\x84", Both, {103, 73, 101, 69}, "hand: FNC4 is 101 in A"},
    {"\\x82\\x83", Both, {104, 97, 96, 84}, "hand: FNC2 97, FNC3 96"},
    {"\\x7f", Both, {104, 95, 96}, "hand: DEL is B 95, check 96"},
    {"12\\x81", Both, {104, 99, 12, 102, 18}, "hand: count 4 but only 3 characters: Start B, then CODE C"},
    {"A12345", Both, {104, 33, 17, 99, 23, 45, 64}, "hand: odd run sends its first digit in B"},
    {"\t1234", Both, {103, 73, 99, 12, 34, 31}, "hand: run from subset A"},
    {"1234\t", Both, {105, 12, 34, 101, 73, 59}, "hand: C to A for a control character"},
    {"12345\t", Both, {105, 12, 34, 101, 21, 73, 10}, "hand: lone digit sent in A, the chooser's subset"},
    {"\ta1", Both, {103, 73, 100, 65, 17, 21}, "hand: lower case before a digit switches to B"},
    {"\ta", Both, {103, 73, 100, 65, 56}, "hand: lower case last in A switches"},
    {"a\t", Both, {104, 65, 101, 73, 75}, "hand: control last in B switches"},
    {"\\x81123", Both, {105, 102, 12, 100, 19, 92}, "hand: FNC1 then 3 digits counts 5, Start C"},
    // The run rules of the two deliverables part at the second FNC1 of a run.
    {"\\x81\\x81ab", AssistantOnly, {105, 102, 102, 100, 65, 66, 65}, "hand: second FNC1 joins at count 2"},
    {"\\x81\\x81ab", LibraryOnly, {104, 102, 102, 65, 66, 45}, "hand: second FNC1 is the 2nd taken, odd"},
    {"X12\\x813\\x814",
     AssistantOnly,
     {104, 56, 17, 99, 100, 18, 102, 19, 102, 20, 44},
     "hand: count 5 (FNC1 after 3 digits stays out): odd"},
    {"X12\\x813\\x814",
     LibraryOnly,
     {104, 56, 99, 12, 102, 100, 19, 102, 20, 24},
     "hand: count 8 (FNC1 after 4 taken joins): even"},
};

bool Applies(Who who, Deliverable d) { return who == Both || (who == LibraryOnly) == (d == Deliverable::Library); }

TEST(Code128, ValueSequences)
{
    for (const Row& row : kRows)
        for (const Deliverable d : kBoth) {
            if (!Applies(row.who, d))
                continue;
            SCOPED_TRACE(testing::Message() << "'" << row.text << "' "
                                            << (d == Deliverable::Library ? "library " : "assistant ") << row.note);
            EXPECT_EQ(AsInts(Code128Values(row.text, d)), row.values);
            const Code128Sequence expected(row.values.begin(), row.values.end());
            // The check flag is not consulted.
            EXPECT_EQ(Encode(row.text, "C128", false, d), Code128FontString(expected));
            EXPECT_EQ(Encode(row.text, "c128", true, d), Code128FontString(expected));
        }
}

TEST(Code128, FontStrings)
{
    const Deliverable d = Deliverable::Library;
    EXPECT_EQ(Encode("1234", "C128", false, d), Bytes({138, 45, 67, 115, 139}));
    EXPECT_EQ(Encode("", "C128", false, d), Bytes({137, 34, 139}));
    EXPECT_EQ(Encode("\\x7f", "C128", false, d), Bytes({137, 151, 152, 139})) << "values 95 and 96";
    EXPECT_EQ(Encode("a\001b", "C128", false, d), Bytes({137, 98, 131, 98, 99, 33, 139})) << "check 0 is '!'";
    EXPECT_EQ(Encode("\xE9", "C128", false, d), "");
}

// Every code value has its own font character, none of them 0 or 127 to 129,
// and the test's independent inverse gives the value back.
TEST(Code128, FontCharacterMapping)
{
    std::set<unsigned char> seen;
    for (int v = 0; v <= 106; ++v) {
        const unsigned char ch = Code128FontCharacter(static_cast<std::uint8_t>(v));
        EXPECT_EQ(code128ref::FontValue(ch), v);
        EXPECT_TRUE(ch != 0 && (ch < 127 || ch > 129)) << v;
        seen.insert(ch);
    }
    EXPECT_EQ(seen.size(), 107u);
    EXPECT_EQ(Code128FontCharacter(106), 139);
    EXPECT_EQ(Code128FontString({}), "");
}

// The encoder's one-pass look-ahead must give exactly what the rules give
// when every question is answered by a fresh scan.
TEST(Code128, MatchesReferenceEncoderOnRandomTexts)
{
    std::mt19937 rng(128);
    for (int n = 0; n < 4000; ++n) {
        const std::string decoded = code128ref::RandomDecoded(rng, rng() % (n < 3000 ? 24 : 300));
        for (const Deliverable d : kBoth)
            for (const bool fnc1 : {false, true}) {
                const std::vector<int> expected = code128ref::Encode(decoded, fnc1, d);
                ASSERT_EQ(AsInts(Code128ValueSequence(decoded, fnc1, d)), expected)
                    << testing::PrintToString(decoded) << (fnc1 ? " with FNC1" : "");
            }
    }
}

// A scanner reading the font string must get back exactly the decoded text.
TEST(Code128, DecodesBackOnRandomTexts)
{
    std::mt19937 rng(15417);
    for (int n = 0; n < 3000; ++n) {
        const std::string decoded = code128ref::RandomDecoded(rng, rng() % 60);
        const std::string text = code128ref::RandomEscaped(rng, decoded);
        for (const Deliverable d : kBoth) {
            const std::string font = Encode(text, "C128", false, d);
            const auto symbol = DecodeSymbol(font);
            ASSERT_TRUE(symbol) << testing::PrintToString(text);
            // A text that begins with FNC1 makes a symbol that reads as GS1-128.
            EXPECT_EQ(symbol->gs1, !decoded.empty() && decoded[0] == char(kCode128Fnc1));
            ASSERT_EQ((symbol->gs1 ? "\x81" : "") + symbol->data, AsScanned(decoded)) << testing::PrintToString(text);
            EXPECT_EQ(font.find('\0'), std::string::npos);
        }
    }
}

// The font string is written straight from the encoder, keeping the check
// sum as it goes; it must equal the reference sequence mapped onto the font
// for texts on both sides of the length kept on the stack, with and without
// escapes, and for sequences long enough for the weights to wrap past 103.
TEST(Code128, FontStringMatchesValueSequence)
{
    std::mt19937 rng(256);
    for (std::size_t length : {0, 1, 103, 104, 200, 255, 256, 257, 258, 400}) {
        for (int n = 0; n < 20; ++n) {
            std::string decoded = code128ref::RandomDecoded(rng, length);
            // Every other text is typed as raw bytes, without a backslash.
            if (n % 2)
                std::replace(decoded.begin(), decoded.end(), '\\', '/');
            const std::string text = n % 2 ? decoded : code128ref::RandomEscaped(rng, decoded);
            for (const Deliverable d : kBoth)
                for (const bool fnc1 : {false, true}) {
                    const std::vector<int> values = code128ref::Encode(decoded, fnc1, d);
                    const std::string expected =
                        Code128FontString(std::vector<std::uint8_t>(values.begin(), values.end()));
                    ASSERT_EQ(Encode(text, fnc1 ? "E128" : "C128", false, d), expected) << testing::PrintToString(text);
                    ASSERT_EQ(Code128FontString(fnc1 ? Ean128Values(text, d) : Code128Values(text, d)), expected);
                }
        }
    }
}

TEST(Code128, NothingAbove132IsEncoded)
{
    const std::string prefix = "12345abc\t" + std::string(5000, '7');
    const std::string_view bad[] = {"\x85", "\xC8", "\xFF", "\\x85", "\\d133", "\\205", "\\xff", "\\d255", "\\377"};
    for (const Deliverable d : kBoth)
        for (const std::string_view b : bad) {
            SCOPED_TRACE(testing::PrintToString(std::string(b)));
            for (const std::string& text : {std::string(b), std::string(b) + prefix, prefix + std::string(b),
                                            prefix.substr(0, 9) + std::string(b) + prefix}) {
                EXPECT_EQ(Encode(text, "C128", false, d), "");
                EXPECT_TRUE(Code128Values(text, d).empty());
                EXPECT_FALSE(DecodeCode128Text(text, d));
            }
        }
    // The value-sequence core checks its decoded text too.
    EXPECT_TRUE(Code128ValueSequence("1234\x85", false, Deliverable::Library).empty());
    EXPECT_TRUE(Code128ValueSequence("\xFF", true, Deliverable::Assistant).empty());
    // 132 itself is FNC4.
    EXPECT_EQ(AsInts(Code128Values("\\d132", Deliverable::Library)), (std::vector<int>{104, 100, 101}));
    EXPECT_EQ(AsInts(Code128Values("\\204", Deliverable::Library)), (std::vector<int>{104, 100, 101}));
}

// Every prefix of texts full of escapes, so that each escape is also cut off
// at every point: either a character above 132 makes it fail, or the symbol
// reads back as the escape reader resolves the prefix.
TEST(Code128, EscapesCutOffAnywhere)
{
    const std::string_view texts[] = {
        "\\a\\b\\t\\n\\v\\f\\r\\\"\\'\\?\\\\A",
        "\\d065\\D9\\d1234\\d\\d7A\\d256\\d999",
        "\\101\\0\\00\\000\\0001\\777\\8\\9\\3777",
        "\\x41\\X4g\\x\\xg\\x81\\x8112\\x80\\xFF",
        "12\\x8134\\x81\\x815\\q\\",
        std::string_view("\\x00\0\\\0a\x80\x81\x84\x85", 12),
    };
    for (const std::string_view t : texts)
        for (std::size_t n = 0; n <= t.size(); ++n)
            for (const Deliverable d : kBoth) {
                const std::string_view prefix = t.substr(0, n);
                SCOPED_TRACE(testing::PrintToString(std::string(prefix)));
                const std::string decoded = DecodeEscapes(prefix, d);
                const std::string font = Encode(prefix, "C128", false, d);
                if (std::any_of(decoded.begin(), decoded.end(), [](char c) { return (unsigned char)c > 132; })) {
                    EXPECT_EQ(font, "");
                    continue;
                }
                const auto symbol = DecodeSymbol(font);
                ASSERT_TRUE(symbol);
                EXPECT_EQ(symbol->data, AsScanned(decoded));
            }
}

TEST(Code128, DecimalEscapeAbove255DependsOnDeliverable)
{
    // The library reads "\d256" as 25 then "6"; the desktop program as 255, not encodable.
    const auto symbol = DecodeSymbol(Encode("\\d256", "C128", false, Deliverable::Library));
    ASSERT_TRUE(symbol);
    EXPECT_EQ(symbol->data, "\0316");
    EXPECT_EQ(Encode("\\d256", "C128", false, Deliverable::Assistant), "");
}

TEST(Code128, EveryFormOfNulIsTheSame)
{
    const Code128Sequence expected{103, 33, 64, 34, 57}; // A, NUL, B: hand, as in the table
    const std::string forms[] = {"\\0",   "\\00",  "\\000",  "\\x00", "\\d0", "\\d000",
                                 "\\x80", "\\200", "\\d128", "\\X80", "\x80", std::string(1, '\0')};
    for (const std::string& nul : forms)
        for (const Deliverable d : kBoth) {
            SCOPED_TRACE(testing::PrintToString(nul));
            EXPECT_EQ(Code128Values("A" + nul + "B", d), expected);
        }
    // A NUL inside the decoded text does not end it.
    const std::string decoded("1\0002\0003", 5);
    const auto symbol = DecodeSymbol(Code128FontString(Code128ValueSequence(decoded, false, Deliverable::Library)));
    ASSERT_TRUE(symbol);
    EXPECT_EQ(symbol->data, decoded);
}

TEST(Code128, MegabyteTexts)
{
    constexpr std::size_t kMiB = 1 << 20;
    const Deliverable d = Deliverable::Library;
    std::string digits(kMiB, '0');
    for (std::size_t i = 0; i < digits.size(); ++i)
        digits[i] = char('0' + i % 10);
    const std::string font = Encode(digits, "C128", false, d);
    EXPECT_EQ(font.size(), kMiB / 2 + 3) << "Start C, one value a pair, check, stop";
    auto symbol = DecodeSymbol(font);
    ASSERT_TRUE(symbol);
    EXPECT_EQ(symbol->data, digits);

    std::mt19937 rng(1);
    const std::string decoded = code128ref::RandomDecoded(rng, kMiB);
    symbol = DecodeSymbol(Code128FontString(Code128ValueSequence(decoded, false, d)));
    ASSERT_TRUE(symbol);
    EXPECT_TRUE(symbol->data == AsScanned(decoded));

    EXPECT_EQ(Encode(digits + "\xE9", "C128", false, d), "") << "one bad character at the very end";
}

// LUMDLL_OUTPUT_CAPACITY(n) = 2n + 64 must hold for every text: every
// repetition of every short pattern over the characters that cost extra
// values (SHIFT, CODE A/B/C), typed as raw bytes (the shortest text for its
// decoded characters), and random texts.
TEST(Code128, OutputFitsLibraryCapacity)
{
    const std::string alphabet = Bytes({'1', 129, 'a', 1, 'X', 128, 132});
    double worst = 0;
    std::string worstText;
    const auto measure = [&](const std::string& text) {
        for (const Deliverable d : kBoth)
            for (const char* id : {"C128", "E128"}) {
                const std::string font = Encode(text, id, false, d);
                ASSERT_FALSE(font.empty());
                ASSERT_LE(font.size(), 2 * text.size() + 64) << testing::PrintToString(text);
                const double ratio = double(font.size()) / double(text.size());
                if (text.size() >= 200 && ratio > worst)
                    worst = ratio, worstText = text.substr(0, 12);
            }
    };
    std::vector<std::string> patterns{""};
    for (int length = 1; length <= 4; ++length) {
        std::vector<std::string> longer;
        for (const std::string& p : patterns)
            for (const char c : alphabet)
                longer.push_back(p + c);
        for (const std::string& p : longer) {
            std::string text;
            while (text.size() < 240)
                text += p;
            measure(text);
            measure("1234" + text);
        }
        patterns = std::move(longer);
    }
    std::mt19937 rng(2);
    for (int n = 0; n < 300; ++n) {
        std::string text = code128ref::RandomDecoded(rng, 1 + rng() % 400);
        std::replace(text.begin(), text.end(), '\\', 'X'); // raw bytes only, no escapes
        measure(text);
    }
    std::cout << "worst font length / text length: " << worst << " for " << testing::PrintToString(worstText)
              << "...\n";
    RecordProperty("worst_ratio", std::to_string(worst));
    EXPECT_LT(worst, 2.0);
}

} // namespace
} // namespace lum
