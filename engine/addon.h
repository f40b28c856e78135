// EAN/UPC symbols with a 2- or 5-digit add-on, typed as one text: the text is
// split into the main symbol's digits and the add-on's, each is validated and
// encoded on its own and the two font strings are joined, main symbol first.
// The catalogue says which entries are main symbols (those with add-on display
// names) and which are add-ons.
#pragma once

#include <optional>
#include <string_view>

namespace lum {

// The catalogue identifiers of a main symbol ("EAN13", "UPCA", "EAN8",
// "UPCE") and an add-on ("ADD2", "ADD5").
struct MainAndAddOnIds {
    std::string_view main;
    std::string_view addOn;
};

// Reads "MAIN+ADDON" ("ean13+add5" too) into the two catalogue identifiers;
// nullopt for anything else.
std::optional<MainAndAddOnIds> ParseMainAndAddOnId(std::string_view combined) noexcept;

struct MainAndAddOnText {
    std::string_view main;   // the first n characters: n is the main symbol's length for the check flag
    std::string_view addOn;  // the next 2 or 5 characters (fewer when the text is short)
    std::string_view beyond; // whatever follows the add-on
};

// Splits a typed text: the main part is as long as the main symbol takes with
// the check flag (EAN-13 12 or 13, UPC-A 11 or 12, EAN-8 and UPC-E 7 or 8),
// the add-on part the next 2 or 5 characters. nullopt when the pair is not a
// main symbol and an add-on.
std::optional<MainAndAddOnText> SplitMainAndAddOn(std::string_view text, const MainAndAddOnIds& ids,
                                                  bool check) noexcept;

} // namespace lum
