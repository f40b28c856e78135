// Barcode font families and styles, and how they combine into a font name.
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "engine/catalogue.h"

namespace lum {

enum class Style : unsigned char { Normal, Narrow, Wide, Short, NarrowShort, WideShort };

struct StyleInfo {
    Style style;
    int textId;               // English display-text id; Italian under id + 1000
    std::string_view english; // display texts
    std::string_view italian;
    std::string_view suffix; // appended to the family name
};

// The six styles, in display order.
std::span<const StyleInfo> Styles() noexcept;

enum class FamilyKind : unsigned char {
    SixStyles, // all six styles
    TwoStyles, // Normal and Short
    OneFont,   // a single font used for every style
};

struct FontFamily {
    std::string_view name;
    FamilyKind kind;
    // The glyph set fonts/generate.py draws the family's fonts with (the
    // characters the encoders write into the family); empty for a family whose
    // symbology has no public element-level definition, so no font is made.
    std::string_view glyphs;
};

std::span<const FontFamily> FontFamilies() noexcept;
const FontFamily* FindFontFamily(std::string_view name) noexcept;

// The style whose English or Italian display text equals `text`, or nullptr.
const StyleInfo* FindStyle(std::string_view text) noexcept;

// Whether `family` has the style (a one-font family has every style).
bool FamilyHasStyle(const FontFamily& family, Style style) noexcept;

// The styles the family has, in display order (a one-font family has every
// style); none for a family not in the table.
std::vector<StyleInfo> FamilyStyles(std::string_view family);

// The styles with a font of their own in the family, in display order: all
// six, Normal and Short, or Normal alone for a one-font family.
std::vector<StyleInfo> FontStyles(const FontFamily& family);

// The font name for a family and a style display text in either language;
// empty when the family is unknown or has no such style.
std::string FontName(std::string_view family, std::string_view styleText);

} // namespace lum
