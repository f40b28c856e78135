#include "engine/code39.h"

#include <array>

#include "engine/escape.h"
#include "engine/text.h"

namespace lum {
namespace {

// Full ASCII table of ISO/IEC 16388 Annex, indexed by character code; "_" is the space symbol.
constexpr std::array<std::string_view, 128> kFullAscii{
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

constexpr AlphabetTable kCode39Index = MakeAlphabetTable(kCode39Alphabet);

} // namespace

std::string Code39CheckDigit(std::string_view text)
{
    int sum = 0;
    for (char c : text) {
        const int value = kCode39Index(c);
        if (value < 0)
            return {};
        sum += value;
    }
    std::string out(text);
    out.push_back(kCode39Alphabet[std::size_t(sum % 43)]);
    return out;
}

std::string_view Code39FullAsciiEntry(unsigned char code) noexcept
{
    return code < kFullAscii.size() ? kFullAscii[code] : std::string_view{};
}

std::optional<std::string> Code39FullAsciiExpansion(std::string_view text, Deliverable who)
{
    std::string out;
    out.reserve(2 * text.size());
    for (std::size_t pos = 0; pos < text.size();) {
        const EscapeRead r = ReadEscape(text, pos, who);
        if (r.value >= 128)
            return std::nullopt;
        out.append(kFullAscii[r.value]);
        pos = r.next;
    }
    return out;
}

std::string EncodeCode39FullAscii(std::string_view text, bool check, Deliverable who)
{
    std::optional<std::string> data = Code39FullAsciiExpansion(text, who);
    if (!data)
        return {};
    if (check)
        data = Code39CheckDigit(*data);
    std::string out;
    out.reserve(data->size() + 2);
    out.push_back('#');
    out.append(*data);
    out.push_back('#');
    return out;
}

} // namespace lum
