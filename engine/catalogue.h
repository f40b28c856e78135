// The symbology catalogue and the encode pipeline: validation and
// normalisation, the check step, dispatch to the family encoders and the plain
// start/stop wrap. Every part of the system that walks the symbologies reads
// the one table below.
#pragma once

#include <array>
#include <cstddef>
#include <span>
#include <string>
#include <string_view>

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

struct Symbology {
    std::string_view id;  // upper-case identifier
    int order;            // resolution order; rows sharing a number take the same path
    int nameId;           // English display-name text id (Italian: + 1000); 0 for the add-on parts
    std::string_view family;
    ValidationRule rule;
    CheckStep check;
    CheckRoutine checkRoutine;  // for CheckStep::Outside
    std::size_t checkedLength;  // > 0: only the first N characters go to the check routine or encoder
    Encoder encoder;            // nullptr: the plain wrap with start and stop below
    char start, stop;           // the plain wrap; both 0 when the entry is not encodable yet
    unsigned escapeLimit;       // entries that read escapes: the highest decoded code they encode; else 0
};

// The 31 entries in resolution order.
std::span<const Symbology> Catalogue() noexcept;

// Case-insensitive lookup of an identifier; nullptr when it names no entry.
const Symbology* FindSymbology(std::string_view id) noexcept;

// Why a text was rejected.
enum class Rejection : unsigned char {
    None,
    TooLong,         // limit: the maximum length
    TooShort,        // limit: the minimum length
    BadCharacter,    // position: the offending character
    BadFirstDigit,   // UPC-E number system other than 0 or 1
    BadStartStop,    // position: a Codabar start or stop that is not a start/stop letter
    NoCheckDigit,    // Code CIP: the weighted sum modulo 11 is 10
    NotEncodable,    // validation passed but the encoder cannot carry a character (position)
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

} // namespace lum
