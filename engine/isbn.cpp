#include "engine/isbn.h"

#include <algorithm>
#include <array>
#include <cstddef>

#include "engine/ean.h"
#include "engine/isbn_ranges.h"
#include "engine/text.h"

namespace lum {
namespace {

// The agency's range data: group ranges per prefix, publisher ranges per
// group, each list in the key's text order for a binary search.
using isbn_ranges::RangeList;
constexpr auto kByKey = [](const RangeList& a, const RangeList& b) { return a.key < b.key; };
static_assert(std::is_sorted(isbn_ranges::kGroupRanges.begin(), isbn_ranges::kGroupRanges.end(), kByKey));
static_assert(std::is_sorted(isbn_ranges::kRegistrantRanges.begin(), isbn_ranges::kRegistrantRanges.end(), kByKey));

template <std::size_t N> std::string_view RangesOf(const std::array<RangeList, N>& table, std::string_view key) noexcept
{
    const auto it = std::lower_bound(table.begin(), table.end(), key,
                                     [](const RangeList& row, std::string_view k) { return row.key < k; });
    return it != table.end() && it->key == key ? it->ranges : std::string_view();
}

// Text-line characters: kIsbnTextGlyphs[i] is written for kIsbnTextSource[i].
constexpr std::string_view kIsbnTextSource = "0123456789X-";
constexpr std::string_view kIsbnTextGlyphs = "%&'():;<=>?.";
static_assert(kIsbnTextSource.size() == kIsbnTextGlyphs.size());

constexpr std::string_view kIsbn10LinePrefix = "--$";
constexpr std::string_view kIsbn13LinePrefix = "$";
constexpr std::string_view kLineBreak = "\r\n";
constexpr std::string_view kBooklandPrefix = "978"; // the prefix of every ISBN-10

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

// The elements that are not empty, joined by hyphens.
std::string Hyphenated(const IsbnElements& e)
{
    std::string out;
    for (const std::string* element : {&e.prefix, &e.group, &e.publisher, &e.title})
        if (!element->empty())
            out.append(*element).push_back('-');
    out.push_back(e.check);
    return out;
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
    while (!ranges.empty()) {
        const std::size_t comma = ranges.find(',');
        const std::string_view range = ranges.substr(0, comma);
        const std::size_t dash = range.find('-');
        if (dash != std::string_view::npos && digits.size() >= dash) {
            const std::string_view lead = digits.substr(0, dash);
            if (range.substr(0, dash) <= lead && lead <= range.substr(dash + 1))
                return dash;
        }
        ranges = comma == std::string_view::npos ? std::string_view() : ranges.substr(comma + 1);
    }
    return 0;
}

std::string_view GroupRanges(std::string_view prefix) noexcept { return RangesOf(isbn_ranges::kGroupRanges, prefix); }

std::string_view PublisherRanges(std::string_view prefixAndGroup) noexcept
{
    return RangesOf(isbn_ranges::kRegistrantRanges, prefixAndGroup);
}

IsbnRangeEdition IsbnRangeDataEdition() noexcept { return {isbn_ranges::kMessageDate, isbn_ranges::kMessageSerial}; }

std::optional<IsbnElements> SplitIsbn(std::string_view isbn)
{
    std::string s;
    s.reserve(isbn.size());
    for (char c : isbn)
        if (c != '-')
            s.push_back(c == 'x' ? 'X' : c);

    IsbnElements e;
    if (s.size() == 13 && IsAllDigits(s)) {
        e.prefix = s.substr(0, 3);
        s.erase(0, 3);
    } else if (s.size() != 10) {
        return std::nullopt;
    }
    if (!IsIsbn10Text(s))
        return std::nullopt;

    // Group, then publisher, by the ranges of the element before; where the
    // data has no range the digits stay whole, never split by guesswork.
    const std::string_view prefix = e.prefix.empty() ? kBooklandPrefix : std::string_view(e.prefix);
    std::string_view rest = std::string_view(s).substr(0, 9);
    const std::size_t group = RangePrefixLength(rest, GroupRanges(prefix));
    if (group > 0) {
        e.group = rest.substr(0, group);
        rest.remove_prefix(group);
        const std::size_t publisher = RangePrefixLength(rest, PublisherRanges(std::string(prefix) + "-" + e.group));
        if (publisher > 0 && publisher < rest.size()) {
            e.publisher = rest.substr(0, publisher);
            rest.remove_prefix(publisher);
        }
    }
    e.title = rest;
    e.check = s[9];
    return e;
}

std::string HyphenateIsbn(std::string_view isbn)
{
    const std::optional<IsbnElements> e = SplitIsbn(isbn);
    return e ? Hyphenated(*e) : std::string();
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
        const std::optional<IsbnElements> e = SplitIsbn(s);
        r.isbn10 = e ? Hyphenated(*e) : std::string();
        r.assigned = e && e->Assigned();
        r.isbn13 = HyphenateIsbn(EanCheckDigit(std::string(kBooklandPrefix) + s.substr(0, 9)));
    } else {
        r.result = IsbnParse::BadIsbn13;
        if (EanCheckDigit(std::string_view(s).substr(0, 12)) != s)
            return r;
        const std::optional<IsbnElements> e = SplitIsbn(s);
        r.isbn13 = e ? Hyphenated(*e) : std::string();
        r.assigned = e && e->Assigned();
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
    // The number is valid by construction: its ISBN-10 form is all ParseIsbn would add.
    return TwoLineLabel(kIsbn10LinePrefix, HyphenateIsbn(isbn10),
                        EanCheckDigit(std::string(kBooklandPrefix).append(digits)));
}

std::string EncodeIsbn13(std::string_view digits)
{
    if (digits.size() != 12)
        return {};
    const std::string isbn13 = EanCheckDigit(digits);
    if (isbn13.empty())
        return {};
    return TwoLineLabel(kIsbn13LinePrefix, HyphenateIsbn(isbn13), isbn13);
}

} // namespace lum
