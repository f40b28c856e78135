#include "cli/format.h"

#include <gtest/gtest.h>

#include <string>

#include "engine/cp1252.h"
#include "engine/escape.h"

namespace lum::cli {
namespace {

std::string Formatted(OutputFormat format, std::string_view bytes)
{
    std::string out;
    AppendFormatted(format, bytes, out);
    return out;
}

std::string AllBytes()
{
    std::string all;
    for (int b = 0; b < 256; ++b)
        all.push_back(char(b));
    return all;
}

TEST(Format, EscapedAndHexRoundTripEveryByte)
{
    for (int b = 0; b < 256; ++b) {
        SCOPED_TRACE(b);
        const std::string byte(1, char(b));
        EXPECT_EQ(ParseEscaped(Formatted(OutputFormat::Escaped, byte)), byte);
        EXPECT_EQ(ParseHex(Formatted(OutputFormat::Hex, byte)), byte);
    }
    const std::string all = AllBytes();
    EXPECT_EQ(ParseEscaped(Formatted(OutputFormat::Escaped, all)), all);
    EXPECT_EQ(ParseHex(Formatted(OutputFormat::Hex, all)), all);
}

// Line-safe: nothing but printable ASCII, so a line end in the output is
// always the end of a result.
TEST(Format, EscapedAndHexArePrintableAscii)
{
    const std::string all = AllBytes();
    for (const OutputFormat format : {OutputFormat::Escaped, OutputFormat::Hex}) {
        const std::string text = Formatted(format, all);
        for (const char c : text)
            ASSERT_TRUE(c >= 0x20 && c < 0x7F) << int(c);
    }
    EXPECT_EQ(Formatted(OutputFormat::Hex, all).find_first_not_of("0123456789ABCDEF"), std::string::npos);
}

// The escaped form is also input the engine's escape reader understands, so a
// result can be fed back to a Full ASCII or Code 128 text: a second decoder.
TEST(Format, EngineEscapeReaderDecodesEscapedOutput)
{
    const std::string all = AllBytes();
    EXPECT_EQ(DecodeEscapes(Formatted(OutputFormat::Escaped, all), Deliverable::Library), all);
}

TEST(Format, Examples)
{
    struct Row {
        OutputFormat format;
        const char* bytes;
        const char* expected;
    };
    const Row rows[] = {
        {OutputFormat::Escaped, "#ABCX#", "#ABCX#"},
        {OutputFormat::Escaped, "|12\r\nA", "|12\\r\\nA"}, // a two-line result
        {OutputFormat::Escaped, "a\\b\t", "a\\\\b\\t"},
        {OutputFormat::Escaped, "\x80\x7F\x01\xFF", "\\x80\\x7F\\x01\\xFF"},
        {OutputFormat::Hex, "#ABCX#", "234142435823"},
        {OutputFormat::Hex, "\r\n\x80", "0D0A80"},
        {OutputFormat::Raw, "\x80\r\n", "\x80\r\n"},
        {OutputFormat::Utf8, "\x80\x81 \xE9", "\xE2\x82\xAC\xC2\x81 \xC3\xA9"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.expected);
        EXPECT_EQ(Formatted(row.format, row.bytes), row.expected);
    }
}

TEST(Format, Utf8OutputConvertsBack)
{
    const std::string all = AllBytes();
    std::string back;
    ASSERT_TRUE(Utf8ToCp1252(Formatted(OutputFormat::Utf8, all), back).Ok());
    EXPECT_EQ(back, all);
}

TEST(Format, ParsersRejectWhatTheFormatsNeverWrite)
{
    for (const char* text : {"\\", "a\\", "\\q", "\\x4", "\\xG0", "\t", "\x80", "\\N"}) {
        SCOPED_TRACE(text);
        EXPECT_EQ(ParseEscaped(text), std::nullopt);
    }
    for (const char* text : {"0", "ABC", "G0", "0 "}) {
        SCOPED_TRACE(text);
        EXPECT_EQ(ParseHex(text), std::nullopt);
    }
}

TEST(Format, Names)
{
    EXPECT_EQ(ParseOutputFormat("utf8"), OutputFormat::Utf8);
    EXPECT_EQ(ParseOutputFormat("raw"), OutputFormat::Raw);
    EXPECT_EQ(ParseOutputFormat("escaped"), OutputFormat::Escaped);
    EXPECT_EQ(ParseOutputFormat("hex"), OutputFormat::Hex);
    EXPECT_EQ(ParseOutputFormat("HEX"), std::nullopt);
    EXPECT_EQ(ParseOutputFormat(""), std::nullopt);
}

} // namespace
} // namespace lum::cli
