#include "engine/delta.h"

#include "engine/text.h"

namespace lum {
namespace {

// Position is the value; 13 belongs to no character.
constexpr std::string_view kDeltaValues = "0123456789KLM_O";
constexpr char kNoCharacter = '_';

int DeltaValue(char c) noexcept { return c == kNoCharacter ? -1 : IndexIn(kDeltaValues, c); }

} // namespace

std::string DeltaCheckDigit(std::string_view text)
{
    int total = 0;
    bool odd = true;
    for (auto it = text.rbegin(); it != text.rend(); ++it, odd = !odd) {
        int value = DeltaValue(*it);
        if (value < 0)
            return {};
        if (odd)
            value *= 2;
        total += value / 10 + value % 10; // at most 28
    }
    std::string out(text);
    out.push_back(char('0' + (10 - total % 10) % 10));
    return out;
}

std::string EncodeDelta(std::string_view text)
{
    std::string out;
    out.reserve(2 * text.size() + 3);
    out.push_back('*');
    for (char c : text) {
        out.push_back('|');
        out.push_back(c);
    }
    out.append("|#");
    return out;
}

} // namespace lum
