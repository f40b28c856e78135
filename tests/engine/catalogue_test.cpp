#include "engine/catalogue.h"

#include <gtest/gtest.h>

#include <set>

namespace lum {
namespace {

struct ValidationRow {
    const char* id;
    const char* text;
    bool check;
    const char* normalised; // nullptr: rejected
    Rejection reason;
};

constexpr Rejection kOk = Rejection::None;

// Expected values follow the validation rules worked by hand: e = 1 when the
// flag is clear, and fixed lengths grow by e.
constexpr ValidationRow kValidation[] = {
    // Postnet: pads to 5, 9 or 11 digits (+ e)
    {"POSTNET", "1234", true, "01234", kOk},
    {"POSTNET", "123456", true, "000123456", kOk},
    {"POSTNET", "1234567890", true, "01234567890", kOk},
    {"POSTNET", "123456789012", true, nullptr, Rejection::TooLong},
    {"POSTNET", "123456789012", false, "123456789012", kOk},
    {"POSTNET", "12345", false, "012345", kOk},
    {"POSTNET", "123456", false, "123456", kOk},
    {"POSTNET", "1234567", false, "0001234567", kOk},
    {"POSTNET", "12a4", true, nullptr, Rejection::BadCharacter},
    // Code 39 / Code 93: upper-cased, 43 characters
    {"C39", "abc-12", true, "ABC-12", kOk},
    {"C39", "CODE 39", true, nullptr, Rejection::BadCharacter},
    {"C39", "CODE_39", true, "CODE_39", kOk},
    {"C39", "$/+%.", false, "$/+%.", kOk},
    {"C39", "\xe9", false, nullptr, Rejection::BadCharacter},
    {"C93", "abc", true, "ABC", kOk},
    {"C93", "a*b", true, nullptr, Rejection::BadCharacter},
    // Code CIP: 6 + e digits, weighted sum modulo 11 must not be 10
    {"CIP", "123456", true, "123456", kOk},
    {"CIP", "1", true, "000001", kOk},
    {"CIP", "1234567", true, nullptr, Rejection::TooLong},
    {"CIP", "1234567", false, "1234567", kOk},
    {"CIP", "3", true, nullptr, Rejection::NoCheckDigit},        // 3 x 7 = 21, 21 mod 11 = 10
    {"CIP", "0000030", false, nullptr, Rejection::NoCheckDigit}, // 3 x 7 = 21 with the typed check digit 0
    // Plessey: hexadecimal, at most 15, upper-cased
    {"PLESSEY", "0123456789abcdef", true, nullptr, Rejection::TooLong},
    {"PLESSEY", "0123456789abcde", true, "0123456789ABCDE", kOk},
    {"PLESSEY", "12G", true, nullptr, Rejection::BadCharacter},
    // Delta-Distance A: 15 + e of "0123456789KLMO"
    {"DELTA", "12klmo", true, "12KLMO", kOk},
    {"DELTA", "12N", true, nullptr, Rejection::BadCharacter},
    {"DELTA", "1234567890123456", true, nullptr, Rejection::TooLong},
    {"DELTA", "1234567890123456", false, "1234567890123456", kOk},
    // Interleaved 2 of 5: code with its check digit has an even count
    {"C25", "123", true, "123", kOk},
    {"C25", "1234", true, "01234", kOk},
    {"C25", "123", false, "0123", kOk},
    {"C25", "1234", false, "1234", kOk},
    {"C25", "", true, "0", kOk},
    {"C25", "", false, "", kOk},
    {"C25", "12 3", true, nullptr, Rejection::BadCharacter},
    {"ITF", "1", true, "0000000000001", kOk},
    {"ITF", "12345678901234", true, nullptr, Rejection::TooLong},
    {"ITF", "12345678901234", false, "12345678901234", kOk},
    // One-glyph-per-digit 2 of 5: digits, any length (C25INV and C25COMP included)
    {"CIND25", "0123456789", true, "0123456789", kOk},
    {"C5BARS", "1A", true, nullptr, Rejection::BadCharacter},
    {"C3BARS", "", true, "", kOk},
    {"CBCD", "99", false, "99", kOk},
    {"C25INV", "12AB", true, nullptr, Rejection::BadCharacter},
    {"C25COMP", "12345", false, "12345", kOk},
    // Code 11: digits and "-"
    {"C11", "123-45", true, "123-45", kOk},
    {"C11", "12.3", true, nullptr, Rejection::BadCharacter},
    // MSI: at most 13 with the flag, 15 without; no padding
    {"CMSI", "1234567890123", true, "1234567890123", kOk},
    {"CMSI", "12345678901234", true, nullptr, Rejection::TooLong},
    {"CMSI", "123456789012345", false, "123456789012345", kOk},
    {"CMSI", "1234567890123456", false, nullptr, Rejection::TooLong},
    {"CMSI", "12", false, "12", kOk},
    // EAN and UPC: fixed lengths
    {"EAN13", "", true, "000000000000", kOk},
    {"EAN13", "590123412345", true, "590123412345", kOk},
    {"EAN13", "5901234123457", true, nullptr, Rejection::TooLong},
    {"EAN13", "5901234123457", false, "5901234123457", kOk},
    {"UPCA", "12345", true, "00000012345", kOk},
    {"UPCA", "123456789012", false, "123456789012", kOk},
    {"EAN8", "1234567", true, "1234567", kOk},
    {"EAN8", "12345678", true, nullptr, Rejection::TooLong},
    {"UPCE", "1234567", true, "1234567", kOk},
    {"UPCE", "2234567", true, nullptr, Rejection::BadFirstDigit},
    {"UPCE", "123", true, "0000123", kOk},
    {"UPCE", "22345678", false, nullptr, Rejection::BadFirstDigit},
    {"UPCE", "12345678", false, "12345678", kOk},
    {"ADD2", "5", true, "05", kOk},
    {"ADD2", "123", false, nullptr, Rejection::TooLong},
    {"ADD5", "12345", false, "12345", kOk},
    {"ADD5", "123456", true, nullptr, Rejection::TooLong},
    // Code 32: 8 + e digits
    {"C32", "12345678", true, "12345678", kOk},
    {"C32", "1234567890", false, nullptr, Rejection::TooLong},
    {"C32HRC", "", false, "000000000", kOk},
    // Codabar: at least 3, start/stop letters at both ends, upper-cased
    {"CBAR", "A123", true, nullptr, Rejection::BadStartStop},
    {"CBAR", "a123b", true, "A123B", kOk},
    {"CBAR", "AB", true, nullptr, Rejection::TooShort},
    {"CBAR", "t-$:/.+e", false, "T-$:/.+E", kOk},
    {"CBAR", "*12*", true, "*12*", kOk},
    {"CBAR", "A1B2A", true, nullptr, Rejection::BadCharacter},
    {"CBAR", "1A2A", true, nullptr, Rejection::BadStartStop},
    // ISBN: 9 or 12 digits whatever the flag
    {"ISBN", "123", false, "000000123", kOk},
    {"ISBN", "1234567890", false, nullptr, Rejection::TooLong},
    {"ISBN13", "978123456789", true, "978123456789", kOk},
    {"ISBN13", "9781234567890", false, nullptr, Rejection::TooLong},
    // No rule: accepted unchanged
    {"C39FULL", "any \x01 text\xff", true, "any \x01 text\xff", kOk},
    {"C93FULL", "abc", false, "abc", kOk},
    {"C128", "\\d200", true, "\\d200", kOk},
    {"E128", "", true, "", kOk},
    {"NOSUCH", "whatever", true, "whatever", kOk},
    {"", "x", true, "x", kOk},
    // identifiers are matched without regard to case
    {"c39", "abc", true, "ABC", kOk},
    {"Ean13", "1", true, "000000000001", kOk},
};

TEST(Validate, EveryRule)
{
    for (const ValidationRow& row : kValidation) {
        SCOPED_TRACE(testing::Message() << row.id << " '" << row.text << "' check=" << row.check);
        std::string text = row.text;
        const Verdict verdict = ValidateText(text, row.id, row.check);
        EXPECT_EQ(verdict.reason, row.reason);
        if (row.normalised) {
            EXPECT_TRUE(verdict.Accepted());
            EXPECT_EQ(text, row.normalised);
        } else {
            EXPECT_FALSE(verdict.Accepted());
            EXPECT_EQ(text, row.text) << "a rejected text is left as it was";
        }
    }
}

// Code CIP rejects exactly the texts whose weighted sum modulo 11 is 10, for
// either flag; found by brute force rather than by hand.
TEST(Validate, CipRejectsRemainderTen)
{
    int rejected = 0;
    for (int n = 0; n < 3000; ++n) {
        std::string text = std::to_string(n);
        std::string padded = std::string(6 - text.size(), '0') + text;
        int sum = 0;
        for (std::size_t i = 0; i < padded.size(); ++i)
            sum += (padded[i] - '0') * int(i + 2);
        const bool expected = sum % 11 != 10;
        rejected += !expected;
        EXPECT_EQ(Validate(text, "CIP", true), expected) << padded;
    }
    EXPECT_GT(rejected, 100); // the rule is exercised, not vacuous
}

TEST(Validate, IsIdempotentOnWhatItAccepts)
{
    const char* texts[] = {"", "1", "12", "123", "1234567", "12345678901", "abc", "a1b", "0123456789ABCDEF", "-"};
    for (const Symbology& s : Catalogue())
        for (bool check : {true, false})
            for (const char* t : texts) {
                std::string once = t;
                if (!Validate(once, s.id, check))
                    continue;
                std::string twice = once;
                EXPECT_TRUE(Validate(twice, s.id, check)) << s.id << " " << t;
                EXPECT_EQ(twice, once) << s.id << " " << t;
            }
}

TEST(Validate, RejectionPositionsPointAtTheCharacter)
{
    std::string text = "AB CD";
    Verdict v = ValidateText(text, "C39", false);
    EXPECT_EQ(v.reason, Rejection::BadCharacter);
    EXPECT_EQ(v.position, 2u);

    text = "1234567890123";
    v = ValidateText(text, "EAN13", true);
    EXPECT_EQ(v.reason, Rejection::TooLong);
    EXPECT_EQ(v.limit, 12);

    text = "A12";
    v = ValidateText(text, "CBAR", false);
    EXPECT_EQ(v.reason, Rejection::BadStartStop);
    EXPECT_EQ(v.position, 2u);
}

TEST(Catalogue, Shape)
{
    const auto all = Catalogue();
    ASSERT_EQ(all.size(), 31u);
    std::set<std::string_view> ids;
    int previous = 0;
    for (const Symbology& s : all) {
        SCOPED_TRACE(s.id);
        EXPECT_TRUE(ids.insert(s.id).second) << "identifiers are distinct";
        EXPECT_GE(s.order, previous) << "rows are in resolution order";
        previous = s.order;
        for (char c : s.id)
            EXPECT_TRUE((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'));
        EXPECT_EQ(FindSymbology(s.id), &s);
        if (s.nameId) {
            EXPECT_FALSE(DisplayNameText(s.nameId, Language::English).empty());
            EXPECT_FALSE(DisplayNameText(s.nameId, Language::Italian).empty());
        }
        EXPECT_TRUE(s.family.starts_with("VOR"));
        if (s.check == CheckStep::InsideEncoder || s.check == CheckStep::Always) {
            EXPECT_EQ(s.checkRoutine, nullptr);
        }
    }
    EXPECT_EQ(FindSymbology("c39full"), FindSymbology("C39FULL"));
    EXPECT_EQ(FindSymbology("C39 "), nullptr);
    EXPECT_EQ(FindSymbology(std::string(1000, 'C')), nullptr);
    EXPECT_EQ(DisplayNames().size(), 36u);
    EXPECT_EQ(DisplayNameText(401, Language::Italian), "Codice 39 Full Ascii");
    EXPECT_EQ(DisplayNameText(430, Language::Italian), "2 di 5 Invertito");
    EXPECT_TRUE(DisplayNameText(399, Language::English).empty());
}

// The display names of the desktop program resolve to the entries its
// generate table names: the add-on names to a main symbol and an add-on, Code
// 32 to its plain and its two-line form.
TEST(DisplayChoice, EveryDisplayNameResolves)
{
    struct Row {
        int nameId;
        std::string_view entry, addOn, withHrc;
    };
    const Row rows[] = {
        {400, "C39", "", ""},      {401, "C39FULL", "", ""},  {410, "C32", "", "C32HRC"}, {412, "EAN8", "", ""},
        {413, "EAN8", "ADD2", ""}, {414, "EAN8", "ADD5", ""}, {417, "EAN13", "ADD5", ""}, {419, "UPCA", "ADD2", ""},
        {423, "UPCE", "ADD5", ""}, {425, "E128", "", ""},     {427, "CIP", "", ""},       {432, "ITF", "", ""},
        {433, "POSTNET", "", ""},  {435, "ISBN13", "", ""},
    };
    const auto idOf = [](const Symbology* s) { return s ? s->id : std::string_view(); };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.nameId);
        const auto choice = FindDisplayChoice(r.nameId);
        ASSERT_TRUE(choice);
        EXPECT_EQ(idOf(choice->entry), r.entry);
        EXPECT_EQ(idOf(choice->addOn), r.addOn);
        EXPECT_EQ(idOf(choice->withHrc), r.withHrc);
    }
    for (const DisplayName& name : DisplayNames())
        EXPECT_TRUE(FindDisplayChoice(name.id)) << name.id;
    for (const int id : {0, -1, 399, 436, 1400})
        EXPECT_FALSE(FindDisplayChoice(id)) << id;
}

TEST(Encode, FailuresAreEmpty)
{
    EXPECT_EQ(Encode("ABC", "NOSUCH", true, Deliverable::Library), "");
    EXPECT_EQ(Encode("A B", "C39", true, Deliverable::Library), "");
    EXPECT_EQ(Encode("\x80", "C39FULL", false, Deliverable::Library), "");
    EXPECT_EQ(Encode("ABC", "", false, Deliverable::Library), "");
}

TEST(Encode, WorksOnItsOwnCopyAndIgnoresIdentifierCase)
{
    const std::string text = "abc";
    EXPECT_EQ(Encode(text, "c39", true, Deliverable::Library), "#ABCX#");
    EXPECT_EQ(text, "abc");
}

// Every accepted text either encodes or, for the encoders that may fail after
// validation, is reported by Diagnose; for every byte value.
TEST(Diagnose, NamesTheCharacterTheEncoderCannotCarry)
{
    for (const char* id : {"C39FULL"}) {
        for (int b = 1; b < 256; ++b) {
            const std::string text = std::string("AB") + char(b);
            const Verdict v = Diagnose(text, id, true, Deliverable::Library);
            const bool encodes = !Encode(text, id, true, Deliverable::Library).empty();
            EXPECT_EQ(encodes, v.Accepted()) << id << " byte " << b;
            if (!encodes) {
                EXPECT_EQ(v.reason, Rejection::NotEncodable);
                EXPECT_EQ(v.position, 2u);
            }
        }
    }
    const Verdict escaped = Diagnose("A\\d200", "C39FULL", false, Deliverable::Library);
    EXPECT_EQ(escaped.reason, Rejection::NotEncodable);
    EXPECT_EQ(escaped.position, 1u);
}

} // namespace
} // namespace lum
