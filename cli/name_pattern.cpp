#include "cli/name_pattern.h"

#include <cstdio>

namespace lum::cli {

std::optional<NamePattern> NamePattern::Parse(std::string_view pattern, std::string& error)
{
    NamePattern out;
    std::string literal;
    const auto flush = [&] {
        if (!literal.empty())
            out.parts_.emplace_back(std::move(literal));
        literal.clear();
    };
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const char c = pattern[i];
        if ((c == '{' || c == '}') && i + 1 < pattern.size() && pattern[i + 1] == c) {
            literal += c;
            ++i;
            continue;
        }
        if (c == '}') {
            error = "a lone \"}\" in the name pattern (write \"}}\" for a brace)";
            return std::nullopt;
        }
        if (c != '{') {
            literal += c;
            continue;
        }
        const std::size_t close = pattern.find('}', i);
        const std::string_view field = pattern.substr(i + 1, close == std::string_view::npos ? 0 : close - i - 1);
        if (close == std::string_view::npos) {
            error = "an unclosed \"{\" in the name pattern";
            return std::nullopt;
        }
        flush();
        if (field == "line") {
            out.parts_.emplace_back(LineNumber{0});
            out.numbersLines_ = true;
        } else if (field.size() == 6 && field.substr(0, 5) == "line:" && field[5] >= '1' && field[5] <= '9') {
            out.parts_.emplace_back(LineNumber{field[5] - '0'});
            out.numbersLines_ = true;
        } else if (field == "text") {
            out.parts_.emplace_back(Text{});
            out.usesText_ = true;
        } else {
            error = "unknown field \"{" + std::string(field) + "}\" in the name pattern ({line}, {line:N}, {text})";
            return std::nullopt;
        }
        i = close;
    }
    flush();
    return out;
}

std::string NamePattern::Name(std::size_t line, std::string_view text) const
{
    std::string name;
    for (const auto& part : parts_) {
        if (const auto* literal = std::get_if<std::string>(&part)) {
            name += *literal;
        } else if (const auto* number = std::get_if<LineNumber>(&part)) {
            char buf[32];
            std::snprintf(buf, sizeof buf, "%0*zu", number->width, line);
            name += buf;
        } else {
            name += SafeFileName(text);
        }
    }
    return name;
}

std::string SafeFileName(std::string_view text, std::size_t limit)
{
    std::string out;
    for (const char c : text.substr(0, limit)) {
        const bool keep = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' ||
                          c == '_' || c == '+' || c == '.';
        out += keep ? c : '_';
    }
    if (out.empty())
        return "_";
    if (out[0] == '.')
        out[0] = '_';
    return out;
}

} // namespace lum::cli
