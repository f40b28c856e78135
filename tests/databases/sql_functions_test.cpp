// The SQL core on its own, for what the runs in the databases
// (check_sql_functions.py) cannot reach: texts that are not zero-terminated,
// malformed UTF-8, and font names for every kind of family and style.
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

// What SQL cannot send (malformed UTF-8 reaches SQLite, never PostgreSQL) or
// the comparison with lumcode cannot tell apart.
TEST(SqlFunctions, RejectsWhatWindows1252CannotHold)
{
    struct Row {
        std::string_view text, id;
        std::string_view message;
    };
    const Row rows[] = {
        // A lone continuation byte.
        {"12\x80", "EAN13", "EAN13: invalid UTF-8 at byte 3"},
        // A C1 control has no Windows-1252 form (byte 0x80 is the euro sign); named by code point.
        {"1\u0080", "C128", "C128: character U+0080 at position 2 has no Windows-1252 form"},
        // Identifiers are quoted in Windows-1252 where they can be, "?" elsewhere.
        {"1", "C\u00D6D", "unknown symbology identifier \"C\u00D6D\""},
        {"1", "\u65E5", "unknown symbology identifier \"?\""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.id) + " " + std::string(row.text));
        const Answer a = Take(lum_sql_barcode(Arg(row.text), Arg(row.id), 1));
        EXPECT_EQ(a.status, LUM_SQL_REJECTED);
        EXPECT_EQ(a.text, std::string(row.message));
        // lum_reason gives the reason alone, lum_valid agrees.
        const Answer reason = Take(lum_sql_reason(Arg(row.text), Arg(row.id), 1));
        ASSERT_TRUE(reason.text.has_value());
        EXPECT_TRUE(std::string_view(row.message).ends_with(*reason.text)) << *reason.text;
        EXPECT_EQ(lum_sql_valid(Arg(row.text), Arg(row.id), 1), 0);
    }
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
