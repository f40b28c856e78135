// Code 93 and Code 93 Full ASCII.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "engine/deliverable.h"

namespace lum {

// The 47 symbols in value order: the 43 Code 39 data characters ("_" for the
// space symbol) and the four shifts "a" ($), "b" (%), "c" (/), "d" (+).
inline constexpr std::string_view kCode93Alphabet = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ-._$/+%abcd";

// Appends the two modulo 47 check characters C and K; empty when a character
// is outside the 47 symbols.
std::string Code93CheckDigits(std::string_view text);

// The Full ASCII entry (one data character, or a shift and a letter) of a 7-bit code.
std::string_view Code93FullAsciiEntry(unsigned char code) noexcept;

// The text with escapes resolved and every character replaced by its Full
// ASCII entry; nullopt when a resolved code is 128 or more.
std::optional<std::string> Code93FullAsciiExpansion(std::string_view text, Deliverable who);

// "*", the expansion, C and K when `check` is set, "#"; empty on failure.
std::string EncodeCode93FullAscii(std::string_view text, bool check, Deliverable who);

} // namespace lum
