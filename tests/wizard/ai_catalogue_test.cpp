#include "assistant/wizard/ai_catalogue.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "assistant/wizard/wizard_texts.h"

namespace lum::wizard {
namespace {

// The list order: description ids 600-624, 730-738, 625-633, 739-764, 634-671.
std::vector<int> ListOrder()
{
    std::vector<int> ids;
    for (auto [first, last] : {std::pair{600, 624}, {730, 738}, {625, 633}, {739, 764}, {634, 671}})
        for (int id = first; id <= last; ++id)
            ids.push_back(id);
    return ids;
}

TEST(AiCatalogue, RowsInListOrder)
{
    const auto rows = AiCatalogue();
    const auto order = ListOrder();
    ASSERT_EQ(rows.size(), order.size());
    for (std::size_t i = 0; i < rows.size(); ++i)
        EXPECT_EQ(rows[i].textId, order[i]) << "row " << i;
}

// Rule codes per AI number, grouped as the GS1 standard list
// their formats (00 n2+n18, 01 n2+n14, 10 n2+an..20, 3100 n4+n6, ...).
TEST(AiCatalogue, EveryAiHasItsFormat)
{
    std::map<std::string, std::string> expected;
    const auto put = [&](std::string rule, std::initializer_list<std::string> ais) {
        for (const auto& ai : ais)
            expected[ai] = rule;
    };
    put("n18", {"00", "8006", "8018"});
    put("n14", {"01", "02", "8001"});
    put("n6", {"11", "12", "13", "15", "17", "8005", "8100"});
    put("n2", {"20", "8102"});
    put("n3", {"422"});
    put("n10", {"8101"});
    put("n13", {"410", "411", "412", "413", "414", "415"});
    put("n17", {"402"});
    put("av9", {"420"});
    put("av20", {"10", "21", "8002"});
    put("av25", {"8020"});
    put("av29", {"22"});
    put("av30", {"240", "241", "250", "400", "401", "403", "8004", "8007"});
    for (int ai = 90; ai <= 99; ++ai)
        put("av30", {std::to_string(ai)});
    put("nv8", {"30", "37"});
    put("nl19", {"23"});
    for (auto [first, last] : {std::pair{310, 316}, {320, 337}, {340, 356}, {360, 369}})
        for (int ai = first; ai <= last; ++ai)
            put("nd6", {std::to_string(ai)});
    put("nd15", {"390"});
    put("nd18", {"391"});
    put("n3av9", {"421"});
    put("n14av16", {"8003"});
    ASSERT_EQ(expected.size(), 107u);

    std::map<std::string, std::string> actual;
    for (const AiRow& row : AiCatalogue())
        EXPECT_TRUE(actual.emplace(std::string(row.ai), std::string(row.rule)).second) << "AI " << row.ai << " twice";
    EXPECT_EQ(actual, expected);
}

TEST(AiCatalogue, DescriptionsStartWithTheirAi)
{
    for (const AiRow& row : AiCatalogue()) {
        SCOPED_TRACE(row.textId);
        for (Language l : {Language::English, Language::Italian}) {
            const std::string_view d = AiDescription(row, l);
            ASSERT_GE(d.size(), 5u);
            EXPECT_EQ(d.substr(0, row.ai.size()), row.ai);
            EXPECT_EQ(d.substr(row.ai.size(), 4 - row.ai.size()), std::string(4 - row.ai.size(), ' '));
        }
    }
    EXPECT_EQ(AiDescription(AiCatalogue()[0], Language::English), "00   SSCC-18");
    EXPECT_EQ(AiDescription(AiCatalogue().back(), Language::Italian),
              "99   Testo libero (numero identificativo coupon nazionali)");
}

TEST(WizardTexts, IdsAndLanguages)
{
    // Table of the wizard texts: 22 ids from 680 to 701, none missing.
    for (int id = 680; id <= 701; ++id)
        EXPECT_FALSE(WizardText(id, Language::English).empty()) << id;
    EXPECT_EQ(WizardText(688, Language::English), "Unable to undo.");
    EXPECT_EQ(WizardText(689, Language::Italian), "Il codice \xC3\xA8 vuoto!"); // UTF-8 "è"
    EXPECT_EQ(WizardText(738, Language::English), "329  Depth, Thickness, Height or 3rd Dimension, Yards");
    EXPECT_TRUE(WizardText(679, Language::English).empty());
    EXPECT_TRUE(WizardText(672, Language::English).empty());
    EXPECT_TRUE(WizardText(93, Language::English).empty()); // the main window's table holds it
}

TEST(AiRule, ParsesEveryCode)
{
    struct Row {
        std::string_view code;
        AiFormat format;
        int number, digits, boxLength;
    };
    // Box lengths: the value box limits of the wizard's format table.
    const Row rows[] = {
        {"n2", AiFormat::Digits, 2, 0, 2},
        {"n18", AiFormat::Digits, 18, 0, 18},
        {"av9", AiFormat::Text, 9, 0, 9},
        {"av30", AiFormat::Text, 30, 0, 30},
        {"nv8", AiFormat::DigitsUpTo, 8, 0, 8},
        {"nl19", AiFormat::LengthInAi, 19, 0, 19},
        {"nd6", AiFormat::Decimal, 6, 0, 11},
        {"nd15", AiFormat::Decimal, 15, 0, 16},
        {"nd18", AiFormat::Decimal, 18, 0, 19},
        {"n14av16", AiFormat::DigitsThenText, 30, 14, 30},
        {"n3av9", AiFormat::DigitsThenText, 12, 3, 12},
        {"", AiFormat::Invalid, 0, 0, 0},
        {"n", AiFormat::Invalid, 0, 0, 0},
        {"av", AiFormat::Invalid, 0, 0, 0},
        {"n0", AiFormat::Invalid, 0, 0, 0},
        {"x6", AiFormat::Invalid, 0, 0, 0},
        {"n6x", AiFormat::Invalid, 0, 0, 0},
        {"n14av", AiFormat::Invalid, 0, 0, 0},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(std::string(r.code));
        const AiRule rule = ParseAiRule(r.code);
        EXPECT_EQ(rule.format, r.format);
        if (r.format != AiFormat::Invalid) {
            EXPECT_EQ(rule.number, r.number);
            EXPECT_EQ(rule.digits, r.digits);
        }
        EXPECT_EQ(ValueBoxLength(rule), r.boxLength);
    }
}

TEST(AiRule, Hints)
{
    struct Row {
        std::string_view code;
        std::string_view english, italian;
    };
    const Row rows[] = {
        {"av20", "Alfanumerico variabile, massimo 20 caratteri", "Alfanumerico variabile, massimo 20 caratteri"},
        {"n18", "Integer of length 18", "Numerico intero lunghezza 18"},
        {"n14av16", "Integer of length 14 followed by a string of variable length, max 16 characters",
         "Numerico intero lunghezza 14 seguito da alfanumerico variabile, massimo 16 caratteri"},
        {"n3av9", "Integer of length 3 followed by a string of variable length, max 9 characters",
         "Numerico intero lunghezza 3 seguito da alfanumerico variabile, massimo 9 caratteri"},
        {"nd15", "Float of length 15", "Numerico decimale lunghezza 15"},
        {"nl19", "Integer, max length 19", "Numerico intero, massima lunghezza 19"},
        {"nv8", "Integer, max length 8", "Numerico intero massima lunghezza 8"},
        {"bogus", "", ""},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(std::string(r.code));
        EXPECT_EQ(FormatHint(ParseAiRule(r.code), Language::English), r.english);
        EXPECT_EQ(FormatHint(ParseAiRule(r.code), Language::Italian), r.italian);
    }
}

} // namespace
} // namespace lum::wizard
