#include "engine/msi.h"

#include "engine/text.h"

namespace lum {
namespace {

// Digits at odd positions from the right are doubled and their digits summed.
char Modulo10Digit(std::string_view digits) noexcept
{
    int total = 0;
    bool odd = true;
    for (auto it = digits.rbegin(); it != digits.rend(); ++it, odd = !odd) {
        const int value = odd ? 2 * DigitValue(*it) : DigitValue(*it);
        total += value / 10 + value % 10;
    }
    return char('0' + (10 - total % 10) % 10);
}

// Weights 2 to 7 from the right, repeating; the value 10 comes out as ":".
char Modulo11Digit(std::string_view digits) noexcept
{
    int sum = 0;
    int weight = 2;
    for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
        sum += DigitValue(*it) * weight;
        weight = weight == 7 ? 2 : weight + 1;
    }
    return char('0' + (11 - sum % 11) % 11);
}

} // namespace

std::string MsiCheckDigit(std::string_view text, int mode)
{
    if (!IsAllDigits(text))
        return {};
    std::string out(text);
    out.push_back(Modulo10Digit(out));
    if (mode == kMsiBothCheckDigits)
        out.push_back(Modulo11Digit(out));
    return out;
}

} // namespace lum
