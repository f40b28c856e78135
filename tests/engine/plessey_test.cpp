#include "engine/plessey.h"

#include <gtest/gtest.h>

#include <random>

#include "engine/catalogue.h"
#include "tests/engine/family_rows.h"

namespace lum {
namespace {

constexpr std::string_view kHex = "0123456789ABCDEF";

// Expected strings: the check characters agree with zint -b 86, which always
// adds the CRC.
constexpr test::TextRow kRows[] = {
    {"12345", true, "*123456E#", "zint"},
    {"0", true, "*000#", "no 1 bit: remainder 0"},
    {"ABCDEF", true, "*ABCDEFF4#", "zint"},
    {"abcdef", true, "*ABCDEFF4#", "upper-cased by validation"},
    {"0123456789ABCDE", true, "*0123456789ABCDEF9#", "15 characters, the longest; zint"},
    {"0123456789ABCDEF", true, "", "16 characters are too long"},
    {"0123456789ABCDEF", false, "", "also without the flag"},
    {"12345", false, "*12345#", "flag clear"},
    {"", true, "*00#", "empty text"},
    {"12G", true, "", "G is not a hexadecimal digit"},
};

TEST(Plessey, Table) { test::ExpectFontStrings("PLESSEY", kRows); }

TEST(Plessey, CheckRoutineRejectsTextOutsideItsAlphabet)
{
    test::ExpectCheckRejects(PlesseyCheckDigit,
                             {"abc", "12G", " ", "-", "\xC1", "0123456789ABCDEF", std::string_view("1\0", 2)});
    for (const char* text : {"abc", "12G", " ", "-", "\xC1", "0123456789ABCDEF"})
        EXPECT_EQ(PlesseyCrc(text), -1) << text;
    EXPECT_EQ(PlesseyCrcByDivision("abc"), -1);
}

// A single 1 bit followed by d bits leaves x^(8+d) mod g: the first table
// entries, worked by hand from the generator (x^8 = x^7 + x^6 + x^5 + x^3 + 1).
TEST(Plessey, SingleBitRemainders)
{
    // "8" is 0001 (its one bit is last), "4" 0010, "2" 0100, "1" 1000.
    EXPECT_EQ(PlesseyCrc("8"), 233);
    EXPECT_EQ(PlesseyCrc("4"), 59);
    EXPECT_EQ(PlesseyCrc("2"), 118);
    EXPECT_EQ(PlesseyCrc("1"), 236);
    EXPECT_EQ(PlesseyCrc("80"), 49);
    EXPECT_EQ(PlesseyCrc("40"), 98);
    EXPECT_EQ(PlesseyCrc("20"), 196);
    EXPECT_EQ(PlesseyCrc("10"), 97);
}

std::string RandomHex(std::mt19937& random, std::size_t len)
{
    std::string text;
    for (std::size_t i = 0; i < len; ++i)
        text.push_back(kHex[random() % kHex.size()]);
    return text;
}

// The table and the long division are two independent computations of the
// remainder: every text of up to three characters, every single-bit text of
// every length (one per table entry in use) and many random texts.
TEST(Plessey, TableAgreesWithLongDivision)
{
    std::vector<std::string> texts{""};
    for (std::size_t from = 0, len = 1; len <= 3; ++len) {
        const std::size_t to = texts.size();
        for (std::size_t i = from; i < to; ++i)
            for (char c : kHex)
                texts.push_back(texts[i] + c);
        from = to;
    }
    for (std::size_t len = 1; len <= kPlesseyMaxLength; ++len)
        for (std::size_t pos = 0; pos < len; ++pos)
            for (char bit : std::string_view("1248"))
                texts.push_back(std::string(pos, '0') + bit + std::string(len - pos - 1, '0'));
    std::mt19937 random(86);
    for (int n = 0; n < 20000; ++n)
        texts.push_back(RandomHex(random, 4 + random() % (kPlesseyMaxLength - 3)));

    for (const std::string& text : texts) {
        SCOPED_TRACE(text);
        const int r = PlesseyCrc(text);
        ASSERT_GE(r, 0);
        ASSERT_LT(r, 256);
        ASSERT_EQ(r, PlesseyCrcByDivision(text));
    }
}

// The check characters carry the remainder's bits in sending order, so the
// text followed by them is divisible by the generator: its remainder is 0.
TEST(Plessey, TextWithCheckCharactersLeavesNoRemainder)
{
    std::mt19937 random(1986);
    for (int n = 0; n < 2000; ++n) {
        const std::string text = RandomHex(random, random() % (kPlesseyMaxLength + 1));
        SCOPED_TRACE(text);
        const std::string checked = PlesseyCheckDigit(text);
        ASSERT_EQ(checked.size(), text.size() + 2);
        EXPECT_EQ(PlesseyCrcByDivision(checked), 0);
        if (checked.size() <= kPlesseyMaxLength) {
            EXPECT_EQ(PlesseyCrc(checked), 0);
        }
    }
}

// An 8-bit CRC catches every error burst of up to 8 bits, so every
// single-character substitution.
TEST(Plessey, ChangingOneCharacterChangesTheCheck)
{
    const std::string base = "0123456789ABCDE";
    const std::string checked = PlesseyCheckDigit(base);
    for (std::size_t i = 0; i < base.size(); ++i)
        for (char c : kHex) {
            if (c == base[i])
                continue;
            std::string changed = base;
            changed[i] = c;
            EXPECT_NE(PlesseyCheckDigit(changed).substr(base.size()), checked.substr(base.size())) << changed;
        }
}

TEST(Plessey, DivisionHasNoLengthLimit)
{
    const std::string longer = "0123456789ABCDEF0123";
    EXPECT_EQ(PlesseyCrc(longer), -1);
    EXPECT_GE(PlesseyCrcByDivision(longer), 0);
    EXPECT_EQ(PlesseyCrcByDivision("00000000000000000000" + std::string("8")), 233);
}

} // namespace
} // namespace lum
