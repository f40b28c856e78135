#include "engine/cp1252.h"

#include <gtest/gtest.h>
#include <iconv.h>

#include <string>

namespace lum {
namespace {

std::string ToUtf8(std::string_view bytes)
{
    std::string out;
    AppendCp1252AsUtf8(bytes, out);
    return out;
}

TEST(Cp1252, EveryByteRoundTripsThroughUtf8)
{
    std::string all;
    for (int b = 0; b < 256; ++b) {
        SCOPED_TRACE(b);
        const std::string byte(1, char(b));
        const std::string utf8 = ToUtf8(byte);
        std::string back;
        ASSERT_TRUE(Utf8ToCp1252(utf8, back).Ok());
        EXPECT_EQ(back, byte);
        EXPECT_EQ(UnicodeToCp1252(Cp1252ToUnicode(static_cast<unsigned char>(b))), b);
        all += byte;
    }
    std::string back;
    ASSERT_TRUE(Utf8ToCp1252(ToUtf8(all), back).Ok());
    EXPECT_EQ(back, all);
}

// Values from the Windows-1252 code chart (Unicode's cp1252.txt mapping).
TEST(Cp1252, KnownCharacters)
{
    struct Row {
        unsigned char byte;
        char32_t codePoint;
        const char* utf8;
    };
    constexpr Row kRows[] = {
        {0x41, U'A', "A"},          {0x80, 0x20AC, "\xE2\x82\xAC"}, // euro sign
        {0x81, 0x0081, "\xC2\x81"},                                 // undefined: its own C1 control
        {0x8A, 0x0160, "\xC5\xA0"},                                 // S with caron
        {0x8D, 0x008D, "\xC2\x8D"}, {0x8F, 0x008F, "\xC2\x8F"},
        {0x90, 0x0090, "\xC2\x90"}, {0x99, 0x2122, "\xE2\x84\xA2"}, // trade mark sign
        {0x9D, 0x009D, "\xC2\x9D"}, {0x9F, 0x0178, "\xC5\xB8"},     // Y with diaeresis
        {0xA0, 0x00A0, "\xC2\xA0"}, {0xE9, 0x00E9, "\xC3\xA9"},     // e acute
        {0xFF, 0x00FF, "\xC3\xBF"},
    };
    for (const Row& row : kRows) {
        SCOPED_TRACE(int(row.byte));
        EXPECT_EQ(Cp1252ToUnicode(row.byte), row.codePoint);
        EXPECT_EQ(ToUtf8(std::string(1, char(row.byte))), row.utf8);
    }
}

// glibc's own WINDOWS-1252 converter is an independent table for the 251
// bytes the code page defines.
TEST(Cp1252, AgreesWithIconvOnDefinedBytes)
{
    const iconv_t cd = iconv_open("UTF-8", "WINDOWS-1252");
    if (cd == iconv_t(-1))
        GTEST_SKIP() << "no WINDOWS-1252 converter";
    int compared = 0;
    for (int b = 0; b < 256; ++b) {
        if (b == 0x81 || b == 0x8D || b == 0x8F || b == 0x90 || b == 0x9D)
            continue;
        char in = char(b);
        char out[8];
        char* inPtr = &in;
        char* outPtr = out;
        std::size_t inLeft = 1, outLeft = sizeof out;
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
        ASSERT_NE(iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft), std::size_t(-1)) << b;
        EXPECT_EQ(ToUtf8(std::string(1, in)), std::string(out, outPtr)) << "byte " << b;
        ++compared;
    }
    iconv_close(cd);
    EXPECT_EQ(compared, 251);
}

TEST(Cp1252, InvalidUtf8IsReportedAtItsOffset)
{
    struct Row {
        const char* input;
        std::size_t offset;
        const char* note;
    };
    constexpr Row kRows[] = {
        {"\x80", 0, "lone continuation byte"},
        {"ab\xC3", 2, "sequence cut by the end"},
        {"\xC3"
         "A",
         0, "lead byte without continuation"},
        {"\xC0\x80", 0, "overlong NUL"},
        {"\xC1\xBF", 0, "overlong 7-bit"},
        {"\xE0\x80\xAF", 0, "overlong three-byte"},
        {"\xED\xA0\x80", 0, "surrogate U+D800"},
        {"\xF0\x80\x80\xAF", 0, "overlong four-byte"},
        {"\xF4\x90\x80\x80", 0, "above U+10FFFF"},
        {"\xF5\x80\x80\x80", 0, "lead byte F5"},
        {"x\xFF", 1, "byte FF"},
        {"\xE2\x82", 0, "euro sign cut short"},
        {"\xC3\xA9\xE2\x28\xA1", 2, "bad second byte after a good character"},
    };
    for (const Row& row : kRows) {
        SCOPED_TRACE(row.note);
        std::string out;
        const Utf8Conversion c = Utf8ToCp1252(row.input, out);
        EXPECT_EQ(c.problem, Utf8Problem::InvalidUtf8);
        EXPECT_EQ(c.offset, row.offset);
    }
}

TEST(Cp1252, CharactersWithoutAWindows1252FormAreReported)
{
    struct Row {
        const char* input;
        char32_t codePoint;
        std::size_t offset, position;
    };
    constexpr Row kRows[] = {
        {"\xC4\x80", 0x0100, 0, 0},                         // A with macron
        {"\xC2\x80", 0x0080, 0, 0},                         // C1 control 80: byte 80 is the euro sign
        {"\xC2\x9F", 0x009F, 0, 0},                         // byte 9F is Y with diaeresis
        {"\xC3\xA9\xE2\x82\xAC\xE2\x98\x83", 0x2603, 5, 2}, // e acute, euro, snowman
        {"ab\xF0\x9F\x98\x80", 0x1F600, 2, 2},              // four-byte emoji
        {"\xEF\xBB\xBF", 0xFEFF, 0, 0},                     // a byte order mark inside a text
    };
    for (const Row& row : kRows) {
        SCOPED_TRACE(row.input);
        std::string out;
        const Utf8Conversion c = Utf8ToCp1252(row.input, out);
        EXPECT_EQ(c.problem, Utf8Problem::NoCp1252Form);
        EXPECT_EQ(c.codePoint, row.codePoint);
        EXPECT_EQ(c.offset, row.offset);
        EXPECT_EQ(c.position, row.position);
        EXPECT_EQ(out.size(), row.position); // the characters before it
    }
}

TEST(Cp1252, AppendUtf8MatchesTheStandardForms)
{
    // Byte forms from the Unicode Standard, table 3-4 examples.
    std::string out;
    AppendUtf8(U'A', out);
    AppendUtf8(0x00E9, out);
    AppendUtf8(0x20AC, out);
    AppendUtf8(0x1F600, out);
    EXPECT_EQ(out, "A\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80");
    const Utf8Char c = ReadUtf8(out, 6);
    EXPECT_EQ(c.codePoint, char32_t(0x1F600));
    EXPECT_EQ(c.length, 4u);
}

} // namespace
} // namespace lum
