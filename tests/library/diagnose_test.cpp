// VORDiagnoseDLL: the reason a request fails, in both languages, under the
// buffer rules of the bounded exports.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/library/host.h"

namespace {

using lumtest::Library;

std::string Reason(const std::string& text, const char* id, int check, int language)
{
    const lumtest::Lumdll& lib = Library();
    const int needed = lib.diagnose(text.c_str(), id, check, language, nullptr, 0);
    std::vector<char> out(std::size_t(needed) + 1, '\xAA');
    EXPECT_EQ(lib.diagnose(text.c_str(), id, check, language, out.data(), int(out.size())), needed);
    return std::string(out.data());
}

TEST(LumdllDiagnose, ReasonsInBothLanguages)
{
    LUMTEST_REQUIRE_LIBRARY();
    struct Row {
        const char* id;
        const char* text;
        int check;
        const char* english;
        const char* italian; // Windows-1252
    };
    const Row rows[] = {
        {"C39", "ABC", 1, "", ""},
        {"EAN13", "1234567890123", 1, "too long: 13 characters, at most 12 when the check digit is added",
         "troppo lungo: 13 caratteri, al massimo 12 se la cifra di controllo va aggiunta"},
        {"ean8", "123456789", 0, "too long: 9 characters, at most 8 when the text carries its check digit",
         "troppo lungo: 9 caratteri, al massimo 8 se il testo contiene la cifra di controllo"},
        {"C39", "AB c\xE9", 0,
         "character \" \" at position 3 is not allowed; allowed: 0-9, A-Z and - . _ $ / + % (\"_\" stands for a space)",
         "carattere \" \" in posizione 3 non ammesso; ammessi: 0-9, A-Z e - . _ $ / + % (\"_\" sta per lo spazio)"},
        {"UPCE", "2234567", 1, "first digit \"2\" is not allowed; the number system digit must be 0 or 1",
         "prima cifra \"2\" non ammessa; la cifra del sistema di numerazione deve essere 0 o 1"},
        {"CBAR", "A123", 0, "character \"3\" at position 4 is not a start/stop character (A, B, C, D, E, M, T or *)",
         "carattere \"3\" in posizione 4 non \xE8 un carattere di start/stop (A, B, C, D, E, M, T o *)"},
        {"C39FULL", "a\xE9", 0, "character \"\xE9\" (U+00E9) at position 2 is code 233; C39FULL encodes codes 0 to 127",
         "carattere \"\xE9\" (U+00E9) in posizione 2 \xE8 il codice 233; C39FULL codifica i codici da 0 a 127"},
        {"C128", "A\\d200", 0, "escape \"\\d200\" at position 2 stands for code 200; C128 encodes codes 0 to 132",
         "la sequenza \"\\d200\" in posizione 2 rappresenta il codice 200; C128 codifica i codici da 0 a 132"},
        {"NOSUCH", "1", 0, "unknown symbology identifier \"NOSUCH\"",
         "identificativo di simbologia sconosciuto \"NOSUCH\""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.id) + " " + row.text);
        EXPECT_EQ(Reason(row.text, row.id, row.check, 0), row.english);
        EXPECT_EQ(Reason(row.text, row.id, row.check, 1), row.italian);
        EXPECT_EQ(Reason(row.text, row.id, row.check, 7), row.english) << "other languages read as English";
    }
}

TEST(LumdllDiagnose, WritesOnlyWhatFits)
{
    LUMTEST_REQUIRE_LIBRARY();
    const lumtest::Lumdll& lib = Library();
    const std::string reason = Reason("12a", "EAN13", 1, 0);
    const int n = int(reason.size());
    ASSERT_GT(n, 0);
    for (const int capacity : {1, n - 1, n, n + 1}) {
        SCOPED_TRACE(capacity);
        std::vector<char> out(std::size_t(n) + 8, '\xAA');
        EXPECT_EQ(lib.diagnose("12a", "EAN13", 1, 0, out.data(), capacity), n);
        EXPECT_EQ(std::string(out.data()), capacity > n ? reason : "");
        EXPECT_EQ(out[std::size_t(capacity)], '\xAA') << "nothing past the capacity";
    }
    char untouched = '\xAA';
    EXPECT_EQ(lib.diagnose("12a", "EAN13", 1, 0, &untouched, 0), n);
    EXPECT_EQ(untouched, '\xAA');
    // An accepted text: 0 and an empty string; NULL arguments: 0.
    char out[8] = "xxxxxxx";
    EXPECT_EQ(lib.diagnose("590123412345", "EAN13", 1, 0, out, int(sizeof out)), 0);
    EXPECT_STREQ(out, "");
    EXPECT_EQ(lib.diagnose(nullptr, "EAN13", 1, 0, out, int(sizeof out)), 0);
    EXPECT_EQ(lib.diagnose("1", nullptr, 1, 0, nullptr, 0), 0);
}

} // namespace
