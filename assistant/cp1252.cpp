#include "assistant/cp1252.h"

#include "assistant/preview/cp1252.h"

namespace lum::assistant {
namespace {

// The code page's table lives with the preview, which writes the same bytes
// into RTF and HTML.
char FromUnicode(char16_t u)
{
    if (u < 0x80 || (u >= 0xA0 && u <= 0xFF))
        return char(u);
    for (int b = 0x80; b <= 0x9F; ++b)
        if (preview::Cp1252ToUnicode(static_cast<unsigned char>(b)) == u)
            return char(b);
    return '?';
}

} // namespace

QString FromCp1252(std::string_view bytes)
{
    QString out;
    out.reserve(qsizetype(bytes.size()));
    for (const char c : bytes)
        out.append(QChar(char16_t(preview::Cp1252ToUnicode(static_cast<unsigned char>(c)))));
    return out;
}

std::string ToCp1252(const QString& text)
{
    std::string out;
    out.reserve(std::size_t(text.size()));
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate())
            ++i; // one character outside the code page, one "?"
        out.push_back(FromUnicode(c.unicode()));
    }
    return out;
}

bool FitsCp1252(const QString& text) { return FromCp1252(ToCp1252(text)) == text; }

} // namespace lum::assistant
