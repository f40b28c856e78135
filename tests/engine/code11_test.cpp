#include "engine/code11.h"

#include <gtest/gtest.h>

#include <random>

#include "engine/catalogue.h"
#include "tests/engine/family_rows.h"

namespace lum {
namespace {

// Expected strings: worked by hand and checked with zint -b 1 (--vers=1 for C
// only below 11 characters, the default C and K from 11 on).
constexpr test::TextRow kRows[] = {
    {"123-45", true, "*123-455#", "six characters: C only"},
    {"12345678901", true, "*123456789014-#", "11 characters: C = 4, K = 10 -> -"},
    {"0123456789", true, "*01234567890#", "10 characters: C only"},
    {"----------", true, "*----------0#", "10 x 10 x (1+...+10) = 550, a multiple of 11"},
    {"-----------", true, "*------------4#", "11 dashes: C = 560 mod 11 = 10 -> -, K = 510 mod 11 = 4"},
    {"123-45", false, "*123-45#", "flag clear"},
    {"", true, "*0#", "empty text: C = 0, no K"},
    {"", false, "*#", "empty text without the flag"},
    {"12a", true, "", "a letter"},
    {"1 2", false, "", "a space"},
};

TEST(Code11, Table) { test::ExpectFontStrings("C11", kRows); }

TEST(Code11, CheckRoutineRejectsTextOutsideItsAlphabet)
{
    test::ExpectCheckRejects(Code11CheckDigit, {"a", "12+3", "/", ":", "\xAD", std::string_view("1\0", 2)});
}

// K appears from 11 characters on and not before, after C.
TEST(Code11, SecondCheckCharacterFromElevenCharacters)
{
    std::mt19937 random(1011);
    constexpr std::string_view kAlphabet = "0123456789-";
    for (std::size_t len = 0; len <= 30; ++len) {
        std::string text;
        for (std::size_t i = 0; i < len; ++i)
            text.push_back(kAlphabet[random() % kAlphabet.size()]);
        SCOPED_TRACE(text);
        const std::string checked = Code11CheckDigit(text);
        ASSERT_EQ(checked.size(), text.size() + (len >= 11 ? 2 : 1));
        EXPECT_EQ(checked.substr(0, len), text);
    }
}

TEST(Code11, ChangingOneCharacterChangesC)
{
    // Ten characters: every weight 1 to 10 is used once, and none is 0 modulo 11.
    const std::string base = "90-1827364";
    const std::string checked = Code11CheckDigit(base);
    ASSERT_EQ(checked.size(), base.size() + 1);
    for (std::size_t i = 0; i < base.size(); ++i)
        for (char c : std::string_view("0123456789-")) {
            if (c == base[i])
                continue;
            std::string changed = base;
            changed[i] = c;
            EXPECT_NE(Code11CheckDigit(changed).back(), checked.back()) << changed;
        }
}

} // namespace
} // namespace lum
