#include "assistant/cp1252.h"

#include "engine/cp1252.h"

namespace lum::assistant {

QString FromCp1252(std::string_view bytes)
{
    QString out;
    out.reserve(qsizetype(bytes.size()));
    for (const char c : bytes)
        out.append(QChar(char16_t(Cp1252ToUnicode(static_cast<unsigned char>(c)))));
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
        const int byte = UnicodeToCp1252(c.unicode());
        out.push_back(byte < 0 ? '?' : char(byte));
    }
    return out;
}

bool FitsCp1252(const QString& text) { return FromCp1252(ToCp1252(text)) == text; }

} // namespace lum::assistant
