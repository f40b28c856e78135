#include "assistant/wizard/ai_catalogue.h"

#include <algorithm>
#include <array>
#include <initializer_list>

#include "assistant/wizard/wizard_texts.h"

namespace lum::wizard {
namespace {

// List order; AI numbers and rule codes of the GS1 standard.
// clang-format off
constexpr std::array<AiRow, 107> kAiRows{{
    {600, "00", "n18"},
    {601, "01", "n14"},
    {602, "02", "n14"},
    {603, "10", "av20"},
    {604, "11", "n6"},
    {605, "12", "n6"},
    {606, "13", "n6"},
    {607, "15", "n6"},
    {608, "17", "n6"},
    {609, "20", "n2"},
    {610, "21", "av20"},
    {611, "22", "av29"},
    {612, "23", "nl19"},
    {613, "240", "av30"},
    {614, "241", "av30"},
    {615, "250", "av30"},
    {616, "30", "nv8"},
    {617, "310", "nd6"},
    {618, "311", "nd6"},
    {619, "312", "nd6"},
    {620, "313", "nd6"},
    {621, "314", "nd6"},
    {622, "315", "nd6"},
    {623, "316", "nd6"},
    {624, "320", "nd6"},
    {730, "321", "nd6"},
    {731, "322", "nd6"},
    {732, "323", "nd6"},
    {733, "324", "nd6"},
    {734, "325", "nd6"},
    {735, "326", "nd6"},
    {736, "327", "nd6"},
    {737, "328", "nd6"},
    {738, "329", "nd6"},
    {625, "330", "nd6"},
    {626, "331", "nd6"},
    {627, "332", "nd6"},
    {628, "333", "nd6"},
    {629, "334", "nd6"},
    {630, "335", "nd6"},
    {631, "336", "nd6"},
    {632, "337", "nd6"},
    {633, "340", "nd6"},
    {739, "341", "nd6"},
    {740, "342", "nd6"},
    {741, "343", "nd6"},
    {742, "344", "nd6"},
    {743, "345", "nd6"},
    {744, "346", "nd6"},
    {745, "347", "nd6"},
    {746, "348", "nd6"},
    {747, "349", "nd6"},
    {748, "350", "nd6"},
    {749, "351", "nd6"},
    {750, "352", "nd6"},
    {751, "353", "nd6"},
    {752, "354", "nd6"},
    {753, "355", "nd6"},
    {754, "356", "nd6"},
    {755, "360", "nd6"},
    {756, "361", "nd6"},
    {757, "362", "nd6"},
    {758, "363", "nd6"},
    {759, "364", "nd6"},
    {760, "365", "nd6"},
    {761, "366", "nd6"},
    {762, "367", "nd6"},
    {763, "368", "nd6"},
    {764, "369", "nd6"},
    {634, "37", "nv8"},
    {635, "390", "nd15"},
    {636, "391", "nd18"},
    {637, "400", "av30"},
    {638, "401", "av30"},
    {639, "402", "n17"},
    {640, "403", "av30"},
    {641, "410", "n13"},
    {642, "411", "n13"},
    {643, "412", "n13"},
    {644, "413", "n13"},
    {645, "414", "n13"},
    {646, "415", "n13"},
    {647, "420", "av9"},
    {648, "421", "n3av9"},
    {649, "422", "n3"},
    {650, "8001", "n14"},
    {651, "8002", "av20"},
    {652, "8003", "n14av16"},
    {653, "8004", "av30"},
    {654, "8005", "n6"},
    {655, "8006", "n18"},
    {656, "8007", "av30"},
    {657, "8018", "n18"},
    {658, "8020", "av25"},
    {659, "8100", "n6"},
    {660, "8101", "n10"},
    {661, "8102", "n2"},
    {662, "90", "av30"},
    {663, "91", "av30"},
    {664, "92", "av30"},
    {665, "93", "av30"},
    {666, "94", "av30"},
    {667, "95", "av30"},
    {668, "96", "av30"},
    {669, "97", "av30"},
    {670, "98", "av30"},
    {671, "99", "av30"},
}};
// clang-format on

// The AI number is the first four characters of the description, blanks removed.
constexpr bool DescriptionNamesAi(std::string_view description, std::string_view ai)
{
    std::string_view head = description.substr(0, 4);
    while (!head.empty() && head.back() == ' ')
        head.remove_suffix(1);
    return head == ai;
}

constexpr bool RowsMatchDescriptions()
{
    for (std::size_t i = 0; i < kAiRows.size(); ++i) {
        const WizardTextEntry& d = kAiDescriptions[i];
        if (d.id != kAiRows[i].textId || !DescriptionNamesAi(d.english, kAiRows[i].ai) ||
            !DescriptionNamesAi(d.italian, kAiRows[i].ai))
            return false;
        if (kAiRows[i].Rule().format == AiFormat::Invalid)
            return false;
    }
    return true;
}
static_assert(kAiRows.size() == kAiDescriptions.size());
static_assert(RowsMatchDescriptions(), "AI rows and descriptions disagree");

// Hint text of a format: 690 "avN", 691 "nN", 692 "n14av16", 693 "n3av9",
// 694 "ndN", 695 "nl19", 696 "nv8"; 0 for none.
constexpr int HintTextId(const AiRule& rule) noexcept
{
    switch (rule.format) {
    case AiFormat::Text:
        return 690;
    case AiFormat::Digits:
        return 691;
    case AiFormat::DigitsThenText:
        return rule.digits == 3 ? 693 : 692;
    case AiFormat::Decimal:
        return 694;
    case AiFormat::LengthInAi:
        return 695;
    case AiFormat::DigitsUpTo:
        return 696;
    case AiFormat::Invalid:
        break;
    }
    return 0;
}

} // namespace

std::span<const AiRow> AiCatalogue() noexcept { return kAiRows; }

std::string_view WizardText(int id, Language language) noexcept
{
    for (const std::span<const WizardTextEntry> table :
         {std::span<const WizardTextEntry>(kAiDescriptions), std::span<const WizardTextEntry>(kWizardTexts)}) {
        const auto it = std::find_if(table.begin(), table.end(), [id](const WizardTextEntry& t) { return t.id == id; });
        if (it != table.end())
            return language == Language::Italian ? it->italian : it->english;
    }
    return {};
}

std::string_view AiDescription(const AiRow& row, Language language) noexcept
{
    return WizardText(row.textId, language);
}

std::string FormatHint(const AiRule& rule, Language language)
{
    std::string hint(WizardText(HintTextId(rule), language));
    if (const auto pct = hint.find('%'); pct != std::string::npos)
        hint.replace(pct, 1, std::to_string(rule.number));
    return hint;
}

int ValueBoxLength(const AiRule& rule) noexcept
{
    switch (rule.format) {
    case AiFormat::Decimal:
        // Room for the decimal point, and never less than 11.
        return rule.number >= 11 ? rule.number + 1 : 11;
    case AiFormat::Invalid:
        return 0;
    default:
        return rule.number;
    }
}

} // namespace lum::wizard
