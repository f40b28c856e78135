#include "engine/escape.h"

#include "engine/text.h"

namespace lum {
namespace {

// Single-character escapes; the letters are accepted in either case.
constexpr unsigned char SimpleEscape(char c) noexcept
{
    switch (ToLowerAscii(c)) {
    // clang-format off
    case 'a': return 7;
    case 'b': return 8;
    case 't': return 9;
    case 'n': return 10;
    case 'v': return 11;
    case 'f': return 12;
    case 'r': return 13;
    case '"': return 34;
    case '\'': return 39;
    case '?': return 63;
    case '\\': return 92;
    default: return 0;
        // clang-format on
    }
}

constexpr int HexValue(char c) noexcept
{
    if (IsDigit(c))
        return c - '0';
    const char l = ToLowerAscii(c);
    return (l >= 'a' && l <= 'f') ? l - 'a' + 10 : -1;
}

constexpr bool IsOctal(char c) noexcept { return c >= '0' && c <= '7'; }

// Up to three digits of `base` from `pos`. The library keeps the value of two
// digits when three would pass 255 and leaves the third to be read as a
// character; the desktop program takes 255 and consumes it.
EscapeRead ReadNumber(std::string_view text, std::size_t pos, unsigned base, Deliverable who) noexcept
{
    unsigned value = 0;
    std::size_t i = pos;
    const auto isDigitOfBase = [base](char c) { return base == 8 ? IsOctal(c) : IsDigit(c); };
    for (int n = 0; n < 3 && i < text.size() && isDigitOfBase(text[i]); ++n, ++i) {
        const unsigned next = value * base + unsigned(text[i] - '0');
        if (next > 255) {
            if (who == Deliverable::Library)
                return {static_cast<unsigned char>(value), i};
            return {255, i + 1};
        }
        value = next;
    }
    return {static_cast<unsigned char>(value), i};
}

} // namespace

EscapeRead ReadEscape(std::string_view text, std::size_t pos, Deliverable who) noexcept
{
    const char c = text[pos];
    if (c != '\\')
        return {static_cast<unsigned char>(c), pos + 1};
    // A backslash that ends the text stands for itself.
    if (pos + 1 >= text.size())
        return {static_cast<unsigned char>('\\'), pos + 1};

    const char e = text[pos + 1];
    if (const unsigned char simple = SimpleEscape(e))
        return {simple, pos + 2};
    if (IsOctal(e))
        return ReadNumber(text, pos + 1, 8, who);

    const char l = ToLowerAscii(e);
    const bool hasNext = pos + 2 < text.size();
    if (l == 'd' && hasNext && IsDigit(text[pos + 2]))
        return ReadNumber(text, pos + 2, 10, who);
    if (l == 'x' && hasNext && HexValue(text[pos + 2]) >= 0) {
        unsigned value = unsigned(HexValue(text[pos + 2]));
        std::size_t i = pos + 3;
        if (i < text.size() && HexValue(text[i]) >= 0)
            value = value * 16 + unsigned(HexValue(text[i++]));
        return {static_cast<unsigned char>(value), i};
    }
    // Any other character, "\d" and "\x" without a digit of their base
    // included, stands for itself; the backslash is dropped.
    return {static_cast<unsigned char>(e), pos + 2};
}

std::string DecodeEscapes(std::string_view text, Deliverable who)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t pos = 0; pos < text.size();) {
        const EscapeRead r = ReadEscape(text, pos, who);
        out.push_back(static_cast<char>(r.value));
        pos = r.next;
    }
    return out;
}

std::optional<std::size_t> FirstCodeAbove(std::string_view text, unsigned highest, Deliverable who)
{
    for (std::size_t pos = 0; pos < text.size();) {
        const EscapeRead r = ReadEscape(text, pos, who);
        if (r.value > highest)
            return pos;
        pos = r.next;
    }
    return std::nullopt;
}

} // namespace lum
