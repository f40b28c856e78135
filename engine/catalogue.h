// The symbology catalogue and the encode pipeline: validation and
// normalisation, the check step, dispatch to the family encoders and the plain
// start/stop wrap. Every fact about a symbology lives in its one row of the
// table below: the pipeline, the library, lumcode, the renderer, the font
// generator and the desktop program read it there.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "engine/deliverable.h"

namespace lum {

// Characters a validated text may hold.
enum class Alphabet : unsigned char {
    Any,     // no restriction
    Digits,  // "0" to "9"
    Code39,  // the 43 Code 39 / Code 93 data characters, "_" standing for the space
    Hex,     // "0" to "9", "A" to "F" (Plessey)
    Delta,   // "0" to "9", "K", "L", "M", "O" (Delta-Distance A)
    Code11,  // "0" to "9", "-"
    Codabar, // the Codabar data characters between the start and stop letters
};

// How an accepted text is padded on the left with "0".
enum class Padding : unsigned char {
    None,
    ToMaximum,   // to the maximum length for the flag
    Postnet,     // to 5, 9 or 11 digits (one more without the check flag)
    Interleaved, // to an even count once the check digit is added
};

// Rules that are not a matter of alphabet and length.
enum class ExtraRule : unsigned char {
    None,
    UpcENumberSystem, // the first digit is "0" or "1"
    CipCheckable,     // the Code CIP weighted sum modulo 11 is not 10
    CodabarEnds,      // first and last characters are start/stop letters
};

inline constexpr int kNoLimit = -1;

// The lengths Postnet pads to (ZIP, ZIP+4, delivery point), with the check flag set.
inline constexpr std::array<int, 3> kPostnetLengths{5, 9, 11};

struct ValidationRule {
    Alphabet alphabet = Alphabet::Any;
    bool upperCase = false;
    int maxWithCheck = kNoLimit;    // longest text when the check flag is set
    int maxWithoutCheck = kNoLimit; // longest text when it is clear
    int minLength = 0;
    Padding padding = Padding::None;
    ExtraRule extra = ExtraRule::None;
};

enum class CheckStep : unsigned char {
    None,          // the flag is not honoured
    Outside,       // the pipeline applies the check routine before encoding
    InsideEncoder, // the encoder receives the flag and applies it (Full ASCII)
    Always,        // the encoder always computes the check characters (ISBN)
};

// Appends the check character(s); returns the empty string on input outside
// the routine's alphabet.
using CheckRoutine = std::string (*)(std::string_view text);
// Turns a validated text into the font string; empty on failure.
using Encoder = std::string (*)(std::string_view text, bool check, Deliverable who);
// A Full ASCII text with its escapes resolved, as the symbol's own characters;
// nullopt when a code has no Full ASCII form.
using FullAsciiExpansion = std::optional<std::string> (*)(std::string_view text, Deliverable who);
// The Code 128 code values of a text, start to check value; empty on failure.
using CodeValues = std::vector<std::uint8_t> (*)(std::string_view text, Deliverable who);

// How big a symbol is printed, from the public standards (docs/fonts.md gives
// the source of every figure): the quiet zones and the module (X) sizes. The
// defaults are those of the codes without a fixed nominal size: the common
// 0.25 mm, and the 0.0075 in (0.191 mm) floor of the AIM symbology standards.
struct PrintGeometry {
    double quietLeft = 10, quietRight = 10; // quiet zones, in modules
    double nominalMm = 0.250;               // the module the standard names as nominal (or a common one)
    double minimumMm = 0.191;               // the smallest module the standard allows
    double maximumMm = 0;                   // the largest, or 0 when the standard sets none
    bool magnification = false;             // sized as a percentage of the nominal module (EAN/UPC)
    std::string_view standard;              // where the figures come from, for messages
};

// The human-readable line the desktop program sets under the bars.
enum class HrcLine : unsigned char {
    Checked,     // the code, with the check characters when both check options ask for them
    Code,        // the validated code as it stands (Code 128)
    CodeOrGiven, // the text the EAN 128 wizard gives, else the validated code
    InFont,      // none: the font draws the digits, so the HRC box stays checked (EAN/UPC, ISBN)
    None,        // none: the HRC option chooses the entry's two-line form instead (Code 32)
};

// Where the line of HrcLine::Checked has "*" before and after it.
enum class HrcFrame : unsigned char { None, Always, WithCheck };

struct HrcRule {
    HrcLine line = HrcLine::Checked;
    HrcFrame frame = HrcFrame::None;
    bool readable = false;  // "_" shows as a blank and the Code 93 shifts by name
    bool lowerCase = false; // the line is shown in lower case (Codabar's start and stop letters)
    // Full ASCII: the line is the text as typed, then the check characters
    // `check` computes over this expansion of it (always shown readable).
    FullAsciiExpansion expansion = nullptr;
    CheckRoutine check = nullptr; // the routine of the check characters; nullptr: the entry's own
};

// The styles the desktop program offers for an entry (texts 278 to 283).
enum class StyleChoice : unsigned char {
    Family,         // the family's: all six, Normal and Short, or Normal alone for a one-font family
    NormalAndShort, // Normal and Short, whatever the family has (EAN/UPC and ISBN, one font; Code CIP)
    Locked,         // the family's, with the list disabled (Code 32)
};

// One catalogue row. Rows are written with designated initialisers; the
// defaults are those of the plain wrapped symbologies.
struct Symbology {
    // The pipeline
    std::string_view id;     // upper-case identifier
    int order = 0;           // resolution order; rows sharing a number take the same path
    std::string_view family; // barcode font family (engine/fonts.h)
    ValidationRule rule{};
    CheckStep check = CheckStep::Outside;
    CheckRoutine checkRoutine = nullptr; // for CheckStep::Outside
    std::size_t checkedLength = 0;       // > 0: only the first N characters go to the check routine or encoder
    Encoder encoder = nullptr;           // nullptr: the plain wrap, start character, text, stop character
    char start = '*', stop = '#';        // the plain wrap
    unsigned escapeLimit = 0;            // entries that read escapes: the highest decoded code they encode; else 0
    CodeValues codeValues = nullptr;     // entries drawn from Code 128 code values: the values of a text
    PrintGeometry print{};

    // The desktop program
    int nameId = 0; // English display-name text id (Italian: + 1000); 0: none of its own
    // A main EAN/UPC symbol: the display names of the symbol followed by the
    // first and by the second add-on entry, in catalogue order.
    std::array<int, 2> addOnNameIds{};
    bool addOn = false;   // an add-on part, typed after a main symbol
    bool hrcForm = false; // encoded for its display name instead of the name's first entry when the HRC option is on
    HrcRule hrc{};
    StyleChoice styles = StyleChoice::Family;
};

// The 31 entries in resolution order.
std::span<const Symbology> Catalogue() noexcept;

// Case-insensitive lookup of an identifier; nullptr when it names no entry.
const Symbology* FindSymbology(std::string_view id) noexcept;

// Why a text was rejected.
enum class Rejection : unsigned char {
    None,
    TooLong,       // limit: the maximum length
    TooShort,      // limit: the minimum length
    BadCharacter,  // position: the offending character
    BadFirstDigit, // UPC-E number system other than 0 or 1
    BadStartStop,  // position: a Codabar start or stop that is not a start/stop letter
    NoCheckDigit,  // Code CIP: the weighted sum modulo 11 is 10
    NotEncodable,  // validation passed but the encoder cannot carry a character (position)
};

struct Verdict {
    Rejection reason = Rejection::None;
    std::size_t position = 0; // byte offset in the text as given, where it applies
    int limit = 0;            // the length limit, where it applies
    constexpr bool Accepted() const noexcept { return reason == Rejection::None; }
};

// Checks the text against the identifier's rule and, when it accepts,
// normalises it in place (upper-casing, left padding). Unknown identifiers and
// entries without a rule accept the text unchanged.
Verdict ValidateText(std::string& text, std::string_view id, bool check);

// The same for an entry already looked up (a batch validates every line
// against one entry).
Verdict ValidateText(std::string& text, const Symbology& entry, bool check);

inline bool Validate(std::string& text, std::string_view id, bool check)
{
    return ValidateText(text, id, check).Accepted();
}

// The font string for a text that Validate has accepted (and normalised) for
// the entry; the empty string when the encoder cannot carry it.
std::string EncodeNormalised(const Symbology& entry, std::string_view text, bool check, Deliverable who);

// The font string for the request, or the empty string on any failure.
std::string Encode(std::string_view text, std::string_view id, bool check, Deliverable who);

// Like ValidateText, then also reports the first character the entry's encoder
// cannot carry (Rejection::NotEncodable); for messages.
Verdict Diagnose(std::string_view text, std::string_view id, bool check, Deliverable who);

enum class Language : unsigned char { English, Italian };

// Symbology display names, ids 400 to 435 (Italian under id + 1000 in the
// desktop program's string table).
struct DisplayName {
    int id;
    std::string_view english;
    std::string_view italian;
};
std::span<const DisplayName> DisplayNames() noexcept;
std::string_view DisplayNameText(int id, Language language) noexcept;

// A symbology as the desktop program offers it: a display name and the
// entries it validates and encodes with.
struct DisplayChoice {
    int nameId = 0;
    const Symbology* entry = nullptr;   // the entry, or the main symbol of an add-on name
    const Symbology* addOn = nullptr;   // the add-on entry of an add-on name, else null
    const Symbology* withHrc = nullptr; // the entry encoded instead when the HRC option is on, else null
};

// The choice of a display name; nullopt for an id that names none.
std::optional<DisplayChoice> FindDisplayChoice(int nameId) noexcept;

// The characters of a validation alphabet, as the description line states
// them; empty for Alphabet::Any.
std::string_view AlphabetCharacters(Alphabet alphabet) noexcept;

} // namespace lum
