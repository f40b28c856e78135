#include "cli/format.h"

#include <array>

#include "engine/cp1252.h"

namespace lum::cli {
namespace {

constexpr std::string_view kHexDigits = "0123456789ABCDEF";

struct FormatName {
    std::string_view name;
    OutputFormat format;
};

constexpr std::array<FormatName, 4> kFormatNames{{
    {"utf8", OutputFormat::Utf8},
    {"raw", OutputFormat::Raw},
    {"escaped", OutputFormat::Escaped},
    {"hex", OutputFormat::Hex},
}};

constexpr bool IsPlainAscii(unsigned char c) noexcept { return c >= 0x20 && c < 0x7F && c != '\\'; }

void AppendHexByte(unsigned char c, std::string& out)
{
    out.push_back(kHexDigits[c >> 4]);
    out.push_back(kHexDigits[c & 0x0F]);
}

void AppendEscaped(std::string_view bytes, std::string& out)
{
    for (const char ch : bytes) {
        const auto c = static_cast<unsigned char>(ch);
        if (IsPlainAscii(c)) {
            out.push_back(ch);
            continue;
        }
        out.push_back('\\');
        switch (c) {
        case '\\':
            out.push_back('\\');
            break;
        case '\r':
            out.push_back('r');
            break;
        case '\n':
            out.push_back('n');
            break;
        case '\t':
            out.push_back('t');
            break;
        default:
            out.push_back('x');
            AppendHexByte(c, out);
        }
    }
}

constexpr bool IsControl(char32_t cp) noexcept { return cp < 0x20 || (cp >= 0x7F && cp < 0xA0); }

int HexValue(char c) noexcept
{
    const auto pos = kHexDigits.find(c >= 'a' && c <= 'f' ? char(c - 'a' + 'A') : c);
    return pos == std::string_view::npos ? -1 : int(pos);
}

} // namespace

std::optional<OutputFormat> ParseOutputFormat(std::string_view name) noexcept
{
    for (const FormatName& f : kFormatNames)
        if (f.name == name)
            return f.format;
    return std::nullopt;
}

void AppendFormatted(OutputFormat format, std::string_view bytes, std::string& out)
{
    switch (format) {
    case OutputFormat::Utf8:
        AppendCp1252AsUtf8(bytes, out);
        return;
    case OutputFormat::Raw:
        out.append(bytes);
        return;
    case OutputFormat::Escaped:
        AppendEscaped(bytes, out);
        return;
    case OutputFormat::Hex:
        for (const char c : bytes)
            AppendHexByte(static_cast<unsigned char>(c), out);
        return;
    }
}

std::optional<std::string> ParseEscaped(std::string_view text)
{
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (IsPlainAscii(c)) {
            out.push_back(char(c));
            continue;
        }
        if (c != '\\' || i + 1 == text.size())
            return std::nullopt;
        switch (text[++i]) {
        case '\\':
            out.push_back('\\');
            break;
        case 'r':
            out.push_back('\r');
            break;
        case 'n':
            out.push_back('\n');
            break;
        case 't':
            out.push_back('\t');
            break;
        case 'x': {
            if (i + 2 >= text.size())
                return std::nullopt;
            const int high = HexValue(text[i + 1]), low = HexValue(text[i + 2]);
            if (high < 0 || low < 0)
                return std::nullopt;
            out.push_back(static_cast<char>(high * 16 + low));
            i += 2;
            break;
        }
        default:
            return std::nullopt;
        }
    }
    return out;
}

std::optional<std::string> ParseHex(std::string_view text)
{
    if (text.size() % 2 != 0)
        return std::nullopt;
    std::string out;
    out.reserve(text.size() / 2);
    for (std::size_t i = 0; i < text.size(); i += 2) {
        const int high = HexValue(text[i]), low = HexValue(text[i + 1]);
        if (high < 0 || low < 0)
            return std::nullopt;
        out.push_back(static_cast<char>(high * 16 + low));
    }
    return out;
}

std::string EscapeForMessage(std::string_view utf8, std::size_t limit)
{
    std::string out;
    std::size_t count = 0;
    for (std::size_t pos = 0; pos < utf8.size(); ++count) {
        if (count == limit) {
            out += "...";
            break;
        }
        const Utf8Char c = ReadUtf8(utf8, pos);
        const char32_t cp = c.length == 0 ? static_cast<unsigned char>(utf8[pos]) : c.codePoint;
        if (c.length != 0 && !IsControl(cp)) {
            out.append(utf8.substr(pos, c.length));
        } else if (c.length != 0 && (cp == '\t' || cp == '\r' || cp == '\n')) {
            out.push_back('\\');
            out.push_back(cp == '\t' ? 't' : cp == '\r' ? 'r' : 'n');
        } else {
            out += "\\x";
            AppendHexByte(static_cast<unsigned char>(cp), out);
        }
        pos += c.length == 0 ? 1 : c.length;
    }
    return out;
}

} // namespace lum::cli
