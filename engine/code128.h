// Code 128 (ISO/IEC 15417): automatic choice of subsets A, B and C, the
// modulo 103 check value, and the mapping of code values onto the characters
// of the VOR128 font. The value-sequence encoder is shared with EAN 128.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "engine/deliverable.h"

namespace lum {

// Decoded characters above the printable and control ASCII range.
inline constexpr unsigned char kCode128Nul = 128; // a second way of writing character 0
inline constexpr unsigned char kCode128Fnc1 = 129;
inline constexpr unsigned char kCode128Fnc2 = 130;
inline constexpr unsigned char kCode128Fnc3 = 131;
inline constexpr unsigned char kCode128Fnc4 = 132;
inline constexpr unsigned char kCode128Highest = kCode128Fnc4; // anything above cannot be encoded

// Code values with a fixed meaning (ISO/IEC 15417 table 1).
inline constexpr std::uint8_t kCode128Shift = 98;
inline constexpr std::uint8_t kCode128CodeC = 99;
inline constexpr std::uint8_t kCode128CodeB = 100; // FNC4 in subset B
inline constexpr std::uint8_t kCode128CodeA = 101; // FNC4 in subset A
inline constexpr std::uint8_t kCode128Fnc1Value = 102;
inline constexpr std::uint8_t kCode128Stop = 106;

// A subset, named by the value of its start character.
enum class Code128Subset : std::uint8_t { A = 103, B = 104, C = 105 };

// A value sequence: start value, data values, check value (no stop).
using Code128Sequence = std::vector<std::uint8_t>;

// The escape-resolved text; nullopt when a character is above FNC4 (132).
std::optional<std::string> DecodeCode128Text(std::string_view text, Deliverable who);

// The value sequence of a decoded text, with FNC1 right after the start when
// `fnc1AfterStart` is set (EAN 128); empty when a character is above 132.
// Linear in the length of the text.
Code128Sequence Code128ValueSequence(std::string_view decoded, bool fnc1AfterStart, Deliverable who);

// The value sequence of a text with escapes (Code 128); empty on failure.
Code128Sequence Code128Values(std::string_view text, Deliverable who);

// The VOR128 character of a code value 0 to 106.
unsigned char Code128FontCharacter(std::uint8_t value) noexcept;

// Every value mapped to its font character, then the stop character; empty
// for an empty sequence.
std::string Code128FontString(std::span<const std::uint8_t> values);

// The font string of a text with escapes; empty when it cannot be encoded.
std::string EncodeCode128(std::string_view text, Deliverable who);

// The same with FNC1 right after the start when `fnc1AfterStart` is set (EAN 128).
std::string EncodeCode128Text(std::string_view text, bool fnc1AfterStart, Deliverable who);

} // namespace lum
