#include "assistant/preview/rtf_writer.h"

#include <algorithm>
#include <cmath>
#include <string_view>
#include <vector>

namespace lum::preview {
namespace {

constexpr char kHex[] = "0123456789abcdef";

void AppendHexEscape(std::string& out, unsigned char byte)
{
    out += "\\'";
    out += kHex[byte >> 4];
    out += kHex[byte & 15];
}

// Text bytes; in a font name ";" ends the entry, so it is escaped as well,
// and line breaks stay bytes.
void AppendEscaped(std::string& out, std::string_view text, bool fontName)
{
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (!fontName && (byte == '\r' || byte == '\n')) {
            if (byte == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
            out += "\\par\r\n";
        } else if (byte == '\\' || byte == '{' || byte == '}') {
            out += '\\';
            out += char(byte);
        } else if (byte < 0x20 || byte >= 0x7F || (fontName && byte == ';')) {
            AppendHexEscape(out, byte);
        } else {
            out += char(byte);
        }
    }
}

long HalfPoints(double points)
{
    if (!(points > 0)) // also NaN
        return 0;
    return std::lround(std::min(points * 2, 32767.0));
}

} // namespace

std::string WriteRtf(const PreviewDocument& doc)
{
    std::vector<std::string_view> fonts;
    for (const TextRun& run : doc.runs)
        if (std::find(fonts.begin(), fonts.end(), run.family) == fonts.end())
            fonts.push_back(run.family);

    std::string out = "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl";
    for (std::size_t f = 0; f < fonts.size(); ++f) {
        out += "{\\f" + std::to_string(f) + "\\fnil\\fcharset0 ";
        AppendEscaped(out, fonts[f], true);
        out += ";}";
    }
    out += "}\r\n\\pard\\plain";
    for (const TextRun& run : doc.runs) {
        const auto f = std::find(fonts.begin(), fonts.end(), run.family) - fonts.begin();
        out += "{\\f" + std::to_string(f) + "\\fs" + std::to_string(HalfPoints(run.size));
        if (run.bold)
            out += "\\b";
        if (run.italic)
            out += "\\i";
        if (run.underline)
            out += "\\ul";
        if (run.strikethrough)
            out += "\\strike";
        out += ' ';
        AppendEscaped(out, run.text, false);
        out += '}';
    }
    out += "}\r\n";
    return out;
}

} // namespace lum::preview
