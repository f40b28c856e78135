// The Full ASCII expansion shared by Code 39 and Code 93: each code 0-127
// becomes one or two symbols of the base alphabet, by a 128-entry table.
#pragma once

#include <array>
#include <cstddef>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>

#include "engine/deliverable.h"
#include "engine/escape.h"

namespace lum {

// Table entries are string literals of one or two symbols.
using FullAsciiTable = std::array<std::string_view, 128>;

// Appends the Full ASCII symbols of the text, escapes read; false for a code
// above 127. Each input character gives at most two symbols, so 2 x size is
// enough room. Every entry is copied as two bytes (a one-symbol entry with its
// terminating NUL) and the end moved by its length, which keeps the loop free
// of a branch on the length that random text would mispredict.
inline bool AppendFullAscii(std::string_view text, Deliverable who, const FullAsciiTable& table, std::string& out)
{
    const std::size_t start = out.size();
    out.resize(start + 2 * text.size());
    char* end = out.data() + start;
    for (std::size_t pos = 0; pos < text.size();) {
        const EscapeRead r = ReadEscape(text, pos, who);
        if (r.value >= table.size())
            return false;
        const std::string_view symbols = table[r.value];
        std::memcpy(end, symbols.data(), 2);
        end += symbols.size();
        pos = r.next;
    }
    out.resize(std::size_t(end - out.data()));
    return true;
}

// The table entry of a 7-bit code; empty for a code above 127.
inline std::string_view FullAsciiEntry(unsigned char code, const FullAsciiTable& table) noexcept
{
    return code < table.size() ? table[code] : std::string_view{};
}

// The text with escapes resolved and every character replaced by its table
// entry; nullopt when a resolved code is 128 or more.
inline std::optional<std::string> FullAsciiExpansion(std::string_view text, Deliverable who,
                                                     const FullAsciiTable& table)
{
    std::string out;
    out.reserve(2 * text.size());
    if (!AppendFullAscii(text, who, table, out))
        return std::nullopt;
    return out;
}

} // namespace lum
