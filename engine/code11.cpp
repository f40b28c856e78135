#include "engine/code11.h"

#include "engine/text.h"

namespace lum {
namespace {

// Character values 0 to 10 in order.
constexpr std::string_view kCode11Alphabet = "0123456789-";

// Texts of this length and longer carry the second check character K.
constexpr std::size_t kSecondCheckFrom = 11;

static_assert(kCode11Alphabet.size() == 11);

constexpr AlphabetTable kCode11Index = MakeAlphabetTable(kCode11Alphabet);

// Weighted sum modulo 11, weights 1 to `maxWeight` from the right, repeating.
// The characters are known to be in the alphabet.
char CheckCharacter(std::string_view text, int maxWeight) noexcept
{
    int sum = 0;
    int weight = 1;
    for (auto it = text.rbegin(); it != text.rend(); ++it) {
        sum += kCode11Index(*it) * weight;
        weight = weight == maxWeight ? 1 : weight + 1;
    }
    return kCode11Alphabet[std::size_t(sum % 11)];
}

} // namespace

std::string Code11CheckDigit(std::string_view text)
{
    for (char c : text)
        if (kCode11Index(c) < 0)
            return {};
    std::string out(text);
    out.push_back(CheckCharacter(out, 10));
    if (text.size() >= kSecondCheckFrom)
        out.push_back(CheckCharacter(out, 9));
    return out;
}

} // namespace lum
