#include "assistant/cp1252.h"

#include <array>

namespace lum::assistant {
namespace {

// Unicode values of the bytes 0x80 to 0x9F (Windows-1252 code page table);
// the undefined positions hold the C1 control of the same value.
constexpr std::array<char16_t, 32> kHigh{{
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, // 80-87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F, // 88-8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, // 90-97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178, // 98-9F
}};

char FromUnicode(char16_t u)
{
    if (u < 0x80 || (u >= 0xA0 && u <= 0xFF))
        return char(u);
    for (std::size_t i = 0; i < kHigh.size(); ++i)
        if (kHigh[i] == u)
            return char(0x80 + i);
    return '?';
}

} // namespace

QString FromCp1252(std::string_view bytes)
{
    QString out;
    out.reserve(qsizetype(bytes.size()));
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        out.append(QChar(b >= 0x80 && b <= 0x9F ? kHigh[b - 0x80] : char16_t(b)));
    }
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

} // namespace lum::assistant
