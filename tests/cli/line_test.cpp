#include "cli/line.h"

#include <gtest/gtest.h>

#include <string>

namespace lum::cli {
namespace {

struct Row {
    const char* id;
    Action action;
    bool check;
    const char* input;
    bool accepted;
    const char* expected; // the output; or a part of the message on rejection
    const char* note;     // where the expectation comes from
};

constexpr Action E = Action::Encode;
constexpr Action V = Action::Validate;

// Encode rows use only the Code 39 encoders; the others check the validation
// rules of the catalogue through the messages they give.
constexpr Row kRows[] = {
    {"C39", E, true, "ABC", true, "#ABCX#", "ISO/IEC 16388 check: 10+11+12 = 33 -> X"},
    {"c39", E, false, "abc", true, "#ABC#", "upper-cased; identifier in any case"},
    {"C39FULL", E, true, "a", true, "#+A8#", "+A, then 41+10 = 51 mod 43 = 8"},
    {"C39FULL", E, false, "Code 39", true, "#C+O+D+E_39#", "Full ASCII table"},
    {"C39FULL", E, false, "\xC3\xA9", false,
     "character \"\xC3\xA9\" (U+00E9) at position 1 is code 233; C39FULL "
     "encodes codes 0 to 127",
     "e acute is byte E9"},
    {"C39FULL", E, false, "ab\\d200", false, "escape \"\\d200\" at position 3 stands for code 200",
     "decimal escape above 127"},
    {"C39", E, false, "AB C", false, "character \" \" at position 3 is not allowed; allowed: 0-9, A-Z",
     "space is not a Code 39 character"},
    {"C39", E, false, "A\tB", false, "\"A\\tB\": character U+0009 at position 2 is not allowed",
     "a control is named by its code point and escaped in the quote"},
    {"C39", V, false, "abc-12", true, "ABC-12", "upper-cased"},
    {"EAN13", V, true, "", true, "000000000000", "padded to 12 with the flag"},
    {"EAN13", V, false, "123", true, "0000000000123", "padded to 13 without"},
    {"EAN13", V, true, "1234567890123", false, "too long: 13 characters, at most 12 with --check", "12 + e"},
    {"EAN13", V, false, "12345678901234", false, "too long: 14 characters, at most 13 without --check", "12 + e"},
    {"EAN13", V, true, "12a", false, "character \"a\" at position 3 is not allowed; allowed: digits 0-9", "digits"},
    {"POSTNET", V, true, "1234", true, "01234", "pad to 5"},
    {"POSTNET", V, true, "123456", true, "000123456", "pad to 9"},
    {"POSTNET", V, true, "123456789012", false, "at most 11 with --check", "11 + e"},
    {"C25", V, true, "123", true, "123", "odd with the flag: the check digit makes it even"},
    {"C25", V, true, "1234", true, "01234", "even with the flag: padded"},
    {"C25", V, false, "123", true, "0123", "odd without the flag: padded"},
    {"UPCE", V, true, "1234567", true, "1234567", "number system 1"},
    {"UPCE", V, true, "2234567", false, "first digit \"2\" is not allowed; the number system digit must be 0 or 1",
     "number system 2"},
    {"UPCE", V, true, "123", true, "0000123", "padded, number system 0"},
    {"CBAR", V, false, "a123b", true, "A123B", "upper-cased start and stop"},
    {"CBAR", V, false, "A123", false, "character \"3\" at position 4 is not a start/stop character", "stop missing"},
    {"CBAR", V, false, "AB", false, "too short: 2 characters, at least 3", "minimum 3"},
    {"CBAR", V, false, "A1X2B", false, "character \"X\" at position 3 is not allowed; allowed: 0-9 and - $ : / . +",
     "Codabar data set"},
    {"CIP", V, true, "3", false, "no check digit exists", "000003: 3 x 7 = 21, mod 11 = 10"},
    {"CIP", V, true, "4", true, "000004", "4 x 7 = 28, mod 11 = 6"},
    {"PLESSEY", V, false, "12G", false, "character \"G\" at position 3 is not allowed; allowed: 0-9 and A-F", "hex"},
    {"DELTA", V, false, "12N", false, "allowed: 0-9, K, L, M and O", "Delta set"},
    {"C11", V, false, "1-2+", false, "character \"+\" at position 4 is not allowed; allowed: 0-9 and -", "Code 11"},
    {"C128", V, false, "any \xE2\x82\xAC text", true, "any \xE2\x82\xAC text", "no rule; euro sign round-trips"},
    {"C39", E, false, "\xC4\x80", false, "character \"\xC4\x80\" (U+0100) at position 1 has no Windows-1252 form",
     "A with macron is outside the code page"},
    {"C39", E, false, "AB\xFF", false, "\"AB\\xFF\": invalid UTF-8 at byte 3", "byte FF never occurs in UTF-8"},
};

TEST(LineHandler, Table)
{
    for (const Row& row : kRows) {
        SCOPED_TRACE(testing::Message() << row.id << " '" << row.input << "': " << row.note);
        const Symbology* entry = FindSymbology(row.id);
        ASSERT_NE(entry, nullptr);
        LineHandler handler({entry, row.action, row.check, false, OutputFormat::Utf8});
        std::string out = "kept|", message;
        const bool accepted = handler.Handle(row.input, 0, out, message);
        EXPECT_EQ(accepted, row.accepted) << message;
        if (row.accepted) {
            EXPECT_EQ(out, std::string("kept|") + row.expected);
        } else {
            EXPECT_EQ(out, "kept|"); // a rejection adds nothing
            EXPECT_NE(message.find(row.expected), std::string::npos) << message;
            EXPECT_EQ(message.find('\n'), std::string::npos) << "one line";
            EXPECT_TRUE(message.starts_with(entry->id)) << message;
        }
    }
}

TEST(LineHandler, MessagesNameTheLineAndTheInput)
{
    LineHandler handler({FindSymbology("EAN8"), Action::Encode, true, false, OutputFormat::Utf8});
    std::string out, message;
    EXPECT_FALSE(handler.Handle("12345678", 42, out, message));
    EXPECT_EQ(message, "EAN8: line 42: \"12345678\": too long: 8 characters, at most 7 with --check");
}

TEST(LineHandler, RejectionLeavesNoStateBehind)
{
    LineHandler handler({FindSymbology("C39"), Action::Encode, true, false, OutputFormat::Escaped});
    std::string out, message;
    EXPECT_TRUE(handler.Handle("LONGER_TEXT", 1, out, message));
    EXPECT_FALSE(handler.Handle("bad text", 2, out, message));
    EXPECT_TRUE(handler.Handle("ABC", 3, out, message));
    // "LONGER_TEXT": 21+24+23+16+14+27+38+29+14+33+29 = 268, mod 43 = 10 -> A (hand sum).
    EXPECT_EQ(out, "#LONGER_TEXTA##ABCX#");
}

TEST(LineHandler, RawInputPassesBytes)
{
    // Byte C8 is code 200 whatever it stands for; without --raw-input it is not UTF-8.
    LineHandler raw({FindSymbology("C39FULL"), Action::Encode, false, true, OutputFormat::Utf8});
    std::string out, message;
    EXPECT_FALSE(raw.Handle("\xC8", 0, out, message));
    EXPECT_NE(message.find("character \"\xC3\x88\" (U+00C8) at position 1 is code 200"), std::string::npos) << message;

    LineHandler validate({FindSymbology("C128"), Action::Validate, false, true, OutputFormat::Hex});
    EXPECT_TRUE(validate.Handle("\x80\xFF", 0, out, message));
    EXPECT_EQ(out, "80FF");
}

TEST(LineHandler, LongInputsAreCutInMessages)
{
    LineHandler handler({FindSymbology("EAN13"), Action::Validate, true, false, OutputFormat::Utf8});
    std::string out, message;
    EXPECT_FALSE(handler.Handle(std::string(5000, '7'), 0, out, message));
    EXPECT_NE(message.find("...\": too long: 5000 characters"), std::string::npos) << message;
    EXPECT_LT(message.size(), 200u);
}

TEST(QuoteForMessage, EscapesControlsOnly)
{
    EXPECT_EQ(QuoteForMessage("a\\d009\t\r\n\x01\x80\""), "\"a\\d009\\t\\r\\n\\x01\xE2\x82\xAC\"\"");
    EXPECT_EQ(QuoteForMessage("abcdef", 3), "\"abc...\"");
}

} // namespace
} // namespace lum::cli
