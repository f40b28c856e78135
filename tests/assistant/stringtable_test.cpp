#include "assistant/stringtable.h"

#include <gtest/gtest.h>
#include <set>

namespace lum::assistant {
namespace {

std::set<int> Range(int from, int to)
{
    std::set<int> ids;
    for (int id = from; id <= to; ++id)
        ids.insert(id);
    return ids;
}

TEST(StringTable, HoldsEveryIdOfTheProgram)
{
    std::set<int> expected;
    for (const auto& r : {Range(89, 98), Range(260, 286), Range(289, 292), Range(300, 309), Range(400, 435),
                          Range(600, 671), Range(680, 701), Range(730, 764)})
        expected.insert(r.begin(), r.end());
    const auto ids = TextIds();
    EXPECT_EQ(std::set<int>(ids.begin(), ids.end()), expected);
    EXPECT_EQ(ids.size(), expected.size()); // no id twice
}

TEST(StringTable, EveryIdHasBothLanguagesUnderThePlus1000Rule)
{
    for (int id : TextIds()) {
        SCOPED_TRACE(id);
        EXPECT_FALSE(LoadTextRaw(id).isEmpty());
        EXPECT_FALSE(LoadTextRaw(id + kItalian).isEmpty());
        EXPECT_EQ(LoadText(id, kEnglish), LoadTextRaw(id));
        EXPECT_EQ(LoadText(id, kItalian), LoadTextRaw(id + kItalian));
    }
    EXPECT_TRUE(LoadTextRaw(287).isEmpty());
    EXPECT_TRUE(LoadTextRaw(1287).isEmpty());
    EXPECT_TRUE(LoadTextRaw(0).isEmpty());
}

TEST(StringTable, SampleTexts)
{
    struct Row {
        int id;
        const char* utf8;
    };
    // Texts of the interface as the program shows them.
    // clang-format off
    const Row rows[] = {
        {92, "Error"}, {1092, "Errore"}, {93, "The value introduced is not allowed"},
        {1093, "Il valore digitato non è ammesso"}, {89, "Information - Version "},
        {1089, "Informazioni - Versione "}, {278, "Normal"}, {1282, "Stretto e corto"}, {400, "Code 39"},
        {1400, "Codice 39"}, {1406, "5 Barre 2 di 5"}, {425, "EAN 128"}, {300, "Loading fonts: please wait.."},
        {690, "Alfanumerico variabile, massimo % caratteri"}, {1690, "Alfanumerico variabile, massimo % caratteri"},
        {1291, "I&nglese"}, {1689, "Il codice è vuoto!"}, {600, "00   SSCC-18"},
    };
    // clang-format on
    for (const Row& r : rows) {
        SCOPED_TRACE(r.id);
        EXPECT_EQ(LoadTextRaw(r.id), QString::fromUtf8(r.utf8));
    }
}

TEST(StringTable, ApplicationIdentifierDescriptionsAgreeOnTheirNumber)
{
    // The first four characters of a description hold the AI number in both languages.
    int count = 0;
    for (int id : TextIds()) {
        if (!((id >= 600 && id <= 671) || (id >= 730 && id <= 764)))
            continue;
        SCOPED_TRACE(id);
        ++count;
        const QString ai = LoadTextRaw(id).left(4).trimmed();
        EXPECT_FALSE(ai.isEmpty());
        EXPECT_TRUE(std::all_of(ai.begin(), ai.end(), [](QChar c) { return c.isDigit(); }));
        EXPECT_EQ(LoadTextRaw(id + kItalian).left(4).trimmed(), ai);
    }
    EXPECT_EQ(count, 107);
}

} // namespace
} // namespace lum::assistant
