#include "assistant/generate.h"

#include <algorithm>
#include <array>

#include "assistant/preview/hrc_text.h"
#include "engine/catalogue.h"

namespace lum::assistant {
namespace {

using H = HrcSource;

constexpr std::array<GenerateRow, 36> kRows{{
    {400, "C39", "", "VOR39", H::TestoHRC, "", false},
    {401, "C39FULL", "", "VOR39", H::TestoHRC, "", false},
    {402, "C93", "", "VOR93", H::TestoHRC, "", false},
    {403, "C93FULL", "", "VOR93", H::TestoHRC, "", false},
    {404, "C25", "", "VOR25 ITF", H::TestoHRC, "", false},
    {405, "CIND25", "", "VORIND25", H::TestoHRC, "", false},
    {406, "C5BARS", "", "VOR5BARS", H::TestoHRC, "", false},
    {407, "C3BARS", "", "VOR3BARS", H::TestoHRC, "", false},
    {408, "CBCD", "", "VORBCD", H::TestoHRC, "", false},
    {409, "CMSI", "", "VORMSI", H::TestoHRC, "", false},
    {410, "C32", "C32HRC", "VOR32", H::None, "", false},
    {411, "CBAR", "", "VORCODABAR", H::TestoHRCLower, "", false},
    {412, "EAN8", "", "VOREAN", H::None, "", false},
    {413, "EAN8", "", "VOREAN", H::None, "ADD2", false},
    {414, "EAN8", "", "VOREAN", H::None, "ADD5", false},
    {415, "EAN13", "", "VOREAN", H::None, "", false},
    {416, "EAN13", "", "VOREAN", H::None, "ADD2", false},
    {417, "EAN13", "", "VOREAN", H::None, "ADD5", false},
    {418, "UPCA", "", "VOREAN", H::None, "", false},
    {419, "UPCA", "", "VOREAN", H::None, "ADD2", false},
    {420, "UPCA", "", "VOREAN", H::None, "ADD5", false},
    {421, "UPCE", "", "VOREAN", H::None, "", false},
    {422, "UPCE", "", "VOREAN", H::None, "ADD2", false},
    {423, "UPCE", "", "VOREAN", H::None, "ADD5", false},
    {424, "C128", "", "VOR128", H::Code, "", false},
    {425, "E128", "", "VOR128", H::WizardOrCode, "", false},
    {426, "C11", "", "VOR11", H::TestoHRC, "", false},
    {427, "CIP", "", "VOR39", H::TestoHRC, "", false},
    {428, "PLESSEY", "", "VORPLESSEY", H::TestoHRC, "", false},
    {429, "DELTA", "", "VORDELTA DA", H::TestoHRC, "", false},
    {430, "C25INV", "", "VOR25 INV", H::TestoHRC, "", false},
    {431, "C25COMP", "", "VOR25 COMP", H::TestoHRC, "", false},
    {432, "ITF", "", "VORITF14", H::TestoHRC, "", false},
    {433, "POSTNET", "", "VORPOSTNET", H::TestoHRC, "", false},
    {434, "ISBN", "", "VOREAN", H::None, "", true},
    {435, "ISBN13", "", "VOREAN", H::None, "", true},
}};

constexpr Deliverable kWho = Deliverable::Assistant;

// Entries without a validation rule of their own: only their encoder can tell
// whether a text is encodable.
bool EncoderDecides(std::string_view id)
{
    const Symbology* s = FindSymbology(id);
    if (!s)
        return false;
    const ValidationRule& r = s->rule;
    return r.alphabet == Alphabet::Any && r.maxWithCheck == kNoLimit && r.maxWithoutCheck == kNoLimit &&
           r.minLength == 0 && r.extra == ExtraRule::None;
}

// The main symbol and its add-on, each validated and encoded on its own.
Generated GenerateWithAddOn(const GenerateRequest& rq, bool quiet)
{
    const GenerateRow& row = *rq.row;
    const Symbology* main = FindSymbology(row.id);
    const Symbology* addOn = FindSymbology(row.addOnId);
    if (!main || !addOn)
        return {};
    const auto mainLength = std::size_t(rq.checkDigit ? main->rule.maxWithCheck : main->rule.maxWithoutCheck);
    const auto addOnLength = std::size_t(addOn->rule.maxWithCheck);
    if (rq.code.size() > mainLength + addOnLength)
        return {};
    std::string mainPart = rq.code.substr(0, mainLength);
    std::string addOnPart = rq.code.size() > mainLength ? rq.code.substr(mainLength) : std::string();
    if (!Validate(mainPart, row.id, rq.checkDigit) || !Validate(addOnPart, row.addOnId, true))
        return {};
    if (quiet)
        return {true, {}, mainPart, addOnPart};
    const std::string bars = Encode(mainPart, row.id, rq.checkDigit, kWho);
    const std::string addOnBars = Encode(addOnPart, row.addOnId, true, kWho);
    if (bars.empty() || addOnBars.empty())
        return {};
    return {true, bars + addOnBars, mainPart, addOnPart};
}

} // namespace

std::span<const GenerateRow> GenerateTable() noexcept { return kRows; }

const GenerateRow* FindGenerateRow(int nameId) noexcept
{
    const auto it = std::find_if(kRows.begin(), kRows.end(), [&](const GenerateRow& r) { return r.nameId == nameId; });
    return it == kRows.end() ? nullptr : &*it;
}

Generated Generate(const GenerateRequest& rq, bool quiet)
{
    if (rq.code.empty())
        return {};
    if (!rq.row)
        return {true, {}, rq.code, {}};
    if (!rq.row->addOnId.empty())
        return GenerateWithAddOn(rq, quiet);
    const GenerateRow& row = *rq.row;
    const bool check = row.alwaysCheck || rq.checkDigit;
    std::string code = rq.code;
    if (!Validate(code, row.id, check))
        return {};
    if (quiet && !EncoderDecides(row.id))
        return {true, {}, code, {}};
    const std::string_view encodeId = (rq.hrcOption && !row.idWithHrc.empty()) ? row.idWithHrc : row.id;
    std::string bars = Encode(code, encodeId, check, kWho);
    if (bars.empty())
        return {};
    if (quiet)
        bars.clear();
    return {true, std::move(bars), code, {}};
}

std::string HrcText(const GenerateRow& row, const Generated& generated, bool checkDigit, bool checkDigitInHrc,
                    std::string_view wizardHrc)
{
    switch (row.hrc) {
    case HrcSource::TestoHRC:
        return preview::TestoHRC(row.nameId, generated.code, {checkDigit, checkDigitInHrc});
    case HrcSource::TestoHRCLower: {
        std::string line = preview::TestoHRC(row.nameId, generated.code, {checkDigit, checkDigitInHrc});
        for (char& c : line)
            if (c >= 'A' && c <= 'Z')
                c = char(c - 'A' + 'a');
        return line;
    }
    case HrcSource::Code:
        return generated.code;
    case HrcSource::WizardOrCode:
        return wizardHrc.empty() ? generated.code : std::string(wizardHrc);
    case HrcSource::None:
        break;
    }
    return {};
}

std::vector<int> DisplayNamesFor(std::span<const std::string> families)
{
    std::vector<int> ids;
    for (const GenerateRow& row : kRows)
        if (std::find(families.begin(), families.end(), row.family) != families.end())
            ids.push_back(row.nameId);
    std::sort(ids.begin(), ids.end());
    return ids;
}

} // namespace lum::assistant
