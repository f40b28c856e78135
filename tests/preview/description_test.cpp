#include "assistant/preview/description.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace lum::preview {
namespace {

constexpr Language kEn = Language::English;
constexpr Language kIt = Language::Italian;

SymbologyDescription Describe(int nameId, Language language, bool cd, int index = 0, int count = 6)
{
    return DescriviSimbologia({nameId, language, cd, index, count});
}

// Every caption byte for byte, with and without the check box, in both
// languages; typed from the description table (the words 94 to 98 in each
// language, every other character literal).
struct Caption {
    int nameId;
    std::string_view englishCd, englishNoCd, italianCd, italianNoCd;
};

// clang-format off
const Caption kCaptions[] = {
    {400, "Length: variable, alphabet 0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ-._$/+%",
     "Length: variable, alphabet 0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ-._$/+%",
     "Lunghezza: variabile, alfabeto 0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ-._$/+%",
     "Lunghezza: variabile, alfabeto 0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ-._$/+%"},
    {402, "Length: variable, alphabet 0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ-._$/+%",
     "Length: variable, alphabet 0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ-._$/+%",
     "Lunghezza: variabile, alfabeto 0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ-._$/+%",
     "Lunghezza: variabile, alfabeto 0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ-._$/+%"},
    {401, "Length: variable, alphabet ASCII", "Length: variable, alphabet ASCII", "Lunghezza: variabile, alfabeto ASCII",
     "Lunghezza: variabile, alfabeto ASCII"},
    {403, "Length: variable, alphabet ASCII", "Length: variable, alphabet ASCII", "Lunghezza: variabile, alfabeto ASCII",
     "Lunghezza: variabile, alfabeto ASCII"},
    {428, "Length: variable, max 15 characters, alphabet 0123456789ABCDEF",
     "Length: variable, max 15 characters, alphabet 0123456789ABCDEF",
     "Lunghezza: variabile, max 15 caratteri, alfabeto 0123456789ABCDEF",
     "Lunghezza: variabile, max 15 caratteri, alfabeto 0123456789ABCDEF"},
    {426, "Length: variable, alphabet 0123456789-", "Length: variable, alphabet 0123456789-",
     "Lunghezza: variabile, alfabeto 0123456789-", "Lunghezza: variabile, alfabeto 0123456789-"},
    {432, "Length: 13 digits", "Length: 14 digits", "Lunghezza: 13 cifre", "Lunghezza: 14 cifre"},
    {433, "Length: 5/9/11 digits", "Length: 6/10/12 digits", "Lunghezza: 5/9/11 cifre", "Lunghezza: 6/10/12 cifre"},
    {427, "Length: 6 digits", "Length: 7 digits", "Lunghezza: 6 cifre", "Lunghezza: 7 cifre"},
    {429, "Length: variable, max 15 characters, alphabet 0123456789KLMO",
     "Length: variable, max 16 characters, alphabet 0123456789KLMO",
     "Lunghezza: variabile, max 15 caratteri, alfabeto 0123456789KLMO",
     "Lunghezza: variabile, max 16 caratteri, alfabeto 0123456789KLMO"},
    {409, "Length: variable, max 13 digits", "Length: variable, max 15 digits", "Lunghezza: variabile, max 13 cifre",
     "Lunghezza: variabile, max 15 cifre"},
    {410, "Length: 8 digits", "Length: 9 digits", "Lunghezza: 8 cifre", "Lunghezza: 9 cifre"},
    {411, "Length: variable, a/b/c/d + alphabet: 0123456789+.-$:/ + e/m/t/*",
     "Length: variable, a/b/c/d + alphabet: 0123456789+.-$:/ + e/m/t/*",
     "Lunghezza: variabile, a/b/c/d + alfabeto: 0123456789+.-$:/ + e/m/t/*",
     "Lunghezza: variabile, a/b/c/d + alfabeto: 0123456789+.-$:/ + e/m/t/*"},
    {404, "Length: variable, digits", "Length: variable, digits", "Lunghezza: variabile, cifre",
     "Lunghezza: variabile, cifre"},
    {405, "Length: variable, digits", "Length: variable, digits", "Lunghezza: variabile, cifre",
     "Lunghezza: variabile, cifre"},
    {406, "Length: variable, digits", "Length: variable, digits", "Lunghezza: variabile, cifre",
     "Lunghezza: variabile, cifre"},
    {407, "Length: variable, digits", "Length: variable, digits", "Lunghezza: variabile, cifre",
     "Lunghezza: variabile, cifre"},
    {408, "Length: variable, digits", "Length: variable, digits", "Lunghezza: variabile, cifre",
     "Lunghezza: variabile, cifre"},
    {430, "Length: variable, digits", "Length: variable, digits", "Lunghezza: variabile, cifre",
     "Lunghezza: variabile, cifre"},
    {431, "Length: variable, digits", "Length: variable, digits", "Lunghezza: variabile, cifre",
     "Lunghezza: variabile, cifre"},
    {412, "Length: 7 digits", "Length: 8 digits", "Lunghezza: 7 cifre", "Lunghezza: 8 cifre"},
    {413, "Length: 9 digits", "Length: 10 digits", "Lunghezza: 9 cifre", "Lunghezza: 10 cifre"},
    {414, "Length: 12 digits", "Length: 13 digits", "Lunghezza: 12 cifre", "Lunghezza: 13 cifre"},
    {415, "Length: 12 digits", "Length: 13 digits", "Lunghezza: 12 cifre", "Lunghezza: 13 cifre"},
    {416, "Length: 14 digits", "Length: 15 digits", "Lunghezza: 14 cifre", "Lunghezza: 15 cifre"},
    {417, "Length: 17 digits", "Length: 18 digits", "Lunghezza: 17 cifre", "Lunghezza: 18 cifre"},
    {418, "Length: 11 digits", "Length: 12 digits", "Lunghezza: 11 cifre", "Lunghezza: 12 cifre"},
    {419, "Length: 13 digits", "Length: 14 digits", "Lunghezza: 13 cifre", "Lunghezza: 14 cifre"},
    {420, "Length: 16 digits", "Length: 17 digits", "Lunghezza: 16 cifre", "Lunghezza: 17 cifre"},
    {421, "Length: 0/1 + 6 digits", "Length: 0/1 + 7 digits", "Lunghezza: 0/1 + 6 cifre", "Lunghezza: 0/1 + 7 cifre"},
    {422, "Length: 0/1 + 8 digits", "Length: 0/1 + 9 digits", "Lunghezza: 0/1 + 8 cifre", "Lunghezza: 0/1 + 9 cifre"},
    {423, "Length: 0/1 + 11 digits", "Length: 0/1 + 12 digits", "Lunghezza: 0/1 + 11 cifre",
     "Lunghezza: 0/1 + 12 cifre"},
    {434, "Length: 9 digits", "Length: 9 digits", "Lunghezza: 9 cifre", "Lunghezza: 9 cifre"},
    {435, "Length: 12 digits", "Length: 12 digits", "Lunghezza: 12 cifre", "Lunghezza: 12 cifre"},
    {424, "Length: variable, alphabet ASCII", "Length: variable, alphabet ASCII", "Lunghezza: variabile, alfabeto ASCII",
     "Lunghezza: variabile, alfabeto ASCII"},
    {425, "Length: variable, alphabet ASCII", "Length: variable, alphabet ASCII", "Lunghezza: variabile, alfabeto ASCII",
     "Lunghezza: variabile, alfabeto ASCII"},
};
// clang-format on

TEST(DescriviSimbologia, EveryCaptionInBothLanguages)
{
    std::set<int> seen;
    for (const Caption& c : kCaptions) {
        SCOPED_TRACE(c.nameId);
        seen.insert(c.nameId);
        EXPECT_TRUE(Describe(c.nameId, kEn, true).matched);
        EXPECT_EQ(Describe(c.nameId, kEn, true).caption, c.englishCd);
        EXPECT_EQ(Describe(c.nameId, kEn, false).caption, c.englishNoCd);
        EXPECT_EQ(Describe(c.nameId, kIt, true).caption, c.italianCd);
        EXPECT_EQ(Describe(c.nameId, kIt, false).caption, c.italianNoCd);
    }
    // Every display name has its row.
    for (const DisplayName& name : DisplayNames())
        EXPECT_TRUE(seen.count(name.id)) << name.id;
    EXPECT_EQ(seen.size(), 36U);
}

// The lengths stated agree with what validation accepts: for each fixed-length
// row, the stated number of digits passes and one more is rejected.
TEST(DescriviSimbologia, StatedLengthsAreTheValidatedOnes)
{
    struct Row {
        int nameId;
        std::string_view id;
    };
    for (const Row r : {Row{432, "ITF"}, Row{427, "CIP"}, Row{410, "C32"}, Row{412, "EAN8"}, Row{415, "EAN13"},
                        Row{418, "UPCA"}, Row{421, "UPCE"}, Row{434, "ISBN"}, Row{435, "ISBN13"}}) {
        for (const bool cd : {true, false}) {
            SCOPED_TRACE(std::string(r.id) + (cd ? " cd" : ""));
            const std::string caption = Describe(r.nameId, kEn, cd).caption;
            const auto digits = caption.rfind(' ', caption.size() - 8);
            const int n = std::stoi(caption.substr(digits + 1));
            // The UPC-E count follows the "0/1 + " number-system digit, which is typed too.
            const std::size_t typed = r.nameId == 421 ? n + 1 : n;
            std::string ok(typed, '1');
            EXPECT_TRUE(Validate(ok, r.id, cd)) << ok;
            std::string tooLong(typed + 1, '1');
            EXPECT_FALSE(Validate(tooLong, r.id, cd)) << tooLong;
        }
    }
}

struct Boxes {
    std::vector<int> ids;
    BoxAction hrc, digit;
    bool listEnabled;
};

TEST(DescriviSimbologia, StylesAndOptionBoxes)
{
    const std::vector<int> six{278, 279, 280, 281, 282, 283}, two{278, 281}, one{278};
    const auto free = BoxAction::Enable;
    const auto forced = BoxAction::CheckAndDisable;
    for (const Caption& c : kCaptions) {
        const int id = c.nameId;
        SCOPED_TRACE(id);
        Boxes expected{two, free, free, true};
        if (id >= 400 && id <= 403)
            expected.ids = six;
        if (id == 433)
            expected.ids = one;
        if (id == 410)
            expected = {one, free, free, false};
        if (id >= 412 && id <= 423)
            expected.hrc = forced;
        if (id == 434 || id == 435)
            expected.hrc = expected.digit = forced;
        if (id == 424 || id == 425)
            expected.digit = forced;
        for (const bool cd : {true, false}) {
            const SymbologyDescription d = Describe(id, kIt, cd);
            EXPECT_EQ(d.styleIds, expected.ids);
            EXPECT_EQ(d.hrc, expected.hrc);
            EXPECT_EQ(d.digit, expected.digit);
            EXPECT_EQ(d.styleListEnabled, expected.listEnabled);
        }
    }
}

TEST(DescriviSimbologia, StyleNamesInTheLanguage)
{
    EXPECT_EQ(Describe(400, kEn, false).styleNames,
              (std::vector<std::string>{"Normal", "Narrow", "Wide", "Short", "Narrow short", "Wide short"}));
    EXPECT_EQ(Describe(400, kIt, false).styleNames,
              (std::vector<std::string>{"Normale", "Stretto", "Largo", "Corto", "Stretto e corto", "Largo e corto"}));
    EXPECT_EQ(Describe(428, kIt, false).styleNames, (std::vector<std::string>{"Normale", "Corto"}));
    EXPECT_EQ(Describe(410, kEn, false).styleNames, (std::vector<std::string>{"Normal"}));
}

// The position survives when the new list is long enough, else entry 0.
TEST(DescriviSimbologia, StyleIndex)
{
    struct Case {
        int from, index, count, to, expected;
        std::string_view note;
    };
    const Case cases[] = {
        {400, 2, 6, 428, 0, "Code 39 Wide to Plessey: two entries, Normal"},
        {428, 0, 2, 400, 0, "and back to Code 39: index 0 stays"},
        {428, 1, 2, 400, 1, "Plessey Short to Code 39: Narrow, index 1 of six"},
        {400, 5, 6, 401, 5, "six to six keeps Wide short"},
        {400, 1, 6, 410, 0, "Code 32 has only Normal"},
        {400, 0, 6, 433, 0, "Postnet's one entry"},
        {400, -1, 6, 428, -1, "nothing selected stays so"},
        {428, 1, 2, 415, 1, "two to two"},
        {400, 3, 6, 404, 0, "index 3 is beyond a two-entry list"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.note));
        EXPECT_EQ(Describe(c.to, kEn, true, c.index, c.count).styleIndex, c.expected);
    }
}

// No row: the bare caption, nothing touched, and the index rule over the list
// as it stands.
TEST(DescriviSimbologia, NoMatchingRow)
{
    for (const int id : {0, 399, 436, 1400}) {
        SCOPED_TRACE(id);
        const SymbologyDescription en = Describe(id, kEn, true, 3, 6);
        EXPECT_FALSE(en.matched);
        EXPECT_EQ(en.caption, "Length: ");
        EXPECT_TRUE(en.styleIds.empty());
        EXPECT_EQ(en.hrc, BoxAction::Unchanged);
        EXPECT_EQ(en.digit, BoxAction::Unchanged);
        EXPECT_EQ(en.styleIndex, 3);
        EXPECT_EQ(Describe(id, kIt, false, 3, 2).styleIndex, 0);
        EXPECT_EQ(Describe(id, kIt, false, -1, 0).styleIndex, -1);
        EXPECT_EQ(Describe(id, kIt, false, 3, 2).caption, "Lunghezza: ");
    }
}

// The window may hand over its own string table; the texts come from it.
TEST(DescriviSimbologia, TextsFromTheGivenTable)
{
    const TextLoader upper = [](int id, Language) -> std::string { return "<" + std::to_string(id) + ">"; };
    const SymbologyDescription d = DescriviSimbologia({429, kEn, false, 0, 6}, upper);
    EXPECT_EQ(d.caption, "<94><98>, max 16 <95>, <97> 0123456789KLMO");
    EXPECT_EQ(d.styleNames, (std::vector<std::string>{"<278>", "<281>"}));
}

TEST(DisplayNameId, BothLanguages)
{
    EXPECT_EQ(DisplayNameId("Code 39", kEn), 400);
    EXPECT_EQ(DisplayNameId("Codice 39", kIt), 400);
    EXPECT_EQ(DisplayNameId("Codice 39", kEn), 0);
    EXPECT_EQ(DisplayNameId("Code 39", kIt), 0);
    EXPECT_EQ(DisplayNameId("UCC-ITF 14", kIt), 432);
    EXPECT_EQ(DisplayNameId("", kEn), 0);
}

} // namespace
} // namespace lum::preview
