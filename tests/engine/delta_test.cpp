#include "engine/delta.h"

#include <gtest/gtest.h>

#include <random>

#include "engine/catalogue.h"
#include "library/lumdll.h"
#include "tests/engine/family_rows.h"

namespace lum {
namespace {

// Expected strings worked by hand (no public tool encodes this symbology).
constexpr test::TextRow kRows[] = {
    {"1234", true, "*|1|2|3|4|4|#", "8 + 3 + 4 + 1 = 16, check 4"},
    {"K1L2", true, "*|K|1|L|2|1|#", "4 + 2 (L = 11) + 2 + 1 (K = 10) = 9, check 1"},
    {"MO5", true, "*|M|O|5|8|#", "1 (10) + 5 (O = 14) + 6 (24) = 12, check 8"},
    {"0", true, "*|0|0|#", "a single 0 gets 0"},
    {"1234", false, "*|1|2|3|4|#", "flag clear"},
    {"k1l2", true, "*|K|1|L|2|1|#", "upper-cased by validation"},
    {"O", true, "*|O|0|#", "doubled O is 28, adds 2 + 8 = 10: check 0"},
    {"", true, "*|0|#", "empty text"},
    {"", false, "*|#", "empty text without the flag"},
    {"123456789012345", true, "*|1|2|3|4|5|6|7|8|9|0|1|2|3|4|5|2|#",
     "15 characters, the longest with the flag: 58, check 2"},
    {"1234567890123456", true, "", "16 characters are too long with the flag"},
    {"1234567890123456", false, "*|1|2|3|4|5|6|7|8|9|0|1|2|3|4|5|6|#", "16 characters without the flag"},
    {"12345678901234567", false, "", "17 characters are too long"},
    {"N1", true, "", "N is not a Delta character"},
    {"1_2", false, "", "the underscore stands for no value"},
};

TEST(Delta, Table) { test::ExpectFontStrings("DELTA", kRows); }

TEST(Delta, CheckRoutineRejectsTextOutsideItsAlphabet)
{
    test::ExpectCheckRejects(DeltaCheckDigit, {"_", "1_", "N", "k", "12A", "\xDF", std::string_view("1\0", 2)});
}

// Over digits the rule is the Luhn check: the standard verification (double
// every second digit from the right, subtract 9 above 9) passes on the
// result, and every single-digit change moves the check digit.
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

TEST(Delta, DigitTextsPassTheLuhnTest)
{
    std::mt19937 random(14);
    for (int n = 0; n < 2000; ++n) {
        std::string text;
        for (std::size_t i = 0, len = 1 + random() % 15; i < len; ++i)
            text.push_back(char('0' + random() % 10));
        SCOPED_TRACE(text);
        const std::string checked = DeltaCheckDigit(text);
        ASSERT_EQ(checked.size(), text.size() + 1);
        EXPECT_TRUE(LuhnValid(checked));
        const std::size_t i = random() % text.size();
        for (char c = '0'; c <= '9'; ++c) {
            if (c == text[i])
                continue;
            std::string changed = text;
            changed[i] = c;
            EXPECT_NE(DeltaCheckDigit(changed).back(), checked.back()) << changed;
        }
    }
}

// Adding the decimal digits makes K, L and M (10, 11, 12) count like 1, 2 and
// 3 whether doubled or not; O (14) counts like 5 undoubled and, doubled (28,
// adding 10), like a doubled 0. A letter text has the check digit of its digit
// twin, which the Luhn test above covers.
TEST(Delta, LettersCountLikeTheirDigitTwins)
{
    std::mt19937 random(15);
    constexpr std::string_view kLetters = "KLMO", kTwinsEven = "1235", kTwinsOdd = "1230";
    for (int n = 0; n < 500; ++n) {
        const std::size_t len = 1 + random() % 15;
        std::string text, twin;
        for (std::size_t i = 0; i < len; ++i) {
            const bool odd = (len - i) % 2 == 1; // position from the right
            const std::size_t k = random() % 14;
            text.push_back(k < 10 ? char('0' + k) : kLetters[k - 10]);
            twin.push_back(k < 10 ? char('0' + k) : (odd ? kTwinsOdd : kTwinsEven)[k - 10]);
        }
        SCOPED_TRACE(text);
        EXPECT_EQ(DeltaCheckDigit(text).back(), DeltaCheckDigit(twin).back()) << twin;
    }
}

// Removing the "*", "|#" and the gaps gives the text back; a text of n
// characters takes 2n + 3 bytes, within the library's output bound.
TEST(Delta, FontStringPutsAGapBeforeEveryCharacter)
{
    for (const char* text : {"", "K", "0123456789KLMO", "1234567890123456"}) {
        SCOPED_TRACE(text);
        const std::string in(text);
        const std::string out = EncodeDelta(in);
        ASSERT_EQ(out.size(), 2 * in.size() + 3);
        EXPECT_EQ(out.substr(0, 1), "*");
        EXPECT_EQ(out.substr(out.size() - 2), "|#");
        std::string back;
        for (std::size_t i = 1; i + 2 < out.size(); i += 2) {
            EXPECT_EQ(out[i], '|');
            back.push_back(out[i + 1]);
        }
        EXPECT_EQ(back, in);
    }
    for (std::size_t len = 0; len <= 16; ++len)
        for (bool check : {false, true}) {
            const std::string out = Encode(std::string(len, 'O'), "DELTA", check, Deliverable::Library);
            if (check && len == 16) {
                EXPECT_EQ(out, "");
            } else {
                EXPECT_LE(out.size() + 1, LUMDLL_OUTPUT_CAPACITY(len)) << len; // the bound counts the terminating zero
            }
        }
}

} // namespace
} // namespace lum
