#include "engine/ean128.h"

#include <gtest/gtest.h>

#include <random>

#include "engine/catalogue.h"
#include "tests/engine/code128_reference.h"

namespace lum {
namespace {

struct Row {
    std::string_view text; // element string with escapes
    Deliverable who;
    std::vector<int> values;
    const char* note;
};

constexpr Deliverable kLib = Deliverable::Library, kAs = Deliverable::Assistant;

// "example": worked example of the EAN 128 rules; "zint": same sequence as
// `zint -b 16` with the AIs in brackets; "hand": rules and check by hand.
const Row kRows[] = {
    {"0112345678901231", kLib, {105, 102, 1, 12, 34, 56, 78, 90, 12, 31, 74}, "example, zint: AI 01"},
    {"10ABC", kLib, {104, 102, 17, 16, 33, 34, 35, 79}, "example, zint: run of 2 starts in B"},
    {"21123", kAs, {105, 102, 21, 12, 100, 19, 59}, "example: last digit in B"},
    {"0112345678901231\\x8110ABC123",
     kLib,
     {105, 102, 1, 12, 34, 56, 78, 90, 12, 31, 102, 10, 100, 33, 34, 35, 17, 18, 19, 16},
     "example: separator FNC1 between pairs stays in C"},
    {"17100101\\x8110X", kAs, {105, 102, 17, 10, 1, 1, 102, 10, 100, 56, 0}, "example: check 0"},
    {"", kLib, {104, 102, 0}, "example: empty element string"},
    {"(01)12345678901231",
     kLib,
     {104, 102, 8, 16, 17, 9, 99, 12, 34, 56, 78, 90, 12, 31, 34},
     "example, hand check: parentheses are data"},
    {"\\x81\\x81ab", kAs, {105, 102, 102, 102, 100, 65, 66, 87}, "hand: 2 FNC1s count 4, Start C"},
    {"\\x81\\x81ab", kLib, {104, 102, 102, 102, 65, 66, 70}, "hand: second FNC1 taken at 1, Start B"},
    {"10\\xE9", kLib, {}, "above 132"},
};

TEST(Ean128, ValueSequences)
{
    for (const Row& row : kRows) {
        SCOPED_TRACE(testing::Message() << "'" << row.text << "' " << row.note);
        const Code128Sequence values = Ean128Values(row.text, row.who);
        EXPECT_EQ(std::vector<int>(values.begin(), values.end()), row.values);
        const Code128Sequence expected(row.values.begin(), row.values.end());
        EXPECT_EQ(Encode(row.text, "E128", true, row.who), Code128FontString(expected));
    }
}

TEST(Ean128, FontStrings)
{
    std::string gtin;
    for (int c : {138, 135, 34, 45, 67, 89, 111, 123, 45, 64, 107, 139})
        gtin += char(c);
    EXPECT_EQ(Encode("0112345678901231", "E128", false, kLib), gtin);
    EXPECT_EQ(Encode("", "e128", false, kAs), "\x89\x87!\x8b");
}

// The symbol reads back as a GS1-128 symbol holding exactly the element string.
TEST(Ean128, DecodesBackOnRandomElementStrings)
{
    std::mt19937 rng(128);
    for (int n = 0; n < 2000; ++n) {
        const std::string decoded = code128ref::RandomDecoded(rng, rng() % 50);
        const std::string text = code128ref::RandomEscaped(rng, decoded);
        for (const Deliverable d : {kLib, kAs}) {
            const auto symbol = code128ref::DecodeSymbol(EncodeEan128(text, d));
            ASSERT_TRUE(symbol) << testing::PrintToString(text);
            EXPECT_TRUE(symbol->gs1);
            EXPECT_EQ(symbol->data, code128ref::AsScanned(decoded));
        }
    }
}

} // namespace
} // namespace lum
