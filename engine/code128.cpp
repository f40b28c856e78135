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

// Working storage: on the stack for label-sized texts, on the heap beyond,
// so that the usual encode allocates nothing but its result.
template <class T, std::size_t N> class WorkBuffer {
public:
    explicit WorkBuffer(std::size_t n) : data_(n <= N ? local_.data() : (heap_.resize(n), heap_.data())) {}
    WorkBuffer(const WorkBuffer&) = delete;
    WorkBuffer& operator=(const WorkBuffer&) = delete;
    T* data() noexcept { return data_; }

private:
    std::array<T, N> local_;
    std::vector<T> heap_;
    T* data_;
};

constexpr std::size_t kLocalLength = 256;

// Fills ahead[0 .. text.size()]; false when a character is above 132. Digits
// count 1 in a run; an FNC1 joins it, counting 2, at an even point: for the
// desktop program when the count so far is even, for the library when the
// number of characters taken so far is even.
bool LookAhead(std::string_view text, Deliverable who, Ahead* ahead) noexcept
{
    ahead[text.size()] = Ahead{0, std::uint8_t(Deciding::None)};
    // The run from i + 1 when the parity that decides FNC1 is even or odd there.
    std::uint8_t even = 0, odd = 0;
    for (std::size_t i = text.size(); i-- > 0;) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c > kCode128Highest)
            return false;
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
    return true;
}

constexpr Code128Subset Choose(const Ahead& a) noexcept
{
    if (a.run >= kSubsetCThreshold)
        return Code128Subset::C;
    return a.deciding == std::uint8_t(Deciding::Control) ? Code128Subset::A : Code128Subset::B;
}

// The check value kept as the values come: start value + each following
// value times its position, modulo 103.
class CheckSum {
public:
    void Add(std::uint8_t v) noexcept
    {
        // The start value and the value after it both weigh 1; from then on
        // the weight is the position, kept modulo 103 like the sum.
        sum_ = (sum_ + v * (started_ ? weight_ : 1u)) % 103;
        started_ = true;
        weight_ = weight_ == 102 ? 0 : weight_ + 1;
    }
    std::uint8_t Value() const noexcept { return static_cast<std::uint8_t>(sum_); }

private:
    unsigned sum_ = 0;
    unsigned weight_ = 0;
    bool started_ = false;
};

// Sinks for the values, writing into room the caller has made for them: a
// value sequence, or the font string straight away.
struct ToSequence {
    std::uint8_t* next;
    void operator()(std::uint8_t v) noexcept { *next++ = v; }
};
struct ToFontString {
    char* next;
    void operator()(std::uint8_t v) noexcept { *next++ = static_cast<char>(kFontCharacter[v]); }
};

// One encode in progress.
template <class Sink> struct Encoding {
    std::string_view text;
    const Ahead* ahead;
    Sink sink;
    CheckSum check;
    Code128Subset subset = Code128Subset::B;
    std::size_t pos = 0;

    unsigned char At(std::size_t i) const noexcept { return static_cast<unsigned char>(text[i]); }
    bool NextIs(bool (*test)(unsigned char)) const noexcept { return pos + 1 < text.size() && test(At(pos + 1)); }
    void Emit(std::uint8_t v)
    {
        check.Add(v);
        sink(v);
    }
};

// A digit met in subset A or B: subset C for a run of 4 or more (after the
// first digit when the count is odd), the digits as they are otherwise.
template <class Sink> void EncodeDigitRun(Encoding<Sink>& e)
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
template <class Sink> void EncodeInAOrB(Encoding<Sink>& e)
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
template <class Sink> void EncodeInC(Encoding<Sink>& e)
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

// At most two values a character (a SHIFT or a subset switch before it),
// plus start, FNC1 and check.
constexpr std::size_t MostValues(std::size_t length) noexcept { return 2 * length + 3; }

// Encodes a decoded text into the sink, which has room for MostValues:
// start, data values and check value. False, with nothing written, when a
// character is above 132.
template <class Sink> bool EncodeValues(std::string_view decoded, bool fnc1AfterStart, Deliverable who, Sink& sink)
{
    WorkBuffer<Ahead, kLocalLength + 1> ahead(decoded.size() + 1);
    if (!LookAhead(decoded, who, ahead.data()))
        return false;
    Encoding<Sink&> e{decoded, ahead.data(), sink, CheckSum{}};
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
    e.sink(e.check.Value());
    return true;
}

bool Encodable(std::string_view decoded) noexcept
{
    return std::none_of(decoded.begin(), decoded.end(),
                        [](char c) { return static_cast<unsigned char>(c) > kCode128Highest; });
}

// The escape-resolved text in `decoded`, or the text itself when it holds no
// backslash and so needs no copy.
std::string_view Resolve(std::string_view text, Deliverable who, std::string& decoded)
{
    if (text.find('\\') == std::string_view::npos)
        return text;
    decoded = DecodeEscapes(text, who);
    return decoded;
}

// The font string of a decoded text, stop character included; empty when a
// character is above 132.
std::string FontStringOf(std::string_view decoded, bool fnc1AfterStart, Deliverable who)
{
    std::string out(MostValues(decoded.size()) + 1, '\0');
    ToFontString sink{out.data()};
    if (!EncodeValues(decoded, fnc1AfterStart, who, sink))
        return {};
    sink(kCode128Stop);
    out.resize(std::size_t(sink.next - out.data()));
    return out;
}

} // namespace

std::optional<std::string> DecodeCode128Text(std::string_view text, Deliverable who)
{
    std::string decoded = DecodeEscapes(text, who);
    if (!Encodable(decoded))
        return std::nullopt;
    return decoded;
}

Code128Sequence Code128ValueSequence(std::string_view decoded, bool fnc1AfterStart, Deliverable who)
{
    Code128Sequence values(MostValues(decoded.size()));
    ToSequence sink{values.data()};
    if (!EncodeValues(decoded, fnc1AfterStart, who, sink))
        return {};
    values.resize(std::size_t(sink.next - values.data()));
    return values;
}

Code128Sequence Code128Values(std::string_view text, Deliverable who)
{
    std::string decoded;
    return Code128ValueSequence(Resolve(text, who, decoded), false, who);
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
    std::string decoded;
    return FontStringOf(Resolve(text, who, decoded), false, who);
}

std::string EncodeCode128Text(std::string_view text, bool fnc1AfterStart, Deliverable who)
{
    std::string decoded;
    return FontStringOf(Resolve(text, who, decoded), fnc1AfterStart, who);
}

} // namespace lum
