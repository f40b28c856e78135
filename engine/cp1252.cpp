#include "engine/cp1252.h"

#include <array>
#include <cstdio>

namespace lum {
namespace {

// Code points of the bytes 0x80 to 0x9F; 0xA0 to 0xFF equal their ISO 8859-1
// code points. The undefined bytes keep their own value.
constexpr std::array<char16_t, 32> kHighControls{
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, // 80-87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F, // 88-8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, // 90-97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178, // 98-9F
};

constexpr char32_t ToUnicode(unsigned char byte) noexcept
{
    return (byte >= 0x80 && byte < 0xA0) ? char32_t(kHighControls[byte - 0x80]) : char32_t(byte);
}

// The UTF-8 form of a code point (at most U+10FFFF): length, then up to four bytes.
struct Utf8Form {
    unsigned char length;
    std::array<char, 4> bytes;
};

constexpr char Continuation(char32_t cp, int shift) noexcept { return char(0x80 | ((cp >> shift) & 0x3F)); }

constexpr Utf8Form EncodeUtf8(char32_t cp) noexcept
{
    if (cp < 0x80)
        return {1, {char(cp), 0, 0, 0}};
    if (cp < 0x800)
        return {2, {char(0xC0 | (cp >> 6)), Continuation(cp, 0), 0, 0}};
    if (cp < 0x10000)
        return {3, {char(0xE0 | (cp >> 12)), Continuation(cp, 6), Continuation(cp, 0), 0}};
    return {4, {char(0xF0 | (cp >> 18)), Continuation(cp, 12), Continuation(cp, 6), Continuation(cp, 0)}};
}

// The UTF-8 form of every byte, for the output side.
constexpr std::array<Utf8Form, 256> kUtf8Forms = [] {
    std::array<Utf8Form, 256> forms{};
    for (unsigned b = 0; b < 256; ++b)
        forms[b] = EncodeUtf8(ToUnicode(static_cast<unsigned char>(b)));
    return forms;
}();

static_assert(kUtf8Forms[0x80].length == 3 && kUtf8Forms[0x80].bytes[0] == char(0xE2), "euro sign is E2 82 AC");
static_assert(kUtf8Forms[0x81].length == 2 && kUtf8Forms[0xFF].length == 2);

constexpr int FromUnicode(char32_t cp) noexcept
{
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF))
        return int(cp);
    for (std::size_t i = 0; i < kHighControls.size(); ++i)
        if (kHighControls[i] == cp)
            return int(0x80 + i);
    return -1;
}

// Every byte maps to a code point that maps back to it.
constexpr bool RoundTrips() noexcept
{
    for (unsigned b = 0; b < 256; ++b)
        if (FromUnicode(ToUnicode(static_cast<unsigned char>(b))) != int(b))
            return false;
    return true;
}
static_assert(RoundTrips());

constexpr bool IsContinuation(unsigned char c) noexcept { return (c & 0xC0) == 0x80; }

// Appends the run of ASCII bytes of `in` from `pos` on, which both directions
// copy unchanged; returns where the run ends.
std::size_t AppendAsciiRun(std::string_view in, std::size_t pos, std::string& out)
{
    std::size_t end = pos;
    while (end < in.size() && static_cast<unsigned char>(in[end]) < 0x80)
        ++end;
    out.append(in.substr(pos, end - pos));
    return end;
}

} // namespace

// Well-formed sequences as in the Unicode Standard, table 3-7.
Utf8Char ReadUtf8(std::string_view s, std::size_t pos) noexcept
{
    const auto at = [&](std::size_t i) { return static_cast<unsigned char>(s[i]); };
    const unsigned char lead = at(pos);
    std::size_t length;
    char32_t cp;
    unsigned char low = 0x80, high = 0xBF; // allowed range of the second byte
    if (lead < 0x80)
        return {lead, 1};
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        cp = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        cp = lead & 0x0F;
        if (lead == 0xE0)
            low = 0xA0; // overlong
        else if (lead == 0xED)
            high = 0x9F; // surrogates
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        cp = lead & 0x07;
        if (lead == 0xF0)
            low = 0x90; // overlong
        else if (lead == 0xF4)
            high = 0x8F; // above U+10FFFF
    } else {
        return {0, 0};
    }
    if (s.size() - pos < length)
        return {0, 0};
    if (at(pos + 1) < low || at(pos + 1) > high)
        return {0, 0};
    for (std::size_t i = 1; i < length; ++i) {
        if (!IsContinuation(at(pos + i)))
            return {0, 0};
        cp = (cp << 6) | (at(pos + i) & 0x3F);
    }
    return {cp, length};
}

char32_t Cp1252ToUnicode(unsigned char byte) noexcept { return ToUnicode(byte); }

int UnicodeToCp1252(char32_t codePoint) noexcept { return FromUnicode(codePoint); }

Utf8Conversion Utf8ToCp1252(std::string_view utf8, std::string& out)
{
    out.clear();
    std::size_t pos = 0;
    while (pos < utf8.size()) {
        pos = AppendAsciiRun(utf8, pos, out);
        if (pos == utf8.size())
            break;
        const Utf8Char d = ReadUtf8(utf8, pos);
        if (d.length == 0)
            return {Utf8Problem::InvalidUtf8, pos, out.size(), 0};
        const int byte = FromUnicode(d.codePoint);
        if (byte < 0)
            return {Utf8Problem::NoCp1252Form, pos, out.size(), d.codePoint};
        out.push_back(static_cast<char>(byte));
        pos += d.length;
    }
    return {};
}

void AppendUtf8(char32_t cp, std::string& out)
{
    const Utf8Form f = EncodeUtf8(cp);
    out.append(f.bytes.data(), f.length);
}

std::string CodePointName(char32_t codePoint)
{
    char code[16];
    std::snprintf(code, sizeof code, "U+%04X", unsigned(codePoint));
    if (IsControlCharacter(codePoint))
        return code;
    std::string name = "\"";
    AppendUtf8(codePoint, name);
    return name.append("\" (").append(code).append(")");
}

void AppendCp1252AsUtf8(std::string_view bytes, std::string& out)
{
    std::size_t pos = 0;
    while (pos < bytes.size()) {
        for (pos = AppendAsciiRun(bytes, pos, out);
             pos < bytes.size() && static_cast<unsigned char>(bytes[pos]) >= 0x80; ++pos) {
            const Utf8Form& f = kUtf8Forms[static_cast<unsigned char>(bytes[pos])];
            out.append(f.bytes.data(), f.length);
        }
    }
}

} // namespace lum
