// How lumcode writes a font string (or a normalised text) on its output.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace lum::cli {

enum class OutputFormat : unsigned char {
    Utf8,    // every byte as its Windows-1252 character, in UTF-8 (the default)
    Raw,     // the engine's bytes unchanged
    Escaped, // printable ASCII as is; "\\", "\r", "\n", "\t" and "\xHH" for the rest
    Hex,     // two upper-case hexadecimal digits per byte
};

// The format named `name` ("utf8", "raw", "escaped", "hex"), or nullopt.
std::optional<OutputFormat> ParseOutputFormat(std::string_view name) noexcept;

// Appends `bytes` (Windows-1252) to `out` in the format.
void AppendFormatted(OutputFormat format, std::string_view bytes, std::string& out);

// The bytes an escaped or hex text stands for; nullopt for a text the format
// never produces. They invert AppendFormatted.
std::optional<std::string> ParseEscaped(std::string_view text);
std::optional<std::string> ParseHex(std::string_view text);

// `utf8` as typed, for a message on one line: controls as \t, \r, \n or
// \xHH, and each byte of a malformed sequence as \xHH, so nothing the user
// typed reaches the terminal as a control. Cut after `limit` characters
// ("..." marks the cut).
std::string EscapeForMessage(std::string_view utf8, std::size_t limit = std::string_view::npos);

} // namespace lum::cli
