#include "engine/code128.h"

#include <algorithm>
#include <array>

#include "engine/escape.h"
#include "engine/text.h"

namespace lum {
namespace {

// VOR128 character of each code value: 33 upwards, except that 94 to 96 sit at
// 150 to 152 so that the font string avoids 127 to 129.
constexpr std::array<unsigned char, 107> kFontCharacter = [] {
    std::array<unsigned char, 107> table{};
    for (std::size_t v = 0; v < table.size(); ++v)
        table[v] = static_cast<unsigned char>(v >= 94 && v <= 96 ? v + 56 : v + 33);
    return table;
}();

static_assert(kFontCharacter[0] == 33 && kFontCharacter[93] == 126 && kFontCharacter[94] == 150 &&
              kFontCharacter[96] == 152 && kFontCharacter[97] == 130 && kFontCharacter[106] == 139);

constexpr unsigned char kStopCharacter = kFontCharacter[kCode128Stop];
constexpr std::size_t kSubsetCThreshold = 4;

constexpr bool IsDigitCode(unsigned char c) noexcept { return c >= '0' && c <= '9'; }
// Control characters, NUL written as 128 included: subset A only.
constexpr bool IsControl(unsigned char c) noexcept { return c < 32 || c == kCode128Nul; }
// Lower case and the rest of ASCII: subset B only.
constexpr bool IsLowerSet(unsigned char c) noexcept { return c >= 96 && c <= 127; }
// Characters subsets A and B share, function characters included.
constexpr bool IsShared(unsigned char c) noexcept { return (c >= 32 && c <= 95) || (c >= 129 && c <= 132); }

// Value of a decoded character in subset A or B (ISO/IEC 15417 table 1);
// only called for characters the subset holds.
constexpr std::uint8_t ValueIn(Code128Subset subset, unsigned char c) noexcept
{
    switch (c) {
    case kCode128Nul:
        return 64;
    case kCode128Fnc1:
        return kCode128Fnc1Value;
    case kCode128Fnc2:
        return 97;
    case kCode128Fnc3:
        return 96;
    case kCode128Fnc4:
        return subset == Code128Subset::A ? kCode128CodeA : kCode128CodeB;
    default:
        return static_cast<std::uint8_t>(c < 32 ? c + 64 : c - 32);
    }
}

// Whether an FNC1 joins the run, given what the run holds so far.
constexpr bool Fnc1Joins(std::size_t count, std::size_t taken, Deliverable who) noexcept
{
    return (who == Deliverable::Assistant ? count : taken) % 2 == 0;
}

// The first character outside the shared set from a position on decides
// between subsets A and B.
enum class Deciding : std::uint8_t { None, Control, Lower };

// What the encoder needs to know about the text from one position on: the run
// count, kept exactly below 4 and as 4 (even) or 5 (odd) above, and the
// deciding character. Built in one backward pass, so that asking at any
// position costs nothing and the whole encode stays linear.
struct Ahead {
    std::uint8_t run : 3;
    std::uint8_t deciding : 2; // a Deciding
};
static_assert(sizeof(Ahead) == 1);

constexpr std::uint8_t Saturate(unsigned count) noexcept
{
    return static_cast<std::uint8_t>(count < kSubsetCThreshold ? count : 4 + count % 2);
}

std::vector<Ahead> LookAhead(std::string_view text, Deliverable who)
{
    std::vector<Ahead> ahead(text.size() + 1, Ahead{0, std::uint8_t(Deciding::None)});
    // The run from i + 1 when the parity that decides FNC1 is even or odd there.
    std::uint8_t even = 0, odd = 0;
    for (std::size_t i = text.size(); i-- > 0;) {
        const auto c = static_cast<unsigned char>(text[i]);
        std::uint8_t nextEven = 0, nextOdd = 0;
        if (IsDigitCode(c)) {
            nextEven = Saturate(1u + odd);
            nextOdd = Saturate(1u + even);
        } else if (c == kCode128Fnc1) {
            // FNC1 adds 2, keeping the count's parity; it adds 1 to the number taken.
            nextEven = Saturate(2u + (who == Deliverable::Assistant ? even : odd));
        }
        even = nextEven;
        odd = nextOdd;
        ahead[i].run = even;
        ahead[i].deciding = IsShared(c)    ? ahead[i + 1].deciding
                            : IsControl(c) ? std::uint8_t(Deciding::Control)
                                           : std::uint8_t(Deciding::Lower);
    }
    return ahead;
}

constexpr Code128Subset Choose(const Ahead& a) noexcept
{
    if (a.run >= kSubsetCThreshold)
        return Code128Subset::C;
    return a.deciding == std::uint8_t(Deciding::Control) ? Code128Subset::A : Code128Subset::B;
}

// One encode in progress.
struct Encoding {
    std::string_view text;
    std::vector<Ahead> ahead;
    Code128Sequence values;
    Code128Subset subset;
    std::size_t pos = 0;

    unsigned char At(std::size_t i) const noexcept { return static_cast<unsigned char>(text[i]); }
    bool NextIs(bool (*test)(unsigned char)) const noexcept { return pos + 1 < text.size() && test(At(pos + 1)); }
    void Emit(std::uint8_t v) { values.push_back(v); }
};

// A digit met in subset A or B: subset C for a run of 4 or more (after the
// first digit when the count is odd), the digits as they are otherwise.
void EncodeDigitRun(Encoding& e)
{
    const std::size_t count = e.ahead[e.pos].run;
    if (count >= kSubsetCThreshold) {
        if (count % 2 == 1)
            e.Emit(ValueIn(e.subset, e.At(e.pos++)));
        e.Emit(kCode128CodeC);
        e.subset = Code128Subset::C;
        return;
    }
    // A run counting below 4 holds digits only.
    for (std::size_t end = e.pos + count; e.pos < end; ++e.pos)
        e.Emit(ValueIn(e.subset, e.At(e.pos)));
}

// One character in subset A or B. A character of the other subset is shifted
// when the character after it belongs to the current one again, else the
// subset is switched.
void EncodeInAOrB(Encoding& e)
{
    const unsigned char c = e.At(e.pos);
    if (IsDigitCode(c))
        return EncodeDigitRun(e);
    const bool inA = e.subset == Code128Subset::A;
    if (inA ? IsLowerSet(c) : IsControl(c)) {
        const bool shift = e.NextIs(inA ? IsControl : IsLowerSet);
        e.Emit(shift ? kCode128Shift : inA ? kCode128CodeB : kCode128CodeA);
        const Code128Subset other = inA ? Code128Subset::B : Code128Subset::A;
        e.Emit(ValueIn(other, c));
        if (!shift)
            e.subset = other;
    } else {
        e.Emit(ValueIn(e.subset, c));
    }
    ++e.pos;
}

// One step in subset C: a digit pair or FNC1, else back to the subset the
// chooser names for the rest, a lone digit being sent there.
void EncodeInC(Encoding& e)
{
    const unsigned char c = e.At(e.pos);
    if (IsDigitCode(c) && e.NextIs(IsDigitCode)) {
        e.Emit(static_cast<std::uint8_t>(DigitValue(char(c)) * 10 + DigitValue(char(e.At(e.pos + 1)))));
        e.pos += 2;
        return;
    }
    if (c == kCode128Fnc1) {
        e.Emit(kCode128Fnc1Value);
        ++e.pos;
        return;
    }
    // Here the run count is at most 1, so the chooser names A or B.
    e.subset = Choose(e.ahead[e.pos]) == Code128Subset::B ? Code128Subset::B : Code128Subset::A;
    e.Emit(e.subset == Code128Subset::B ? kCode128CodeB : kCode128CodeA);
    if (IsDigitCode(c))
        e.Emit(ValueIn(e.subset, e.At(e.pos++)));
}

// Start value + each following value times its position, modulo 103.
std::uint8_t CheckValue(std::span<const std::uint8_t> values) noexcept
{
    // The weight is kept modulo 103; the sum of products below 106 x 103
    // cannot overflow for any text that fits in memory.
    std::uint64_t sum = values.empty() ? 0 : values[0];
    std::uint64_t weight = 0;
    for (std::size_t i = 1; i < values.size(); ++i) {
        weight = weight == 102 ? 0 : weight + 1;
        sum += values[i] * weight;
    }
    return static_cast<std::uint8_t>(sum % 103);
}

} // namespace

Code128Run Code128RunCount(std::string_view decoded, std::size_t pos, Deliverable who) noexcept
{
    std::size_t count = 0, i = pos;
    for (; i < decoded.size(); ++i) {
        const auto c = static_cast<unsigned char>(decoded[i]);
        if (IsDigitCode(c))
            count += 1;
        else if (c == kCode128Fnc1 && Fnc1Joins(count, i - pos, who))
            count += 2;
        else
            break;
    }
    return {count, i};
}

Code128Subset Code128ChooseSubset(std::string_view decoded, std::size_t pos, Deliverable who) noexcept
{
    if (Code128RunCount(decoded, pos, who).count >= kSubsetCThreshold)
        return Code128Subset::C;
    const auto it = std::find_if(decoded.begin() + std::ptrdiff_t(std::min(pos, decoded.size())), decoded.end(),
                                 [](char c) { return !IsShared(static_cast<unsigned char>(c)); });
    return it != decoded.end() && IsControl(static_cast<unsigned char>(*it)) ? Code128Subset::A : Code128Subset::B;
}

std::optional<std::string> DecodeCode128Text(std::string_view text, Deliverable who)
{
    std::string decoded = DecodeEscapes(text, who);
    if (std::any_of(decoded.begin(), decoded.end(),
                    [](char c) { return static_cast<unsigned char>(c) > kCode128Highest; }))
        return std::nullopt;
    return decoded;
}

Code128Sequence Code128ValueSequence(std::string_view decoded, bool fnc1AfterStart, Deliverable who)
{
    if (std::any_of(decoded.begin(), decoded.end(),
                    [](char c) { return static_cast<unsigned char>(c) > kCode128Highest; }))
        return {};
    Encoding e{decoded, LookAhead(decoded, who), {}, Code128Subset::B};
    // At most two values a character (a SHIFT or a subset switch before it),
    // plus start, FNC1 and check: reserved once, never moved.
    e.values.reserve(2 * decoded.size() + 3);
    // Start C needs 4 characters and a run of 4; otherwise A or B by the deciding character.
    const Ahead& first = e.ahead[0];
    e.subset = decoded.size() >= 4 && first.run >= kSubsetCThreshold ? Code128Subset::C
               : first.deciding == std::uint8_t(Deciding::Control)   ? Code128Subset::A
                                                                     : Code128Subset::B;
    e.Emit(static_cast<std::uint8_t>(e.subset));
    if (fnc1AfterStart)
        e.Emit(kCode128Fnc1Value);
    while (e.pos < decoded.size()) {
        if (e.subset == Code128Subset::C)
            EncodeInC(e);
        else
            EncodeInAOrB(e);
    }
    e.Emit(CheckValue(e.values));
    return std::move(e.values);
}

Code128Sequence Code128Values(std::string_view text, Deliverable who)
{
    const std::optional<std::string> decoded = DecodeCode128Text(text, who);
    return decoded ? Code128ValueSequence(*decoded, false, who) : Code128Sequence{};
}

unsigned char Code128FontCharacter(std::uint8_t value) noexcept
{
    return value < kFontCharacter.size() ? kFontCharacter[value] : 0;
}

std::string Code128FontString(std::span<const std::uint8_t> values)
{
    if (values.empty())
        return {};
    std::string out;
    out.reserve(values.size() + 1);
    for (const std::uint8_t v : values)
        out.push_back(static_cast<char>(Code128FontCharacter(v)));
    out.push_back(static_cast<char>(kStopCharacter));
    return out;
}

std::string EncodeCode128(std::string_view text, Deliverable who)
{
    return Code128FontString(Code128Values(text, who));
}

} // namespace lum
