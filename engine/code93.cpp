#include "engine/code93.h"

#include <algorithm>
#include <array>

#include "engine/escape.h"
#include "engine/full_ascii.h"
#include "engine/text.h"

namespace lum {
namespace {

// Full ASCII table indexed by character code; "a" to "d" are the ($), (%), (/)
// and (+) shifts, "_" the space symbol. Every punctuation character from 33 to
// 47 takes the (/) shift, also "$", "%", "+", "-", "." and "/", which are data
// characters of their own.
constexpr FullAsciiTable kFullAscii{
    "bU", "aA", "aB", "aC", "aD", "aE", "aF", "aG", "aH", "aI", "aJ", "aK", "aL", "aM", "aN", "aO", // 0-15
    "aP", "aQ", "aR", "aS", "aT", "aU", "aV", "aW", "aX", "aY", "aZ", "bA", "bB", "bC", "bD", "bE", // 16-31
    "_",  "cA", "cB", "cC", "cD", "cE", "cF", "cG", "cH", "cI", "cJ", "cK", "cL", "cM", "cN", "cO", // 32-47
    "0",  "1",  "2",  "3",  "4",  "5",  "6",  "7",  "8",  "9",  "cZ", "bF", "bG", "bH", "bI", "bJ", // 48-63
    "bV", "A",  "B",  "C",  "D",  "E",  "F",  "G",  "H",  "I",  "J",  "K",  "L",  "M",  "N",  "O",  // 64-79
    "P",  "Q",  "R",  "S",  "T",  "U",  "V",  "W",  "X",  "Y",  "Z",  "bK", "bL", "bM", "bN", "bO", // 80-95
    "bW", "dA", "dB", "dC", "dD", "dE", "dF", "dG", "dH", "dI", "dJ", "dK", "dL", "dM", "dN", "dO", // 96-111
    "dP", "dQ", "dR", "dS", "dT", "dU", "dV", "dW", "dX", "dY", "dZ", "bP", "bQ", "bR", "bS", "bT", // 112-127
};

static_assert(kCode93Alphabet.size() == 47);
static_assert(std::all_of(kFullAscii.begin(), kFullAscii.end(),
                          [](std::string_view e) { return e.size() == 1 || e.size() == 2; }));

constexpr AlphabetTable kCode93Index = MakeAlphabetTable(kCode93Alphabet);

constexpr int kModulus = 47;
constexpr int kWeightLimitC = 20; // C weights run 1 to 20 from the right, then restart
constexpr int kWeightLimitK = 15; // K weights run 1 to 15

// Sum of value x weight from the last character to the first, the weight
// going back to 1 after `limit`; -1 when a character is not a symbol.
int WeightedSum(std::string_view text, int limit) noexcept
{
    int sum = 0;
    int weight = 1;
    for (auto it = text.rbegin(); it != text.rend(); ++it) {
        const int value = kCode93Index(*it);
        if (value < 0)
            return -1;
        sum = (sum + value * weight) % kModulus;
        weight = weight == limit ? 1 : weight + 1;
    }
    return sum;
}

// Appends C over out[from...] and then K over the same symbols with C; every
// symbol from `from` on must be in the alphabet.
void AppendCheckDigits(std::string& out, std::size_t from)
{
    const int c = WeightedSum(std::string_view(out).substr(from), kWeightLimitC);
    out.push_back(kCode93Alphabet[std::size_t(c)]);
    const int k = WeightedSum(std::string_view(out).substr(from), kWeightLimitK);
    out.push_back(kCode93Alphabet[std::size_t(k)]);
}

} // namespace

std::string Code93CheckDigits(std::string_view text)
{
    if (WeightedSum(text, kWeightLimitC) < 0)
        return {};
    std::string out;
    out.reserve(text.size() + 2);
    out.append(text);
    AppendCheckDigits(out, 0);
    return out;
}

std::string_view Code93FullAsciiEntry(unsigned char code) noexcept { return FullAsciiEntry(code, kFullAscii); }

std::optional<std::string> Code93FullAsciiExpansion(std::string_view text, Deliverable who)
{
    return FullAsciiExpansion(text, who, kFullAscii);
}

// Start, expansion, check characters and stop are written into one buffer.
std::string EncodeCode93FullAscii(std::string_view text, bool check, Deliverable who)
{
    std::string out;
    out.reserve(2 * text.size() + 4);
    out.push_back('*');
    if (!AppendFullAscii(text, who, kFullAscii, out))
        return {};
    if (check)
        AppendCheckDigits(out, 1);
    out.push_back('#');
    return out;
}

} // namespace lum
