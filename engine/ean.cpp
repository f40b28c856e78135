#include "engine/ean.h"

#include <array>
#include <cstddef>

#include "engine/text.h"
#include "engine/twoof5.h"

namespace lum {
namespace {

// Parity patterns of ISO/IEC 15420 and its add-on annex: "A" is the odd
// parity set (set A), "B" the even parity set (set B); letter i is the i-th
// digit the pattern applies to.

// EAN-13: by the leading digit, for the 2nd to 7th digits.
constexpr std::array<std::string_view, 10> kEan13Parity{
    "AAAAAA", "AABABB", "AABBAB", "AABBBA", "ABAABB", "ABBAAB", "ABBBAA", "ABABAB", "ABABBA", "ABBABA",
};

// UPC-E, number system 0: by the check digit, for the six UPC-E digits.
// Number system 1 uses each pattern with "A" and "B" exchanged.
constexpr std::array<std::string_view, 10> kUpcEParity{
    "BBBAAA", "BBABAA", "BBAABA", "BBAAAB", "BABBAA", "BAABBA", "BAAABB", "BABABA", "BABAAB", "BAABAB",
};

// Add-on 2: by the value of the two digits modulo 4.
constexpr std::array<std::string_view, 4> kAddOn2Parity{"AA", "AB", "BA", "BB"};

// Add-on 5: by the add-on checksum.
constexpr std::array<std::string_view, 10> kAddOn5Parity{
    "BBAAA", "BABAA", "BAABA", "BAAAB", "ABBAA", "AABBA", "AAABB", "ABABA", "ABAAB", "AABAB",
};

// First font character of each character set; digit d is that code + d.
constexpr char kSetA = 'A';
constexpr char kSetB = 'a';
constexpr char kRightSet = 'm';
constexpr char kAddOnSetA = 'K';
constexpr char kAddOnSetB = 'U';

constexpr char kNormalGuard = '|';
constexpr char kCentreGuard = '!';
constexpr char kUpcEEndGuard = '#';
constexpr std::string_view kAddOnStart = "-+";
constexpr char kAddOnSeparator = '_';

bool IsDigitsOfLength(std::string_view text, std::size_t n) noexcept { return text.size() == n && IsAllDigits(text); }

// Appends every digit in `setA` or `setB` as the pattern says, with
// `separator` between consecutive digits when it is not 0. `exchange` swaps
// the two sets (UPC-E number system 1).
void AppendWithParity(std::string& out, std::string_view digits, std::string_view pattern, char setA, char setB,
                      char separator = 0, bool exchange = false)
{
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (separator && i > 0)
            out.push_back(separator);
        const bool a = (pattern[i] == 'A') != exchange;
        out.push_back(char((a ? setA : setB) + DigitValue(digits[i])));
    }
}

void AppendInSet(std::string& out, std::string_view digits, char set)
{
    for (char d : digits)
        out.push_back(char(set + DigitValue(d)));
}

// EAN-8 and UPC-A: guard, left half in set A, centre guard, right half, guard.
std::string EncodeTwoHalves(std::string_view digits)
{
    const std::size_t half = digits.size() / 2;
    std::string out;
    out.reserve(digits.size() + 3);
    out.push_back(kNormalGuard);
    AppendInSet(out, digits.substr(0, half), kSetA);
    out.push_back(kCentreGuard);
    AppendInSet(out, digits.substr(half), kRightSet);
    out.push_back(kNormalGuard);
    return out;
}

} // namespace

std::string EanCheckDigit(std::string_view digits)
{
    return digits.empty() ? std::string() : TwoOfFiveCheckDigit(digits);
}

std::string UpcEExpansion(std::string_view digits)
{
    if (!IsDigitsOfLength(digits, 7))
        return {};
    const std::string_view x = digits.substr(1); // X1 ... X6 at x[0] ... x[5]
    std::string out(1, digits[0]);
    switch (x[5]) {
    case '0':
    case '1':
    case '2':
        out.append(x.substr(0, 2)).push_back(x[5]);
        out.append("0000").append(x.substr(2, 3));
        break;
    case '3':
        out.append(x.substr(0, 3)).append("00000").append(x.substr(3, 2));
        break;
    case '4':
        out.append(x.substr(0, 4)).append("00000").push_back(x[4]);
        break;
    default:
        out.append(x.substr(0, 5)).append("0000").push_back(x[5]);
        break;
    }
    return out;
}

std::string UpcECheckDigit(std::string_view digits)
{
    const std::string upcA = EanCheckDigit(UpcEExpansion(digits));
    if (upcA.empty())
        return {};
    std::string out(digits);
    out.push_back(upcA.back());
    return out;
}

int AddOn5Checksum(std::string_view digits) noexcept
{
    if (!IsDigitsOfLength(digits, 5))
        return -1;
    const auto d = [&](std::size_t i) { return DigitValue(digits[i]); };
    return (3 * (d(0) + d(2) + d(4)) + 9 * (d(1) + d(3))) % 10;
}

std::string EncodeEan13(std::string_view digits)
{
    if (!IsDigitsOfLength(digits, 13))
        return {};
    std::string out;
    out.reserve(16);
    out.push_back(digits[0]);
    out.push_back(kNormalGuard);
    AppendWithParity(out, digits.substr(1, 6), kEan13Parity[std::size_t(DigitValue(digits[0]))], kSetA, kSetB);
    out.push_back(kCentreGuard);
    AppendInSet(out, digits.substr(7), kRightSet);
    out.push_back(kNormalGuard);
    return out;
}

std::string EncodeEan8(std::string_view digits)
{
    return IsDigitsOfLength(digits, 8) ? EncodeTwoHalves(digits) : std::string();
}

std::string EncodeUpcA(std::string_view digits)
{
    return IsDigitsOfLength(digits, 12) ? EncodeTwoHalves(digits) : std::string();
}

std::string EncodeUpcE(std::string_view digits)
{
    if (!IsDigitsOfLength(digits, 8))
        return {};
    std::string out;
    out.reserve(9);
    out.push_back(digits[0]);
    out.push_back(kNormalGuard);
    AppendWithParity(out, digits.substr(1, 6), kUpcEParity[std::size_t(DigitValue(digits[7]))], kSetA, kSetB, 0,
                     digits[0] != '0');
    out.push_back(kUpcEEndGuard);
    return out;
}

std::string EncodeAddOn2(std::string_view digits)
{
    if (!IsDigitsOfLength(digits, 2))
        return {};
    const int value = 10 * DigitValue(digits[0]) + DigitValue(digits[1]);
    std::string out(kAddOnStart);
    AppendWithParity(out, digits, kAddOn2Parity[std::size_t(value % 4)], kAddOnSetA, kAddOnSetB, kAddOnSeparator);
    return out;
}

std::string EncodeAddOn5(std::string_view digits)
{
    const int checksum = AddOn5Checksum(digits);
    if (checksum < 0)
        return {};
    std::string out(kAddOnStart);
    AppendWithParity(out, digits, kAddOn5Parity[std::size_t(checksum)], kAddOnSetA, kAddOnSetB, kAddOnSeparator);
    return out;
}

} // namespace lum
