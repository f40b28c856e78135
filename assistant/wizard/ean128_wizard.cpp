#include "assistant/wizard/ean128_wizard.h"

#include <algorithm>

#include "engine/code128.h"
#include "engine/text.h"
#include "engine/twoof5.h"

namespace lum::wizard {
namespace {

// Letters of the one-character escapes for codes 0 to 13; '_' where a code has none.
constexpr std::string_view kControlLetters = "0______abtnvfr";
constexpr std::string_view kHexDigits = "0123456789ABCDEF";

// What surrounds a typed value and is not part of it.
constexpr std::string_view kBlanks = " \t";
constexpr bool IsOctal(char c) noexcept { return c >= '0' && c <= '7'; }

// Whether the EAN 128 encoder carries every character of the value as data:
// ASCII only. It reads the codes from 128 to 132 as NUL and FNC1 to FNC4 (a
// code 129 would split the field) and cannot encode those above.
bool EncoderCarries(std::string_view value)
{
    return std::none_of(value.begin(), value.end(),
                        [](char c) { return static_cast<unsigned char>(c) >= kCode128Nul; });
}

std::string_view DecimalSeparators(bool decimalComma) noexcept { return decimalComma ? ".," : "."; }

ValueCheck Reject(int message) { return {message, {}}; }

// The fixed and the digit-only formats. A value that ends with its GS1 check
// digit may be typed without it and is completed; a check digit typed is
// checked.
ValueCheck CheckDigits(std::string value, const AiRule& rule, int checkDigitAt)
{
    const auto n = std::size_t(rule.number);
    const auto at = std::size_t(checkDigitAt);
    const bool completes = at > 0 && at == n;
    if (completes && value.size() != n - 1 && value.size() != n)
        return Reject(kTextWrongLength);
    if (!ValidaNumeroIntero(value))
        return Reject(kTextNotInteger);
    if (completes && value.size() == n - 1)
        value.push_back(Gs1CheckDigit(value));
    if (rule.format == AiFormat::Digits && value.size() != n)
        return Reject(kTextWrongLength);
    if (at > 0 && value[at - 1] != Gs1CheckDigit(std::string_view(value).substr(0, at - 1)))
        return Reject(kTextNotAllowed);
    return {0, std::move(value)};
}

ValueCheck CheckDecimal(std::string value, const AiRule& rule, bool decimalComma)
{
    if (!ValidaNumeroDecimale(value, decimalComma))
        return Reject(kTextNotNumber);
    std::string digits = value;
    const auto point = digits.find_first_of(DecimalSeparators(decimalComma));
    if (point != std::string::npos) {
        if (digits.size() - point - 1 > 9) // the decimals are one digit of the AI
            return Reject(kTextWrongLength);
        digits.erase(point, 1);
    }
    // Leading zeros are dropped and the rest padded to the field when the code is built.
    if (CTrimL(digits, '0').size() > std::size_t(rule.number))
        return Reject(kTextWrongLength);
    return {0, std::move(value)};
}

ValueCheck CheckFormat(std::string value, const AiRow& row, bool decimalComma)
{
    const AiRule rule = row.Rule();
    switch (rule.format) {
    case AiFormat::Text:
        return {0, std::move(value)};
    case AiFormat::Digits:
    case AiFormat::DigitsUpTo:
    case AiFormat::LengthInAi:
        return CheckDigits(std::move(value), rule, row.CheckDigitPosition());
    case AiFormat::DigitsThenText:
        if (!ValidaNumeroIntero(std::string_view(value).substr(0, std::size_t(rule.digits))))
            return Reject(rule.digits == 3 ? kTextFirst3NotDigits : kTextFirst14NotDigits);
        if (value.size() < std::size_t(rule.digits))
            return Reject(kTextWrongLength);
        return {0, std::move(value)};
    case AiFormat::Decimal:
        return CheckDecimal(std::move(value), rule, decimalComma);
    case AiFormat::Invalid:
        break;
    }
    return Reject(kTextNotAllowed);
}

} // namespace

std::string CTrimL(std::string_view text, char c)
{
    const auto first = text.find_first_not_of(c);
    return first == std::string_view::npos ? std::string() : std::string(text.substr(first));
}

bool ValidaNumeroIntero(std::string_view text) noexcept { return !text.empty() && IsAllDigits(text); }

bool ValidaNumeroDecimale(std::string_view text, bool decimalComma) noexcept
{
    const std::string_view separators = DecimalSeparators(decimalComma);
    std::size_t points = 0, digits = 0;
    for (char c : text) {
        if (IsDigit(c))
            ++digits;
        else if (separators.find(c) != std::string_view::npos)
            ++points;
        else
            return false;
    }
    return digits > 0 && points <= 1;
}

char Gs1CheckDigit(std::string_view digits)
{
    const std::string completed = digits.empty() ? std::string() : TwoOfFiveCheckDigit(digits);
    return completed.empty() ? '\0' : completed.back();
}

std::string EscapeText(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c >= 32 && c < 127 && c != '\\') {
            out.push_back(char(c));
            continue;
        }
        out.push_back('\\');
        const bool octalFollows = i + 1 < text.size() && IsOctal(text[i + 1]);
        if (c == '\\')
            out.push_back('\\');
        else if (c < kControlLetters.size() && kControlLetters[c] != '_' && !(c == 0 && octalFollows))
            out.push_back(kControlLetters[c]); // "\0" only where no octal digit would join it
        else {
            out.push_back('x');
            out.push_back(kHexDigits[c >> 4]);
            out.push_back(kHexDigits[c & 15]);
        }
    }
    return out;
}

ValueCheck CheckAiValue(std::string_view typed, const AiRow& row, bool decimalComma)
{
    const std::string_view value = TrimBlanks(typed, kBlanks);
    if (value.empty())
        return Reject(kTextCodeEmpty);
    ValueCheck check = CheckFormat(std::string(value), row, decimalComma);
    if (!check.Accepted())
        return check;
    if (!EncoderCarries(check.value))
        return Reject(kTextNotAllowed);
    if (check.value.size() > std::size_t(ValueBoxLength(row.Rule())))
        return Reject(kTextWrongLength);
    return check;
}

ElementString AssembleElementString(std::span<const WizardRow> rows)
{
    const auto catalogue = AiCatalogue();
    ElementString out;
    for (const WizardRow& row : rows) {
        if (row.aiIndex < 0 || std::size_t(row.aiIndex) >= catalogue.size())
            continue;
        const AiRow& entry = catalogue[std::size_t(row.aiIndex)];
        const AiRule rule = entry.Rule();
        std::string ai(entry.ai);
        std::string value(TrimBlanks(row.value, kBlanks));
        bool separator = false;
        switch (rule.format) {
        case AiFormat::Text:
        case AiFormat::DigitsUpTo:
        case AiFormat::DigitsThenText:
            separator = value.size() < std::size_t(rule.number);
            break;
        case AiFormat::Decimal: {
            // The digits fill the field; the AI's last digit counts the decimals.
            std::size_t decimals = 0;
            if (const auto point = value.find_first_of(".,"); point != std::string::npos) {
                decimals = value.size() - point - 1;
                value.erase(point, 1);
            }
            const std::string significant = CTrimL(value, '0');
            value = LeftPad(significant, std::max(std::size_t(rule.number), significant.size()));
            ai += std::to_string(decimals);
            break;
        }
        case AiFormat::LengthInAi:
            // The AI's last digit is half the length, which an even length reaches with a "0".
            ai += std::to_string(value.size() / 2);
            if (value.size() % 2 == 0)
                value.push_back('0');
            break;
        case AiFormat::Digits:
        case AiFormat::Invalid:
            break;
        }
        out.code += ai + value;
        if (separator)
            out.code.push_back(kGs1Separator);
        out.hrc += "(" + ai + ")" + value;
    }
    if (!out.code.empty() && out.code.back() == kGs1Separator)
        out.code.pop_back();
    return out;
}

void Ean128Wizard::SelectAi(int index) noexcept
{
    selectedAi_ = index >= 0 && std::size_t(index) < AiCatalogue().size() ? index : -1;
}

std::string Ean128Wizard::Hint(Language language) const
{
    return CanAdd() ? FormatHint(AiCatalogue()[std::size_t(selectedAi_)].Rule(), language) : std::string();
}

int Ean128Wizard::MaxLength() const noexcept
{
    return CanAdd() ? ValueBoxLength(AiCatalogue()[std::size_t(selectedAi_)].Rule()) : 0;
}

int Ean128Wizard::Add()
{
    if (!CanAdd())
        return 0;
    ValueCheck check = CheckAiValue(value_, AiCatalogue()[std::size_t(selectedAi_)], decimalComma_);
    if (!check.Accepted())
        return check.message;
    rows_.push_back({selectedAi_, std::move(check.value)});
    value_.clear();
    return 0;
}

int Ean128Wizard::RemoveLast()
{
    if (rows_.empty())
        return kTextUnableToUndo;
    SelectAi(rows_.back().aiIndex);
    value_ = std::move(rows_.back().value);
    rows_.pop_back();
    selectedRow_ = rows_.empty() ? -1 : 0;
    return 0;
}

void Ean128Wizard::SelectRow(int row) noexcept
{
    selectedRow_ = row >= 0 && std::size_t(row) < rows_.size() ? row : -1;
}

std::string Ean128Wizard::SelectedRowLabel() const
{
    if (selectedRow_ < 0)
        return {};
    const int ai = rows_[std::size_t(selectedRow_)].aiIndex;
    return "AI: " + std::string(AiCatalogue()[std::size_t(ai)].ai);
}

WizardOutput Ean128Wizard::Finish() const
{
    if (rows_.empty())
        return {kTextCodeEmpty, {}, {}};
    ElementString element = AssembleElementString(rows_);
    return {0, EscapeText(element.code), std::move(element.hrc)};
}

} // namespace lum::wizard
