#include "engine/escape.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace lum {
namespace {

struct EscapeRow {
    const char* text;
    std::vector<int> library;   // codes read by the library
    std::vector<int> assistant; // codes read by the desktop program; empty: as the library
    const char* note;
};

const EscapeRow kRows[] = {
    {"A\\tB", {65, 9, 66}, {}, "tab"},
    {"\\a\\b\\t\\n\\v\\f\\r", {7, 8, 9, 10, 11, 12, 13}, {}, "C escapes"},
    {"\\A\\B\\T\\N\\V\\F\\R", {7, 8, 9, 10, 11, 12, 13}, {}, "upper-case letters work alike"},
    {"\\\"\\'\\?\\\\", {34, 39, 63, 92}, {}, "quotes, question mark, backslash"},
    {"\\d065", {65}, {}, "decimal"},
    {"\\101", {65}, {}, "octal"},
    {"\\x41", {65}, {}, "hex"},
    {"\\X4a", {74}, {}, "hex, either case"},
    {"\\d7A", {7, 65}, {}, "decimal stops at a non-digit"},
    {"\\x4G", {4, 71}, {}, "hex stops at a non-hex digit"},
    {"\\x414", {65, 52}, {}, "at most two hex digits"},
    {"\\d1234", {123, 52}, {}, "at most three decimal digits"},
    {"\\0", {0}, {}, "NUL"},
    {"\\08", {0, 56}, {}, "8 is not octal"},
    {"\\8", {56}, {}, "8 after a backslash is the character"},
    {"\\q", {113}, {}, "unknown escape is the character"},
    {"\\d255", {255}, {}, "largest decimal"},
    {"\\d256", {25, 54}, {255}, "above 255: two digits and a character, or 255"},
    {"\\d999x", {99, 57, 120}, {255, 120}, "above 255"},
    {"\\777", {63, 55}, {255}, "octal above 255"},
    {"\\400", {32, 48}, {255}, "octal 256"},
    {"\\377", {255}, {}, "largest octal"},
    {"\\", {92}, {}, "a trailing backslash stands for itself"},
    {"A\\", {65, 92}, {}, "likewise after text"},
    {"\\d", {100}, {}, "\\d without digits is the letter"},
    {"\\dZ", {100, 90}, {}, "likewise before a letter"},
    {"\\x", {120}, {}, "\\x without digits is the letter"},
    {"\\xg", {120, 103}, {}, "likewise before a non-hex letter"},
    {"\xC8\x80", {200, 128}, {}, "8-bit bytes are read as they are"},
};

std::vector<int> ReadAll(std::string_view text, Deliverable who)
{
    std::vector<int> codes;
    for (std::size_t pos = 0; pos < text.size();) {
        const EscapeRead r = ReadEscape(text, pos, who);
        codes.push_back(r.value);
        pos = r.next;
    }
    return codes;
}

TEST(Escape, Table)
{
    for (const EscapeRow& row : kRows) {
        SCOPED_TRACE(testing::Message() << "'" << row.text << "' " << row.note);
        EXPECT_EQ(ReadAll(row.text, Deliverable::Library), row.library);
        EXPECT_EQ(ReadAll(row.text, Deliverable::Assistant), row.assistant.empty() ? row.library : row.assistant);
        const std::string decoded = DecodeEscapes(row.text, Deliverable::Library);
        ASSERT_EQ(decoded.size(), row.library.size());
        for (std::size_t i = 0; i < decoded.size(); ++i)
            EXPECT_EQ(static_cast<unsigned char>(decoded[i]), row.library[i]);
    }
}

// On random byte strings heavy in backslashes and digits the reader always
// advances, stays within the text, and every code fits a byte.
TEST(Escape, AlwaysAdvancesWithinTheText)
{
    std::mt19937 rng(1234);
    const std::string alphabet = "\\\\\\0123456789dDxXaF\xff\x01 ";
    for (int round = 0; round < 20000; ++round) {
        std::string text(rng() % 12, ' ');
        for (char& c : text)
            c = alphabet[rng() % alphabet.size()];
        for (Deliverable who : {Deliverable::Library, Deliverable::Assistant}) {
            for (std::size_t pos = 0; pos < text.size();) {
                const EscapeRead r = ReadEscape(text, pos, who);
                ASSERT_GT(r.next, pos) << text;
                ASSERT_LE(r.next, text.size()) << text;
                pos = r.next;
            }
        }
    }
}

TEST(Escape, FirstCodeAbove)
{
    EXPECT_EQ(FirstCodeAbove("ABC", 127, Deliverable::Library), std::nullopt);
    EXPECT_EQ(FirstCodeAbove("AB\\d128", 127, Deliverable::Library), 2u);
    EXPECT_EQ(FirstCodeAbove("A\\x81", 132, Deliverable::Library), std::nullopt);
    EXPECT_EQ(FirstCodeAbove("A\\x85", 132, Deliverable::Library), 1u);
    EXPECT_EQ(FirstCodeAbove("", 0, Deliverable::Library), std::nullopt);
}

} // namespace
} // namespace lum
