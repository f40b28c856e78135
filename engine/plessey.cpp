#include "engine/plessey.h"

#include <array>
#include <cstdint>

#include "engine/text.h"

namespace lum {
namespace {

constexpr std::string_view kHexDigits = "0123456789ABCDEF";

// The generator x^8 + x^7 + x^6 + x^5 + x^3 + 1 as a 9-bit number.
constexpr unsigned kGenerator = 0x1E9;

constexpr unsigned kBitsPerCharacter = 4;

// x^(8 + d) modulo the generator for d = 0, 1, 2, ...: the contribution of a
// 1 bit followed by d further bits of the string.
constexpr std::array<std::uint8_t, 61> kPowerRemainders{
    233, 59,  118, 236, 49,  98,  196, 97,  // d = 0-7
    194, 109, 218, 93,  186, 157, 211, 79,  // 8-15
    158, 213, 67,  134, 229, 35,  70,  140, // 16-23
    241, 11,  22,  44,  88,  176, 137, 251, // 24-31
    31,  62,  124, 248, 25,  50,  100, 200, // 32-39
    121, 242, 13,  26,  52,  104, 208, 73,  // 40-47
    146, 205, 115, 230, 37,  74,  148, 193, // 48-55
    107, 214, 69,  138, 253,                // 56-60
};

static_assert(kPowerRemainders.size() > kBitsPerCharacter * kPlesseyMaxLength - 1,
              "the table must reach the first bit of the longest text");

constexpr unsigned ReverseNibble(unsigned v) noexcept
{
    return ((v & 1) << 3) | ((v & 2) << 1) | ((v & 4) >> 1) | ((v & 8) >> 3);
}

bool AllHex(std::string_view text) noexcept
{
    for (char c : text)
        if (IndexIn(kHexDigits, c) < 0)
            return false;
    return true;
}

} // namespace

int PlesseyCrc(std::string_view text) noexcept
{
    if (text.size() > kPlesseyMaxLength || !AllHex(text))
        return -1;
    unsigned r = 0;
    std::size_t following = kBitsPerCharacter * text.size();
    for (char c : text) {
        const unsigned value = unsigned(IndexIn(kHexDigits, c));
        for (unsigned bit = 0; bit < kBitsPerCharacter; ++bit) {
            --following;
            if ((value >> bit) & 1)
                r ^= kPowerRemainders[following];
        }
    }
    return int(r);
}

int PlesseyCrcByDivision(std::string_view text) noexcept
{
    if (!AllHex(text))
        return -1;
    // Shift the bits in one by one, highest power first, and subtract the
    // generator whenever the register reaches degree 8.
    unsigned r = 0;
    const auto shiftIn = [&r](unsigned bit) {
        r = (r << 1) | bit;
        if (r & 0x100)
            r ^= kGenerator;
    };
    for (char c : text) {
        const unsigned value = unsigned(IndexIn(kHexDigits, c));
        for (unsigned bit = 0; bit < kBitsPerCharacter; ++bit)
            shiftIn((value >> bit) & 1);
    }
    for (int zero = 0; zero < 8; ++zero)
        shiftIn(0);
    return int(r);
}

std::string PlesseyCheckDigit(std::string_view text)
{
    const int r = PlesseyCrc(text);
    if (r < 0)
        return {};
    std::string out(text);
    out.push_back(kHexDigits[ReverseNibble(unsigned(r) >> 4)]);
    out.push_back(kHexDigits[ReverseNibble(unsigned(r) & 0xF)]);
    return out;
}

} // namespace lum
