#include "engine/text.h"

#include <gtest/gtest.h>

#include <string>

#include "engine/codabar.h"
#include "engine/code39.h"
#include "engine/code93.h"

namespace {

// The lookup table must answer like a search of the alphabet for every byte,
// NUL and the bytes above 127 included.
TEST(AlphabetTable, AgreesWithSearchForEveryByte)
{
    // A repeated letter: the table keeps the first position, as the search does.
    const std::string_view alphabets[] = {lum::kCode39Alphabet, lum::kCode93Alphabet, lum::kCodabarData,
                                          "0123456789ABCDEF",   "0123456789-",        "ABCA"};
    for (const std::string_view alphabet : alphabets) {
        SCOPED_TRACE(std::string(alphabet));
        const lum::AlphabetTable table = lum::MakeAlphabetTable(alphabet);
        for (int b = 0; b < 256; ++b) {
            const char c = static_cast<char>(b);
            const auto pos = alphabet.find(c);
            const int expected = pos == std::string_view::npos ? -1 : int(pos);
            EXPECT_EQ(table(c), expected) << "byte " << b;
        }
    }
}

TEST(AlphabetTable, UsableAtCompileTime)
{
    constexpr lum::AlphabetTable table = lum::MakeAlphabetTable("XYZ");
    static_assert(table('Z') == 2 && table('x') == -1 && table('\0') == -1);
    EXPECT_EQ(lum::IndexIn(table, 'Y'), 1);
}

} // namespace

namespace {

TEST(TrimBlanks, SpacesByDefaultOrTheBlanksGiven)
{
    struct Row {
        std::string_view text, blanks, expected;
    };
    const Row rows[] = {
        {"  Courier  ", " ", "Courier"},
        {"Times New Roman", " ", "Times New Roman"},
        {"    ", " ", ""},
        {"", " ", ""},
        {"\tArial ", " ", "\tArial"},
        {" \t 12 3 \t", " \t", "12 3"},
        {"\t\t", " \t", ""},
        {"x", " \t", "x"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(std::string(r.text));
        EXPECT_EQ(lum::TrimBlanks(r.text, r.blanks), r.expected);
    }
    EXPECT_EQ(lum::TrimBlanks("  padded name  "), "padded name");
}

} // namespace
