#include "engine/code32.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>

#include "engine/catalogue.h"
#include "tests/engine/family_rows.h"

namespace lum {
namespace {

// Code 32 check digits as printed by zint 2.11.1 (`zint -b 129`, human-readable
// "A" + 9 digits); base-32 symbols converted by hand (char 66 + value).
// Code CIP rows worked by hand (weights 2, 3, ... from the left, modulo 11).
constexpr test::EncodeRow kRows[] = {
    {"C32", "12345678", true, "*EWYUJV#", "standard example: check 8, 123456788 in base 32"},
    {"C32", "123456788", false, "*EWYUJV#", "flag clear: the typed check digit is encoded"},
    {"C32", "", true, "*BBBBBB#", "padded to 00000000, check 0; zint"},
    {"C32", "0", false, "*BBBBBB#", "padded to 9 digits"},
    {"C32", "3", true, "*BBBBCF#", "00000003 -> check 6 (zint), 36 = 1 x 32 + 4"},
    {"C32", "999999999", false, "*_[WTQa#", "largest number: 29 25 21 18 15 31"},
    {"C32", "99999999", true, "*_[WTQZ#", "check 2 (zint); 999999992"},
    {"C32", "123456789", true, "", "9 digits with the flag set are too many"},
    {"C32", "1234567890", false, "", "10 digits are rejected"},
    {"C32", "1234567A", true, "", "digits only"},
    {"C32HRC", "12345678", true, "|*EWYUJV#\r\nA123456788", "standard example"},
    {"C32HRC", "123456788", false, "|*EWYUJV#\r\nA123456788", "flag clear"},
    {"C32HRC", "01234567", true, "|*BMZZLN#\r\nA012345676", "check 6 (zint); 12345676 = 0 11 24 24 10 12"},
    {"c32hrc", "", false, "|*BBBBBB#\r\nA000000000", "lower-case identifier, padded"},
    {"CIP", "123456", true, "*1234568#", "standard example: 112 mod 11 = 2 -> 8"},
    {"CIP", "1", true, "*0000013#", "padded to 000001: 7 mod 11 = 7 -> 3"},
    {"CIP", "000000", true, "*0000000#", "r = 0 -> digit 0"},
    {"CIP", "000003", true, "", "3 x 7 = 21, r = 10: rejected"},
    {"CIP", "000006", true, "*0000061#", "6 x 7 = 42, r = 9 -> 1"},
    {"CIP", "1234568", false, "*1234568#", "flag clear: 7 digits as typed"},
    {"CIP", "1234567", false, "*1234567#", "flag clear: a wrong check digit is not verified (r = 2 over 2..8)"},
    {"CIP", "0000004", false, "", "flag clear: 4 x 8 = 32, r = 10 over all seven digits: rejected"},
    {"CIP", "1234567", true, "", "7 digits with the flag set are too many"},
    {"CIP", "12a456", true, "", "digits only"},
};

TEST(Code32, Table) { test::ExpectFontStrings(kRows); }

TEST(Code32, CheckDigitMatchesZint)
{
    // zint 2.11.1, `zint -b 129 -d DIGITS`.
    const std::pair<const char*, const char*> rows[] = {
        {"12345678", "123456788"}, {"00000000", "000000000"}, {"99999999", "999999992"},
        {"01234567", "012345676"}, {"76543210", "765432101"}, {"00000003", "000000036"},
    };
    for (const auto& [text, expected] : rows)
        EXPECT_EQ(Code32CheckDigit(text), expected) << text;
}

// Odd positions count as they are and doubling with digit sum permutes 0-9,
// so any one changed digit changes the check digit.
TEST(Code32, AnySingleSubstitutionChangesTheCheckDigit)
{
    const std::string base = "76543210";
    const char check = Code32CheckDigit(base).back();
    for (std::size_t i = 0; i < base.size(); ++i)
        for (char d = '0'; d <= '9'; ++d) {
            if (d == base[i])
                continue;
            std::string changed = base;
            changed[i] = d;
            EXPECT_NE(Code32CheckDigit(changed).back(), check) << changed;
        }
}

// Reading the six symbols back as base-32 digits gives the number again.
TEST(Code32, SymbolsDecodeBackToTheNumber)
{
    for (std::uint32_t n : {0u, 1u, 31u, 32u, 1023u, 1024u, 123456788u, 536870911u, 536870912u, 999999999u}) {
        const std::string digits = std::to_string(n);
        const std::string out = EncodeCode32(digits);
        ASSERT_EQ(out.size(), 8u) << n;
        EXPECT_EQ(out.front(), '*');
        EXPECT_EQ(out.back(), '#');
        std::uint64_t decoded = 0;
        for (std::size_t i = 1; i <= 6; ++i) {
            const int value = static_cast<unsigned char>(out[i]) - 66;
            ASSERT_TRUE(value >= 0 && value < 32) << out;
            decoded = decoded * 32 + std::uint64_t(value);
        }
        EXPECT_EQ(decoded, n);
    }
}

TEST(Code32, RoutinesRejectTextOutsideTheirAlphabet)
{
    EXPECT_EQ(Code32CheckDigit("1234567A"), "");
    EXPECT_EQ(Code32CheckDigit(" "), "");
    EXPECT_EQ(Code32CheckDigit(std::string_view("12\0", 3)), "");
    EXPECT_EQ(EncodeCode32("12a"), "");
    EXPECT_EQ(EncodeCode32("1234567890"), ""); // beyond six base-32 symbols
    EXPECT_EQ(EncodeCode32Hrc("-1"), "");
    EXPECT_EQ(CipCheckDigit("12345a"), "");
    EXPECT_EQ(CipCheckDigit("\xB2"), "");
    EXPECT_EQ(CipRemainder("1 2"), -1);
}

// One text for every remainder, worked by hand: the last digit has weight 7,
// the third weight 4; r = 0 gives "0", r = 10 no check digit at all.
TEST(Code32, CipCheckDigitForEveryRemainder)
{
    const struct {
        const char* text;
        int r;
        const char* expected;
    } rows[] = {
        {"000000", 0, "0000000"}, {"000008", 1, "0000089"}, {"000005", 2, "0000058"}, {"000002", 3, "0000027"},
        {"001000", 4, "0010006"}, {"000007", 5, "0000075"}, {"000004", 6, "0000044"}, {"000001", 7, "0000013"},
        {"000009", 8, "0000092"}, {"000006", 9, "0000061"}, {"000003", 10, ""},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.text);
        EXPECT_EQ(CipRemainder(row.text), row.r);
        EXPECT_EQ(CipCheckDigit(row.text), row.expected);
    }
}

// The weights 2 to 7 are non-zero modulo the prime 11, so one changed digit
// always moves the remainder: the check digit changes or the text is refused.
TEST(Code32, CipSingleSubstitutionChangesTheCheckDigit)
{
    const std::string base = "123456";
    const std::string checked = CipCheckDigit(base);
    ASSERT_EQ(checked, "1234568");
    for (std::size_t i = 0; i < base.size(); ++i)
        for (char d = '0'; d <= '9'; ++d) {
            if (d == base[i])
                continue;
            std::string changed = base;
            changed[i] = d;
            const std::string other = CipCheckDigit(changed);
            EXPECT_TRUE(other.empty() || other.back() != checked.back()) << changed;
        }
}

// Every encodable request stays within the library's bound of 2n + 64 bytes, terminating zero included.
TEST(Code32, OutputFitsTheLibraryBound)
{
    for (const char* id : {"C32", "C32HRC", "CIP"})
        for (const char* text : {"", "1", "12345678", "123456789"})
            for (bool check : {false, true})
                EXPECT_LT(Encode(text, id, check, Deliverable::Library).size(), 2 * std::strlen(text) + 64) << id;
}

} // namespace
} // namespace lum
