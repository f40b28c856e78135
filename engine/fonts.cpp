#include "engine/fonts.h"

#include <algorithm>
#include <array>

namespace lum {
namespace {

constexpr std::array<StyleInfo, 6> kStyles{{
    {Style::Normal, 278, "Normal", "Normale", ""},
    {Style::Narrow, 279, "Narrow", "Stretto", " Narrow"},
    {Style::Wide, 280, "Wide", "Largo", " Wide"},
    {Style::Short, 281, "Short", "Corto", " Short"},
    {Style::NarrowShort, 282, "Narrow short", "Stretto e corto", " Narrow Short"},
    {Style::WideShort, 283, "Wide short", "Largo e corto", " Wide Short"},
}};

// clang-format off
constexpr std::array<FontFamily, 19> kFamilies{{
    {"VOR39",       FamilyKind::SixStyles, "code39"},
    {"VOR93",       FamilyKind::SixStyles, "code93"},
    {"VOR25 ITF",   FamilyKind::TwoStyles, "interleaved"},
    {"VORITF14",    FamilyKind::TwoStyles, "interleaved-bearers"},
    {"VORIND25",    FamilyKind::TwoStyles, "industrial"},
    {"VOR5BARS",    FamilyKind::TwoStyles, "iata"},
    {"VOR3BARS",    FamilyKind::TwoStyles, "matrix"},
    {"VORBCD",      FamilyKind::TwoStyles, ""},
    {"VOR25 INV",   FamilyKind::TwoStyles, ""},
    {"VOR25 COMP",  FamilyKind::TwoStyles, ""},
    {"VORMSI",      FamilyKind::TwoStyles, "msi"},
    {"VORCODABAR",  FamilyKind::TwoStyles, "codabar"},
    {"VOR128",      FamilyKind::TwoStyles, "code128"},
    {"VOR11",       FamilyKind::TwoStyles, "code11"},
    {"VORPLESSEY",  FamilyKind::TwoStyles, "plessey"},
    {"VORDELTA DA", FamilyKind::TwoStyles, ""},
    {"VOR32",       FamilyKind::OneFont,   "code32"},
    {"VOREAN",      FamilyKind::OneFont,   "ean"},
    {"VORPOSTNET",  FamilyKind::OneFont,   "postnet"},
}};
// clang-format on

} // namespace

std::span<const StyleInfo> Styles() noexcept { return kStyles; }

std::span<const FontFamily> FontFamilies() noexcept { return kFamilies; }

const FontFamily* FindFontFamily(std::string_view name) noexcept
{
    const auto it =
        std::find_if(kFamilies.begin(), kFamilies.end(), [&](const FontFamily& f) { return f.name == name; });
    return it == kFamilies.end() ? nullptr : &*it;
}

const StyleInfo* FindStyle(std::string_view text) noexcept
{
    const auto it = std::find_if(kStyles.begin(), kStyles.end(),
                                 [&](const StyleInfo& s) { return s.english == text || s.italian == text; });
    return it == kStyles.end() ? nullptr : &*it;
}

bool FamilyHasStyle(const FontFamily& family, Style style) noexcept
{
    switch (family.kind) {
    case FamilyKind::SixStyles:
    case FamilyKind::OneFont:
        return true;
    case FamilyKind::TwoStyles:
        return style == Style::Normal || style == Style::Short;
    }
    return false;
}

std::vector<StyleInfo> FamilyStyles(std::string_view family)
{
    std::vector<StyleInfo> styles;
    if (const FontFamily* f = FindFontFamily(family))
        for (const StyleInfo& s : kStyles)
            if (FamilyHasStyle(*f, s.style))
                styles.push_back(s);
    return styles;
}

std::vector<StyleInfo> FontStyles(const FontFamily& family)
{
    std::vector<StyleInfo> styles;
    for (const StyleInfo& s : kStyles)
        if (FamilyHasStyle(family, s.style) && (family.kind != FamilyKind::OneFont || s.style == Style::Normal))
            styles.push_back(s);
    return styles;
}

std::string FontName(std::string_view family, std::string_view styleText)
{
    const FontFamily* f = FindFontFamily(family);
    const StyleInfo* s = FindStyle(styleText);
    if (!f || !s || !FamilyHasStyle(*f, s->style))
        return {};
    std::string name(f->name);
    if (f->kind != FamilyKind::OneFont)
        name += s->suffix;
    return name;
}

} // namespace lum
