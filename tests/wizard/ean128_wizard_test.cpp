#include "assistant/wizard/ean128_wizard.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "engine/catalogue.h"
#include "engine/escape.h"

namespace lum::wizard {
namespace {

using namespace std::string_literals;

int IndexOfAi(std::string_view ai)
{
    const auto rows = AiCatalogue();
    for (std::size_t i = 0; i < rows.size(); ++i)
        if (rows[i].ai == ai)
            return int(i);
    ADD_FAILURE() << "no AI " << ai;
    return -1;
}

const AiRow& RowOf(std::string_view ai) { return AiCatalogue()[std::size_t(IndexOfAi(ai))]; }

// --- GS1 check digit -------------------------------------------------------

TEST(Gs1CheckDigit, KnownValues)
{
    struct Row {
        std::string_view digits;
        char check;
        const char* source;
    };
    const Row rows[] = {
        {"10614141123456789", '7', "GS1 standard SSCC example; zint agrees"},
        {"37610425002123456", '9', "zint --gs1 [00] checksum warning"},
        {"00000000000000001", '7', "zint"},
        {"12345678901234567", '5', "zint"},
        {"99999999999999999", '5', "zint"},
        {"08012345678901234", '5', "zint"},
        {"00000000000000000", '0', "all zeros"},
        {"400638133393", '1', "EAN-13 4006381333931, ISO/IEC 15420 example (12-digit weighting)"},
        {"0400638133393", '1', "GTIN-14 04006381333931, zint accepts it in AI 8006"},
        {"", '\0', "nothing to weigh"},
        {"1234567890123456A", '\0', "not digits"},
        {"-1", '\0', "not digits"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.source);
        EXPECT_EQ(Gs1CheckDigit(r.digits), r.check) << r.digits;
    }
}

// Weights 3 and 1 are prime to 10: any single wrong digit changes the check digit.
TEST(Gs1CheckDigit, EverySingleDigitErrorChangesIt)
{
    const std::string base = "37610425002123456";
    const char good = Gs1CheckDigit(base);
    for (std::size_t i = 0; i < base.size(); ++i)
        for (char d = '0'; d <= '9'; ++d) {
            if (d == base[i])
                continue;
            std::string wrong = base;
            wrong[i] = d;
            EXPECT_NE(Gs1CheckDigit(wrong), good) << wrong;
        }
}

// --- Number tests ----------------------------------------------------------

TEST(NumberChecks, IntegerIsAsciiDigitsOnly)
{
    struct Row {
        std::string_view text;
        bool integer;
    };
    // The locale-style forms a number parser would take, all refused.
    const Row rows[] = {
        {"0", true},     {"123456", true}, {"007", true},           {"", false},
        {" 123", false}, {"123 ", false},  {"+1", false},           {"-1", false},
        {"1e3", false},  {"1,000", false}, {"1.000", false},        {"1 000", false},
        {"12.0", false}, {"&H10", false},  {"\xEF\xBC\x91", false}, // full-width one in UTF-8
        {"\xB2", false},                                            // superscript two in Windows-1252
    };
    for (const Row& r : rows)
        EXPECT_EQ(ValidaNumeroIntero(r.text), r.integer) << '"' << r.text << '"';
}

TEST(NumberChecks, DecimalTakesOneSeparator)
{
    struct Row {
        std::string_view text;
        bool withPoint, withComma; // decimalComma false, true
    };
    const Row rows[] = {
        {"12", true, true},        {"12.5", true, true},    {"12,5", false, true},     {".5", true, true},
        {"5.", true, true},        {",5", false, true},     {".", false, false},       {",", false, false},
        {"", false, false},        {"1.2.3", false, false}, {"1,2,3", false, false},   {"1.000,5", false, false},
        {"1,000.5", false, false}, {"-1.5", false, false},  {"+1.5", false, false},    {"1e-3", false, false},
        {"1.5e3", false, false},   {" 1.5", false, false},  {"1 000.5", false, false},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE('"' + std::string(r.text) + '"');
        EXPECT_EQ(ValidaNumeroDecimale(r.text, false), r.withPoint);
        EXPECT_EQ(ValidaNumeroDecimale(r.text, true), r.withComma);
    }
}

TEST(StringHelpers, Trim)
{
    EXPECT_EQ(CTrimL("000120", '0'), "120");
    EXPECT_EQ(CTrimL("0000", '0'), "");
}

// --- EscapeText ------------------------------------------------------------

TEST(EscapeText, Forms)
{
    struct Row {
        std::string text, escaped;
    };
    const Row rows[] = {
        {"10ABC\20111991231", "10ABC\\x8111991231"}, // octal 201 is code 129
        {"\\", "\\\\"},
        {"\a\b\t\n\v\f\r", "\\a\\b\\t\\n\\v\\f\\r"},
        {"\x01\x1F\x7F\x80\xE9\xFF", "\\x01\\x1F\\x7F\\x80\\xE9\\xFF"},
        {"\0A"s, "\\0A"},
        {"\0"s, "\\0"},
        // A "\0" before an octal digit would read as one octal escape.
        {"\0001"s, "\\x001"},
        {"\08"s, "\\08"},
        {" ~!\"'?", " ~!\"'?"},
    };
    for (const Row& r : rows)
        EXPECT_EQ(EscapeText(r.text), r.escaped) << r.escaped;
}

// Whatever the wizard writes, the engine's escape reader reads back unchanged:
// every code, alone and followed by every code.
TEST(EscapeText, EscapeReaderReadsItBack)
{
    for (int a = 0; a < 256; ++a) {
        const std::string one(1, char(a));
        ASSERT_EQ(DecodeEscapes(EscapeText(one), Deliverable::Assistant), one) << a;
        for (int b = 0; b < 256; ++b) {
            const std::string two{char(a), char(b)};
            ASSERT_EQ(DecodeEscapes(EscapeText(two), Deliverable::Assistant), two) << a << ' ' << b;
            ASSERT_EQ(DecodeEscapes(EscapeText(two), Deliverable::Library), two) << a << ' ' << b;
        }
    }
}

// --- Value check -----------------------------------------------------------

struct CheckRow {
    std::string_view ai;
    std::string typed;
    bool decimalComma;
    int message;       // 0: accepted
    std::string value; // the value added
    const char* note;
};

void RunChecks(std::initializer_list<CheckRow> rows)
{
    for (const CheckRow& r : rows) {
        SCOPED_TRACE(std::string(r.ai) + " \"" + r.typed + "\": " + r.note);
        const ValueCheck c = CheckAiValue(r.typed, RowOf(r.ai), r.decimalComma);
        EXPECT_EQ(c.message, r.message);
        if (r.message == 0) {
            EXPECT_EQ(c.value, r.value);
        }
    }
}

TEST(CheckAiValue, EighteenDigits)
{
    RunChecks({
        {"00", "00000000000000000", false, 0, "000000000000000000", "17 digits completed"},
        {"00", "10614141123456789", false, 0, "106141411234567897", "17 digits, GS1 SSCC example"},
        {"00", "106141411234567897", false, 0, "106141411234567897", "18 digits, right check digit"},
        {"00", "106141411234567890", false, kTextNotAllowed, "", "18 digits, wrong check digit"},
        {"00", "  10614141123456789 ", false, 0, "106141411234567897",
         "digit appended to the digits, not after blanks"},
        {"00", "1061414112345678A", false, kTextNotInteger, "", "17 characters, not an integer"},
        {"00", "10614141123456789A", false, kTextNotInteger, "", "18 characters, not an integer"},
        {"00", "+0614141123456789", false, kTextNotInteger, "", "a sign is no digit"},
        {"00", "1061414112345678", false, kTextWrongLength, "", "16 digits"},
        {"00", "1061414112345678970", false, kTextWrongLength, "", "19 digits"},
        {"00", "", false, kTextCodeEmpty, "", "empty"},
        {"00", "   ", false, kTextCodeEmpty, "", "blanks only"},
        {"8018", "37610425002123456", false, 0, "376104250021234569", "GSRN, zint check digit"},
        {"8018", "376104250021234560", false, kTextNotAllowed, "", "GSRN, wrong check digit"},
        // AI 8006: GTIN-14 04006381333931, component 01 of 02. zint takes it,
        // and with a 2 for the GTIN's check digit warns at position 14.
        {"8006", "040063813339310102", false, 0, "040063813339310102", "check digit 14th"},
        {"8006", "040063813339320102", false, kTextNotAllowed, "", "wrong GTIN check digit"},
        {"8006", "04006381333931010", false, kTextWrongLength, "", "17 digits are not completed"},
        {"8006", "04006381333931010A", false, kTextNotInteger, "", "digits only"},
    });
}

TEST(CheckAiValue, FixedDigits)
{
    RunChecks({
        {"11", "991231", false, 0, "991231", "six digits"},
        {"11", " 123456", false, 0, "123456", "leading blank dropped, not encoded"},
        {"11", "123456 ", false, 0, "123456", "trailing blank dropped"},
        {"11", "12345", false, kTextWrongLength, "", "five digits"},
        {"11", "1234567", false, kTextWrongLength, "", "seven digits"},
        {"11", "12 456", false, kTextNotInteger, "", "inner blank"},
        {"11", "-12345", false, kTextNotInteger, "", "sign"},
        {"11", "1e+005", false, kTextNotInteger, "", "exponent"},
        {"11", "12,345", false, kTextNotInteger, "", "grouping separator"},
        {"11", "1234.5", false, kTextNotInteger, "", "decimal point"},
        {"20", "07", false, 0, "07", "n2"},
        {"01", "04006381333931", false, 0, "04006381333931", "n14, not completed"},
        {"410", "4006381333931", false, 0, "4006381333931", "n13"},
        {"402", "1234567890123456", false, kTextWrongLength, "", "n17 with 16"},
    });
}

TEST(CheckAiValue, VariableDigits)
{
    RunChecks({
        {"30", "12", false, 0, "12", "nv8"},
        {"30", "12345678", false, 0, "12345678", "nv8 full"},
        {"30", "123456789", false, kTextWrongLength, "", "longer than the value box takes"},
        {"37", "1.5", false, kTextNotInteger, "", "nv8 decimal"},
        {"23", "1234", false, 0, "1234", "nl19"},
        {"23", "1234567890123456789", false, 0, "1234567890123456789", "nl19 full"},
        {"23", "12345678901234567890", false, kTextWrongLength, "", "nl19 too long"},
        {"23", "12A4", false, kTextNotInteger, "", "nl19 letter"},
    });
}

TEST(CheckAiValue, Text)
{
    RunChecks({
        {"10", "ABC", false, 0, "ABC", "av20"},
        {"10", "  ABC  ", false, 0, "ABC", "blanks around dropped"},
        {"10", "A B", false, 0, "A B", "inner blank kept"},
        {"10", "abc-1/2", false, 0, "abc-1/2", "any ASCII"},
        {"10", "12345678901234567890", false, 0, "12345678901234567890", "av20 full"},
        {"10", "123456789012345678901", false, kTextWrongLength, "", "av20 too long"},
        {"10", "CAF\xC9", false, kTextNotAllowed, "", "Windows-1252 letter the encoder cannot carry"},
        {"10", "A\201B", false, kTextNotAllowed, "", "code 129 would become an FNC1"},
        {"10", "A\x80", false, kTextNotAllowed, "", "code 128 would become a NUL"},
        {"10", "\\x81", false, 0, "\\x81", "a typed backslash is data"},
        {"420", "123456789", false, 0, "123456789", "av9"},
    });
}

TEST(CheckAiValue, DigitsThenText)
{
    RunChecks({
        {"8003", "12345678901234ABC", false, 0, "12345678901234ABC", "n14av16"},
        {"8003", "12345678901234", false, 0, "12345678901234", "digits only"},
        {"8003", "1234567890123A", false, kTextFirst14NotDigits, "", "letter among the 14"},
        {"8003", "1234", false, kTextWrongLength, "", "shorter than 14"},
        {"8003", "12345678901234ABCDEFGHIJKLMNOP", false, 0, "12345678901234ABCDEFGHIJKLMNOP", "30"},
        {"8003", "12345678901234ABCDEFGHIJKLMNOPQ", false, kTextWrongLength, "", "31"},
        {"8003", "12345678901234\xE8", false, kTextNotAllowed, "", "not encodable"},
        {"421", "380ABC", false, 0, "380ABC", "n3av9"},
        {"421", "38A", false, kTextFirst3NotDigits, "", "letter among the 3"},
        {"421", "38", false, kTextWrongLength, "", "shorter than 3"},
    });
}

TEST(CheckAiValue, Decimal)
{
    RunChecks({
        {"310", "12.5", false, 0, "12.5", "one decimal"},
        {"310", " 12.5 ", false, 0, "12.5", "blanks dropped"},
        {"310", "12,5", false, kTextNotNumber, "", "comma without the decimal comma"},
        {"310", "12,5", true, 0, "12,5", "comma in Italian"},
        {"310", "12.5", true, 0, "12.5", "point always"},
        {"310", "123456", false, 0, "123456", "six digits, no point"},
        {"310", "1234567", false, kTextWrongLength, "", "seven digits"},
        {"310", "1234567.", false, kTextWrongLength, "", "trailing point: still seven digits"},
        {"310", "123456.", false, 0, "123456.", "trailing point, six digits"},
        {"310", "12345.67", false, kTextWrongLength, "", "seven digits with decimals"},
        {"310", "0.12345", false, 0, "0.12345", "leading zeros do not count"},
        {"310", "000012", false, 0, "000012", "leading zeros without a point"},
        {"310", "0.000123456", false, 0, "0.000123456", "nine decimals"},
        {"310", "0.123456789", false, kTextWrongLength, "", "nine significant digits"},
        {"310", "0.0123456789", false, kTextWrongLength, "", "ten decimals do not fit the AI digit"},
        {"310", ".5", false, 0, ".5", "no integer part"},
        {"310", ".", false, kTextNotNumber, "", "point alone"},
        {"310", "-1.5", false, kTextNotNumber, "", "sign"},
        {"310", "1e3", false, kTextNotNumber, "", "exponent"},
        {"310", "1,000.5", false, kTextNotNumber, "", "grouping"},
        {"310", "1.000,5", true, kTextNotNumber, "", "two separators"},
        {"390", "123456789012345", false, 0, "123456789012345", "nd15"},
        {"390", "1234567890123456", false, kTextWrongLength, "", "nd15 with 16"},
        {"391", "978123456789012345", false, 0, "978123456789012345", "nd18"},
    });
}

TEST(CheckAiValue, InvalidRule) { EXPECT_EQ(CheckAiValue("1", AiRow{600, "00", "x"}, false).message, kTextNotAllowed); }

// --- Element string --------------------------------------------------------

struct Added {
    std::string_view ai;
    std::string value;
};

std::vector<WizardRow> Rows(std::initializer_list<Added> added)
{
    std::vector<WizardRow> rows;
    for (const Added& a : added)
        rows.push_back({IndexOfAi(a.ai), a.value});
    return rows;
}

TEST(AssembleElementString, Cases)
{
    struct Row {
        std::initializer_list<Added> added;
        std::string code, hrc;
        const char* note;
    };
    const std::string fnc1(1, kGs1Separator);
    const Row rows[] = {
        {{{"310", "12.5"}}, "3101000125", "(3101)000125", "decimals into the AI, value padded to six"},
        {{{"10", "ABC"}, {"11", "991231"}},
         "10ABC" + fnc1 + "11991231",
         "(10)ABC(11)991231",
         "separator after the batch"},
        {{{"11", "991231"}, {"10", "ABC"}}, "1199123110ABC", "(11)991231(10)ABC", "no separator at the end"},
        {{{"23", "1234"}}, "23212340", "(232)12340", "even length: half in the AI, a 0 appended"},
        {{{"23", "12345"}}, "23212345", "(232)12345", "odd length"},
        {{{"23", "1"}}, "2301", "(230)1", "one digit"},
        {{{"23", "1234567890123456789"}}, "2391234567890123456789", "(239)1234567890123456789", "19 digits"},
        {{{"23", "12"}, {"10", "A"}}, "23112010A", "(231)120(10)A", "no separator after nl19"},
        {{{"310", "0"}}, "3100000000", "(3100)000000", "zero"},
        {{{"310", " 12.5 "}, {"23", " 12 "}}, "3101000125231120", "(3101)000125(231)120", "blanks removed"},
        {{{"310", "123456."}}, "3100123456", "(3100)123456", "trailing point"},
        {{{"310", "12,5"}}, "3101000125", "(3101)000125", "decimal comma"},
        {{{"310", ".5"}}, "3101000005", "(3101)000005", "no integer part"},
        {{{"310", "0.000123456"}}, "3109123456", "(3109)123456", "nine decimals, leading zero dropped"},
        {{{"390", "12.34"}}, "3902000000000001234", "(3902)000000000001234", "nd15 padded to 15"},
        {{{"30", "12"}, {"02", "04006381333931"}},
         "3012" + fnc1 + "0204006381333931",
         "(30)12(02)04006381333931",
         "nv8 shorter than 8"},
        {{{"37", "12345678"}, {"02", "04006381333931"}},
         "37123456780204006381333931",
         "(37)12345678(02)04006381333931",
         "nv8 full length"},
        {{{"10", "12345678901234567890"}, {"11", "991231"}},
         "101234567890123456789011991231",
         "(10)12345678901234567890(11)991231",
         "av20 full length"},
        {{{"8003", "12345678901234AB"}, {"11", "991231"}},
         "800312345678901234AB" + fnc1 + "11991231",
         "(8003)12345678901234AB(11)991231",
         "n14av16 short"},
        {{{"421", "380ABC"}, {"10", "X"}}, "421380ABC" + fnc1 + "10X", "(421)380ABC(10)X", "n3av9 short"},
        {{{"00", "106141411234567897"}, {"10", "X"}, {"21", "Y"}},
         "0010614141123456789710X" + fnc1 + "21Y",
         "(00)106141411234567897(10)X(21)Y",
         "three AIs"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.note);
        const auto rowsAdded = Rows(r.added);
        const ElementString e = AssembleElementString(rowsAdded);
        EXPECT_EQ(e.code, r.code);
        EXPECT_EQ(e.hrc, r.hrc);
    }
}

// --- The wizard's state ----------------------------------------------------

TEST(Ean128Wizard, NothingSelectedAtStart)
{
    Ean128Wizard w;
    EXPECT_FALSE(w.CanAdd());
    EXPECT_EQ(w.MaxLength(), 0);
    EXPECT_EQ(w.Hint(Language::English), "");
    w.SetValue("123");
    EXPECT_EQ(w.Add(), 0);
    EXPECT_TRUE(w.Rows().empty());
    EXPECT_EQ(w.Value(), "123");
    w.SelectAi(107);
    EXPECT_FALSE(w.CanAdd());
    w.SelectAi(0);
    EXPECT_TRUE(w.CanAdd());
    w.SelectAi(-1);
    EXPECT_FALSE(w.CanAdd());
}

TEST(Ean128Wizard, EmptyListMessages)
{
    Ean128Wizard w;
    EXPECT_EQ(w.RemoveLast(), kTextUnableToUndo);
    EXPECT_EQ(w.Finish().message, kTextCodeEmpty);
    EXPECT_EQ(WizardText(w.RemoveLast(), Language::English), "Unable to undo.");
    EXPECT_EQ(WizardText(w.Finish().message, Language::English), "The code is empty!");
}

TEST(Ean128Wizard, Sscc17DigitsIsCompletedAndAdded)
{
    Ean128Wizard w;
    w.SelectAi(IndexOfAi("00"));
    EXPECT_EQ(w.MaxLength(), 18);
    EXPECT_EQ(w.Hint(Language::English), "Integer of length 18");
    w.SetValue("00000000000000000");
    ASSERT_EQ(w.Add(), 0);
    ASSERT_EQ(w.Rows().size(), 1u);
    EXPECT_EQ(w.Rows()[0].value, "000000000000000000");
    EXPECT_EQ(w.Value(), "");
    const WizardOutput out = w.Finish();
    EXPECT_EQ(out.message, 0);
    EXPECT_EQ(out.code, "00000000000000000000");
    EXPECT_EQ(out.hrc, "(00)000000000000000000");
}

TEST(Ean128Wizard, RejectedValueStaysInTheBox)
{
    Ean128Wizard w;
    w.SelectAi(IndexOfAi("00"));
    w.SetValue("106141411234567890");
    EXPECT_EQ(w.Add(), kTextNotAllowed);
    EXPECT_TRUE(w.Rows().empty());
    EXPECT_EQ(w.Value(), "106141411234567890");
}

TEST(Ean128Wizard, BatchThenDate)
{
    Ean128Wizard w;
    w.SelectAi(IndexOfAi("10"));
    EXPECT_EQ(w.MaxLength(), 20);
    EXPECT_EQ(w.Hint(Language::Italian), "Alfanumerico variabile, massimo 20 caratteri");
    w.SetValue("ABC");
    ASSERT_EQ(w.Add(), 0);
    w.SelectAi(IndexOfAi("11"));
    w.SetValue("991231");
    ASSERT_EQ(w.Add(), 0);
    const WizardOutput out = w.Finish();
    EXPECT_EQ(out.message, 0);
    EXPECT_EQ(out.code, "10ABC\\x8111991231");
    EXPECT_EQ(out.hrc, "(10)ABC(11)991231");
    w.SelectRow(1);
    EXPECT_EQ(w.SelectedRowLabel(), "AI: 11");
    w.SelectRow(2);
    EXPECT_EQ(w.SelectedRowLabel(), "");
}

// Single AIs through Add and OK: the measure with its decimals in the AI, and
// the lot number with its length in the AI.
TEST(Ean128Wizard, AiLastDigitFromTheValue)
{
    struct Row {
        std::string_view ai;
        std::string typed, code, hrc;
    };
    const Row rows[] = {
        {"310", "12.5", "3101000125", "(3101)000125"},
        {"23", "1234", "23212340", "(232)12340"},
    };
    for (const Row& r : rows) {
        Ean128Wizard w;
        w.SelectAi(IndexOfAi(r.ai));
        w.SetValue(r.typed);
        ASSERT_EQ(w.Add(), 0) << r.ai;
        EXPECT_EQ(w.Rows()[0].value, r.typed);
        const WizardOutput out = w.Finish();
        EXPECT_EQ(out.code, r.code);
        EXPECT_EQ(out.hrc, r.hrc);
    }
}

TEST(Ean128Wizard, RemoveLastTakesTheRowBack)
{
    Ean128Wizard w;
    w.SelectAi(IndexOfAi("10"));
    w.SetValue("ABC");
    ASSERT_EQ(w.Add(), 0);
    w.SelectAi(IndexOfAi("310"));
    w.SetValue("12.5");
    ASSERT_EQ(w.Add(), 0);
    w.SelectAi(IndexOfAi("20"));
    w.SetValue("typed, not added");

    EXPECT_EQ(w.RemoveLast(), 0);
    EXPECT_EQ(w.SelectedAi(), IndexOfAi("310"));
    EXPECT_EQ(w.MaxLength(), 11);
    EXPECT_EQ(w.Hint(Language::English), "Float of length 6");
    EXPECT_EQ(w.Value(), "12.5");
    ASSERT_EQ(w.Rows().size(), 1u);
    EXPECT_EQ(w.SelectedRow(), 0);
    EXPECT_EQ(w.SelectedRowLabel(), "AI: 10");

    EXPECT_EQ(w.RemoveLast(), 0);
    EXPECT_EQ(w.SelectedAi(), IndexOfAi("10"));
    EXPECT_EQ(w.Value(), "ABC");
    EXPECT_TRUE(w.Rows().empty());
    EXPECT_EQ(w.SelectedRow(), -1);
    EXPECT_EQ(w.RemoveLast(), kTextUnableToUndo);
}

TEST(Ean128Wizard, DecimalCommaIsAnInput)
{
    for (bool comma : {false, true}) {
        Ean128Wizard w(comma);
        w.SelectAi(IndexOfAi("310"));
        w.SetValue("12,5");
        EXPECT_EQ(w.Add(), comma ? 0 : kTextNotNumber);
        if (comma) {
            EXPECT_EQ(w.Finish().code, "3101000125");
        }
    }
}

TEST(Ean128Wizard, EscapedCodeHoldsNoRawControlOrHighByte)
{
    Ean128Wizard w;
    w.SelectAi(IndexOfAi("10"));
    w.SetValue("A\\B\tC");
    ASSERT_EQ(w.Add(), 0);
    w.SelectAi(IndexOfAi("21"));
    w.SetValue("9");
    ASSERT_EQ(w.Add(), 0);
    const WizardOutput out = w.Finish();
    EXPECT_EQ(out.code, "10A\\\\B\\tC\\x81219");
    EXPECT_EQ(DecodeEscapes(out.code, Deliverable::Assistant), "10A\\B\tC\x81"
                                                               "219");
}

// --- Round trip through the EAN 128 encoder ---------------------------------

// Code 128 value of a VOR128 font character: values 0-93 are characters 33-126,
// 94-96 are 150-152, 97-106 are 130-139; -1 for anything else.
int FontValue(unsigned char c)
{
    if (c >= 33 && c <= 126)
        return c - 33;
    if (c >= 150 && c <= 152)
        return c - 150 + 94;
    if (c >= 130 && c <= 139)
        return c - 130 + 97;
    return -1;
}

// Reads a GS1-128 font string back to its element string, FNC1 separators as
// code 129, by the code sets of ISO/IEC 15417. Checks the stop, the modulo-103
// check value and the FNC1 after the start; nullopt when any is wrong.
std::optional<std::string> DecodeGs1128(std::string_view font)
{
    if (font.size() < 4 || static_cast<unsigned char>(font.back()) != 139)
        return std::nullopt;
    std::vector<int> v;
    for (char c : font.substr(0, font.size() - 1)) {
        v.push_back(FontValue(static_cast<unsigned char>(c)));
        if (v.back() < 0 || v.back() > 105)
            return std::nullopt;
    }
    int sum = v[0];
    for (std::size_t i = 1; i + 1 < v.size(); ++i)
        sum += int(i) * v[i];
    if (sum % 103 != v.back() || v[0] < 103 || v[1] != 102)
        return std::nullopt;
    char set = char('A' + v[0] - 103);
    bool shifted = false;
    std::string out;
    for (std::size_t i = 2; i + 1 < v.size(); ++i) {
        const int x = v[i];
        const char now = shifted ? (set == 'A' ? 'B' : 'A') : set;
        shifted = false;
        if (x == 102) {
            out.push_back(kGs1Separator);
        } else if (now == 'C') {
            if (x < 100) {
                out.push_back(char('0' + x / 10));
                out.push_back(char('0' + x % 10));
            } else
                set = x == 100 ? 'B' : 'A';
        } else if (x < 64 || (now == 'B' && x < 96)) {
            out.push_back(char(x + 32));
        } else if (now == 'A' && x < 96) {
            out.push_back(char(x - 64));
        } else if (x == 98) {
            shifted = true;
        } else if (x == 99) {
            set = 'C';
        } else if ((now == 'A' && x == 100) || (now == 'B' && x == 101)) {
            set = now == 'A' ? 'B' : 'A';
        } else {
            return std::nullopt; // FNC2 to FNC4 do not belong in an element string
        }
    }
    return out;
}

std::string Font(std::initializer_list<int> chars)
{
    std::string s;
    for (int c : chars)
        s.push_back(char(c));
    return s;
}

// The decoder against font strings worked out by hand from the code sets.
TEST(Gs1128Decoder, ReadsKnownSymbols)
{
    const std::string fnc1(1, kGs1Separator);
    // AI 01 with a GTIN: 105 102 1 12 34 56 78 90 12 31, check 74.
    EXPECT_EQ(DecodeGs1128(Font({138, 135, 34, 45, 67, 89, 111, 123, 45, 64, 107, 139})), "0112345678901231");
    // 10ABC in subset B: 104 102 17 16 33 34 35, check 79.
    EXPECT_EQ(DecodeGs1128(Font({137, 135, 50, 49, 66, 67, 68, 112, 139})), "10ABC");
    // 01 GTIN, FNC1 in subset C, 10, CODE B, ABC123: check 16.
    EXPECT_EQ(
        DecodeGs1128(Font({138, 135, 34, 45, 67, 89, 111, 123, 45, 64, 135, 43, 133, 66, 67, 68, 50, 51, 52, 49, 139})),
        "0112345678901231" + fnc1 + "10ABC123");
    // Empty element string: 104 102, check 0.
    EXPECT_EQ(DecodeGs1128(Font({137, 135, 33, 139})), "");
    // A wrong check value, a missing leading FNC1, a missing stop.
    EXPECT_EQ(DecodeGs1128(Font({137, 135, 50, 49, 66, 67, 68, 113, 139})), std::nullopt);
    EXPECT_EQ(DecodeGs1128(Font({137, 50, 49, 66, 67, 68, 35, 139})), std::nullopt);
    EXPECT_EQ(DecodeGs1128(Font({137, 135, 50, 49, 66, 67, 68, 112})), std::nullopt);
}

TEST(Ean128Wizard, RoundTripThroughTheEncoder)
{
    if (Encode("10ABC", "E128", false, Deliverable::Assistant).empty())
        GTEST_SKIP() << "the EAN 128 encoder is not in this build";
    const std::string fnc1(1, kGs1Separator);
    struct Row {
        std::initializer_list<Added> added;
        std::string element;
        const char* note;
    };
    const Row rows[] = {
        {{{"10", "ABC"}, {"11", "991231"}}, "10ABC" + fnc1 + "11991231", "separator in subset B"},
        {{{"30", "12"}, {"11", "991231"}}, "3012" + fnc1 + "11991231", "separator between digit pairs, subset C"},
        {{{"30", "123"}, {"11", "991231"}}, "30123" + fnc1 + "11991231", "odd digits before the separator"},
        {{{"00", "10614141123456789"}, {"37", "12"}, {"02", "04006381333931"}},
         "001061414112345678973712" + fnc1 + "0204006381333931",
         "SSCC, count, content"},
        {{{"310", "12.5"}, {"10", "a\\b"}, {"21", "x y"}},
         "310100012510a\\b" + fnc1 + "21x y",
         "escaped backslash, lower case, blank inside"},
        {{{"8003", "12345678901234AB"}, {"23", "1234"}}, "800312345678901234AB" + fnc1 + "23212340", "n14av16, nl19"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.note);
        Ean128Wizard w;
        for (const Added& a : r.added) {
            w.SelectAi(IndexOfAi(a.ai));
            w.SetValue(a.value);
            ASSERT_EQ(w.Add(), 0) << a.ai << ' ' << a.value;
        }
        const WizardOutput out = w.Finish();
        ASSERT_EQ(out.message, 0);
        const std::string font = Encode(out.code, "E128", false, Deliverable::Assistant);
        ASSERT_FALSE(font.empty()) << out.code;
        EXPECT_EQ(DecodeGs1128(font), r.element) << out.code;
    }
}

} // namespace
} // namespace lum::wizard
