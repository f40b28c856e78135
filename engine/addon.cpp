#include "engine/addon.h"

#include <algorithm>
#include <array>

#include "engine/catalogue.h"

namespace lum {
namespace {

constexpr std::array<std::string_view, 4> kMainIds{"EAN13", "UPCA", "EAN8", "UPCE"};
constexpr std::array<std::string_view, 2> kAddOnIds{"ADD2", "ADD5"};

// The catalogue spelling of `id` when it is one of `ids`, else empty.
template <std::size_t N>
std::string_view CanonicalId(std::string_view id, const std::array<std::string_view, N>& ids) noexcept
{
    const Symbology* s = FindSymbology(id);
    if (!s || std::find(ids.begin(), ids.end(), s->id) == ids.end())
        return {};
    return s->id;
}

} // namespace

std::optional<MainAndAddOnIds> ParseMainAndAddOnId(std::string_view combined) noexcept
{
    const std::size_t plus = combined.find('+');
    if (plus == std::string_view::npos)
        return std::nullopt;
    const MainAndAddOnIds ids{CanonicalId(combined.substr(0, plus), kMainIds),
                              CanonicalId(combined.substr(plus + 1), kAddOnIds)};
    if (ids.main.empty() || ids.addOn.empty())
        return std::nullopt;
    return ids;
}

bool IsMainAndAddOn(const MainAndAddOnIds& ids) noexcept
{
    return !CanonicalId(ids.main, kMainIds).empty() && !CanonicalId(ids.addOn, kAddOnIds).empty();
}

std::optional<MainAndAddOnText> SplitMainAndAddOn(std::string_view text, const MainAndAddOnIds& ids,
                                                  bool check) noexcept
{
    if (!IsMainAndAddOn(ids))
        return std::nullopt;
    // The fixed lengths are those of the entries' validation rules.
    const ValidationRule& main = FindSymbology(ids.main)->rule;
    const auto mainLength = std::size_t(check ? main.maxWithCheck : main.maxWithoutCheck);
    const auto addOnLength = std::size_t(FindSymbology(ids.addOn)->rule.maxWithCheck);
    MainAndAddOnText parts;
    parts.main = text.substr(0, std::min(mainLength, text.size()));
    text.remove_prefix(parts.main.size());
    parts.addOn = text.substr(0, std::min(addOnLength, text.size()));
    parts.beyond = text.substr(parts.addOn.size());
    return parts;
}

std::string EncodeMainAndAddOn(std::string_view text, const MainAndAddOnIds& ids, bool check, Deliverable who)
{
    const auto parts = SplitMainAndAddOn(text, ids, check);
    if (!parts)
        return {};
    std::string main = Encode(parts->main, ids.main, check, who);
    const std::string addOn = Encode(parts->addOn, ids.addOn, true, who);
    if (main.empty() || addOn.empty())
        return {};
    return main.append(addOn);
}

} // namespace lum
