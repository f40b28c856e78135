#include "engine/isbn.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <optional>
#include <string>

#include "engine/catalogue.h"
#include "engine/ean.h"
#include "engine/text.h"

namespace lum {
namespace {

// Reads a text line back: "%&'():;<=>?." are the font characters of
// "0123456789X-", in that order.
std::optional<std::string> ReadTextLine(std::string_view line)
{
    std::string out;
    for (char c : line) {
        switch (c) {
        // clang-format off
        case '%': out += '0'; break;
        case '&': out += '1'; break;
        case '\'': out += '2'; break;
        case '(': out += '3'; break;
        case ')': out += '4'; break;
        case ':': out += '5'; break;
        case ';': out += '6'; break;
        case '<': out += '7'; break;
        case '=': out += '8'; break;
        case '>': out += '9'; break;
        case '?': out += 'X'; break;
        case '.': out += '-'; break;
        default: return std::nullopt;
            // clang-format on
        }
    }
    return out;
}

// The 13 digits of an EAN-13 font string, read from the character sets.
std::optional<std::string> ReadEan13Digits(std::string_view s)
{
    if (s.size() != 16 || s[1] != '|' || s[8] != '!' || s[15] != '|')
        return std::nullopt;
    std::string digits(1, s[0]);
    for (std::size_t i : {2, 3, 4, 5, 6, 7}) {
        const char c = s[i];
        if (c >= 'A' && c <= 'J')
            digits += char('0' + (c - 'A'));
        else if (c >= 'a' && c <= 'j')
            digits += char('0' + (c - 'a'));
        else
            return std::nullopt;
    }
    for (std::size_t i = 9; i < 15; ++i) {
        if (s[i] < 'm' || s[i] > 'v')
            return std::nullopt;
        digits += char('0' + (s[i] - 'm'));
    }
    return digits;
}

// Byte-exact labels: the two standard examples (ISBN 0-306-40615-2), and one
// with an "X" check character mapped by hand.
TEST(Isbn, LabelsByteForByte)
{
    struct Row {
        const char* id;
        const char* text;
        const char* expected;
    };
    constexpr Row kRows[] = {
        {"ISBN", "030640615", "--$%.(%;.)%;&:.'\r\n9|HiaDaG!qmsnrt|"},
        {"ISBN13", "978030640615", "$><=.%.(%;.)%;&:.<\r\n9|HiaDaG!qmsnrt|"},
        {"ISBN", "155404295", "--$&.::)%).'>:.?\r\n9|HibFfE!mqovrn|"},
    };
    for (const Row& row : kRows) {
        SCOPED_TRACE(row.text);
        EXPECT_EQ(Encode(row.text, row.id, true, Deliverable::Library), row.expected);
        EXPECT_EQ(Encode(row.text, row.id, false, Deliverable::Library), row.expected); // the flag has no effect
    }
}

// Every label read back: text line prefix, hyphenated number, CR LF, and the
// EAN-13 digits. Hyphenations worked by hand from the agency's ranges (quoted
// in the notes); check characters by the ISO 2108 modulo 11 rule and the GS1
// modulo 10 rule, computed apart from the engine.
TEST(Isbn, LabelsDecodeBack)
{
    struct Row {
        const char* id;
        const char* text;
        const char* hyphenated;
        const char* ean13;
        const char* note;
    };
    constexpr Row kRows[] = {
        {"ISBN", "030640615", "0-306-40615-2", "9780306406157", "standard example"},
        {"ISBN13", "978030640615", "978-0-306-40615-7", "9780306406157", "standard example"},
        {"ISBN", "155404295", "1-55404-295-X", "9781554042951", "check character X"},
        {"ISBN", "123456789", "1-234-56789-X", "9781234567897", "978-1: publisher 100-397"},
        {"ISBN", "600000000", "600-00-0000-6", "9786000000004", "978-600 Iran: publisher 00-09"},
        {"ISBN", "999260000", "99926-0-000-4", "9789992600009", "five-digit group 99926: publisher 0-0"},
        {"ISBN13", "979122001234", "979-12-200-1234-8", "9791220012348", "979-12 Italy: publisher 200-299"},
        {"ISBN", "619345145", "619-345-145-5", "9786193451454", "978-619 Bulgaria: publisher 150-699"},
        {"ISBN13", "123456789012", "123-456789012-8", "1234567890128", "no ISBN prefix: only the prefix is set off"},
        {"ISBN", "", "0-00-000000-0", "9780000000002", "empty text pads to nine zeros"},
        {"ISBN", "930000000", "93-00-00000-4", "9789300000002", "978-93 India: publisher 00-09"},
        {"ISBN", "245000000", "2-450-00000-3", "9782450000007", "978-2: publisher 400-489"},
        {"ISBN", "995212345", "9952-1-2345-0", "9789952123456", "four-digit group 9952: publisher 0-1"},
        {"ISBN", "1", "0-00-000001-9", "9780000000019", "padded to 000000001"},
        {"ISBN13", "", "000-000000000-0", "0000000000000", "empty text pads to twelve zeros"},
        {"ISBN13", "979012345678", "979-012345678-5", "9790123456785", "979-0 is no group yet: not split"},
    };
    for (const Row& row : kRows) {
        SCOPED_TRACE(testing::Message() << row.id << " '" << row.text << "' " << row.note);
        const std::string label = Encode(row.text, row.id, true, Deliverable::Library);
        const std::string_view prefix = std::string_view(row.id) == "ISBN" ? "--$" : "$";
        const std::size_t crlf = label.find("\r\n");
        ASSERT_NE(crlf, std::string::npos);
        ASSERT_TRUE(label.starts_with(prefix));
        EXPECT_EQ(ReadTextLine(std::string_view(label).substr(prefix.size(), crlf - prefix.size())),
                  std::optional<std::string>(row.hyphenated));
        EXPECT_EQ(ReadEan13Digits(std::string_view(label).substr(crlf + 2)), std::optional<std::string>(row.ean13));
    }
}

TEST(Isbn, PipelineRejectsWhatValidationRejects)
{
    EXPECT_EQ(Encode("0306406152", "ISBN", true, Deliverable::Library), ""); // a typed check digit is too long
    EXPECT_EQ(Encode("9780306406157", "ISBN13", true, Deliverable::Library), "");
    EXPECT_EQ(Encode("03064061X", "ISBN", true, Deliverable::Library), "");
    EXPECT_EQ(EncodeIsbn10("03064061"), "");
    EXPECT_EQ(EncodeIsbn13("97803064061a"), "");
}

// One row per path through the hyphenation. Hyphenations by hand from the
// agency's ranges quoted in the notes; check characters computed apart from
// the engine (they are not verified here).
TEST(Isbn, HyphenationPaths)
{
    struct Row {
        const char* isbn;
        const char* expected;
        bool assigned;
        const char* note;
    };
    constexpr Row kRows[] = {
        {"9780306406157", "978-0-306-40615-7", true, "13 digits: prefix, group 0, publisher 229-368"},
        {"0306406152", "0-306-40615-2", true, "ISBN-10: read with the prefix 978, which is not printed"},
        {"8012345676", "80-12-34567-6", true, "two-digit group 80, publisher 00-19"},
        {"9501234568", "950-12-3456-8", true, "three-digit group 950, publisher 00-49"},
        {"9960123456", "9960-12-345-6", true, "four-digit group 9960, publisher 00-59"},
        {"9990312346", "99903-1-234-6", true, "five-digit group 99903, publisher 0-1"},
        {"9164000001", "91-640-0000-1", true, "group 91: publisher 500-649"},
        {"9798200123452", "979-8-200-12345-2", true, "979-8: a one-digit group of 979, publisher 200-229"},
        {"9791000000008", "979-10-00-00000-8", true, "979-10 France: publisher 00-19"},
        {"9791220012348", "979-12-200-1234-8", true, "979-12 Italy: publisher 200-299"},
        {"9166000009", "91-6600000-9", false, "group 91: 6600000 lies between 500-649 and 7000-8199"},
        {"6512345673", "65-1234567-3", false, "group 65: 1234567 lies between 00-01 and 250-299"},
        {"9791230012345", "979-12-3001234-5", false, "979-12: 3001234 lies between 200-299 and 5450-5999"},
        {"9969123459", "9969-12345-9", false, "group 9969 has no publisher ranges"},
        {"9990200009", "99902-0000-9", false, "group 99902 has an empty range list"},
        {"9790123456785", "979-012345678-5", false, "979-0 is no registration group"},
        {"9791300000005", "979-130000000-5", false, "979-13 is no registration group"},
        {"1234567890128", "123-456789012-8", false, "13 digits outside 978 and 979: only the prefix"},
        {"1554042950", "1-55404-295-0", true, "the check character is not verified"},
        {"1-55404-295-x", "1-55404-295-X", true, "hyphens dropped, x read as X"},
        {"9780-306-406157", "978-0-306-40615-7", true, "hyphens dropped from 13 digits"},
        {"", "", false, "empty"},
        {"030640615", "", false, "nine characters"},
        {"03064061522", "", false, "eleven characters"},
        {"03064061Y2", "", false, "not a digit"},
        {"0306406X52", "", false, "X only as the check character"},
        {"978030640615X", "", false, "13 characters must all be digits"},
    };
    for (const Row& row : kRows) {
        SCOPED_TRACE(testing::Message() << row.isbn << " " << row.note);
        EXPECT_EQ(HyphenateIsbn(row.isbn), row.expected);
        const std::optional<IsbnElements> e = SplitIsbn(row.isbn);
        EXPECT_EQ(e.has_value(), *row.expected != '\0');
        if (e) {
            EXPECT_EQ(e->Assigned(), row.assigned);
        }
    }
}

// Numbers of several agencies, worked by hand from the ranges of the
// International ISBN Agency's range message of 2022-11-13 quoted in the
// notes, each with its ISBN-10 where there is one. Among them the groups
// and ranges created since the older tables (Bulgaria 619, Italy's own 979-12,
// new English and Italian publisher ranges).
TEST(Isbn, HandCheckedAgencies)
{
    struct Row {
        const char* isbn13;
        const char* hyphenated13;
        const char* hyphenated10;
        const char* note;
    };
    constexpr Row kRows[] = {
        {"9786193451454", "978-619-345-145-4", "619-345-145-5", "Bulgaria 978-619: 150-699"},
        {"9781003390756", "978-1-003-39075-6", "1-003-39075-7", "English 978-1: 000-009"},
        {"9781554042951", "978-1-55404-295-1", "1-55404-295-X", "English 978-1: 55000-64999"},
        {"9780639800004", "978-0-6398000-0-4", "0-6398000-0-9", "English 978-0: 6398000-6399999"},
        {"9788800000000", "978-88-00-00000-0", "88-00-00000-2", "Italy 978-88: 00-19"},
        {"9788831200004", "978-88-31200-00-4", "88-31200-00-3", "Italy 978-88: 31200-31499 within 200-311 and 315-318"},
        {"9788832700008", "978-88-3270-000-8", "88-3270-000-X", "Italy 978-88: 3270-3389"},
        {"9788836000005", "978-88-360-0000-5", "88-360-0000-2", "Italy 978-88: 339-360"},
        {"9791220012348", "979-12-200-1234-8", "", "Italy 979-12: 200-299"},
        {"9791254501238", "979-12-5450-123-8", "", "Italy 979-12: 5450-5999"},
        {"9791280000002", "979-12-80000-00-2", "", "Italy 979-12: 80000-84999"},
        {"9791100000007", "979-11-00-00000-7", "", "Korea 979-11: 00-24"},
        {"9798500000002", "979-8-5000-0000-2", "", "United States 979-8: 4000-8499"},
        {"9783161484100", "978-3-16-148410-0", "3-16-148410-X", "German 978-3: 04-19"},
        {"9784000000000", "978-4-00-000000-0", "4-00-000000-4", "Japan 978-4: 00-19"},
    };
    for (const Row& row : kRows) {
        SCOPED_TRACE(testing::Message() << row.isbn13 << " " << row.note);
        const IsbnParseResult r = ParseIsbn(row.isbn13);
        EXPECT_EQ(int(r.result), int(IsbnParse::Ok));
        EXPECT_EQ(r.isbn13, row.hyphenated13);
        EXPECT_EQ(r.isbn10, row.hyphenated10);
        EXPECT_TRUE(r.assigned);
    }
}

TEST(Isbn, RangePrefixLength)
{
    struct Row {
        const char* digits;
        const char* ranges;
        std::size_t expected;
    };
    // clang-format off
    constexpr Row kRows[] = {
        {"030640615", "0-5,600-649,65-65,7-7,80-94", 1},
        {"599999999", "0-5,600-649,65-65,7-7,80-94", 1},
        {"600000000", "0-5,600-649,65-65,7-7,80-94", 3},  // the first range that holds its digits
        {"649999999", "0-5,600-649,65-65,7-7,80-94", 3},
        {"650000000", "0-5,600-649,65-65,7-7,80-94", 2},
        {"660000000", "0-5,600-649,65-65,7-7,80-94", 0},  // in no range
        {"800000000", "0-5,600-649,65-65,7-7,80-94", 2},
        {"950000000", "0-5,600-649,65-65,7-7,80-94", 0},
        {"3001234", "200-299,5450-5999,80000-84999", 0},    // between two ranges
        {"5450123", "200-299,5450-5999,80000-84999", 4},
        {"84999", "200-299,5450-5999,80000-84999", 5},      // as many digits as the bounds
        {"8499", "200-299,5450-5999,80000-84999", 0},       // fewer digits than the bounds
        {"", "0-9", 0},
        {"123", "", 0},
        {"123", "1", 0},                                    // a bound without its pair
    };
    // clang-format on
    for (const Row& row : kRows) {
        SCOPED_TRACE(testing::Message() << row.digits << " in " << row.ranges);
        EXPECT_EQ(RangePrefixLength(row.digits, row.ranges), row.expected);
    }
}

// Lists as the agency's range message of 2022-11-13 gives them.
TEST(Isbn, RangeListsSpotChecks)
{
    EXPECT_EQ(GroupRanges("978"), "0-5,600-649,65-65,7-7,80-94,950-989,9900-9989,99900-99999");
    EXPECT_EQ(GroupRanges("979"), "10-12,8-8");
    EXPECT_EQ(GroupRanges("977"), "");
    EXPECT_EQ(GroupRanges(""), "");
    struct Row {
        const char* group;
        const char* ranges;
    };
    constexpr Row kRows[] = {
        {"979-12", "200-299,5450-5999,80000-84999"},
        {"979-10", "00-19,200-699,7000-8999,90000-97599,976000-999999"},
        {"979-8", "200-229,3500-3999,4000-8499,8500-8849,88500-89999,9850000-9899999"},
        {"978-619", "00-14,150-699,7000-8999,90000-99999"},
        {"978-4", "00-19,200-699,7000-8499,85000-89999,900000-949999,9500000-9999999"},
        {"978-99937", "0-1,20-59,600-999"},
        {"978-611", ""},  // a group without publisher ranges yet
        {"978-9969", ""}, // a group the agency lists no ranges for
        {"978-6", ""},    // not a group: 978-6 starts three-digit groups
        {"979-13", ""},
        {"979-0", ""},
        {"978-88 ", ""},
        {"97888", ""},
    };
    for (const Row& row : kRows) {
        SCOPED_TRACE(row.group);
        EXPECT_EQ(PublisherRanges(row.group), row.ranges);
    }
    EXPECT_EQ(IsbnRangeDataEdition().date, "2022-11-13");
    EXPECT_EQ(IsbnRangeDataEdition().serial, "4c6c2700-2979-40f9-ad1b-340395f6df54");
}

// Properties every list must have for the hyphenation to be sound, checked
// over every group key the two prefixes can form: bounds of equal length,
// ascending and disjoint; every group with a list lies in its prefix's group
// ranges with its own length; no publisher element leaves the title element
// without a digit.
TEST(Isbn, RangeListsAreWellFormed)
{
    int groupsWithRanges = 0;
    const auto wellFormed = [](std::string_view ranges, std::size_t longest) {
        std::string previousHigh;
        for (std::size_t pos = 0; pos <= ranges.size();) {
            const std::size_t comma = std::min(ranges.find(',', pos), ranges.size());
            const std::string_view range = ranges.substr(pos, comma - pos);
            const std::size_t dash = range.find('-');
            SCOPED_TRACE(range);
            if (dash == std::string_view::npos || 2 * dash + 1 != range.size())
                return testing::AssertionFailure() << "bounds of unequal length";
            const std::string low(range.substr(0, dash)), high(range.substr(dash + 1));
            if (!IsAllDigits(low) || !IsAllDigits(high) || low > high || dash > longest)
                return testing::AssertionFailure() << "not digits, backwards or too long: " << range;
            // Seven-digit forms, as the agency writes its ranges.
            const std::string first = low + std::string(7 - dash, '0'), last = high + std::string(7 - dash, '9');
            if (!previousHigh.empty() && first <= previousHigh)
                return testing::AssertionFailure() << "overlaps or precedes the range before: " << range;
            previousHigh = last;
            pos = comma + 1;
        }
        return testing::AssertionSuccess();
    };
    for (const std::string prefix : {"978", "979"}) {
        EXPECT_TRUE(wellFormed(GroupRanges(prefix), 7)) << prefix;
        for (std::size_t length = 1; length <= 5; ++length)
            for (int value = 0; value < int(std::pow(10, length)); ++value) {
                std::string group = std::to_string(value);
                group.insert(0, length - group.size(), '0');
                const std::string_view ranges = PublisherRanges(prefix + "-" + group);
                if (ranges.empty())
                    continue;
                ++groupsWithRanges;
                SCOPED_TRACE(prefix + "-" + group);
                EXPECT_EQ(RangePrefixLength(group, GroupRanges(prefix)), length);
                EXPECT_TRUE(wellFormed(ranges, 9 - length - 1));
            }
    }
    EXPECT_GT(groupsWithRanges, 200); // the table is there, not a stub
}

TEST(Isbn, ParseResults)
{
    struct Row {
        const char* text;
        IsbnParse result;
        const char* isbn10;
        const char* isbn13;
        const char* note;
    };
    constexpr Row kRows[] = {
        {"", IsbnParse::Empty, "", "", "empty"},
        {" - -", IsbnParse::Empty, "", "", "only separators"},
        {"12345", IsbnParse::BadLength, "", "", "five characters"},
        {"978030640615", IsbnParse::BadLength, "", "", "twelve digits"},
        {"03064061Y2", IsbnParse::BadCharacter, "", "", "Y"},
        {"0X06406152", IsbnParse::BadCharacter, "", "", "X before the check position"},
        {"978030640615X", IsbnParse::BadCharacter, "", "", "X in an ISBN-13"},
        {"0306406153", IsbnParse::BadIsbn10, "", "", "check character off by one"},
        {"0306406125", IsbnParse::BadIsbn10, "", "", "two digits exchanged"},
        {"9780306406158", IsbnParse::BadIsbn13, "", "", "check digit off by one"},
        {"0-306-40615-2", IsbnParse::Ok, "0-306-40615-2", "978-0-306-40615-7", "hyphenated ISBN-10"},
        {"978 0 306 40615 7", IsbnParse::Ok, "0-306-40615-2", "978-0-306-40615-7", "ISBN-13 with blanks"},
        {"155404295x", IsbnParse::Ok, "1-55404-295-X", "978-1-55404-295-1", "lower-case x"},
        {"9781554042951", IsbnParse::Ok, "1-55404-295-X", "978-1-55404-295-1", "ISBN-13 to ISBN-10"},
        {"0-13-110362-8", IsbnParse::Ok, "0-13-110362-8", "978-0-13-110362-7", "published ISBN"},
        {"0-201-63361-2", IsbnParse::Ok, "0-201-63361-2", "978-0-201-63361-0", "published ISBN"},
        {"9791220012348", IsbnParse::Ok, "", "979-12-200-1234-8", "prefix 979: no ISBN-10 form"},
        {"9791234567896", IsbnParse::Ok, "", "979-12-3456789-6", "979-12: no publisher range holds 3456789"},
        {"6512345673", IsbnParse::Ok, "65-1234567-3", "978-65-1234567-9", "978-65: no publisher range holds it"},
    };
    for (const Row& row : kRows) {
        SCOPED_TRACE(testing::Message() << "'" << row.text << "' " << row.note);
        const IsbnParseResult r = ParseIsbn(row.text);
        EXPECT_EQ(int(r.result), int(row.result));
        EXPECT_EQ(r.isbn10, row.isbn10);
        EXPECT_EQ(r.isbn13, row.isbn13);
        // Outside the assigned ranges: the number has a group but no
        // publisher element, so it shows one hyphen fewer.
        const std::string_view shown = r.isbn13.empty() ? "" : std::string_view(r.isbn13).substr(4);
        EXPECT_EQ(r.assigned, std::count(shown.begin(), shown.end(), '-') == 3);
    }
    EXPECT_EQ(int(IsbnParse::Empty), -1);
    EXPECT_EQ(int(IsbnParse::BadIsbn13), -5);
}

// Published ISBN-10s; and since 11 is prime and the weights 2 to 10 are
// distinct, changing one digit or exchanging two neighbours always changes
// the check character.
TEST(Isbn, Isbn10CheckCharacter)
{
    for (const std::string_view isbn : {"0306406152", "155404295X", "0131103628", "0201633612", "0000000000"}) {
        SCOPED_TRACE(isbn);
        EXPECT_EQ(Isbn10CheckDigit(isbn.substr(0, 9)), isbn);
    }
    const std::string_view base = "030640615";
    const char check = Isbn10CheckDigit(base).back();
    for (std::size_t i = 0; i < base.size(); ++i) {
        for (char c = '0'; c <= '9'; ++c) {
            if (c == base[i])
                continue;
            std::string changed(base);
            changed[i] = c;
            EXPECT_NE(Isbn10CheckDigit(changed).back(), check) << changed;
        }
        if (i + 1 < base.size() && base[i] != base[i + 1]) {
            std::string swapped(base);
            std::swap(swapped[i], swapped[i + 1]);
            EXPECT_NE(Isbn10CheckDigit(swapped).back(), check) << swapped;
        }
    }
    EXPECT_EQ(Isbn10CheckDigit(""), "");
    EXPECT_EQ(Isbn10CheckDigit("03064061"), "");
    EXPECT_EQ(Isbn10CheckDigit("0306406152"), "");
    EXPECT_EQ(Isbn10CheckDigit("03064061x"), "");
}

TEST(Isbn, TextCharactersRejectOtherCharacters)
{
    EXPECT_EQ(IsbnTextCharacters("0123456789X-"), "%&'():;<=>?.");
    EXPECT_EQ(IsbnTextCharacters(""), "");
    EXPECT_EQ(IsbnTextCharacters("12 3"), "");
    EXPECT_EQ(IsbnTextCharacters("x"), "");
}

// The library documents LUMDLL_OUTPUT_CAPACITY(n) = 2n + 64 bytes (zero
// included) as enough for any text of n bytes.
TEST(Isbn, OutputsFitTheLibraryCapacity)
{
    for (const char* id : {"EAN13", "UPCA", "EAN8", "UPCE", "ADD2", "ADD5", "ISBN", "ISBN13"})
        for (const std::string text :
             {"", "0", "99999", "9999999", "99999999", "999999999", "999999999999", "9999999999999", "0000000000000"})
            for (bool check : {true, false}) {
                const std::string out = Encode(text, id, check, Deliverable::Library);
                EXPECT_LE(out.size() + 1, 2 * text.size() + 64) << id << " '" << text << "'";
            }
    EXPECT_EQ(Encode("", "ISBN", true, Deliverable::Library).size(), 34u);               // "--$" + 13 + CR LF + 16
    EXPECT_EQ(Encode("978030640615", "ISBN13", true, Deliverable::Library).size(), 36u); // "$" + 17 + CR LF + 16
    EXPECT_EQ(Encode("", "ISBN13", true, Deliverable::Library).size(), 34u);             // 000-000000000-0 is not split
}

} // namespace
} // namespace lum
