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

constexpr ValidationRule kAnyText{};
constexpr ValidationRule kDigits{Alphabet::Digits};
constexpr ValidationRule kCode39Text{Alphabet::Code39, true};

// A digit text of fixed length: `n` digits with the check flag set, n + 1 without.
constexpr ValidationRule FixedDigits(int n, ExtraRule extra = ExtraRule::None)
{
    return {Alphabet::Digits, false, n, n + 1, 0, Padding::ToMaximum, extra};
}

// A fixed-length text whose check flag does not change the length.
constexpr ValidationRule FixedDigitsAnyFlag(int n) { return {Alphabet::Digits, false, n, n, 0, Padding::ToMaximum}; }

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

// Dispatch order of the pipeline. Entries whose encoder is not part of the
// engine yet have neither an encoder nor a wrap and encode to the empty string.
constexpr std::array<Symbology, 31> kCatalogue{{
    // id, order, name, family, rule, check step, check routine, checked length, encoder, start, stop, escape limit
    {"POSTNET", 1, 433, "VORPOSTNET", {Alphabet::Digits, false, 11, 12, 0, Padding::Postnet}, CheckStep::Outside,
     PostnetCheckDigit, 0, nullptr, '*', '#', 0},
    {"C39", 2, 400, "VOR39", kCode39Text, CheckStep::Outside, Code39CheckDigit, 0, nullptr, '#', '#', 0},
    {"C39FULL", 3, 401, "VOR39", kAnyText, CheckStep::InsideEncoder, nullptr, 0, Code39FullAscii, 0, 0, 127},
    {"C93", 4, 402, "VOR93", kCode39Text, CheckStep::Outside, Code93CheckDigits, 0, nullptr, '*', '#', 0},
    {"C93FULL", 5, 403, "VOR93", kAnyText, CheckStep::InsideEncoder, nullptr, 0, Code93FullAscii, 0, 0, 127},
    {"CIP", 6, 427, "VOR39", FixedDigits(6, ExtraRule::CipCheckable), CheckStep::Outside, CipCheckDigit, 0, nullptr,
     '*', '#', 0},
    {"PLESSEY", 7, 428, "VORPLESSEY", {Alphabet::Hex, true, 15, 15}, CheckStep::Outside, PlesseyCheckDigit, 0, nullptr,
     '*', '#', 0},
    {"DELTA", 8, 429, "VORDELTA DA", {Alphabet::Delta, true, 15, 16}, CheckStep::Outside, DeltaCheckDigit, 0,
     DeltaFontString, 0, 0, 0},
    {"C25", 9, 404, "VOR25 ITF", {Alphabet::Digits, false, kNoLimit, kNoLimit, 0, Padding::Interleaved},
     CheckStep::Outside, InterleavedCheckDigit, 0, Interleaved, 0, 0, 0},
    {"ITF", 9, 432, "VORITF14", FixedDigits(13), CheckStep::Outside, InterleavedCheckDigit, 0, Interleaved, 0, 0, 0},
    {"CIND25", 10, 405, "VORIND25", kDigits, CheckStep::Outside, TwoOfFiveCheckDigit, 0, nullptr, '*', '#', 0},
    {"C5BARS", 10, 406, "VOR5BARS", kDigits, CheckStep::Outside, TwoOfFiveCheckDigit, 0, nullptr, '*', '#', 0},
    {"C3BARS", 10, 407, "VOR3BARS", kDigits, CheckStep::Outside, TwoOfFiveCheckDigit, 0, nullptr, '*', '#', 0},
    {"CBCD", 10, 408, "VORBCD", kDigits, CheckStep::Outside, TwoOfFiveCheckDigit, 0, nullptr, '*', '#', 0},
    {"C25INV", 10, 430, "VOR25 INV", kDigits, CheckStep::Outside, TwoOfFiveCheckDigit, 0, nullptr, '*', '#', 0},
    {"C25COMP", 10, 431, "VOR25 COMP", kDigits, CheckStep::Outside, TwoOfFiveCheckDigit, 0, nullptr, '*', '#', 0},
    {"C11", 11, 426, "VOR11", {Alphabet::Code11}, CheckStep::Outside, Code11CheckDigit, 0, nullptr, '*', '#', 0},
    {"CMSI", 12, 409, "VORMSI", {Alphabet::Digits, false, 13, 15}, CheckStep::Outside, MsiBothCheckDigits, 0, nullptr,
     '*', '#', 0},
    {"EAN13", 13, 415, "VOREAN", FixedDigits(12), CheckStep::Outside, EanCheckDigit, 12, Ean13, 0, 0, 0},
    {"UPCA", 14, 418, "VOREAN", FixedDigits(11), CheckStep::Outside, EanCheckDigit, 11, UpcA, 0, 0, 0},
    {"EAN8", 15, 412, "VOREAN", FixedDigits(7), CheckStep::Outside, EanCheckDigit, 7, Ean8, 0, 0, 0},
    {"UPCE", 16, 421, "VOREAN", FixedDigits(7, ExtraRule::UpcENumberSystem), CheckStep::Outside, UpcECheckDigit, 7,
     UpcE, 0, 0, 0},
    {"ADD2", 17, 0, "VOREAN", FixedDigitsAnyFlag(2), CheckStep::None, nullptr, 2, AddOn2, 0, 0, 0},
    {"ADD5", 18, 0, "VOREAN", FixedDigitsAnyFlag(5), CheckStep::None, nullptr, 5, AddOn5, 0, 0, 0},
    {"C32", 19, 410, "VOR32", FixedDigits(8), CheckStep::Outside, Code32CheckDigit, 0, Code32, 0, 0, 0},
    {"C32HRC", 20, 410, "VOR32", FixedDigits(8), CheckStep::Outside, Code32CheckDigit, 0, Code32Hrc, 0, 0, 0},
    {"CBAR", 21, 411, "VORCODABAR", {Alphabet::Codabar, true, kNoLimit, kNoLimit, 3, Padding::None,
     ExtraRule::CodabarEnds}, CheckStep::Outside, CodabarCheckDigit, 0, CodabarFontString, 0, 0, 0},
    {"C128", 22, 424, "VOR128", kAnyText, CheckStep::None, nullptr, 0, Code128, 0, 0, 132},
    {"E128", 23, 425, "VOR128", kAnyText, CheckStep::None, nullptr, 0, Ean128, 0, 0, 132},
    {"ISBN", 24, 434, "VOREAN", FixedDigitsAnyFlag(9), CheckStep::Always, nullptr, 0, Isbn10Label, 0, 0, 0},
    {"ISBN13", 25, 435, "VOREAN", FixedDigitsAnyFlag(12), CheckStep::Always, nullptr, 0, Isbn13Label, 0, 0, 0},
}};

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

// Characters each validation alphabet admits, looked up per character.
constexpr AlphabetTable kCode39Set = MakeAlphabetTable(kCode39Alphabet);
constexpr AlphabetTable kHexSet = MakeAlphabetTable("0123456789ABCDEF");
constexpr AlphabetTable kDeltaSet = MakeAlphabetTable("0123456789KLMO");
constexpr AlphabetTable kCode11Set = MakeAlphabetTable("0123456789-");
constexpr AlphabetTable kCodabarSet = MakeAlphabetTable("0123456789-$:/.+");

constexpr bool InAlphabet(Alphabet alphabet, char c) noexcept
{
    switch (alphabet) {
    case Alphabet::Any: return true;
    case Alphabet::Digits: return IsDigit(c);
    case Alphabet::Code39: return kCode39Set(c) >= 0;
    case Alphabet::Hex: return kHexSet(c) >= 0;
    case Alphabet::Delta: return kDeltaSet(c) >= 0;
    case Alphabet::Code11: return kCode11Set(c) >= 0;
    case Alphabet::Codabar: return kCodabarSet(c) >= 0;
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
    case Padding::None: return length;
    case Padding::ToMaximum: return std::size_t(check ? rule.maxWithCheck : rule.maxWithoutCheck);
    case Padding::Postnet: return length <= 5 + e ? 5 + e : length <= 9 + e ? 9 + e : 11 + e;
    case Padding::Interleaved: return (length % 2 == 0) == check ? length + 1 : length;
    }
    return length;
}

Verdict CheckExtra(ExtraRule extra, std::string_view text) noexcept
{
    switch (extra) {
    case ExtraRule::None: break;
    case ExtraRule::UpcENumberSystem:
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
    if (!s.start)
        return {};
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
    const auto it = std::find_if(kCatalogue.begin(), kCatalogue.end(),
                                 [&](const Symbology& s) { return EqualsUpper(id, s.id); });
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
    const auto it = std::find_if(kDisplayNames.begin(), kDisplayNames.end(),
                                 [id](const DisplayName& n) { return n.id == id; });
    if (it == kDisplayNames.end())
        return {};
    return language == Language::Italian ? it->italian : it->english;
}

} // namespace lum
