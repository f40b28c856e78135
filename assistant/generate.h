// What the main window does with a code: for each symbology display name, the
// identifiers it validates and encodes with, the font family, the
// human-readable text it shows and, for the EAN/UPC add-on names, how the code
// is split into the main symbol and its add-on.
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace lum::assistant {

enum class HrcSource : unsigned char {
    TestoHRC,      // the program's human-readable line for the symbology
    TestoHRCLower, // the same, in lower case (Codabar)
    None,          // no separate line (EAN/UPC, ISBN, Code 32)
    Code,          // the validated code
    WizardOrCode,  // the EAN 128 wizard's text when there is one, else the code
};

struct GenerateRow {
    int nameId;                 // English display-name id
    std::string_view id;        // identifier for Validate and Encode
    std::string_view idWithHrc; // Encode identifier when the HRC option is on (Code 32); empty: `id`
    std::string_view family;    // base font family
    HrcSource hrc;
    std::string_view addOnId;   // "ADD2" / "ADD5" for the add-on names, else empty
    bool alwaysCheck;           // the check flag is set whatever the check box says (ISBN)
};

std::span<const GenerateRow> GenerateTable() noexcept;
const GenerateRow* FindGenerateRow(int nameId) noexcept;

struct GenerateRequest {
    std::string code; // Windows-1252
    const GenerateRow* row = nullptr;
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
// is empty is not valid; one without a row is valid and draws nothing. A code
// the encoder cannot carry (an empty font string) is not valid either, and a
// quiet check runs the encoder for the entries that leave the decision to it.
// An add-on name rejects a code longer than the main part and the add-on.
Generated Generate(const GenerateRequest& request, bool quiet);

// The human-readable text the preview shows under the bars for a generated
// code (Windows-1252): the program's line for the symbology (lower-cased for
// Codabar), the validated code, the wizard's text, or nothing. The line shows
// the check characters only when `checkDigit` and `checkDigitInHrc` are both
// set, as the settings record holds them.
std::string HrcText(const GenerateRow& row, const Generated& generated, bool checkDigit, bool checkDigitInHrc,
                    std::string_view wizardHrc);

// The display names whose base family is among the installed `families`,
// ascending.
std::vector<int> DisplayNamesFor(std::span<const std::string> families);

} // namespace lum::assistant
