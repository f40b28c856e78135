#include "engine/isbn.h"

#include <gtest/gtest.h>

#include <algorithm>
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
// EAN-13 digits. Hyphenations worked by hand from the range tables; check
// characters by the ISO 2108 modulo 11 rule and the GS1 modulo 10 rule,
// computed apart from the engine.
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
        {"ISBN", "123456789", "1-23456789-X", "9781234567897", "publisher bound fills the rest"},
        {"ISBN", "600000000", "6-00000000-6", "9786000000004", "group 6 has no ranges"},
        {"ISBN", "999260000", "99926-0000-4", "9789992600009", "five-digit group, bound fills the rest"},
        {"ISBN13", "123456789012", "123-4-567-89012-8", "1234567890128", "any prefix is set off"},
        {"ISBN", "", "0-00-000000-0", "9780000000002", "empty text pads to nine zeros"},
        {"ISBN", "930000000", "93-0000000-4", "9789300000002", "group 93's only bound fills the rest"},
        {"ISBN", "245000000", "2-45000000-3", "9782450000007", "text order puts 45000000 below 500"},
        {"ISBN", "995212345", "995-212345-0", "9789952123456", "group 995 has no ranges"},
        {"ISBN", "1", "0-00-000001-9", "9780000000019", "padded to 000000001"},
        {"ISBN13", "", "000-0-00-000000-0", "0000000000000", "empty text pads to twelve zeros"},
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
    EXPECT_EQ(Encode("0306406152", "ISBN", true, Deliverable::Library), "");  // a typed check digit is too long
    EXPECT_EQ(Encode("9780306406157", "ISBN13", true, Deliverable::Library), "");
    EXPECT_EQ(Encode("03064061X", "ISBN", true, Deliverable::Library), "");
    EXPECT_EQ(EncodeIsbn10("03064061"), "");
    EXPECT_EQ(EncodeIsbn13("97803064061a"), "");
}

// One row per path through the hyphenation. Hyphenations by hand from the
// group and publisher range tables; check characters computed apart from the
// engine (they are not verified here).
TEST(Isbn, HyphenationPaths)
{
    struct Row {
        const char* isbn;
        const char* expected;
        const char* note;
    };
    constexpr Row kRows[] = {
        {"9780306406157", "978-0-306-40615-7", "13 digits: prefix set off"},
        {"0306406152", "0-306-40615-2", "one-digit group"},
        {"8012345676", "80-12-34567-6", "two-digit group"},
        {"9501234568", "950-12-3456-8", "three-digit group"},
        {"9960123456", "9960-12-345-6", "four-digit group"},
        {"9990312346", "99903-1-234-6", "five-digit group with a publisher split"},
        {"9992600004", "99926-0000-4", "five-digit group, bound fills the rest"},
        {"123456789X", "1-23456789-X", "group 1: bound 00000000 fills the rest"},
        {"986000000X", "986-000000-X", "group 986: bound 000000 fills the rest"},
        {"6000000006", "6-00000000-6", "one-digit group without ranges"},
        {"9400000006", "94-0000000-6", "two-digit group without ranges"},
        {"9952123450", "995-212345-0", "three-digit group without ranges"},
        {"9969123459", "9969-12345-9", "four-digit group without ranges"},
        {"9990200009", "99902-0000-9", "five-digit group without ranges"},
        {"2450000003", "2-45000000-3", "text order: 45000000 lies between 40000000 and 500"},
        {"9164000001", "91-640-0000-1", "text order: 6400000 lies between 500 and 6500000"},
        {"9166000009", "91-6600000-9", "text order: 6600000 lies between 6500000 and 7000"},
        {"1554042950", "1-55404-295-0", "the check character is not verified"},
        {"1-55404-295-x", "1-55404-295-X", "hyphens dropped, x read as X"},
        {"9780-306-406157", "978-0-306-40615-7", "hyphens dropped from 13 digits"},
        {"", "", "empty"},
        {"030640615", "", "nine characters"},
        {"03064061522", "", "eleven characters"},
        {"03064061Y2", "", "not a digit"},
        {"0306406X52", "", "X only as the check character"},
        {"978030640615X", "", "13 characters must all be digits"},
    };
    for (const Row& row : kRows) {
        SCOPED_TRACE(testing::Message() << row.isbn << " " << row.note);
        EXPECT_EQ(HyphenateIsbn(row.isbn), row.expected);
    }
}

TEST(Isbn, RangePrefixLength)
{
    struct Row {
        const char* digits;
        const char* ranges;
        std::size_t expected;
    };
    constexpr Row kRows[] = {
        {"0306406152", "0,80,950,9960,99900", 1},
        {"7999999999", "0,80,950,9960,99900", 1},
        {"8000000000", "0,80,950,9960,99900", 2}, // a bound equal to the prefix matches
        {"9499999999", "0,80,950,9960,99900", 2},
        {"9959999999", "0,80,950,9960,99900", 3},
        {"9989999999", "0,80,950,9960,99900", 4},
        {"9999999999", "0,80,950,9960,99900", 5}, // the last bound when none is greater
        {"45000000", "00,200,40000000,500,7000", 8},
        {"39999999", "00,200,40000000,500,7000", 3},
        {"5", "0,80", 1},
        {"", "0,80", 0},   // the first bound is already greater
        {"123", "", 0},    // no bounds
    };
    for (const Row& row : kRows) {
        SCOPED_TRACE(testing::Message() << row.digits << " in " << row.ranges);
        EXPECT_EQ(RangePrefixLength(row.digits, row.ranges), row.expected);
    }
}

TEST(Isbn, PublisherRangesSpotChecks)
{
    struct Row {
        int group;
        const char* ranges;
    };
    // First and last groups of several shared lists, and groups without ranges.
    constexpr Row kRows[] = {
        {0, "00,200,7000,85000,900000,9500000"},
        {5, "00,200,7000,85000,900000,9500000"},
        {2, "00,200,40000000,500,7000,84000,900000,9500000"},
        {80, "00,200,7000,85000,900000"},
        {974, "00,200,7000,85000,900000"},
        {91, "0,20,500,6500000,7000,8000000,85000,9500000,970000"},
        {987, "00,500,9000,99000"},
        {968, "000000,10,400,500000,6000,800,900000"},
        {9988, "0,30,550,7500"},
        {99904, "0,60,900"},
        {99906, "0,60,900"},
        {99912, "0,60,900"},
        {99936, "0000"},
        {99937, "0,20"},
        {6, ""},
        {8, ""},
        {94, ""},
        {988, ""},
        {995, ""},
        {9969, ""},
        {99900, ""},
        {99902, ""},
        {99907, ""},
        {99938, ""},
        {-1, ""},
    };
    for (const Row& row : kRows) {
        SCOPED_TRACE(row.group);
        EXPECT_EQ(PublisherRanges(row.group), row.ranges);
    }
}

// Properties every list must have for the hyphenation to be sound: digits
// only, ascending in character order, a first bound of zeros (so every rest
// finds a bound), and no bound longer than the digits left after the group.
TEST(Isbn, PublisherRangesAreWellFormed)
{
    int groupsWithRanges = 0;
    const auto check = [&](int first, int last, std::size_t groupLength) {
        for (int group = first; group <= last; ++group) {
            const std::string_view ranges = PublisherRanges(group);
            if (ranges.empty())
                continue;
            ++groupsWithRanges;
            SCOPED_TRACE(group);
            std::string_view previous;
            std::size_t pos = 0;
            while (pos <= ranges.size()) {
                const std::size_t comma = std::min(ranges.find(',', pos), ranges.size());
                const std::string_view bound = ranges.substr(pos, comma - pos);
                EXPECT_FALSE(bound.empty());
                EXPECT_TRUE(IsAllDigits(bound)) << bound;
                EXPECT_LE(bound.size(), 9 - groupLength) << bound;
                if (previous.empty())
                    EXPECT_EQ(bound.find_first_not_of('0'), std::string_view::npos) << bound;
                else
                    EXPECT_LT(previous, bound);
                previous = bound;
                pos = comma + 1;
            }
        }
    };
    check(0, 7, 1);
    check(80, 94, 2);
    check(950, 995, 3);
    check(9960, 9989, 4);
    check(99900, 99999, 5);
    EXPECT_GT(groupsWithRanges, 100); // the table is there, not a stub
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
        {"9791234567896", IsbnParse::Ok, "", "979-1-23456789-6", "prefix 979: no ISBN-10 form"},
    };
    for (const Row& row : kRows) {
        SCOPED_TRACE(testing::Message() << "'" << row.text << "' " << row.note);
        const IsbnParseResult r = ParseIsbn(row.text);
        EXPECT_EQ(int(r.result), int(row.result));
        EXPECT_EQ(r.isbn10, row.isbn10);
        EXPECT_EQ(r.isbn13, row.isbn13);
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
        for (const std::string text : {"", "0", "99999", "9999999", "99999999", "999999999", "999999999999",
                                       "9999999999999", "0000000000000"})
            for (bool check : {true, false}) {
                const std::string out = Encode(text, id, check, Deliverable::Library);
                EXPECT_LE(out.size() + 1, 2 * text.size() + 64) << id << " '" << text << "'";
            }
    EXPECT_EQ(Encode("", "ISBN", true, Deliverable::Library).size(), 34u);   // "--$" + 13 + CR LF + 16
    EXPECT_EQ(Encode("", "ISBN13", true, Deliverable::Library).size(), 36u); // "$" + 17 + CR LF + 16
}

} // namespace
} // namespace lum
