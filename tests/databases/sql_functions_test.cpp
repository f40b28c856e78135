// The SQL core on its own: what the database runs (check_sql_functions.py)
// cannot reach or would only see blurred: texts that are not zero-terminated,
// malformed UTF-8, positions counted in characters, and every kind of font
// family.
#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

#include "hosts/sql/sql_functions.h"

namespace {

LumSqlText Arg(std::string_view s) { return {s.data(), s.size()}; }

struct Answer {
    LumSqlStatus status;
    std::optional<std::string> text;
};

// Takes over the core's buffer.
Answer Take(LumSqlResult r)
{
    Answer a{r.status, std::nullopt};
    if (r.text) {
        EXPECT_EQ(r.text[r.length], '\0');
        a.text = std::string(r.text, r.length);
        std::free(r.text);
    }
    return a;
}

TEST(SqlFunctions, ReadsOnlyTheGivenLength)
{
    // Neither argument is zero-terminated where its length ends.
    const std::string text = "ABC-xyz", id = "C39FULL";
    const Answer a = Take(lum_sql_barcode({text.data(), 3}, {id.data(), 3}, 1));
    EXPECT_EQ(a.status, LUM_SQL_OK);
    EXPECT_EQ(a.text, "#ABCX#"); // the library's example: check character X (value 33)
}

TEST(SqlFunctions, ConvertsBetweenUtf8AndWindows1252)
{
    struct Row {
        std::string_view text, id;
        int check;
        LumSqlStatus status;
        std::string_view expected; // lumcode encode, or the error message
    };
    const Row rows[] = {
        // U+20AC, three bytes in UTF-8, is byte 0x80 in the engine, code 128 in Code 128; the
        // font string's own bytes above 127 come back as UTF-8.
        {"A\u20AC", "C128", 0, LUM_SQL_OK, "\u02C6Ba[\u2039"},
        // Positions count characters, not UTF-8 bytes: the Japanese character is the 3rd.
        {"a\u00E9\u65E5", "C128", 0, LUM_SQL_REJECTED,
         "C128: character \"\u65E5\" (U+65E5) at position 3 has no Windows-1252 form"},
        // A C1 control has no Windows-1252 form either (byte 0x80 is the euro sign); named by code point.
        {"1\u0080", "C128", 0, LUM_SQL_REJECTED, "C128: character U+0080 at position 2 has no Windows-1252 form"},
        // SQLite hands over whatever bytes a text holds: a lone continuation byte.
        {"12\x80", "EAN13", 1, LUM_SQL_REJECTED, "EAN13: invalid UTF-8 at byte 3"},
        // Rule failures quote the text as given and say why.
        {"abc-12", "ean13", 1, LUM_SQL_REJECTED,
         "EAN13: \"abc-12\": character \"a\" at position 1 is not allowed; allowed: digits 0-9"},
        {"1", "C\u00D6D", 1, LUM_SQL_REJECTED, "unknown symbology identifier \"C\u00D6D\""},
        {"1", "\u65E5", 1, LUM_SQL_REJECTED, "unknown symbology identifier \"?\""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.id) + " " + std::string(row.text));
        const Answer a = Take(lum_sql_barcode(Arg(row.text), Arg(row.id), row.check));
        EXPECT_EQ(a.status, row.status);
        EXPECT_EQ(a.text, std::string(row.expected));
        // The four request functions agree on acceptance.
        const Answer reason = Take(lum_sql_reason(Arg(row.text), Arg(row.id), row.check));
        EXPECT_EQ(reason.status, LUM_SQL_OK);
        EXPECT_EQ(reason.text.has_value(), row.status != LUM_SQL_OK);
        if (reason.text) {
            EXPECT_NE(std::string(row.expected).find(*reason.text), std::string::npos) << *reason.text;
        }
        EXPECT_EQ(lum_sql_valid(Arg(row.text), Arg(row.id), row.check), row.status == LUM_SQL_OK ? 1 : 0);
        EXPECT_EQ(Take(lum_sql_validate(Arg(row.text), Arg(row.id), row.check)).status, row.status);
    }
}

TEST(SqlFunctions, ValidateReturnsTheNormalisedText)
{
    struct Row {
        std::string_view text, id;
        int check;
        std::string_view expected; // lumcode validate
    };
    const Row rows[] = {
        {"", "EAN13", 1, "000000000000"},
        {"abc-12", "c39", 0, "ABC-12"},
        {"1234", "C25", 1, "01234"},
        {"a123b", "CBAR", 0, "A123B"},
        {"x\u201Ay", "C128", 1, "x\u201Ay"}, // unchanged, back in UTF-8
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.id) + " " + std::string(row.text));
        EXPECT_EQ(Take(lum_sql_validate(Arg(row.text), Arg(row.id), row.check)).text, std::string(row.expected));
    }
}

// A text the validation accepts but the encoder cannot carry is rejected by
// every function, lum_validate included: acceptance means "prints".
TEST(SqlFunctions, EncoderRefusalIsARejection)
{
    const Answer a = Take(lum_sql_validate(Arg("\u00E9"), Arg("C39FULL"), 0));
    EXPECT_EQ(a.status, LUM_SQL_REJECTED);
    EXPECT_EQ(a.text, "C39FULL: \"\u00E9\": character \"\u00E9\" (U+00E9) at position 1 is code 233; C39FULL "
                      "encodes codes 0 to 127");
    EXPECT_EQ(lum_sql_valid(Arg("\u00E9"), Arg("C39FULL"), 0), 0);
}

TEST(SqlFunctions, FontNames)
{
    struct Row {
        std::string_view id, style;
        LumSqlStatus status;
        std::string_view expected;
    };
    // Families of six styles, of two, and single fonts; English and Italian
    // style names in any letter case.
    const Row rows[] = {
        {"C39", "Normal", LUM_SQL_OK, "VOR39"},
        {"c39", "narrow short", LUM_SQL_OK, "VOR39 Narrow Short"},
        {"C93", "LARGO", LUM_SQL_OK, "VOR93 Wide"},
        {"C25", "Short", LUM_SQL_OK, "VOR25 ITF Short"},
        {"E128", "Corto", LUM_SQL_OK, "VOR128 Short"},
        {"EAN13", "Wide short", LUM_SQL_OK, "VOREAN"},
        {"C32HRC", "Stretto", LUM_SQL_OK, "VOR32"},
        {"DELTA", "Normale", LUM_SQL_OK, "VORDELTA DA"},
        {"C128", "Wide", LUM_SQL_REJECTED, "C128: font family VOR128 has no style \"Wide\"; its styles: Normal, Short"},
        {"C39", "Bold", LUM_SQL_REJECTED,
         "unknown style \"Bold\"; styles: Normal, Narrow, Wide, Short, Narrow short, Wide short"},
        {"C39", "", LUM_SQL_REJECTED,
         "unknown style \"\"; styles: Normal, Narrow, Wide, Short, Narrow short, Wide short"},
        {"VOR39", "Normal", LUM_SQL_REJECTED, "unknown symbology identifier \"VOR39\""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.id) + " " + std::string(row.style));
        const Answer a = Take(lum_sql_font(Arg(row.id), Arg(row.style)));
        EXPECT_EQ(a.status, row.status);
        EXPECT_EQ(a.text, std::string(row.expected));
    }
}

} // namespace
