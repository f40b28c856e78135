#include "assistant/preview/hrc_text.h"

#include <optional>

#include "engine/codabar.h"
#include "engine/code11.h"
#include "engine/code32.h"
#include "engine/code39.h"
#include "engine/code93.h"
#include "engine/deliverable.h"
#include "engine/delta.h"
#include "engine/msi.h"
#include "engine/plessey.h"
#include "engine/postnet.h"
#include "engine/twoof5.h"

namespace lum::preview {
namespace {

using Routine = std::string (*)(std::string_view);

std::string MsiBoth(std::string_view text) { return MsiCheckDigit(text, kMsiBothCheckDigits); }

// Rows whose line is the code, or the code with the family's check routine.
struct PlainRow {
    int nameId;
    Routine check;
};

constexpr PlainRow kPlainRows[] = {
    {404, InterleavedCheckDigit}, {432, InterleavedCheckDigit}, {405, TwoOfFiveCheckDigit},
    {406, TwoOfFiveCheckDigit},   {407, TwoOfFiveCheckDigit},   {408, TwoOfFiveCheckDigit},
    {430, TwoOfFiveCheckDigit},   {431, TwoOfFiveCheckDigit},   {409, MsiBoth},
    {411, CodabarCheckDigit},     {426, Code11CheckDigit},      {427, CipCheckDigit},
    {428, PlesseyCheckDigit},     {429, DeltaCheckDigit},       {433, PostnetCheckDigit},
};

constexpr std::string_view kShiftNames[] = {"($)", "(%)", "(/)", "(+)"};

// The typed text, then the check characters the bars carry: those the routine
// appends to the Full ASCII expansion. When the text has no expansion (a code
// above 127) there are no bars and so no check characters to show.
std::string FullAsciiLine(std::string_view code, std::optional<std::string> expansion, Routine check)
{
    std::string line = "*";
    line.append(code);
    if (expansion) {
        const std::string checked = check(*expansion);
        if (checked.size() > expansion->size())
            line += ReadableSymbols(std::string_view(checked).substr(expansion->size()));
    }
    line += '*';
    return line;
}

} // namespace

std::string ReadableSymbols(std::string_view symbols)
{
    std::string out;
    out.reserve(symbols.size());
    for (const char c : symbols) {
        if (c == '_')
            out += ' ';
        else if (c >= 'a' && c <= 'd')
            out += kShiftNames[c - 'a'];
        else
            out += c;
    }
    return out;
}

std::string TestoHRC(int nameId, std::string_view code, HrcOptions options)
{
    const bool withCheck = options.checkDigit && options.checkDigitInHrc;
    constexpr Deliverable who = Deliverable::Assistant;
    switch (nameId) {
    case 400:
        return "*" + ReadableSymbols(withCheck ? Code39CheckDigit(code) : std::string(code)) + "*";
    case 402:
        return withCheck ? "*" + ReadableSymbols(Code93CheckDigits(code)) + "*" : ReadableSymbols(code);
    // The Full ASCII forms: every typed character is itself ("_" is an
    // underscore here, not the space symbol).
    case 401:
        return withCheck ? FullAsciiLine(code, Code39FullAsciiExpansion(code, who), Code39CheckDigit)
                         : "*" + std::string(code) + "*";
    case 403:
        return withCheck ? FullAsciiLine(code, Code93FullAsciiExpansion(code, who), Code93CheckDigits)
                         : std::string(code);
    default:
        break;
    }
    for (const PlainRow& row : kPlainRows)
        if (row.nameId == nameId)
            return withCheck ? row.check(code) : std::string(code);
    return {};
}

} // namespace lum::preview
