#include "assistant/preview/html_writer.h"

#include <cstdio>
#include <string_view>

#include "engine/cp1252.h"

namespace lum::preview {
namespace {

// Markup characters as entities; a NUL, which HTML cannot carry, as U+FFFD.
std::string HtmlText(std::string_view bytes)
{
    std::string utf8, out;
    AppendCp1252AsUtf8(bytes, utf8);
    for (const char c : utf8) {
        switch (c) {
        // clang-format off
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        case '\0': out += "\xEF\xBF\xBD"; break;
        default: out += c; break;
            // clang-format on
        }
    }
    return out;
}

// A family name as a CSS string inside a double-quoted attribute.
std::string CssFamily(std::string_view family)
{
    std::string quoted = "'";
    for (const char c : family) {
        if (c == '\'' || c == '\\')
            quoted += '\\';
        quoted += c;
    }
    quoted += '\'';
    return HtmlText(quoted);
}

std::string Points(double size)
{
    if (!(size > 0))
        size = 0;
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.2f", size < 32767 ? size : 32767.0);
    std::string text = buf;
    text.erase(text.find_last_not_of('0') + 1);
    if (text.back() == '.')
        text.pop_back();
    return text;
}

std::string SpanStart(const TextRun& run)
{
    std::string style = "font-family:" + CssFamily(run.family) + ";font-size:" + Points(run.size) + "pt";
    if (run.bold)
        style += ";font-weight:bold";
    if (run.italic)
        style += ";font-style:italic";
    if (run.underline || run.strikethrough) {
        style += ";text-decoration:";
        style += run.underline ? (run.strikethrough ? "underline line-through" : "underline") : "line-through";
    }
    return "<span style=\"" + style + "\">";
}

// Calls `piece(text)` for each stretch of the text and `end()` at each line break.
template <typename Piece, typename End> void SplitLines(std::string_view text, Piece piece, End end)
{
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r' && text[i] != '\n')
            continue;
        piece(text.substr(start, i - start));
        end();
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            ++i;
        start = i + 1;
    }
    piece(text.substr(start));
}

} // namespace

std::string WriteHtml(const PreviewDocument& doc)
{
    constexpr std::string_view kParagraph = "<p style=\"margin:0;white-space:pre\">";
    std::string out = "<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"></head><body>\n";
    out += kParagraph;
    for (const TextRun& run : doc.runs) {
        const std::string span = SpanStart(run);
        SplitLines(
            run.text, [&](std::string_view piece) { out += span + HtmlText(piece) + "</span>"; },
            [&] { out += "</p>\n" + std::string(kParagraph); });
    }
    out += "</p>\n</body></html>\n";
    return out;
}

std::string WritePlainText(const PreviewDocument& doc)
{
    std::string out;
    for (const TextRun& run : doc.runs)
        SplitLines(
            run.text, [&](std::string_view piece) { AppendCp1252AsUtf8(piece, out); }, [&] { out += '\n'; });
    return out;
}

} // namespace lum::preview
