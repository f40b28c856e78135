// JSON string literals for what the web build writes: the WebAssembly
// surface's results and the page data taken from the native tree.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>

namespace lum::web {

// Appends `utf8` as a JSON string: quote and backslash escaped, control
// characters as \u escapes, everything else as it is.
inline void AppendJsonUtf8(std::string_view utf8, std::string& out)
{
    out.push_back('"');
    for (const char c : utf8) {
        if (c == '"' || c == '\\') {
            out.push_back('\\');
            out.push_back(c);
        } else if (static_cast<unsigned char>(c) < 0x20) {
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\u%04x", unsigned(c));
            out += buf;
        } else {
            out.push_back(c);
        }
    }
    out.push_back('"');
}

} // namespace lum::web
