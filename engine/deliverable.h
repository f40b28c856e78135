// Which program runs the engine. The library and the desktop program differ in
// a few details (escape values above 255, the FNC1 rule of the Code 128 run
// count); every engine call that depends on them takes this as an argument.
#pragma once

namespace lum {

enum class Deliverable : unsigned char {
    Library,   // LUMDLL and lumcode
    Assistant, // the desktop program
};

} // namespace lum
