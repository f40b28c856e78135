#include "engine/ean.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "engine/catalogue.h"
#include "tests/engine/family_rows.h"

namespace lum {
namespace {

// ---------------------------------------------------------------------------
// An independent reader of VOREAN font strings, written from the character
// sets alone: it turns every character back into its digit and the set it was
// drawn from, and checks the guard layout of each symbol.

struct Glyph {
    int digit = -1;
    char set = 0; // 'A' set A, 'B' set B, 'R' right-hand set, 'a' add-on set A, 'b' add-on set B
};

Glyph ReadGlyph(char c)
{
    if (c >= 'A' && c <= 'J')
        return {c - 'A', 'A'};
    if (c >= 'a' && c <= 'j')
        return {c - 'a', 'B'};
    if (c >= 'm' && c <= 'v')
        return {c - 'm', 'R'};
    if (c >= 'K' && c <= 'T')
        return {c - 'K', 'a'};
    if (c >= 'U' && c <= '^')
        return {c - 'U', 'b'};
    return {};
}

struct Decoded {
    std::string digits; // every digit the symbol carries, in order
    std::string parity; // "A"/"B" of each parity-coded digit (left half or add-on)
};

// Reads `n` digit characters at `pos`: each one's digit goes to `digits`, and
// when `parityCoded`, its set ('A'/'B' or add-on 'a'/'b' as "A"/"B") to `parity`.
bool ReadDigits(std::string_view s, std::size_t pos, std::size_t n, std::string_view sets, Decoded& out)
{
    if (pos + n > s.size())
        return false;
    for (std::size_t i = 0; i < n; ++i) {
        const Glyph g = ReadGlyph(s[pos + i]);
        if (g.digit < 0 || sets.find(g.set) == std::string_view::npos)
            return false;
        out.digits.push_back(char('0' + g.digit));
        if (g.set != 'R')
            out.parity.push_back(g.set == 'A' || g.set == 'a' ? 'A' : 'B');
    }
    return true;
}

// EAN-13: leading digit, "|", six digits in set A or B, "!", six right-hand digits, "|".
std::optional<Decoded> ReadEan13(std::string_view s)
{
    Decoded d;
    if (s.size() != 16 || s[0] < '0' || s[0] > '9' || s[1] != '|' || s[8] != '!' || s[15] != '|')
        return std::nullopt;
    d.digits.push_back(s[0]);
    if (!ReadDigits(s, 2, 6, "AB", d) || !ReadDigits(s, 9, 6, "R", d))
        return std::nullopt;
    return d;
}

// EAN-8 and UPC-A: "|", n/2 digits in set A, "!", n/2 right-hand digits, "|".
std::optional<Decoded> ReadTwoHalves(std::string_view s, std::size_t n)
{
    Decoded d;
    const std::size_t h = n / 2;
    if (s.size() != n + 3 || s[0] != '|' || s[h + 1] != '!' || s.back() != '|')
        return std::nullopt;
    if (!ReadDigits(s, 1, h, "A", d) || !ReadDigits(s, h + 2, h, "R", d))
        return std::nullopt;
    return d;
}

// UPC-E: number system digit, "|", six digits in set A or B, "#".
std::optional<Decoded> ReadUpcE(std::string_view s)
{
    Decoded d;
    if (s.size() != 9 || s[0] < '0' || s[0] > '9' || s[1] != '|' || s[8] != '#')
        return std::nullopt;
    d.digits.push_back(s[0]);
    if (!ReadDigits(s, 2, 6, "AB", d))
        return std::nullopt;
    return d;
}

// Add-on: "-+", then digits in add-on set A or B separated by "_".
std::optional<Decoded> ReadAddOn(std::string_view s)
{
    Decoded d;
    if (s.substr(0, 2) != "-+" || s.size() % 2 != 1)
        return std::nullopt;
    for (std::size_t pos = 2; pos < s.size(); pos += 2) {
        if (pos > 2 && s[pos - 1] != '_')
            return std::nullopt;
        if (!ReadDigits(s, pos, 1, "ab", d))
            return std::nullopt;
    }
    return d;
}

// ---------------------------------------------------------------------------

// Expected font strings: the standard examples below, checked character by
// character against the VOREAN character sets; the EAN-13, EAN-8, UPC-A and
// UPC-E ones also agree with zint's bar output read through those sets.
constexpr test::EncodeRow kEncodeRows[] = {
    {"EAN13", "590123412345", true, "5|JabCDe!nopqrt|", "GS1 example 5901234123457"},
    {"EAN8", "9638507", true, "|JGDI!rmtq|", "EAN-8 example 96385074"},
    {"UPCA", "03600029145", true, "|ADGAAA!ovnqro|", "UPC-A example 036000291452"},
    {"UPCE", "0425261", true, "0|eCfcGB#", "04252614, expansion 04210000526"},
    {"UPCE", "1234567", true, "1|CDEfgh#", "12345670, number system 1 exchanges the sets"},
    {"ADD2", "05", true, "-+K_Z", "5 mod 4 = 1, pattern AB"},
    {"ADD5", "52495", true, "-+Z_M_Y_T_P", "checksum 1, pattern BABAA"},
    {"EAN13", "", true, "0|AAAAAA!mmmmmm|", "empty text pads to twelve zeros, check 0"},
    {"UPCE", "", true, "0|aaaAAA#", "00000000: check 0, pattern BBBAAA"},
    {"EAN8", "123", true, "|AAAA!nops|", "padded to 0000123, check 6"},
    {"EAN13", "5901234123450", false, "5|JabCDe!nopqrm|", "flag clear: a wrong check digit is encoded as typed"},
    {"UPCE", "02345670", false, "0|cdeFGH#", "flag clear: typed check digit 0 selects BBBAAA"},
    {"ADD2", "12", true, "-+L_M", "12 mod 4 = 0, pattern AA"},
    {"ADD5", "00000", true, "-+U_U_K_K_K", "checksum 0, pattern BBAAA"},
    {"ADD2", "12", false, "-+L_M", "the add-ons ignore the flag"},
    {"ADD2", "7", true, "-+U_\\", "padded to 07, 7 mod 4 = 3, pattern BB: 7 in add-on set B is code 92"},
    {"EAN13", "5901234123457", true, "", "flag set: 13 digits are too long"},
    {"UPCA", "036000291452", true, "", "flag set: 12 digits are too long"},
    {"EAN8", "96385074", true, "", "flag set: 8 digits are too long"},
    {"UPCE", "04252614", true, "", "flag set: 8 digits are too long"},
    {"UPCE", "2234567", true, "", "number system 2 is rejected"},
    {"EAN13", "59012341234a", true, "", "not a digit"},
    {"ADD5", "123456", true, "", "six digits are too long for ADD5"},
    {"ean13", "590123412345", true, "5|JabCDe!nopqrt|", "lower-case identifier"},
};

TEST(Ean, WorkedExamples) { test::ExpectFontStrings(kEncodeRows); }

// Every leading digit of EAN-13 selects its parity pattern for the left half.
// Expected patterns: ISO/IEC 15420 ("A" odd, "B" even parity), confirmed by
// reading zint 2.11 bar dumps of 0123456789012 ... 9123456789012 (the parity
// of a left-half digit is the parity of its dark modules).
TEST(Ean, Ean13LeadingDigitParityDecodesBack)
{
    constexpr const char* kExpected[10] = {"AAAAAA", "AABABB", "AABBAB", "AABBBA", "ABAABB",
                                           "ABBAAB", "ABBBAA", "ABABAB", "ABABBA", "ABBABA"};
    for (const char* body : {"12345678901", "00000000000", "98765432109"}) {
        for (int lead = 0; lead < 10; ++lead) {
            const std::string number = EanCheckDigit(std::string(1, char('0' + lead)) + body);
            SCOPED_TRACE(number);
            const auto decoded = ReadEan13(EncodeEan13(number));
            ASSERT_TRUE(decoded);
            EXPECT_EQ(decoded->digits, number);
            EXPECT_EQ(decoded->parity, kExpected[lead]);
        }
    }
}

struct UpcERow {
    const char* digits; // number system and six UPC-E digits
    char check;
    const char* parity;
};

// One number per check digit and number system. Check digits: the GS1 modulo
// 10 rule on the UPC-A expansion, computed by hand (script) apart from the
// engine; parities: read from zint 2.11 bar dumps of the same numbers.
constexpr UpcERow kUpcERows[] = {
    {"0115838", '0', "BBBAAA"}, {"0171271", '1', "BBABAA"}, {"0139595", '2', "BBAABA"}, {"0123757", '3', "BBAAAB"},
    {"0202947", '4', "BABBAA"}, {"0226704", '5', "BAABBA"}, {"0131676", '6', "BAAABB"}, {"0107919", '7', "BABABA"},
    {"0290056", '8', "BABAAB"}, {"0100000", '9', "BAABAB"}, {"1123757", '0', "AAABBB"}, {"1202947", '1', "AABABB"},
    {"1226704", '2', "AABBAB"}, {"1131676", '3', "AABBBA"}, {"1107919", '4', "ABAABB"}, {"1290056", '5', "ABBAAB"},
    {"1100000", '6', "ABBBAA"}, {"1115838", '7', "ABABAB"}, {"1171271", '8', "ABABBA"}, {"1139595", '9', "ABBABA"},
};

TEST(Ean, UpcECheckDigitAndParityDecodeBack)
{
    for (const UpcERow& row : kUpcERows) {
        SCOPED_TRACE(row.digits);
        const std::string number = UpcECheckDigit(row.digits);
        ASSERT_EQ(number, std::string(row.digits) + row.check);
        const auto decoded = ReadUpcE(EncodeUpcE(number));
        ASSERT_TRUE(decoded);
        EXPECT_EQ(decoded->digits, row.digits); // the check digit is carried by the parity only
        EXPECT_EQ(decoded->parity, row.parity);
        EXPECT_EQ(Encode(row.digits, "UPCE", true, Deliverable::Library), EncodeUpcE(number));
    }
}

// Add-on parities. Expected: the add-on annex of ISO/IEC 15420, confirmed by
// reading zint 2.11 bar dumps of the same add-ons.
TEST(Ean, AddOnParityDecodesBack)
{
    constexpr const char* kAddOn2[4] = {"AA", "AB", "BA", "BB"};
    for (int v = 0; v < 100; ++v) {
        const std::string digits{char('0' + v / 10), char('0' + v % 10)};
        SCOPED_TRACE(digits);
        const auto decoded = ReadAddOn(EncodeAddOn2(digits));
        ASSERT_TRUE(decoded);
        EXPECT_EQ(decoded->digits, digits);
        EXPECT_EQ(decoded->parity, kAddOn2[v % 4]);
    }
    struct Row {
        const char* digits;
        int checksum; // 3 x (d1 + d3 + d5) + 9 x (d2 + d4), modulo 10, by hand
        const char* parity;
    };
    constexpr Row kAddOn5[] = {
        {"00000", 0, "BBAAA"}, {"01073", 1, "BABAA"}, {"00370", 2, "BAABA"}, {"00148", 3, "BAAAB"},
        {"01036", 4, "ABBAA"}, {"00074", 5, "AABBA"}, {"01184", 6, "AAABB"}, {"00481", 7, "ABABA"},
        {"00037", 8, "ABAAB"}, {"01147", 9, "AABAB"}, {"52495", 1, "BABAA"}, {"90000", 7, "ABABA"},
    };
    for (const Row& row : kAddOn5) {
        SCOPED_TRACE(row.digits);
        EXPECT_EQ(AddOn5Checksum(row.digits), row.checksum);
        const auto decoded = ReadAddOn(EncodeAddOn5(row.digits));
        ASSERT_TRUE(decoded);
        EXPECT_EQ(decoded->digits, row.digits);
        EXPECT_EQ(decoded->parity, row.parity);
    }
}

// EAN-8 and UPC-A carry every digit inside the bars: set A left, right-hand set right.
TEST(Ean, Ean8AndUpcADecodeBack)
{
    for (const char* body : {"9638507", "0000000", "1234567", "7351353"}) {
        const std::string number = EanCheckDigit(body);
        SCOPED_TRACE(number);
        const auto decoded = ReadTwoHalves(EncodeEan8(number), 8);
        ASSERT_TRUE(decoded);
        EXPECT_EQ(decoded->digits, number);
        EXPECT_EQ(decoded->parity, "AAAA");
    }
    for (const char* body : {"03600029145", "00000000000", "12345678901", "99999999999"}) {
        const std::string number = EanCheckDigit(body);
        SCOPED_TRACE(number);
        const auto decoded = ReadTwoHalves(EncodeUpcA(number), 12);
        ASSERT_TRUE(decoded);
        EXPECT_EQ(decoded->digits, number);
        EXPECT_EQ(decoded->parity, "AAAAAA");
    }
}

// Published GTINs (product labels and the usual textbook examples), each
// carrying its own check digit.
TEST(Ean, CheckDigitsOfPublishedNumbers)
{
    for (const std::string_view gtin :
         {"4006381333931", "5901234123457", "9780306406157", "6291041500213", "7501031311309", "9771234567003",
          "036000291452", "0012345678905", "96385074", "73513537"}) {
        SCOPED_TRACE(gtin);
        EXPECT_EQ(EanCheckDigit(gtin.substr(0, gtin.size() - 1)), gtin);
    }
}

// The weights 1 and 3 are prime to 10, so changing any one digit changes the
// check digit; the same holds for the five UPC-E digits that reach the
// expansion unchanged and for the number system.
TEST(Ean, EverySingleDigitChangeChangesTheCheckDigit)
{
    for (const std::string_view base : {"590123412345", "03600029145", "9638507"}) {
        const char check = EanCheckDigit(base).back();
        for (std::size_t i = 0; i < base.size(); ++i)
            for (char c = '0'; c <= '9'; ++c) {
                if (c == base[i])
                    continue;
                std::string changed(base);
                changed[i] = c;
                EXPECT_NE(EanCheckDigit(changed).back(), check) << changed;
            }
    }
    for (const std::string_view base : {"0425261", "0123450", "1123453", "0123454", "1123459"}) {
        const char check = UpcECheckDigit(base).back();
        for (std::size_t i = 0; i < 6; ++i)
            for (char c = '0'; c <= '9'; ++c) {
                if (c == base[i])
                    continue;
                std::string changed(base);
                changed[i] = c;
                EXPECT_NE(UpcECheckDigit(changed).back(), check) << changed;
            }
    }
}

// UPC-A expansions, one per class of the last UPC-E digit, worked by hand
// (manufacturer part, then product part).
TEST(Ean, UpcEExpansion)
{
    struct Row {
        const char* upcE;
        const char* upcA;
    };
    constexpr Row kRows[] = {
        {"0425261", "04210000526"}, // X6 = 1: 42 1 00 | 00 526
        {"1234567", "12345600007"}, // X6 = 7: 23456 | 0000 7
        {"0123450", "01200000345"}, // X6 = 0: 12 0 00 | 00 345
        {"0123452", "01220000345"}, // X6 = 2
        {"0123453", "01230000045"}, // X6 = 3: 123 00 | 000 45
        {"0123454", "01234000005"}, // X6 = 4: 1234 0 | 0000 5
        {"0123455", "01234500005"}, // X6 = 5: 12345 | 0000 5
    };
    for (const Row& row : kRows) {
        SCOPED_TRACE(row.upcE);
        EXPECT_EQ(UpcEExpansion(row.upcE), row.upcA);
        EXPECT_EQ(UpcECheckDigit(row.upcE).back(), EanCheckDigit(row.upcA).back());
    }
}

TEST(Ean, RoutinesRejectInputOutsideTheirAlphabetAndLength)
{
    EXPECT_EQ(EanCheckDigit(""), "");
    EXPECT_EQ(EanCheckDigit("12a4567"), "");
    EXPECT_EQ(EanCheckDigit(std::string_view("123\0"
                                             "567",
                                             7)),
              "");
    EXPECT_EQ(UpcECheckDigit("042526"), "");
    EXPECT_EQ(UpcECheckDigit("04252610"), "");
    EXPECT_EQ(UpcECheckDigit("04252x1"), "");
    EXPECT_EQ(UpcEExpansion(""), "");
    EXPECT_EQ(AddOn5Checksum("1234"), -1);
    EXPECT_EQ(EncodeEan13("590123412345"), "");
    EXPECT_EQ(EncodeEan13("59012341234x7"), "");
    EXPECT_EQ(EncodeEan8("9638507"), "");
    EXPECT_EQ(EncodeUpcA("0360002914523"), "");
    EXPECT_EQ(EncodeUpcE("0425261"), "");
    EXPECT_EQ(EncodeAddOn2("5"), "");
    EXPECT_EQ(EncodeAddOn5("5249a"), "");
}

} // namespace
} // namespace lum
