#include "engine/isbn.h"

#include <algorithm>
#include <array>
#include <cstddef>

#include "engine/ean.h"
#include "engine/text.h"

namespace lum {
namespace {

struct GroupRanges {
    int group;               // numeric value of the registration group element
    std::string_view ranges; // lower bounds of the publisher element, ascending in character order
};

// Publisher element ranges of every registration group that has them, after
// the International ISBN Agency's range list, one row per group in ascending
// group order. Each bound is as long as the publisher element it starts.
constexpr std::array kPublisherRanges{
    GroupRanges{0, "00,200,7000,85000,900000,9500000"},
    GroupRanges{1, "00000000,55000,869800,9999900"},
    GroupRanges{2, "00,200,40000000,500,7000,84000,900000,9500000"},
    GroupRanges{3, "00,200,7000,85000,900000,9500000"},
    GroupRanges{4, "00,200,7000,85000,900000,9500000"},
    GroupRanges{5, "00,200,7000,85000,900000,9500000"},
    GroupRanges{7, "00,100,5000,80000,900000"},
    GroupRanges{80, "00,200,7000,85000,900000"},
    GroupRanges{81, "00,200,7000,85000,900000"},
    GroupRanges{82, "00,200,7000,90000,990000"},
    GroupRanges{83, "00,200,7000,85000,900000"},
    GroupRanges{84, "00,200,7000,85000,900000,95000,9700"},
    GroupRanges{85, "00,200,7000,85000,900000"},
    GroupRanges{86, "00,300,7000,80000,900000"},
    GroupRanges{87, "00,400,7000,85000,970000"},
    GroupRanges{88, "00,200,7000,85000,900000"},
    GroupRanges{89, "00,300,7000,85000,950000"},
    GroupRanges{90, "00,200,5000,70000,800000,9000000"},
    GroupRanges{91, "0,20,500,6500000,7000,8000000,85000,9500000,970000"},
    GroupRanges{92, "0,60,800,9000"},
    GroupRanges{93, "0000000"},
    GroupRanges{950, "00,500,9000,99000"},
    GroupRanges{951, "0,20,550,8900,95000"},
    GroupRanges{952, "00,200,5000,89,9500,99000"},
    GroupRanges{953, "0,10,150,6000,96000"},
    GroupRanges{954, "00,400,8000,90000"},
    GroupRanges{955, "0,20,550,800000,9000,95000"},
    GroupRanges{956, "00,200,7000"},
    GroupRanges{957, "00,440,8500,97000"},
    GroupRanges{958, "0,600,9000,95000"},
    GroupRanges{959, "00,200,7000"},
    GroupRanges{960, "00,200,7000,85000"},
    GroupRanges{961, "00,200,6000,90000"},
    GroupRanges{962, "00,200,7000,85000"},
    GroupRanges{963, "00,200,7000,85000"},
    GroupRanges{964, "00,300,5500,90000"},
    GroupRanges{965, "00,200,7000,90000"},
    GroupRanges{966, "00,500,7000,90000"},
    GroupRanges{967, "0,60,900,9900,99900"},
    GroupRanges{968, "000000,10,400,500000,6000,800,900000"},
    GroupRanges{969, "0,20,400,8000"},
    GroupRanges{970, "00,600,9000,91000"},
    GroupRanges{971, "00,500,8500,91000"},
    GroupRanges{972, "0,20,550,8000,95000"},
    GroupRanges{973, "0,20,550,9000,95000"},
    GroupRanges{974, "00,200,7000,85000,900000"},
    GroupRanges{975, "00,300,6000,92000,980000"},
    GroupRanges{976, "0,40,600,8000,95000"},
    GroupRanges{977, "00,200,5000,70000"},
    GroupRanges{978, "000,2000,30000"},
    GroupRanges{979, "0,20,300000,400,700000,8000,95000"},
    GroupRanges{980, "00,200,6000"},
    GroupRanges{981, "00,200,3000"},
    GroupRanges{982, "00,100,500000"},
    GroupRanges{983, "000,2000,300000,50,800,9000,99000"},
    GroupRanges{984, "00,400,8000,90000"},
    GroupRanges{985, "00,400,6000,90000"},
    GroupRanges{986, "000000"},
    GroupRanges{987, "00,500,9000,99000"},
    GroupRanges{9960, "00,600,9000"},
    GroupRanges{9961, "0,50,800,9500"},
    GroupRanges{9962, "00000"},
    GroupRanges{9963, "0,30,550,7500"},
    GroupRanges{9964, "0,70,950"},
    GroupRanges{9965, "00,400,9000"},
    GroupRanges{9966, "00,70000,800,9600"},
    GroupRanges{9967, "00000"},
    GroupRanges{9968, "0,10,700,9700"},
    GroupRanges{9970, "00,400,9000"},
    GroupRanges{9971, "0,60,900,9900"},
    GroupRanges{9972, "0,40,600,9000"},
    GroupRanges{9973, "0,10,700,9700"},
    GroupRanges{9974, "0,30,550,7500"},
    GroupRanges{9975, "0,50,900,9500"},
    GroupRanges{9976, "0,60,900,99000,9990"},
    GroupRanges{9977, "00,900,9900"},
    GroupRanges{9978, "00,950,9900"},
    GroupRanges{9979, "0,50,800,9000"},
    GroupRanges{9980, "0,40,900,9900"},
    GroupRanges{9981, "0,20,800,9500"},
    GroupRanges{9982, "00,40000,800,9900"},
    GroupRanges{9983, "00,500,80,950,9900"},
    GroupRanges{9984, "00,500,9000"},
    GroupRanges{9985, "0,50,800,9000"},
    GroupRanges{9986, "00,400,9000"},
    GroupRanges{9987, "00,400,8800"},
    GroupRanges{9988, "0,30,550,7500"},
    GroupRanges{9989, "0,30,600,9700"},
    GroupRanges{99901, "00"},
    GroupRanges{99903, "0,20,900"},
    GroupRanges{99904, "0,60,900"},
    GroupRanges{99905, "0,60,900"},
    GroupRanges{99906, "0,60,900"},
    GroupRanges{99908, "0,10,900"},
    GroupRanges{99909, "0,40,950"},
    GroupRanges{99910, "0000"},
    GroupRanges{99911, "00,600"},
    GroupRanges{99912, "0,60,900"},
    GroupRanges{99913, "0,30,600"},
    GroupRanges{99914, "0,50,900"},
    GroupRanges{99915, "0,50,800"},
    GroupRanges{99916, "0,30,700"},
    GroupRanges{99917, "0,30"},
    GroupRanges{99918, "0,40,900"},
    GroupRanges{99919, "0,40,900"},
    GroupRanges{99920, "0,50,900"},
    GroupRanges{99921, "0,20,700"},
    GroupRanges{99922, "0,50"},
    GroupRanges{99923, "0,20,800"},
    GroupRanges{99924, "0,30"},
    GroupRanges{99925, "0,40,800"},
    GroupRanges{99926, "0000,600"},
    GroupRanges{99927, "0,30,600"},
    GroupRanges{99928, "0,50,800"},
    GroupRanges{99929, "0000"},
    GroupRanges{99930, "0,50,800"},
    GroupRanges{99931, "0000"},
    GroupRanges{99932, "0,10"},
    GroupRanges{99933, "00,300"},
    GroupRanges{99934, "0"},
    GroupRanges{99935, "0000"},
    GroupRanges{99936, "0000"},
    GroupRanges{99937, "0,20"},
};

static_assert(std::is_sorted(kPublisherRanges.begin(), kPublisherRanges.end(),
                             [](const GroupRanges& a, const GroupRanges& b) { return a.group < b.group; }));

// Text-line characters: kIsbnTextGlyphs[i] is written for kIsbnTextSource[i].
constexpr std::string_view kIsbnTextSource = "0123456789X-";
constexpr std::string_view kIsbnTextGlyphs = "%&'():;<=>?.";
static_assert(kIsbnTextSource.size() == kIsbnTextGlyphs.size());

constexpr std::string_view kIsbn10LinePrefix = "--$";
constexpr std::string_view kIsbn13LinePrefix = "$";
constexpr std::string_view kLineBreak = "\r\n";
constexpr std::string_view kBooklandPrefix = "978";

bool IsIsbn10Text(std::string_view s) noexcept
{
    return s.size() == 10 && IsAllDigits(s.substr(0, 9)) && (IsDigit(s[9]) || s[9] == 'X');
}

// Weighted sum 10 x d1 + 9 x d2 + ... + 2 x d9 (+ 1 x d10 when present, "X" counting 10).
int Isbn10Sum(std::string_view s) noexcept
{
    int sum = 0;
    for (std::size_t i = 0; i < s.size(); ++i)
        sum += int(10 - i) * (s[i] == 'X' ? 10 : DigitValue(s[i]));
    return sum;
}

int NumericValue(std::string_view digits) noexcept
{
    int value = 0;
    for (char c : digits)
        value = 10 * value + DigitValue(c);
    return value;
}

// Text line, CR LF and the EAN-13 symbol of the 13-digit number.
std::string TwoLineLabel(std::string_view linePrefix, std::string_view hyphenated, std::string_view ean13)
{
    const std::string symbol = EncodeEan13(ean13);
    const std::string line = IsbnTextCharacters(hyphenated);
    if (symbol.empty() || line.empty())
        return {};
    std::string out(linePrefix);
    out.append(line).append(kLineBreak).append(symbol);
    return out;
}

} // namespace

std::string Isbn10CheckDigit(std::string_view digits)
{
    if (digits.size() != 9 || !IsAllDigits(digits))
        return {};
    const int r = Isbn10Sum(digits) % 11;
    const int check = r == 0 ? 0 : 11 - r;
    std::string out(digits);
    out.push_back(check == 10 ? 'X' : char('0' + check));
    return out;
}

std::size_t RangePrefixLength(std::string_view digits, std::string_view ranges) noexcept
{
    std::size_t length = 0;
    while (!ranges.empty()) {
        const std::size_t comma = ranges.find(',');
        const std::string_view bound = ranges.substr(0, comma);
        if (bound > digits)
            break;
        length = bound.size();
        ranges = comma == std::string_view::npos ? std::string_view() : ranges.substr(comma + 1);
    }
    return length;
}

std::string_view PublisherRanges(int group) noexcept
{
    const auto it = std::lower_bound(kPublisherRanges.begin(), kPublisherRanges.end(), group,
                                     [](const GroupRanges& row, int g) { return row.group < g; });
    return it != kPublisherRanges.end() && it->group == group ? it->ranges : std::string_view();
}

std::string HyphenateIsbn(std::string_view isbn)
{
    std::string s;
    s.reserve(isbn.size());
    for (char c : isbn)
        if (c != '-')
            s.push_back(c == 'x' ? 'X' : c);

    std::string out;
    if (s.size() == 13 && IsAllDigits(s)) {
        out.append(s, 0, 3).push_back('-');
        s.erase(0, 3);
    } else if (s.size() != 10) {
        return {};
    }
    if (!IsIsbn10Text(s))
        return {};

    const std::string_view body(s);
    const std::size_t groupLength = RangePrefixLength(body, kIsbnGroupRanges);
    const std::string_view group = body.substr(0, groupLength);
    const std::string_view rest = body.substr(groupLength, 9 - groupLength);
    const char check = body[9];

    out.append(group).push_back('-');
    const std::string_view ranges = PublisherRanges(NumericValue(group));
    const std::size_t publisher = ranges.empty() ? 0 : RangePrefixLength(rest, ranges);
    if (publisher > 0 && publisher < rest.size())
        out.append(rest.substr(0, publisher)).append("-").append(rest.substr(publisher));
    else
        out.append(rest);
    out.push_back('-');
    out.push_back(check);
    return out;
}

IsbnParseResult ParseIsbn(std::string_view text)
{
    std::string s;
    s.reserve(text.size());
    for (char c : text)
        if (c != '-' && c != ' ')
            s.push_back(ToUpperAscii(c));

    IsbnParseResult r;
    if (s.empty())
        return r;
    r.result = IsbnParse::BadLength;
    if (s.size() != 10 && s.size() != 13)
        return r;
    r.result = IsbnParse::BadCharacter;
    if (s.size() == 10 ? !IsIsbn10Text(s) : !IsAllDigits(s))
        return r;

    if (s.size() == 10) {
        r.result = IsbnParse::BadIsbn10;
        if (Isbn10Sum(s) % 11 != 0)
            return r;
        r.isbn10 = HyphenateIsbn(s);
        r.isbn13 = HyphenateIsbn(EanCheckDigit(std::string(kBooklandPrefix) + s.substr(0, 9)));
    } else {
        r.result = IsbnParse::BadIsbn13;
        if (EanCheckDigit(std::string_view(s).substr(0, 12)) != s)
            return r;
        r.isbn13 = HyphenateIsbn(s);
        if (s.starts_with(kBooklandPrefix))
            r.isbn10 = HyphenateIsbn(Isbn10CheckDigit(std::string_view(s).substr(3, 9)));
    }
    r.result = IsbnParse::Ok;
    return r;
}

std::string IsbnTextCharacters(std::string_view hyphenated)
{
    std::string out;
    out.reserve(hyphenated.size());
    for (char c : hyphenated) {
        const int i = IndexIn(kIsbnTextSource, c);
        if (i < 0)
            return {};
        out.push_back(kIsbnTextGlyphs[std::size_t(i)]);
    }
    return out;
}

std::string EncodeIsbn10(std::string_view digits)
{
    const std::string isbn10 = Isbn10CheckDigit(digits);
    if (isbn10.empty())
        return {};
    return TwoLineLabel(kIsbn10LinePrefix, ParseIsbn(isbn10).isbn10,
                        EanCheckDigit(std::string(kBooklandPrefix).append(digits)));
}

std::string EncodeIsbn13(std::string_view digits)
{
    if (digits.size() != 12)
        return {};
    const std::string isbn13 = EanCheckDigit(digits);
    if (isbn13.empty())
        return {};
    return TwoLineLabel(kIsbn13LinePrefix, ParseIsbn(isbn13).isbn13, isbn13);
}

} // namespace lum
