#include "engine/postnet.h"

#include "engine/text.h"

namespace lum {

std::string PostnetCheckDigit(std::string_view digits)
{
    int sum = 0;
    for (char c : digits) {
        if (!IsDigit(c))
            return {};
        sum += DigitValue(c);
    }
    std::string out(digits);
    out.push_back(char('0' + (10 - sum % 10) % 10));
    return out;
}

} // namespace lum
