#include "engine/code32.h"

#include <cstdint>

#include "engine/text.h"

namespace lum {
namespace {

constexpr int kCode32Symbols = 6;     // base-32 digits of every Code 32 bar line
constexpr std::size_t kCode32Max = 9; // 8 digits and the check digit: below 32^6
constexpr char kCode32Zero = 'B';     // character code 66 draws the symbol of value 0

static_assert(999'999'999 < (std::uint64_t(1) << (5 * kCode32Symbols)));

} // namespace

std::string Code32CheckDigit(std::string_view digits)
{
    int total = 0;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (!IsDigit(digits[i]))
            return {};
        const int d = DigitValue(digits[i]);
        // Position i + 1 is even when i is odd: doubled, and 10 to 18 count as their digit sum.
        total = (total + (i % 2 == 0 ? d : (2 * d > 9 ? 2 * d - 9 : 2 * d))) % 10;
    }
    std::string out(digits);
    out.push_back(char('0' + total));
    return out;
}

std::string EncodeCode32(std::string_view digits)
{
    if (digits.size() > kCode32Max || !IsAllDigits(digits))
        return {};
    std::uint32_t number = 0;
    for (char c : digits)
        number = number * 10 + std::uint32_t(DigitValue(c));
    std::string out(kCode32Symbols + 2, '*');
    for (int i = kCode32Symbols; i >= 1; --i, number /= 32)
        out[std::size_t(i)] = char(kCode32Zero + number % 32);
    out.back() = '#';
    return out;
}

std::string EncodeCode32Hrc(std::string_view digits)
{
    std::string bars = EncodeCode32(digits);
    if (bars.empty())
        return {};
    std::string out = "|";
    out.append(bars);
    out.append("\r\nA");
    out.append(digits);
    return out;
}

int CipRemainder(std::string_view digits) noexcept
{
    int sum = 0;
    int weight = 2;
    for (char c : digits) {
        if (!IsDigit(c))
            return -1;
        sum = (sum + DigitValue(c) * weight++) % 11;
    }
    return sum;
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
