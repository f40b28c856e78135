#include "engine/addon.h"

#include <algorithm>

#include "engine/catalogue.h"

namespace lum {
namespace {

bool IsMain(const Symbology& s) noexcept { return s.addOnNameIds[0] != 0; }

bool IsAddOn(const Symbology& s) noexcept { return s.addOn; }

// The entry `id` names when `is` holds for it, else null.
const Symbology* FindIf(std::string_view id, bool (*is)(const Symbology&) noexcept) noexcept
{
    const Symbology* s = FindSymbology(id);
    return s && is(*s) ? s : nullptr;
}

} // namespace

std::optional<MainAndAddOnIds> ParseMainAndAddOnId(std::string_view combined) noexcept
{
    const std::size_t plus = combined.find('+');
    if (plus == std::string_view::npos)
        return std::nullopt;
    const Symbology* main = FindIf(combined.substr(0, plus), IsMain);
    const Symbology* addOn = FindIf(combined.substr(plus + 1), IsAddOn);
    if (!main || !addOn)
        return std::nullopt;
    return MainAndAddOnIds{main->id, addOn->id};
}

std::optional<MainAndAddOnText> SplitMainAndAddOn(std::string_view text, const MainAndAddOnIds& ids,
                                                  bool check) noexcept
{
    const Symbology* main = FindIf(ids.main, IsMain);
    const Symbology* addOn = FindIf(ids.addOn, IsAddOn);
    if (!main || !addOn)
        return std::nullopt;
    // The fixed lengths are those of the entries' validation rules.
    const auto mainLength = std::size_t(check ? main->rule.maxWithCheck : main->rule.maxWithoutCheck);
    const auto addOnLength = std::size_t(addOn->rule.maxWithCheck);
    MainAndAddOnText parts;
    parts.main = text.substr(0, std::min(mainLength, text.size()));
    text.remove_prefix(parts.main.size());
    parts.addOn = text.substr(0, std::min(addOnLength, text.size()));
    parts.beyond = text.substr(parts.addOn.size());
    return parts;
}

} // namespace lum
