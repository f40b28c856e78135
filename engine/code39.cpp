#include "engine/code39.h"

#include <algorithm>
#include <array>

#include "engine/escape.h"
#include "engine/full_ascii.h"
#include "engine/text.h"

namespace lum {
namespace {

// Full ASCII table of ISO/IEC 16388 Annex, indexed by character code; "_" is the space symbol.
constexpr FullAsciiTable kFullAscii{
    "%U", "$A", "$B", "$C", "$D", "$E", "$F", "$G", "$H", "$I", "$J", "$K", "$L", "$M", "$N", "$O", // 0-15
    "$P", "$Q", "$R", "$S", "$T", "$U", "$V", "$W", "$X", "$Y", "$Z", "%A", "%B", "%C", "%D", "%E", // 16-31
    "_",  "/A", "/B", "/C", "/D", "/E", "/F", "/G", "/H", "/I", "/J", "/K", "/L", "/M", "/N", "/O", // 32-47
    "0",  "1",  "2",  "3",  "4",  "5",  "6",  "7",  "8",  "9",  "/Z", "%F", "%G", "%H", "%I", "%J", // 48-63
    "%V", "A",  "B",  "C",  "D",  "E",  "F",  "G",  "H",  "I",  "J",  "K",  "L",  "M",  "N",  "O",  // 64-79
    "P",  "Q",  "R",  "S",  "T",  "U",  "V",  "W",  "X",  "Y",  "Z",  "%K", "%L", "%M", "%N", "%O", // 80-95
    "%W", "+A", "+B", "+C", "+D", "+E", "+F", "+G", "+H", "+I", "+J", "+K", "+L", "+M", "+N", "+O", // 96-111
    "+P", "+Q", "+R", "+S", "+T", "+U", "+V", "+W", "+X", "+Y", "+Z", "%P", "%Q", "%R", "%S", "%T", // 112-127
};

static_assert(kCode39Alphabet.size() == 43);
static_assert(std::all_of(kFullAscii.begin(), kFullAscii.end(),
                          [](std::string_view e) { return e.size() == 1 || e.size() == 2; }));

constexpr AlphabetTable kCode39Index = MakeAlphabetTable(kCode39Alphabet);

// Sum of the character values modulo 43, or -1 for a character outside the alphabet.
int CheckValue(std::string_view text) noexcept
{
    int sum = 0;
    for (char c : text) {
        const int value = kCode39Index(c);
        if (value < 0)
            return -1;
        sum += value;
    }
    return sum % 43;
}

} // namespace

std::string Code39CheckDigit(std::string_view text)
{
    const int value = CheckValue(text);
    if (value < 0)
        return {};
    std::string out;
    out.reserve(text.size() + 1);
    out.append(text);
    out.push_back(kCode39Alphabet[std::size_t(value)]);
    return out;
}

std::string_view Code39FullAsciiEntry(unsigned char code) noexcept { return FullAsciiEntry(code, kFullAscii); }

std::optional<std::string> Code39FullAsciiExpansion(std::string_view text, Deliverable who)
{
    return FullAsciiExpansion(text, who, kFullAscii);
}

// Start, expansion, check character and stop are written into one buffer.
std::string EncodeCode39FullAscii(std::string_view text, bool check, Deliverable who)
{
    std::string out;
    out.reserve(2 * text.size() + 3);
    out.push_back('#');
    if (!AppendFullAscii(text, who, kFullAscii, out))
        return {};
    if (check)
        out.push_back(kCode39Alphabet[std::size_t(CheckValue(std::string_view(out).substr(1)))]);
    out.push_back('#');
    return out;
}

} // namespace lum
