// The symbology description line under the code box, the style list it
// offers and what it does to the HRC and check-digit boxes.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "assistant/text_ids.h"
#include "engine/catalogue.h"

namespace lum::preview {

// Texts 94 to 98 ("Length: ", "characters", "digits", "alphabet", "variable")
// and the style names 278 to 283 in the language given; empty for other ids.
std::string DescriptionText(int id, Language language);

// Loads a text by English id in a language; the window passes its string table.
using TextLoader = std::string (*)(int id, Language language);

// What happens to an option box.
enum class BoxAction : unsigned char {
    Unchanged,       // no symbology matched
    Enable,          // enabled, value kept
    CheckAndDisable, // set to checked, then disabled
};

struct DescriptionRequest {
    int nameId = 0; // display-name id of the selected symbology; anything else matches no row
    Language language = Language::English;
    bool checkDigit = false; // chkDigit as it is now
    int styleIndex = -1;     // cmbStile's index now (-1: nothing selected)
    int styleCount = 0;      // entries in cmbStile now
};

struct SymbologyDescription {
    bool matched = false;
    std::string caption;       // labAttributi: text 94 and the description
    std::vector<int> styleIds; // the new cmbStile entries (text ids); only when matched
    std::vector<std::string> styleNames;
    bool styleListEnabled = true; // only meaningful when matched
    int styleIndex = -1;          // index to select afterwards
    BoxAction hrc = BoxAction::Unchanged;
    BoxAction digit = BoxAction::Unchanged;
};

// The description line of a symbology, its styles and option boxes. The
// lengths follow the check-digit box (one digit fewer to type when it is
// checked). The style position survives when the new list is long enough,
// else the first style is selected. With no matching row only the bare
// caption and the index rule apply, to the list as it is.
SymbologyDescription DescriviSimbologia(const DescriptionRequest& request, TextLoader load = DescriptionText);

// The display-name id whose text in `language` equals `text`; 0 when none.
int DisplayNameId(std::string_view text, Language language) noexcept;

} // namespace lum::preview
