#include "assistant/generate.h"

#include <algorithm>

#include "assistant/preview/hrc_text.h"
#include "engine/addon.h"
#include "engine/text.h"

namespace lum::assistant {
namespace {

constexpr Deliverable kWho = Deliverable::Assistant;

// Entries without a validation rule of their own: only their encoder can tell
// whether a text is encodable.
bool EncoderDecides(const Symbology& s)
{
    const ValidationRule& r = s.rule;
    return r.alphabet == Alphabet::Any && r.maxWithCheck == kNoLimit && r.maxWithoutCheck == kNoLimit &&
           r.minLength == 0 && r.extra == ExtraRule::None;
}

// The main symbol and its add-on, each validated and encoded on its own.
Generated GenerateWithAddOn(const GenerateRequest& rq, const DisplayChoice& choice, bool quiet)
{
    const Symbology& main = *choice.entry;
    const Symbology& addOn = *choice.addOn;
    const auto parts = SplitMainAndAddOn(rq.code, {main.id, addOn.id}, rq.checkDigit);
    if (!parts || !parts->beyond.empty())
        return {};
    std::string mainPart(parts->main), addOnPart(parts->addOn);
    if (!ValidateText(mainPart, main, rq.checkDigit).Accepted() || !ValidateText(addOnPart, addOn, true).Accepted())
        return {};
    if (quiet)
        return {true, {}, mainPart, addOnPart};
    const std::string bars = EncodeNormalised(main, mainPart, rq.checkDigit, kWho);
    const std::string addOnBars = EncodeNormalised(addOn, addOnPart, true, kWho);
    if (bars.empty() || addOnBars.empty())
        return {};
    return {true, bars + addOnBars, mainPart, addOnPart};
}

} // namespace

Generated Generate(const GenerateRequest& rq, bool quiet)
{
    if (rq.code.empty())
        return {};
    const auto choice = FindDisplayChoice(rq.nameId);
    if (!choice)
        return {true, {}, rq.code, {}};
    if (choice->addOn)
        return GenerateWithAddOn(rq, *choice, quiet);
    const Symbology& entry = *choice->entry;
    const bool check = entry.check == CheckStep::Always || rq.checkDigit;
    std::string code = rq.code;
    if (!ValidateText(code, entry, check).Accepted())
        return {};
    if (quiet && !EncoderDecides(entry))
        return {true, {}, code, {}};
    const Symbology& encoded = rq.hrcOption && choice->withHrc ? *choice->withHrc : entry;
    std::string bars = EncodeNormalised(encoded, code, check, kWho);
    if (bars.empty())
        return {};
    if (quiet)
        bars.clear();
    return {true, std::move(bars), code, {}};
}

std::string HrcText(int nameId, const Generated& generated, bool checkDigit, bool checkDigitInHrc,
                    std::string_view wizardHrc)
{
    const auto choice = FindDisplayChoice(nameId);
    if (!choice || choice->addOn)
        return {};
    const HrcRule& rule = choice->entry->hrc;
    switch (rule.line) {
    case HrcLine::Checked: {
        std::string line = preview::TestoHRC(nameId, generated.code, {checkDigit, checkDigitInHrc});
        if (rule.lowerCase)
            for (char& c : line)
                c = ToLowerAscii(c);
        return line;
    }
    case HrcLine::Code:
        return generated.code;
    case HrcLine::CodeOrGiven:
        return wizardHrc.empty() ? generated.code : std::string(wizardHrc);
    case HrcLine::InFont:
    case HrcLine::None:
        break;
    }
    return {};
}

bool TakesWizardText(int nameId) noexcept
{
    const auto choice = FindDisplayChoice(nameId);
    return choice && !choice->addOn && choice->entry->hrc.line == HrcLine::CodeOrGiven;
}

std::vector<int> DisplayNamesFor(std::span<const std::string> families)
{
    std::vector<int> ids;
    for (const DisplayName& name : DisplayNames()) {
        const auto choice = FindDisplayChoice(name.id);
        if (choice && std::find(families.begin(), families.end(), choice->entry->family) != families.end())
            ids.push_back(name.id);
    }
    std::sort(ids.begin(), ids.end());
    return ids;
}

} // namespace lum::assistant
