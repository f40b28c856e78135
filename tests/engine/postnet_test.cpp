#include "engine/postnet.h"

#include <gtest/gtest.h>

#include <random>

#include "engine/catalogue.h"
#include "tests/engine/family_rows.h"

namespace lum {
namespace {

// Expected strings: digit sums worked by hand; the check digits agree with
// zint -b 40 for 5, 9 and 11 digits.
constexpr test::TextRow kRows[] = {
    {"12345", true, "*123455#", "sum 15, check 5"},
    {"1234", true, "*012340#", "padded to 5 digits; sum 10, check 0"},
    {"123456", true, "*0001234569#", "padded to 9 digits; sum 21, check 9"},
    {"1234567890", true, "*012345678905#", "padded to 11 digits; sum 45, check 5"},
    {"12345678901", true, "*123456789014#", "11 digits, the longest with the flag; sum 46, check 4"},
    {"123456789012", true, "", "12 digits are too long with the flag"},
    {"123456789012", false, "*123456789012#", "12 digits carry their own check digit"},
    {"12345", false, "*012345#", "flag clear: padded to 6 digits, nothing appended"},
    {"", true, "*000000#", "empty text: five zeros and check 0"},
    {"12a45", true, "", "a letter"},
};

TEST(Postnet, Table) { test::ExpectFontStrings("POSTNET", kRows); }

TEST(Postnet, CheckRoutineRejectsTextOutsideItsAlphabet)
{
    test::ExpectCheckRejects(PostnetCheckDigit, {"a", "1-2", " ", "\xB2", std::string_view("1\0", 2)});
}

// The check digit makes the sum of all digits a multiple of 10, and changing
// any one digit changes it.
TEST(Postnet, CheckDigitCompletesTheDigitSum)
{
    std::mt19937 random(40);
    for (int n = 0; n < 1000; ++n) {
        std::string text;
        for (std::size_t i = 0, len = random() % 12; i < len; ++i)
            text.push_back(char('0' + random() % 10));
        SCOPED_TRACE(text);
        const std::string checked = PostnetCheckDigit(text);
        ASSERT_EQ(checked.size(), text.size() + 1);
        int sum = 0;
        for (char c : checked)
            sum += c - '0';
        EXPECT_EQ(sum % 10, 0);
        if (text.empty())
            continue;
        std::string changed = text;
        const std::size_t i = random() % text.size();
        changed[i] = char('0' + (changed[i] - '0' + 1 + random() % 9) % 10);
        EXPECT_NE(PostnetCheckDigit(changed).back(), checked.back()) << changed;
    }
}

} // namespace
} // namespace lum
