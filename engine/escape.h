// Backslash escapes by which control characters, FNC1-FNC4 and 8-bit values
// are typed into Full ASCII, Code 128 and EAN 128 texts.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "engine/deliverable.h"

namespace lum {

struct EscapeRead {
    unsigned char value; // the character code read, 0 to 255
    std::size_t next;    // position just past what was read; always > the position given
};

// Reads one character code at `pos` (which must be < text.size()).
EscapeRead ReadEscape(std::string_view text, std::size_t pos, Deliverable who) noexcept;

// Resolves the whole text, one code per byte of the result.
std::string DecodeEscapes(std::string_view text, Deliverable who);

// Position in `text` of the first escape or character whose code is above
// `highest`, or nullopt when every code is at most `highest`.
std::optional<std::size_t> FirstCodeAbove(std::string_view text, unsigned highest, Deliverable who);

} // namespace lum
