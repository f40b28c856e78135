// Small helpers over 8-bit strings shared by the pipeline and the encoders.
#pragma once

#include <algorithm>
#include <cstddef>
#include <string>
#include <string_view>

namespace lum {

constexpr bool IsDigit(char c) noexcept { return c >= '0' && c <= '9'; }

constexpr int DigitValue(char c) noexcept { return c - '0'; }

// True when every character is "0" to "9"; an empty text passes.
constexpr bool IsAllDigits(std::string_view text) noexcept
{
    return std::all_of(text.begin(), text.end(), IsDigit);
}

constexpr char ToUpperAscii(char c) noexcept { return (c >= 'a' && c <= 'z') ? char(c - 'a' + 'A') : c; }

constexpr char ToLowerAscii(char c) noexcept { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; }

inline void UpperCaseAscii(std::string& text) noexcept
{
    for (char& c : text)
        c = ToUpperAscii(c);
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

} // namespace lum
