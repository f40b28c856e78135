#include "engine/catalogue.h"

#include <algorithm>

#include "engine/codabar.h"
#include "engine/code11.h"
#include "engine/code128.h"
#include "engine/code32.h"
#include "engine/code39.h"
#include "engine/code93.h"
#include "engine/delta.h"
#include "engine/ean.h"
#include "engine/ean128.h"
#include "engine/escape.h"
#include "engine/isbn.h"
#include "engine/msi.h"
#include "engine/plessey.h"
#include "engine/postnet.h"
#include "engine/text.h"
#include "engine/twoof5.h"

namespace lum {
namespace {

constexpr ValidationRule kDigits{.alphabet = Alphabet::Digits};
constexpr ValidationRule kCode39Text{.alphabet = Alphabet::Code39, .upperCase = true};

// A digit text of fixed length: `n` digits with the check flag set, n + 1 without.
constexpr ValidationRule FixedDigits(int n, ExtraRule extra = ExtraRule::None)
{
    return {.alphabet = Alphabet::Digits,
            .maxWithCheck = n,
            .maxWithoutCheck = n + 1,
            .padding = Padding::ToMaximum,
            .extra = extra};
}

// A fixed-length text whose check flag does not change the length.
constexpr ValidationRule FixedDigitsAnyFlag(int n)
{
    return {.alphabet = Alphabet::Digits, .maxWithCheck = n, .maxWithoutCheck = n, .padding = Padding::ToMaximum};
}

std::string Code39FullAscii(std::string_view text, bool check, Deliverable who)
{
    return EncodeCode39FullAscii(text, check, who);
}

std::string Code93FullAscii(std::string_view text, bool check, Deliverable who)
{
    return EncodeCode93FullAscii(text, check, who);
}

std::string Interleaved(std::string_view text, bool, Deliverable) { return EncodeInterleaved(text); }

std::string Code32(std::string_view text, bool, Deliverable) { return EncodeCode32(text); }

std::string Code32Hrc(std::string_view text, bool, Deliverable) { return EncodeCode32Hrc(text); }

std::string MsiBothCheckDigits(std::string_view text) { return MsiCheckDigit(text, kMsiBothCheckDigits); }

std::string DeltaFontString(std::string_view text, bool, Deliverable) { return EncodeDelta(text); }

std::string CodabarFontString(std::string_view text, bool, Deliverable) { return EncodeCodabar(text); }

std::string Ean13(std::string_view text, bool, Deliverable) { return EncodeEan13(text); }
std::string UpcA(std::string_view text, bool, Deliverable) { return EncodeUpcA(text); }
std::string Ean8(std::string_view text, bool, Deliverable) { return EncodeEan8(text); }
std::string UpcE(std::string_view text, bool, Deliverable) { return EncodeUpcE(text); }
std::string AddOn2(std::string_view text, bool, Deliverable) { return EncodeAddOn2(text); }
std::string AddOn5(std::string_view text, bool, Deliverable) { return EncodeAddOn5(text); }
std::string Isbn10Label(std::string_view text, bool, Deliverable) { return EncodeIsbn10(text); }
std::string Isbn13Label(std::string_view text, bool, Deliverable) { return EncodeIsbn13(text); }

// Code 128 and EAN 128 always carry their check value; the flag is not used.
std::string Code128(std::string_view text, bool, Deliverable who) { return EncodeCode128(text, who); }
std::string Ean128(std::string_view text, bool, Deliverable who) { return EncodeEan128(text, who); }

constexpr std::string_view kGs1Retail = "GS1 GenSpecs, ISO/IEC 15420";
constexpr std::string_view kNoStandard = "no public standard; as Code 39";

// EAN/UPC: nominal X 0.330 mm (100%), 80% to 200% allowed.
constexpr PrintGeometry Ean(double left, double right) { return {left, right, 0.330, 0.264, 0.660, true, kGs1Retail}; }

// The wide/narrow and module codes without a fixed nominal size.
constexpr PrintGeometry Common(double quiet, std::string_view standard)
{
    return {.quietLeft = quiet, .quietRight = quiet, .standard = standard};
}

// ITF-14 and GS1-128.
constexpr PrintGeometry kGs1Logistics{
    10, 10, 0.495, 0.495, 1.016, false, "GS1 GenSpecs, general distribution"};
constexpr PrintGeometry kPostnetPrint{7, 7, 0.508, 0.381, 0.635, false, "USPS DMM 708.4"}; // bar 0.020 in; 1/8 in quiet
constexpr std::string_view kCode39Standard = "ISO/IEC 16388, AIM USS Code 39";
constexpr std::string_view kCode93Standard = "AIM USS Code 93";
constexpr std::string_view kCode32Standard = "Italian pharmacode label (0.25 mm), ISO/IEC 16388";

constexpr HrcRule kCode39Hrc{.frame = HrcFrame::Always, .readable = true};
constexpr HrcRule kCode93Hrc{.frame = HrcFrame::WithCheck, .readable = true};
constexpr HrcRule kDigitsInFont{.line = HrcLine::InFont};

// The catalogue in resolution order. Each row: identifier, order and family;
// the pipeline; the quiet zones; the desktop program's facts.
// clang-format off
constexpr std::array<Symbology, 31> kCatalogue{{
    {.id = "POSTNET", .order = 1, .family = "VORPOSTNET",
     .rule = {.alphabet = Alphabet::Digits, .maxWithCheck = 11, .maxWithoutCheck = 12, .padding = Padding::Postnet},
     .checkRoutine = PostnetCheckDigit, .print = kPostnetPrint, .nameId = 433},
    {.id = "C39", .order = 2, .family = "VOR39", .rule = kCode39Text, .checkRoutine = Code39CheckDigit, .start = '#',
     .print = Common(10, kCode39Standard), .nameId = 400, .hrc = kCode39Hrc},
    {.id = "C39FULL", .order = 3, .family = "VOR39", .check = CheckStep::InsideEncoder, .encoder = Code39FullAscii,
     .escapeLimit = 127, .print = Common(10, kCode39Standard), .nameId = 401,
     .hrc = {.frame = HrcFrame::Always, .expansion = Code39FullAsciiExpansion, .check = Code39CheckDigit}},
    {.id = "C93", .order = 4, .family = "VOR93", .rule = kCode39Text, .checkRoutine = Code93CheckDigits,
     .print = Common(10, kCode93Standard), .nameId = 402, .hrc = kCode93Hrc},
    {.id = "C93FULL", .order = 5, .family = "VOR93", .check = CheckStep::InsideEncoder, .encoder = Code93FullAscii,
     .escapeLimit = 127, .print = Common(10, kCode93Standard), .nameId = 403,
     .hrc = {.frame = HrcFrame::WithCheck, .expansion = Code93FullAsciiExpansion, .check = Code93CheckDigits}},
    {.id = "CIP", .order = 6, .family = "VOR39", .rule = FixedDigits(6, ExtraRule::CipCheckable),
     .checkRoutine = CipCheckDigit, .print = Common(10, "ISO/IEC 16388 (Code CIP is Code 39)"), .nameId = 427,
     .styles = StyleChoice::NormalAndShort},
    {.id = "PLESSEY", .order = 7, .family = "VORPLESSEY",
     .rule = {.alphabet = Alphabet::Hex, .upperCase = true, .maxWithCheck = 15, .maxWithoutCheck = 15},
     .checkRoutine = PlesseyCheckDigit, .print = Common(12, kNoStandard), .nameId = 428},
    {.id = "DELTA", .order = 8, .family = "VORDELTA DA",
     .rule = {.alphabet = Alphabet::Delta, .upperCase = true, .maxWithCheck = 15, .maxWithoutCheck = 16},
     .checkRoutine = DeltaCheckDigit, .encoder = DeltaFontString, .print = Common(10, kNoStandard), .nameId = 429},
    {.id = "C25", .order = 9, .family = "VOR25 ITF", .rule = {.alphabet = Alphabet::Digits, .padding = Padding::Interleaved},
     .checkRoutine = InterleavedCheckDigit, .encoder = Interleaved,
     .print = Common(10, "ISO/IEC 16390, AIM USS Interleaved 2 of 5"), .nameId = 404},
    {.id = "ITF", .order = 9, .family = "VORITF14", .rule = FixedDigits(13), .checkRoutine = InterleavedCheckDigit,
     .encoder = Interleaved, .print = kGs1Logistics, .nameId = 432},
    {.id = "CIND25", .order = 10, .family = "VORIND25", .rule = kDigits, .checkRoutine = TwoOfFiveCheckDigit,
     .print = Common(10, kNoStandard), .nameId = 405},
    {.id = "C5BARS", .order = 10, .family = "VOR5BARS", .rule = kDigits, .checkRoutine = TwoOfFiveCheckDigit,
     .print = Common(10, kNoStandard), .nameId = 406},
    {.id = "C3BARS", .order = 10, .family = "VOR3BARS", .rule = kDigits, .checkRoutine = TwoOfFiveCheckDigit,
     .print = Common(10, kNoStandard), .nameId = 407},
    {.id = "CBCD", .order = 10, .family = "VORBCD", .rule = kDigits, .checkRoutine = TwoOfFiveCheckDigit,
     .print = Common(10, kNoStandard), .nameId = 408},
    {.id = "C25INV", .order = 10, .family = "VOR25 INV", .rule = kDigits, .checkRoutine = TwoOfFiveCheckDigit,
     .print = Common(10, kNoStandard), .nameId = 430},
    {.id = "C25COMP", .order = 10, .family = "VOR25 COMP", .rule = kDigits, .checkRoutine = TwoOfFiveCheckDigit,
     .print = Common(10, kNoStandard), .nameId = 431},
    {.id = "C11", .order = 11, .family = "VOR11", .rule = {.alphabet = Alphabet::Code11}, .checkRoutine = Code11CheckDigit,
     .print = Common(10, "AIM USS Code 11"), .nameId = 426},
    {.id = "CMSI", .order = 12, .family = "VORMSI",
     .rule = {.alphabet = Alphabet::Digits, .maxWithCheck = 13, .maxWithoutCheck = 15}, .checkRoutine = MsiBothCheckDigits,
     .print = Common(12, kNoStandard), .nameId = 409},
    {.id = "EAN13", .order = 13, .family = "VOREAN", .rule = FixedDigits(12), .checkRoutine = EanCheckDigit,
     .checkedLength = 12, .encoder = Ean13, .print = Ean(11, 7), .nameId = 415, .addOnNameIds = {416, 417},
     .hrc = kDigitsInFont, .styles = StyleChoice::NormalAndShort},
    {.id = "UPCA", .order = 14, .family = "VOREAN", .rule = FixedDigits(11), .checkRoutine = EanCheckDigit,
     .checkedLength = 11, .encoder = UpcA, .print = Ean(9, 9), .nameId = 418, .addOnNameIds = {419, 420},
     .hrc = kDigitsInFont, .styles = StyleChoice::NormalAndShort},
    {.id = "EAN8", .order = 15, .family = "VOREAN", .rule = FixedDigits(7), .checkRoutine = EanCheckDigit,
     .checkedLength = 7, .encoder = Ean8, .print = Ean(7, 7), .nameId = 412, .addOnNameIds = {413, 414},
     .hrc = kDigitsInFont, .styles = StyleChoice::NormalAndShort},
    {.id = "UPCE", .order = 16, .family = "VOREAN", .rule = FixedDigits(7, ExtraRule::UpcENumberSystem),
     .checkRoutine = UpcECheckDigit, .checkedLength = 7, .encoder = UpcE, .print = Ean(9, 7), .nameId = 421,
     .addOnNameIds = {422, 423}, .hrc = kDigitsInFont, .styles = StyleChoice::NormalAndShort},
    {.id = "ADD2", .order = 17, .family = "VOREAN", .rule = FixedDigitsAnyFlag(2), .check = CheckStep::None,
     .checkedLength = 2, .encoder = AddOn2, .print = Ean(7, 5), .addOn = true},
    {.id = "ADD5", .order = 18, .family = "VOREAN", .rule = FixedDigitsAnyFlag(5), .check = CheckStep::None,
     .checkedLength = 5, .encoder = AddOn5, .print = Ean(7, 5), .addOn = true},
    {.id = "C32", .order = 19, .family = "VOR32", .rule = FixedDigits(8), .checkRoutine = Code32CheckDigit,
     .encoder = Code32, .print = Common(10, kCode32Standard), .nameId = 410, .hrc = {.line = HrcLine::None},
     .styles = StyleChoice::Locked},
    {.id = "C32HRC", .order = 20, .family = "VOR32", .rule = FixedDigits(8), .checkRoutine = Code32CheckDigit,
     .encoder = Code32Hrc, .print = Common(10, kCode32Standard), .nameId = 410, .hrcForm = true, .hrc = {.line = HrcLine::None},
     .styles = StyleChoice::Locked},
    {.id = "CBAR", .order = 21, .family = "VORCODABAR",
     .rule = {.alphabet = Alphabet::Codabar, .upperCase = true, .minLength = 3, .extra = ExtraRule::CodabarEnds},
     .checkRoutine = CodabarCheckDigit, .encoder = CodabarFontString,
     .print = {.nominalMm = 0.330, .standard = "EN 798"}, .nameId = 411, .hrc = {.lowerCase = true}},
    {.id = "C128", .order = 22, .family = "VOR128", .check = CheckStep::None, .encoder = Code128,
     .escapeLimit = kCode128Highest, .codeValues = Code128Values, .print = Common(10, "ISO/IEC 15417, AIM USS Code 128"),
     .nameId = 424, .hrc = {.line = HrcLine::Code}},
    {.id = "E128", .order = 23, .family = "VOR128", .check = CheckStep::None, .encoder = Ean128,
     .escapeLimit = kCode128Highest, .codeValues = Ean128Values, .print = kGs1Logistics, .nameId = 425, .hrc = {.line = HrcLine::CodeOrGiven}},
    {.id = "ISBN", .order = 24, .family = "VOREAN", .rule = FixedDigitsAnyFlag(9), .check = CheckStep::Always,
     .encoder = Isbn10Label, .print = Ean(11, 7), .nameId = 434, .hrc = kDigitsInFont,
     .styles = StyleChoice::NormalAndShort},
    {.id = "ISBN13", .order = 25, .family = "VOREAN", .rule = FixedDigitsAnyFlag(12), .check = CheckStep::Always,
     .encoder = Isbn13Label, .print = Ean(11, 7), .nameId = 435, .hrc = kDigitsInFont,
     .styles = StyleChoice::NormalAndShort},
}};
// clang-format on

// Every row's print sizes are sound, and only the retail symbols (the EAN/UPC
// family) are sized by magnification of the GS1 nominal module.
constexpr bool PrintGeometriesAreSound()
{
    for (const Symbology& s : kCatalogue) {
        const PrintGeometry& g = s.print;
        if (g.nominalMm < g.minimumMm || (g.maximumMm != 0 && g.maximumMm < g.nominalMm) || g.quietLeft <= 0 ||
            g.quietRight <= 0 || g.standard.empty() || g.magnification != (s.family == "VOREAN"))
            return false;
    }
    return true;
}
static_assert(PrintGeometriesAreSound());

constexpr std::array<DisplayName, 36> kDisplayNames{{
    {400, "Code 39", "Codice 39"},
    {401, "Code 39 Full Ascii", "Codice 39 Full Ascii"},
    {402, "Code 93", "Codice 93"},
    {403, "Code 93 Full Ascii", "Codice 93 Full Ascii"},
    {404, "Interleaved 2 of 5", "Interleaved 2 di 5"},
    {405, "Industrial 2 of 5", "Industrial 2 di 5"},
    {406, "5 Bars 2 of 5", "5 Barre 2 di 5"},
    {407, "3 Bars Matrix 2 of 5", "3 Barre Matrix 2 di 5"},
    {408, "BCD Matrix 2 of 5", "BCD Matrix 2 di 5"},
    {409, "MSI", "MSI"},
    {410, "Code 32", "Codice 32"},
    {411, "Codabar/Monarch", "Codabar/Monarch"},
    {412, "EAN 8", "EAN 8"},
    {413, "EAN 8 Add-on 2", "EAN 8 Add-on 2"},
    {414, "EAN 8 Add-on 5", "EAN 8 Add-on 5"},
    {415, "EAN 13", "EAN 13"},
    {416, "EAN 13 Add-on 2", "EAN 13 Add-on 2"},
    {417, "EAN 13 Add-on 5", "EAN 13 Add-on 5"},
    {418, "UPC-A", "UPC-A"},
    {419, "UPC-A Add-on 2", "UPC-A Add-on 2"},
    {420, "UPC-A Add-on 5", "UPC-A Add-on 5"},
    {421, "UPC-E", "UPC-E"},
    {422, "UPC-E Add-on 2", "UPC-E Add-on 2"},
    {423, "UPC-E Add-on 5", "UPC-E Add-on 5"},
    {424, "Code 128", "Codice 128"},
    {425, "EAN 128", "EAN 128"},
    {426, "Code 11", "Codice 11"},
    {427, "Code CIP", "Codice CIP"},
    {428, "Plessey", "Plessey"},
    {429, "Delta-Distance A", "Delta-Distance A"},
    {430, "2 of 5 Inverted", "2 di 5 Invertito"},
    {431, "2 of 5 Compressed", "2 di 5 Compresso"},
    {432, "UCC-ITF 14", "UCC-ITF 14"},
    {433, "Postnet", "Postnet"},
    {434, "ISBN-10", "ISBN-10"},
    {435, "ISBN-13", "ISBN-13"},
}};

constexpr std::string_view kCodabarEnds = "ABCDEMT*";

// The validation alphabets. Codabar's data characters are listed in the order
// the description line states them.
constexpr std::string_view kDigitAlphabet = "0123456789";
constexpr std::string_view kHexAlphabet = "0123456789ABCDEF";
constexpr std::string_view kDeltaAlphabet = "0123456789KLMO";
constexpr std::string_view kCode11Alphabet = "0123456789-";
constexpr std::string_view kCodabarStated = "0123456789+.-$:/";

constexpr bool SameCharacters(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (const char c : a)
        if (b.find(c) == std::string_view::npos)
            return false;
    return true;
}
static_assert(SameCharacters(kCodabarStated, kCodabarData));

// Characters each validation alphabet admits, looked up per character.
constexpr AlphabetTable kCode39Set = MakeAlphabetTable(kCode39Alphabet);
constexpr AlphabetTable kHexSet = MakeAlphabetTable(kHexAlphabet);
constexpr AlphabetTable kDeltaSet = MakeAlphabetTable(kDeltaAlphabet);
constexpr AlphabetTable kCode11Set = MakeAlphabetTable(kCode11Alphabet);
constexpr AlphabetTable kCodabarSet = MakeAlphabetTable(kCodabarData);

constexpr bool InAlphabet(Alphabet alphabet, char c) noexcept
{
    switch (alphabet) {
    // clang-format off
    case Alphabet::Any: return true;
    case Alphabet::Digits: return IsDigit(c);
    case Alphabet::Code39: return kCode39Set(c) >= 0;
    case Alphabet::Hex: return kHexSet(c) >= 0;
    case Alphabet::Delta: return kDeltaSet(c) >= 0;
    case Alphabet::Code11: return kCode11Set(c) >= 0;
    case Alphabet::Codabar: return kCodabarSet(c) >= 0;
        // clang-format on
    }
    return false;
}

bool EqualsUpper(std::string_view id, std::string_view upper) noexcept
{
    return id.size() == upper.size() &&
           std::equal(id.begin(), id.end(), upper.begin(), [](char a, char b) { return ToUpperAscii(a) == b; });
}

std::size_t PaddedLength(const ValidationRule& rule, std::size_t length, bool check) noexcept
{
    const std::size_t e = check ? 0 : 1;
    switch (rule.padding) {
    // clang-format off
    case Padding::None: return length;
    case Padding::ToMaximum: return std::size_t(check ? rule.maxWithCheck : rule.maxWithoutCheck);
    case Padding::Postnet:
        // clang-format on
        for (const int n : kPostnetLengths)
            if (length <= n + e || n == kPostnetLengths.back())
                return n + e;
        break;
    case Padding::Interleaved:
        return (length % 2 == 0) == check ? length + 1 : length;
    }
    return length;
}

Verdict CheckExtra(ExtraRule extra, std::string_view text) noexcept
{
    switch (extra) {
    // clang-format off
    case ExtraRule::None: break;
    case ExtraRule::UpcENumberSystem:
        // clang-format on
        if (text.empty() || (text[0] != '0' && text[0] != '1'))
            return {Rejection::BadFirstDigit, 0, 0};
        break;
    case ExtraRule::CipCheckable:
        if (CipRemainder(text) == 10)
            return {Rejection::NoCheckDigit, 0, 0};
        break;
    case ExtraRule::CodabarEnds:
        if (IndexIn(kCodabarEnds, text.front()) < 0)
            return {Rejection::BadStartStop, 0, 0};
        if (IndexIn(kCodabarEnds, text.back()) < 0)
            return {Rejection::BadStartStop, text.size() - 1, 0};
        break;
    }
    return {};
}

} // namespace

std::string EncodeNormalised(const Symbology& s, std::string_view text, bool check, Deliverable who)
{
    // The text is only copied when the check routine makes a new one.
    std::string checked;
    std::string_view work = text;
    if (s.check == CheckStep::Outside && check) {
        if (!s.checkRoutine)
            return {};
        checked = s.checkRoutine(s.checkedLength ? work.substr(0, s.checkedLength) : work);
        if (checked.empty())
            return {};
        work = checked;
    } else if (s.check == CheckStep::None && s.checkedLength && work.size() > s.checkedLength) {
        work = work.substr(0, s.checkedLength);
    }
    if (s.encoder)
        return s.encoder(work, check, who);
    std::string out;
    out.reserve(work.size() + 2);
    out.push_back(s.start);
    out.append(work);
    out.push_back(s.stop);
    return out;
}

std::span<const Symbology> Catalogue() noexcept { return kCatalogue; }

const Symbology* FindSymbology(std::string_view id) noexcept
{
    const auto it =
        std::find_if(kCatalogue.begin(), kCatalogue.end(), [&](const Symbology& s) { return EqualsUpper(id, s.id); });
    return it == kCatalogue.end() ? nullptr : &*it;
}

namespace {

// The alphabet of a rule, and Codabar's start/stop letters, on an
// upper-cased text before any padding.
Verdict CheckCharacters(const ValidationRule& rule, std::string_view work) noexcept
{
    // Codabar's first and last characters are start/stop letters, the others data.
    const bool ends = rule.extra == ExtraRule::CodabarEnds;
    if (ends)
        if (const Verdict v = CheckExtra(rule.extra, work); !v.Accepted())
            return v;
    if (rule.alphabet != Alphabet::Any)
        for (std::size_t i = ends ? 1 : 0, n = ends ? work.size() - 1 : work.size(); i < n; ++i)
            if (!InAlphabet(rule.alphabet, work[i]))
                return {Rejection::BadCharacter, i, 0};
    return {};
}

bool HasLowerAscii(std::string_view text) noexcept
{
    return std::any_of(text.begin(), text.end(), [](char c) { return c >= 'a' && c <= 'z'; });
}

// ValidateText for an entry already looked up. A rejected text is left as it was.
Verdict ValidateFor(const Symbology& s, std::string& text, bool check)
{
    const ValidationRule& rule = s.rule;

    const int maxLength = check ? rule.maxWithCheck : rule.maxWithoutCheck;
    if (maxLength != kNoLimit && text.size() > std::size_t(maxLength))
        return {Rejection::TooLong, std::size_t(maxLength), maxLength};
    if (text.size() < std::size_t(rule.minLength))
        return {Rejection::TooShort, 0, rule.minLength};

    const std::size_t padded = PaddedLength(rule, text.size(), check);
    const bool extraAfterPadding = rule.extra != ExtraRule::CodabarEnds;
    // Most texts need neither upper-casing nor padding: checked where they are.
    if (padded <= text.size() && !(rule.upperCase && HasLowerAscii(text))) {
        if (const Verdict v = CheckCharacters(rule, text); !v.Accepted())
            return v;
        return extraAfterPadding ? CheckExtra(rule.extra, text) : Verdict{};
    }

    std::string work(text);
    if (rule.upperCase)
        UpperCaseAscii(work);
    if (const Verdict v = CheckCharacters(rule, work); !v.Accepted())
        return v;
    if (padded > work.size())
        work.insert(0, padded - work.size(), '0');
    if (extraAfterPadding)
        if (const Verdict v = CheckExtra(rule.extra, work); !v.Accepted())
            return v;
    text = std::move(work);
    return {};
}

} // namespace

Verdict ValidateText(std::string& text, std::string_view id, bool check)
{
    const Symbology* s = FindSymbology(id);
    if (!s)
        return {};
    return ValidateFor(*s, text, check);
}

Verdict ValidateText(std::string& text, const Symbology& entry, bool check) { return ValidateFor(entry, text, check); }

std::string Encode(std::string_view text, std::string_view id, bool check, Deliverable who)
{
    const Symbology* s = FindSymbology(id);
    if (!s)
        return {};
    std::string work(text);
    if (!ValidateFor(*s, work, check).Accepted())
        return {};
    return EncodeNormalised(*s, work, check, who);
}

Verdict Diagnose(std::string_view text, std::string_view id, bool check, Deliverable who)
{
    std::string work(text);
    const Verdict verdict = ValidateText(work, id, check);
    if (!verdict.Accepted())
        return verdict;
    const Symbology* s = FindSymbology(id);
    if (s && s->escapeLimit)
        if (const auto pos = FirstCodeAbove(work, s->escapeLimit, who))
            return {Rejection::NotEncodable, *pos, int(s->escapeLimit)};
    return {};
}

std::span<const DisplayName> DisplayNames() noexcept { return kDisplayNames; }

std::string_view DisplayNameText(int id, Language language) noexcept
{
    const auto it =
        std::find_if(kDisplayNames.begin(), kDisplayNames.end(), [id](const DisplayName& n) { return n.id == id; });
    if (it == kDisplayNames.end())
        return {};
    return language == Language::Italian ? it->italian : it->english;
}

std::optional<DisplayChoice> FindDisplayChoice(int nameId) noexcept
{
    if (nameId <= 0)
        return std::nullopt;
    DisplayChoice choice{nameId};
    std::size_t addOns = 0; // add-on entries seen so far
    std::size_t pairedAddOn = 0;
    for (const Symbology& s : kCatalogue) {
        if (s.nameId == nameId) {
            if (s.hrcForm)
                choice.withHrc = &s;
            else if (!choice.entry)
                choice.entry = &s;
        }
        for (std::size_t i = 0; i < s.addOnNameIds.size(); ++i)
            if (s.addOnNameIds[i] == nameId) {
                choice.entry = &s;
                pairedAddOn = i + 1;
            }
        if (s.addOn && ++addOns == pairedAddOn)
            choice.addOn = &s;
    }
    if (!choice.entry || (pairedAddOn && !choice.addOn))
        return std::nullopt;
    return choice;
}

std::string_view AlphabetCharacters(Alphabet alphabet) noexcept
{
    switch (alphabet) {
    // clang-format off
    case Alphabet::Any: return {};
    case Alphabet::Digits: return kDigitAlphabet;
    case Alphabet::Code39: return kCode39Alphabet;
    case Alphabet::Hex: return kHexAlphabet;
    case Alphabet::Delta: return kDeltaAlphabet;
    case Alphabet::Code11: return kCode11Alphabet;
    case Alphabet::Codabar: return kCodabarStated;
        // clang-format on
    }
    return {};
}

} // namespace lum
