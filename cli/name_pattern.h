// File names for lumcode render --batch: a pattern with the line number
// and the text of each input line in it.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace lum::cli {

// "{line}" the line number, "{line:N}" the line number padded with zeros to
// N digits (1 to 9), "{text}" the text made safe for a file name, "{{" and
// "}}" a brace; everything else stands for itself.
class NamePattern {
public:
    // The pattern, or nullopt with the reason in `error`.
    static std::optional<NamePattern> Parse(std::string_view pattern, std::string& error);

    std::string Name(std::size_t line, std::string_view text) const;
    // Whether names differ for every line ({line} or {line:N} is in it).
    bool NumbersLines() const noexcept { return numbersLines_; }
    bool UsesText() const noexcept { return usesText_; }

private:
    struct LineNumber {
        int width;
    };
    struct Text {};
    std::vector<std::variant<std::string, LineNumber, Text>> parts_;
    bool numbersLines_ = false;
    bool usesText_ = false;
};

// `text` as part of a file name: ASCII letters, digits and "-", "_", "+",
// "." are kept, every other byte becomes "_"; a leading "." becomes "_" (no
// hidden files, no "." or ".."); at most `limit` bytes; "_" for an empty text.
std::string SafeFileName(std::string_view text, std::size_t limit = 100);

} // namespace lum::cli
