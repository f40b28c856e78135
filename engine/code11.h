// Code 11 (USD-8): check character C and, from 11 characters on, K.
#pragma once

#include <string>
#include <string_view>

namespace lum {

// Appends C (weights 1 to 10 from the right, modulo 11) and, when the text has
// 11 or more characters, K (weights 1 to 9 over the text with C). A value of
// 10 is written "-". Empty when a character is outside "0123456789-".
std::string Code11CheckDigit(std::string_view text);

} // namespace lum
