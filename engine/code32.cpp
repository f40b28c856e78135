#include "engine/code32.h"

#include "engine/text.h"

namespace lum {

int CipRemainder(std::string_view digits) noexcept
{
    int sum = 0;
    int weight = 2;
    for (char c : digits) {
        if (!IsDigit(c))
            return -1;
        sum += DigitValue(c) * weight++;
    }
    return sum % 11;
}

std::string CipCheckDigit(std::string_view digits)
{
    const int r = CipRemainder(digits);
    if (r < 0 || r == 10)
        return {};
    std::string out(digits);
    // r = 0 would give 10, which no Code 39 character can carry as one digit: "0" is printed.
    out.push_back(char('0' + (10 - r) % 10));
    return out;
}

} // namespace lum
