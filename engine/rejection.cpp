#include "engine/rejection.h"

#include <array>
#include <cstdio>

#include "engine/cp1252.h"
#include "engine/escape.h"

namespace lum {
namespace {

// The words of the messages in each language, English first. Italian accented
// letters are Windows-1252 bytes, like every string of the engine.
struct Words {
    std::string_view tooLong, tooShort, characters, atMost, atLeast;
    std::string_view flagSetArgument, flagClearArgument;
    std::string_view character, atPosition, notAllowed, allowed;
    std::string_view firstDigit, numberSystem, notStartStop;
    std::string_view noCheckDigit, cannotBeEncoded, encodesCodes, escape, standsFor, is, code;
    std::string_view endOfText, unknownIdentifier, encoderCannotCarry;
    std::array<std::string_view, 7> alphabets; // by Alphabet
};

// clang-format off
constexpr std::array<Words, 2> kWords{{
    {"too long: ", "too short: ", " characters, ", "at most ", "at least ",
     " when the check digit is added", " when the text carries its check digit",
     "character ", " at position ", " is not allowed", "; allowed: ",
     "first digit ", " is not allowed; the number system digit must be 0 or 1",
     " is not a start/stop character (A, B, C, D, E, M, T or *)",
     "no check digit exists for this number (its weighted sum modulo 11 is 10)",
     "a character cannot be encoded; ", " encodes codes 0 to ", "escape ", " stands for ", " is ", "code ",
     "end of text", "unknown symbology identifier ", "the encoder cannot carry this text",
     {"", "digits 0-9", "0-9, A-Z and - . _ $ / + % (\"_\" stands for a space)", "0-9 and A-F",
      "0-9, K, L, M and O", "0-9 and -", "0-9 and - $ : / . +"}},
    {"troppo lungo: ", "troppo corto: ", " caratteri, ", "al massimo ", "almeno ",
     " se la cifra di controllo va aggiunta", " se il testo contiene la cifra di controllo",
     "carattere ", " in posizione ", " non ammesso", "; ammessi: ",
     "prima cifra ", " non ammessa; la cifra del sistema di numerazione deve essere 0 o 1",
     " non \xE8 un carattere di start/stop (A, B, C, D, E, M, T o *)",
     "per questo numero non esiste una cifra di controllo (la somma pesata modulo 11 \xE8 10)",
     "un carattere non pu\xF2 essere codificato; ", " codifica i codici da 0 a ", "la sequenza ",
     " rappresenta il ", " \xE8 il ", "codice ",
     "fine del testo", "identificativo di simbologia sconosciuto ", "il codificatore non pu\xF2 rappresentare questo testo",
     {"", "cifre 0-9", "0-9, A-Z e - . _ $ / + % (\"_\" sta per lo spazio)", "0-9 e A-F",
      "0-9, K, L, M e O", "0-9 e -", "0-9 e - $ : / . +"}},
}};
// clang-format on
static_assert(std::tuple_size_v<decltype(Words::alphabets)> == std::size_t(Alphabet::Codabar) + 1);

const Words& WordsFor(Language language) { return kWords[language == Language::Italian ? 1 : 0]; }

void AppendHex(const char* format, unsigned value, std::string& out)
{
    char buf[16];
    std::snprintf(buf, sizeof buf, format, value);
    out += buf;
}

std::string ByteName(std::string_view text, std::size_t pos, const Words& w)
{
    return pos < text.size() ? CharacterName(static_cast<unsigned char>(text[pos])) : std::string(w.endOfText);
}

std::string Number(std::size_t n) { return std::to_string(n); }

std::string NotEncodableReason(const Symbology& entry, const Verdict& verdict, std::string_view text, ReasonStyle style)
{
    const Words& w = WordsFor(style.language);
    const std::size_t pos = verdict.position;
    const std::string range = std::string(entry.id).append(w.encodesCodes).append(Number(verdict.limit));
    if (pos >= text.size())
        return std::string(w.cannotBeEncoded) + range;
    const EscapeRead read = ReadEscape(text, pos, style.who);
    const std::string code = std::string(w.code) + Number(read.value);
    if (text[pos] == '\\')
        return std::string(w.escape) + QuoteText(text.substr(pos, read.next - pos)) + std::string(w.atPosition) +
               Number(pos + 1) + std::string(w.standsFor) + code + "; " + range;
    return std::string(w.character) + ByteName(text, pos, w) + std::string(w.atPosition) + Number(pos + 1) +
           std::string(w.is) + code + "; " + range;
}

} // namespace

std::string CharacterName(unsigned char byte)
{
    const char32_t cp = Cp1252ToUnicode(byte);
    std::string out;
    if (IsControlCharacter(cp)) {
        AppendHex("U+%04X", unsigned(cp), out);
        return out;
    }
    out.push_back('"');
    out.push_back(static_cast<char>(byte));
    out.push_back('"');
    if (cp >= 0x80) {
        out += " (";
        AppendHex("U+%04X", unsigned(cp), out);
        out.push_back(')');
    }
    return out;
}

std::string QuoteText(std::string_view text, std::size_t limit)
{
    std::string out = "\"";
    for (std::size_t pos = 0; pos < text.size(); ++pos) {
        if (pos == limit) {
            out += "...";
            break;
        }
        const auto byte = static_cast<unsigned char>(text[pos]);
        switch (byte) {
        // clang-format off
        case '\t': out += "\\t"; break;
        case '\r': out += "\\r"; break;
        case '\n': out += "\\n"; break;
        // clang-format on
        default:
            if (IsControlCharacter(Cp1252ToUnicode(byte)))
                AppendHex("\\x%02X", byte, out);
            else
                out.push_back(static_cast<char>(byte));
        }
    }
    out.push_back('"');
    return out;
}

std::string DescribeRejection(const Symbology& entry, const Verdict& verdict, std::string_view text, bool check,
                              ReasonStyle style)
{
    const Words& w = WordsFor(style.language);
    const std::string position = std::string(w.atPosition) + Number(verdict.position + 1);
    switch (verdict.reason) {
    case Rejection::None:
        return {};
    case Rejection::TooLong: {
        std::string reason = std::string(w.tooLong) + Number(text.size()) + std::string(w.characters) +
                             std::string(w.atMost) + Number(verdict.limit);
        if (style.flag == FlagWording::CommandLine)
            return reason + (check ? " with --check" : " without --check");
        return reason.append(check ? w.flagSetArgument : w.flagClearArgument);
    }
    case Rejection::TooShort:
        return std::string(w.tooShort) + Number(text.size()) + std::string(w.characters) + std::string(w.atLeast) +
               Number(verdict.limit);
    case Rejection::BadCharacter: {
        std::string reason =
            std::string(w.character) + ByteName(text, verdict.position, w) + position + std::string(w.notAllowed);
        const std::string_view allowed = w.alphabets[std::size_t(entry.rule.alphabet)];
        if (!allowed.empty())
            reason.append(w.allowed).append(allowed);
        return reason;
    }
    case Rejection::BadFirstDigit:
        return std::string(w.firstDigit) + ByteName(text, 0, w) + std::string(w.numberSystem);
    case Rejection::BadStartStop:
        return std::string(w.character) + ByteName(text, verdict.position, w) + position + std::string(w.notStartStop);
    case Rejection::NoCheckDigit:
        return std::string(w.noCheckDigit);
    case Rejection::NotEncodable:
        return NotEncodableReason(entry, verdict, text, style);
    }
    return std::string(w.encoderCannotCarry);
}

std::string RejectionReason(std::string_view text, std::string_view id, bool check, ReasonStyle style)
{
    const Symbology* entry = FindSymbology(id);
    if (!entry)
        return std::string(WordsFor(style.language).unknownIdentifier) + QuoteText(id);
    if (!Encode(text, id, check, style.who).empty())
        return {};
    const Verdict verdict = Diagnose(text, id, check, style.who);
    if (!verdict.Accepted())
        return DescribeRejection(*entry, verdict, text, check, style);
    return std::string(WordsFor(style.language).encoderCannotCarry);
}

} // namespace lum
