// What the main window does with a code: for the chosen symbology display
// name, the entries of the catalogue it validates and encodes with (a main
// symbol and its add-on for the add-on names, the two-line form of Code 32
// under the HRC option), and the human-readable text it shows.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "engine/catalogue.h"

namespace lum::assistant {

struct GenerateRequest {
    std::string code;        // Windows-1252
    int nameId = 0;          // display name of the chosen symbology; 0 or an unknown id: none
    bool checkDigit = false; // chkDigit
    bool hrcOption = false;  // chkHRC
};

struct Generated {
    bool valid = false;
    std::string fontString; // empty for a quiet check
    std::string code;       // the code as validated (the main part for the add-on names)
    std::string addOn;      // the add-on part as validated, for the add-on names
};

// Validates, and unless `quiet` encodes, the request. A request whose code
// is empty is not valid; one without a symbology is valid and draws nothing. A
// code the encoder cannot carry (an empty font string) is not valid either,
// and a quiet check runs the encoder for the entries that leave the decision
// to it. An add-on name rejects a code longer than the main part and the add-on.
Generated Generate(const GenerateRequest& request, bool quiet);

// The human-readable text the preview shows under the bars for a generated
// code (Windows-1252): the program's line for the symbology (lower-cased for
// Codabar), the validated code, the wizard's text, or nothing, as the entry's
// HRC rule says. The line shows the check characters only when `checkDigit`
// and `checkDigitInHrc` are both set, as the settings record holds them.
std::string HrcText(int nameId, const Generated& generated, bool checkDigit, bool checkDigitInHrc,
                    std::string_view wizardHrc);

// Whether the display name's human-readable text may come from the EAN 128
// wizard, which the window then offers.
bool TakesWizardText(int nameId) noexcept;

// The display names whose base family is among the installed `families`,
// ascending.
std::vector<int> DisplayNamesFor(std::span<const std::string> families);

} // namespace lum::assistant
