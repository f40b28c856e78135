// Code 39 (ISO/IEC 16388) and Code 39 Full ASCII.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "engine/deliverable.h"

namespace lum {

// The 43 data characters in value order; "_" stands for the space symbol.
inline constexpr std::string_view kCode39Alphabet = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ-._$/+%";

// Appends the modulo 43 check character; empty when a character is outside the alphabet.
std::string Code39CheckDigit(std::string_view text);

// The Full ASCII table entry (one or two alphabet characters) of a 7-bit code.
std::string_view Code39FullAsciiEntry(unsigned char code) noexcept;

// The text with escapes resolved and every character replaced by its Full
// ASCII entry; nullopt when a resolved code is 128 or more.
std::optional<std::string> Code39FullAsciiExpansion(std::string_view text, Deliverable who);

// "#", the expansion, its check character when `check` is set, "#"; empty on failure.
std::string EncodeCode39FullAscii(std::string_view text, bool check, Deliverable who);

} // namespace lum
