// Small helpers over 8-bit strings shared by the pipeline and the encoders.
#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace lum {

constexpr bool IsDigit(char c) noexcept { return c >= '0' && c <= '9'; }

constexpr int DigitValue(char c) noexcept { return c - '0'; }

// True when every character is "0" to "9"; an empty text passes.
constexpr bool IsAllDigits(std::string_view text) noexcept
{
    // A loop rather than std::all_of over a function pointer, which the
    // compiler does not inline.
    for (const char c : text)
        if (!IsDigit(c))
            return false;
    return true;
}

constexpr char ToUpperAscii(char c) noexcept { return (c >= 'a' && c <= 'z') ? char(c - 'a' + 'A') : c; }

constexpr char ToLowerAscii(char c) noexcept { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; }

inline void UpperCaseAscii(std::string& text) noexcept
{
    for (char& c : text)
        c = ToUpperAscii(c);
}

// The text without its leading and trailing `blanks` (by default the space).
constexpr std::string_view TrimBlanks(std::string_view text, std::string_view blanks = " ") noexcept
{
    const auto first = text.find_first_not_of(blanks);
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

// Prepends `fill` until the text has n characters; a longer text is cut to n.
inline std::string LeftPad(std::string_view text, std::size_t n, char fill = '0')
{
    if (text.size() >= n)
        return std::string(text.substr(0, n));
    std::string out(n - text.size(), fill);
    out.append(text);
    return out;
}

// Position of `c` in `alphabet`, or -1.
constexpr int IndexIn(std::string_view alphabet, char c) noexcept
{
    const auto pos = alphabet.find(c);
    return pos == std::string_view::npos ? -1 : int(pos);
}

// Position of every byte in an alphabet of up to 127 characters (the first
// one when a byte repeats), -1 for the others: one load per character where a
// search of the alphabet would run for each.
struct AlphabetTable {
    std::array<std::int8_t, 256> index{};

    constexpr int operator()(char c) const noexcept { return index[static_cast<unsigned char>(c)]; }
};

constexpr AlphabetTable MakeAlphabetTable(std::string_view alphabet) noexcept
{
    AlphabetTable table;
    table.index.fill(-1);
    for (std::size_t i = alphabet.size(); i-- > 0;)
        table.index[static_cast<unsigned char>(alphabet[i])] = static_cast<std::int8_t>(i);
    return table;
}

constexpr int IndexIn(const AlphabetTable& table, char c) noexcept { return table(c); }

} // namespace lum
