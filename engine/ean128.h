// EAN 128 (GS1-128): Code 128 with FNC1 right after the start character. The
// element string (application identifiers and their data, FNC1 after each
// variable-length field that is followed by another) is encoded as given.
#pragma once

#include <string>
#include <string_view>

#include "engine/code128.h"
#include "engine/deliverable.h"

namespace lum {

// The value sequence of an element string with escapes: start, FNC1, data,
// check value; empty when a character is above FNC4 (132).
Code128Sequence Ean128Values(std::string_view text, Deliverable who);

// The font string of an element string with escapes; empty on failure.
std::string EncodeEan128(std::string_view text, Deliverable who);

} // namespace lum
