#include "engine/codabar.h"

#include "engine/text.h"

namespace lum {
namespace {

// Start/stop letters valued 16 to 19, each with its alternative letter at the same place.
constexpr std::string_view kStartStop = "ABCD";
constexpr std::string_view kStartStopAlternative = "TM*E";

static_assert(kCodabarData.size() == 16 && kStartStop.size() == 4 && kStartStopAlternative.size() == 4);

constexpr AlphabetTable kCodabarIndex = MakeAlphabetTable(kCodabarData);

// Value 16 to 19 of a start or stop character in either case, or -1.
int StartStopValue(char c) noexcept
{
    const char upper = ToUpperAscii(c);
    int index = IndexIn(kStartStop, upper);
    if (index < 0)
        index = IndexIn(kStartStopAlternative, upper);
    return index < 0 ? -1 : 16 + index;
}

} // namespace

std::string CodabarCheckDigit(std::string_view text)
{
    if (text.size() < 2)
        return {};
    const int start = StartStopValue(text.front());
    const int stop = StartStopValue(text.back());
    if (start < 0 || stop < 0)
        return {};
    const std::string_view data = text.substr(1, text.size() - 2);
    int sum = start + stop;
    for (char c : data) {
        const int value = kCodabarIndex(c);
        if (value < 0)
            return {};
        sum += value;
    }
    std::string out;
    out.reserve(text.size() + 1);
    out.push_back(ToLowerAscii(text.front()));
    out.append(data);
    out.push_back(kCodabarData[std::size_t((16 - sum % 16) % 16)]);
    out.push_back(ToLowerAscii(text.back()));
    return out;
}

std::string EncodeCodabar(std::string_view text)
{
    std::string out;
    out.reserve(text.empty() ? 0 : 2 * text.size() - 1);
    for (char c : text) {
        if (!out.empty())
            out.push_back('|');
        out.push_back(c);
    }
    return out;
}

} // namespace lum
