#include "engine/msi.h"

#include <gtest/gtest.h>

#include <random>

#include "engine/catalogue.h"
#include "tests/engine/family_rows.h"

namespace lum {
namespace {

// Expected strings: worked by hand; the check digits agree with zint -b 47
// (--vers=1 for the modulo 10 digit, --vers=3 over the text and that digit
// for the modulo 11 one, which zint prints "10" where the font has ":").
constexpr test::TextRow kRows[] = {
    {"1234567", true, "*123456742#", "mod 10: 26 -> 4; mod 11: 130 -> 2"},
    {"80523", true, "*8052344#", "mod 10 -> 4; mod 11 -> 4"},
    {"1234", true, "*123447#", "mod 10 -> 4; mod 11 -> 7"},
    {"16", true, "*166:#", "mod 11 over 166: 34, r = 1, value 10 -> :"},
    {"1234567890123", true, "*123456789012375#", "13 digits, the longest with the flag"},
    {"12345678901234", true, "", "14 digits are too long with the flag"},
    {"12345678901234", false, "*12345678901234#", "flag clear: 15 digits allowed, nothing appended"},
    {"123456789012345", false, "*123456789012345#", "15 digits without the flag"},
    {"1234567890123456", false, "", "16 digits are too long"},
    {"", true, "*00#", "empty text: both sums are 0"},
    {"12A4", true, "", "a letter"},
};

TEST(Msi, Table) { test::ExpectFontStrings("CMSI", kRows); }

TEST(Msi, ModeOtherThanTwoAppendsOnlyTheModulo10Digit)
{
    EXPECT_EQ(MsiCheckDigit("1234567", 2), "123456742");
    for (int mode : {0, 1, 3, -1})
        EXPECT_EQ(MsiCheckDigit("1234567", mode), "12345674") << mode;
}

TEST(Msi, CheckRoutineRejectsTextOutsideItsAlphabet)
{
    for (const int mode : {2, 1})
        test::ExpectCheckRejects([mode](std::string_view text) { return MsiCheckDigit(text, mode); },
                                 {"12a", "1 2", "-1", ":", "\xB9", std::string_view("1\0", 2)});
}

// The standard verification forms, written independently of the routine:
// the Luhn test (double every second digit from the right, subtract 9 above
// 9) passes on the text with the first digit; the weights 1, 2, 3, ..., 7, 2,
// ... from the right (":" = 10) give a multiple of 11 on the full result.
bool LuhnValid(std::string_view s)
{
    int sum = 0;
    for (std::size_t i = 0; i < s.size(); ++i) {
        int d = s[s.size() - 1 - i] - '0';
        if (i % 2 == 1) {
            d *= 2;
            if (d > 9)
                d -= 9;
        }
        sum += d;
    }
    return sum % 10 == 0;
}

int IbmWeightedSum(std::string_view s)
{
    int sum = 0;
    for (std::size_t i = 0; i < s.size(); ++i) {
        const int weight = i == 0 ? 1 : 2 + int((i - 1) % 6);
        sum += (s[s.size() - 1 - i] - '0') * weight;
    }
    return sum;
}

TEST(Msi, CheckDigitsPassTheVerificationForms)
{
    std::mt19937 random(11);
    int colons = 0;
    for (int n = 0; n < 2000; ++n) {
        std::string text;
        for (std::size_t i = 0, len = 1 + random() % 15; i < len; ++i)
            text.push_back(char('0' + random() % 10));
        SCOPED_TRACE(text);
        const std::string checked = MsiCheckDigit(text, 2);
        ASSERT_EQ(checked.size(), text.size() + 2);
        EXPECT_TRUE(LuhnValid(std::string_view(checked).substr(0, text.size() + 1)));
        EXPECT_EQ(IbmWeightedSum(checked) % 11, 0);
        EXPECT_TRUE(checked[text.size()] >= '0' && checked[text.size()] <= '9');
        colons += checked.back() == ':';
    }
    EXPECT_GT(colons, 0) << "a modulo 11 value of 10 should occur among 2000 texts";
}

TEST(Msi, ChangingOneDigitChangesTheCheckDigit)
{
    const std::string base = "80523117";
    const std::string checked = MsiCheckDigit(base, 2);
    for (std::size_t i = 0; i < base.size(); ++i)
        for (char c = '0'; c <= '9'; ++c) {
            if (c == base[i])
                continue;
            std::string changed = base;
            changed[i] = c;
            EXPECT_NE(MsiCheckDigit(changed, 1).back(), checked[base.size()]) << changed;
        }
}

} // namespace
} // namespace lum
