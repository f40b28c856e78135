#include "engine/twoof5.h"

#include <array>

#include "engine/text.h"

namespace lum {
namespace {

// The two font characters that draw each digit pair 00 to 99 (first digit =
// tens): the first carries bars 1-3 of the first digit and spaces 1-2 of the
// second, the other spaces 3-5 of the second and bars 4-5 of the first.
constexpr std::array<std::string_view, 100> kPairs{
    "Ap", "Hh", "Fh", "Xd",  "At", "Ho", "Fo", "Av", "Hm", "Fm", // 00-09
    "Er", "Of", "Lf", "Qb",  "Ew", "Ol", "Ll", "Ey", "Oj", "Lj", // 10-19
    "Cr", "Mf", "Jf", "Sb",  "Cw", "Ml", "Jl", "Cy", "Mj", "Jj", // 20-29
    "Nn", "Pa", "Ra", "Z`",  "Ni", "Pe", "Re", "Ng", "Pc", "Rc", // 30-39
    "Ar", "Hf", "Ff", "Xb",  "Aw", "Hl", "Fl", "Ay", "Hj", "Fj", // 40-49
    "In", "Ta", "Wa", "\\`", "Ii", "Te", "We", "Ig", "Tc", "Wc", // 50-59
    "Gn", "Va", "Ya", "^`",  "Gi", "Ve", "Ye", "Gg", "Vc", "Yc", // 60-69
    "@z", "Dx", "Bx", "Kk",  "@|", "Dq", "Bq", "@~", "Ds", "Bs", // 70-79
    "Ep", "Oh", "Lh", "Qd",  "Et", "Oo", "Lo", "Ev", "Om", "Lm", // 80-89
    "Cp", "Mh", "Jh", "Sd",  "Ct", "Mo", "Jo", "Cv", "Mm", "Jm", // 90-99
};

constexpr bool AllPairsHaveTwoCharacters()
{
    for (std::string_view p : kPairs)
        if (p.size() != 2)
            return false;
    return true;
}
static_assert(AllPairsHaveTwoCharacters());

// Appends (10 - total mod 10) mod 10, the digit at `weight3Parity` positions
// from the right (0 = rightmost) weighted 3 and the others 1.
std::string AppendMod10(std::string_view digits, std::size_t weight3Parity)
{
    int total = 0;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        const char c = digits[digits.size() - 1 - i];
        if (!IsDigit(c))
            return {};
        total = (total + DigitValue(c) * (i % 2 == weight3Parity ? 3 : 1)) % 10;
    }
    std::string out(digits);
    out.push_back(char('0' + (10 - total) % 10));
    return out;
}

} // namespace

std::string InterleavedCheckDigit(std::string_view digits)
{
    // Position 1 from the left, weighted 3, is position size - 1 from the right.
    return AppendMod10(digits, (digits.size() + 1) % 2);
}

std::string TwoOfFiveCheckDigit(std::string_view digits) { return AppendMod10(digits, 0); }

std::string EncodeInterleaved(std::string_view digits)
{
    if (digits.size() % 2 != 0 || !IsAllDigits(digits))
        return {};
    std::string out;
    out.reserve(digits.size() + 2);
    out.push_back('*');
    for (std::size_t i = 0; i < digits.size(); i += 2)
        out.append(kPairs[std::size_t(DigitValue(digits[i]) * 10 + DigitValue(digits[i + 1]))]);
    out.push_back('#');
    return out;
}

} // namespace lum
