// Helpers shared by the fuzz targets: picking a request from the first bytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "engine/catalogue.h"

namespace lum::fuzz {

// Stops the run with a message; libFuzzer records the input as a crash.
[[noreturn]] inline void Fail(const char* what, std::string_view id)
{
    std::fprintf(stderr, "invariant broken: %s (identifier %.*s)\n", what, int(id.size()), id.data());
    std::abort();
}

struct Request {
    std::string_view id;
    bool check;
    Deliverable who;
    std::string_view text;
};

// Byte 0 picks the identifier (one value past the catalogue names none),
// byte 1 the flag and the deliverable; the rest is the text.
inline bool ReadRequest(const std::uint8_t* data, std::size_t size, Request& out)
{
    if (size < 2)
        return false;
    const auto all = Catalogue();
    const std::size_t pick = data[0] % (all.size() + 1);
    out.id = pick < all.size() ? all[pick].id : std::string_view("NOSUCH");
    out.check = data[1] & 1;
    out.who = (data[1] & 2) ? Deliverable::Assistant : Deliverable::Library;
    out.text = std::string_view(reinterpret_cast<const char*>(data + 2), size - 2);
    return true;
}

} // namespace lum::fuzz
