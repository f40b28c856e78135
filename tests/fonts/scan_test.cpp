// Barcode fonts end to end: font strings from lum::Encode, drawn with the
// generated fonts by lum_render, read back by independent decoders (zbar,
// ZXing-cpp), compared with zint's module rows where no decoder exists, and
// the human-readable glyphs read by tesseract. A symbology whose encoder is
// not written yet (Encode gives "" for a valid text) is skipped.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "engine/catalogue.h"
#include "engine/code39.h"
#include "engine/fonts.h"
#include "engine/text.h"
#include "fonts/render/render.h"
#include "tests/fonts/readers.h"

namespace lum {
namespace {

using test::Decoded;

constexpr int kTextsPerSize = 3;

// The sizes every symbol is scanned at: the symbology's nominal module (what
// lumcode render draws by default) at 300 and at 203 dpi, the resolutions of
// label printers, and 5 dots a module at 300 dpi.
struct ScanSize {
    int dpi;
    int modulePixels; // 0: the nominal module, in whole dots
};
constexpr ScanSize kScanSizes[] = {{300, 0}, {203, 0}, {300, 5}};

int ModulePixelsAt(const ScanSize& size, std::string_view id)
{
    if (size.modulePixels > 0)
        return size.modulePixels;
    const Symbology* entry = FindSymbology(id);
    return entry ? render::ModulePixels(entry->print.nominalMm, size.dpi) : 0;
}

std::string SizeName(const ScanSize& size, int pixels)
{
    return std::to_string(pixels) + " px/module at " + std::to_string(size.dpi) + " dpi" +
           (size.modulePixels == 0 ? " (nominal)" : "");
}

std::string RandomOf(std::mt19937& rng, std::string_view alphabet, int minLen, int maxLen)
{
    std::uniform_int_distribution<int> len(minLen, maxLen);
    std::uniform_int_distribution<std::size_t> pick(0, alphabet.size() - 1);
    std::string s;
    for (int n = len(rng); n > 0; --n)
        s += alphabet[pick(rng)];
    return s;
}

constexpr std::string_view kDigits = "0123456789";
constexpr std::string_view kCode39 = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ-._$/+%";

std::string PrintableAscii()
{
    std::string s;
    for (char c = ' '; c <= '~'; ++c)
        if (c != '\\')
            s += c;
    return s;
}

// The validated text with the check characters of the entry's check routine.
std::string Checked(std::string_view id, std::string_view text)
{
    std::string t(text);
    const Symbology* entry = FindSymbology(id);
    if (!entry || !Validate(t, id, true))
        return "<invalid>";
    if (entry->checkRoutine) {
        const std::size_t n = entry->checkedLength ? std::min(entry->checkedLength, t.size()) : t.size();
        t = entry->checkRoutine(t.substr(0, n));
    }
    return t;
}

// GS1 modulo 10 (weights 3, 1, 3, ... from the right), computed here on its own.
char EanCheck(std::string_view digits)
{
    int sum = 0, weight = 3;
    for (auto it = digits.rbegin(); it != digits.rend(); ++it, weight = 4 - weight)
        sum += (*it - '0') * weight;
    return char('0' + (10 - sum % 10) % 10);
}

std::string SpaceSymbol(std::string s)
{
    for (char& c : s)
        if (c == '_')
            c = ' ';
    return s;
}

struct ScanRow {
    std::string_view id;
    std::string_view addOn; // "ADD2" / "ADD5" appended to the main symbol, or ""
    std::string (*make)(std::mt19937&);
    std::string (*expect)(const std::string& text); // the decoded data, check characters included
    bool zbar, zxing;
    const char* note;
};

const ScanRow kScanRows[] = {
    {"C39", "", [](std::mt19937& r) { return RandomOf(r, kCode39, 1, 10); },
     [](const std::string& t) { return SpaceSymbol(Checked("C39", t)); }, true, true,
     "ISO/IEC 16388; decoders keep the mod 43 character"},
    {"C39FULL", "", [](std::mt19937& r) { return RandomOf(r, PrintableAscii(), 1, 8); },
     [](const std::string& t) {
         const auto expansion = Code39FullAsciiExpansion(t, Deliverable::Library);
         return expansion ? SpaceSymbol(Code39CheckDigit(*expansion)) : std::string("<none>");
     },
     true, true, "read in the decoders' standard mode: the Full ASCII expansion"},
    {"CIP", "",
     [](std::mt19937& r) {
         std::string t;
         do
             t = RandomOf(r, kDigits, 6, 6);
         while (!Validate(t, "CIP", true));
         return t;
     },
     [](const std::string& t) { return Checked("CIP", t); }, true, true, "Code CIP is Code 39 digits"},
    {"C93", "", [](std::mt19937& r) { return RandomOf(r, kCode39, 1, 10); },
     [](const std::string& t) {
         std::string u = t;
         UpperCaseAscii(u);
         return SpaceSymbol(u);
     },
     true, true, "AIM USS Code 93; decoders check and strip C and K"},
    {"C93FULL", "", [](std::mt19937& r) { return RandomOf(r, PrintableAscii(), 1, 8); },
     [](const std::string& t) { return t; }, true, true, "decoders resolve the shifts"},
    {"C32", "", [](std::mt19937& r) { return RandomOf(r, kDigits, 8, 8); },
     [](const std::string& t) {
         unsigned long v = std::stoul(Checked("C32", t));
         std::string s(6, '0');
         for (int i = 5; i >= 0; --i, v /= 32)
             s[std::size_t(i)] = "0123456789BCDFGHJKLMNPQRSTUVWXYZ"[v % 32];
         return s;
     },
     true, true, "read as Code 39 of the base-32 digits"},
    {"C128", "", [](std::mt19937& r) { return RandomOf(r, PrintableAscii() + "0123456789012345", 1, 14); },
     [](const std::string& t) { return t; }, true, true, "ISO/IEC 15417"},
    {"E128", "",
     [](std::mt19937& r) {
         return "10" + RandomOf(r, "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789", 1, 8) + "\\x81" + "21" +
                RandomOf(r, kDigits, 1, 6);
     },
     [](const std::string& t) {
         std::string s = t;
         s.replace(s.find("\\x81"), 4, "\x1d");
         return s;
     },
     true, true, "GS1-128: leading FNC1 implied, separator FNC1 read as GS"},
    {"EAN13", "", [](std::mt19937& r) { return RandomOf(r, "123456789", 1, 1) + RandomOf(r, kDigits, 11, 11); },
     [](const std::string& t) { return Checked("EAN13", t); }, true, true, "ISO/IEC 15420"},
    {"EAN8", "", [](std::mt19937& r) { return RandomOf(r, kDigits, 7, 7); },
     [](const std::string& t) { return Checked("EAN8", t); }, true, true, "ISO/IEC 15420"},
    {"UPCA", "", [](std::mt19937& r) { return RandomOf(r, kDigits, 11, 11); },
     [](const std::string& t) { return Checked("UPCA", t); }, true, true, "ISO/IEC 15420"},
    {"UPCE", "", [](std::mt19937& r) { return "0" + RandomOf(r, kDigits, 6, 6); },
     [](const std::string& t) { return Checked("UPCE", t); }, true, true, "ISO/IEC 15420, number system 0"},
    {"EAN13", "ADD2", [](std::mt19937& r) { return RandomOf(r, "123456789", 1, 1) + RandomOf(r, kDigits, 13, 13); },
     [](const std::string& t) { return Checked("EAN13", t.substr(0, 12)) + " " + t.substr(12); }, true, true,
     "main symbol and 2-digit add-on"},
    {"UPCA", "ADD5", [](std::mt19937& r) { return RandomOf(r, kDigits, 16, 16); },
     [](const std::string& t) { return Checked("UPCA", t.substr(0, 11)) + " " + t.substr(11); }, true, true,
     "main symbol and 5-digit add-on"},
    {"EAN8", "ADD5", [](std::mt19937& r) { return RandomOf(r, kDigits, 12, 12); },
     [](const std::string& t) { return Checked("EAN8", t.substr(0, 7)) + " " + t.substr(7); }, true, true,
     "main symbol and 5-digit add-on"},
    {"UPCE", "ADD2", [](std::mt19937& r) { return "0" + RandomOf(r, kDigits, 8, 8); },
     [](const std::string& t) { return Checked("UPCE", t.substr(0, 7)) + " " + t.substr(7); }, true, true,
     "main symbol and 2-digit add-on"},
    {"ISBN", "", [](std::mt19937& r) { return RandomOf(r, kDigits, 9, 9); },
     [](const std::string& t) { return "978" + t + EanCheck("978" + t); }, true, true,
     "EAN-13 of 978 + the 9 digits, check computed here"},
    {"ISBN13", "", [](std::mt19937& r) { return "979" + RandomOf(r, kDigits, 9, 9); },
     [](const std::string& t) { return t + EanCheck(t); }, true, true, "EAN-13, check computed here"},
    {"C25", "", [](std::mt19937& r) { return RandomOf(r, kDigits, 5, 11); },
     [](const std::string& t) { return Checked("C25", t); }, true, true, "ISO/IEC 16390, 6 digits or more"},
    {"ITF", "", [](std::mt19937& r) { return RandomOf(r, kDigits, 13, 13); },
     [](const std::string& t) { return Checked("ITF", t); }, true, true, "ITF-14 with bearer bars"},
    {"CBAR", "",
     [](std::mt19937& r) {
         return RandomOf(r, "ABCD", 1, 1) + RandomOf(r, "0123456789-$:/.+", 1, 10) + RandomOf(r, "ABCD", 1, 1);
     },
     [](const std::string& t) {
         std::string s = Checked("CBAR", t);
         UpperCaseAscii(s);
         return s;
     },
     true, true, "EN 798; decoders return start and stop"},
};

void PrintTo(const ScanRow& row, std::ostream* os) { *os << row.id << row.addOn; }

std::string Describe(const std::vector<Decoded>& all)
{
    std::string s;
    for (const Decoded& d : all)
        s += "[" + d.type + ": " + d.data + "] ";
    return s.empty() ? "nothing" : s;
}

// zbar reports a main symbol with its add-on as one composite symbol, the
// digits run together; ZXing-cpp separates them by a space.
std::string ZbarData(const std::vector<Decoded>& all) { return all.size() == 1 ? all[0].data : Describe(all); }

std::string WithoutSpace(std::string s)
{
    s.erase(std::remove(s.begin(), s.end(), ' '), s.end());
    return s;
}

// The font names of a family, one per style it has (one-font families once).
std::vector<std::string> FontNames(std::string_view family)
{
    std::vector<std::string> names;
    for (const StyleInfo& s : Styles()) {
        std::string name = FontName(family, s.english);
        if (!name.empty() && std::find(names.begin(), names.end(), name) == names.end())
            names.push_back(name);
    }
    return names;
}

std::string EncodeRow(const ScanRow& row, const std::string& text)
{
    if (row.addOn.empty())
        return Encode(text, row.id, true, Deliverable::Library);
    const std::size_t mainLength = row.id == "EAN13" ? 12 : row.id == "UPCA" ? 11 : 7;
    const std::string main = Encode(text.substr(0, mainLength), row.id, true, Deliverable::Library);
    const std::string add = Encode(text.substr(mainLength), row.addOn, true, Deliverable::Library);
    return main.empty() || add.empty() ? std::string() : main + add;
}

class ScanTest : public ::testing::TestWithParam<ScanRow> {};

TEST_P(ScanTest, DecodersReadWhatWasEncoded)
{
    const ScanRow& row = GetParam();
    SCOPED_TRACE(row.note);
    const Symbology* entry = FindSymbology(row.id);
    ASSERT_NE(entry, nullptr);
    std::mt19937 probeRng(1);
    if (EncodeRow(row, row.make(probeRng)).empty())
        GTEST_SKIP() << row.id << row.addOn << ": no encoder yet";
    unsigned seed = 1;
    for (const std::string& font : FontNames(entry->family)) {
        for (const ScanSize& size : kScanSizes) {
            const int pixels = ModulePixelsAt(size, row.id);
            std::mt19937 rng(seed++);
            for (int n = 0; n < kTextsPerSize; ++n) {
                const std::string text = row.make(rng);
                const std::string fontString = EncodeRow(row, text);
                const std::string expected = row.expect(text);
                SCOPED_TRACE(font + " at " + SizeName(size, pixels) + ", text \"" + text + "\"");
                ASSERT_FALSE(fontString.empty());
                const auto image = test::DrawFontString(font, fontString, pixels, size.dpi);
                ASSERT_EQ(image.status.message, "");
                if (row.zbar) {
                    const auto all = test::DecodeZbar(image.bitmap);
                    EXPECT_EQ(ZbarData(all), row.addOn.empty() ? expected : WithoutSpace(expected))
                        << "zbar read " << Describe(all);
                }
                if (row.zxing) {
                    const auto all = test::DecodeZxing(image.bitmap, !row.addOn.empty());
                    EXPECT_TRUE(all.size() == 1 && all[0].data == expected) << "zxing read " << Describe(all);
                }
            }
        }
    }
}

std::string RowName(const ::testing::TestParamInfo<ScanRow>& info)
{
    return std::string(info.param.id) + std::string(info.param.addOn);
}

INSTANTIATE_TEST_SUITE_P(Fonts, ScanTest, ::testing::ValuesIn(kScanRows), RowName);

} // namespace
} // namespace lum

namespace lum {
namespace {

// Fixed font strings (worked examples of the symbology standards and of the
// encoders' character assignments) that check every decodable font now,
// whatever encoders exist. Expected data: the standards' examples or zint.
struct FixedRow {
    std::string_view id; // the catalogue entry whose family and nominal size are used
    std::string_view fontString;
    std::string_view expected; // the data both decoders return (add-on: after a space)
    const char* note;
    bool addOn = false;
};

// clang-format off
const FixedRow kFixedRows[] = {
    {"C39", "#ABCX#", "ABCX", "Code 39 ABC with mod 43 X"},
    {"C93", "*TEST93+6#", "TEST93", "Code 93 TEST93, C = +, K = 6"},
    {"C93FULL", "*dA8P#", "a", "Code 93 Full ASCII a"},
    {"C32", "*EWYUJV#", "3PRM8N", "Code 32 123456788 (zint -b 129 -d 12345678)"},
    {"EAN13", "5|JabCDe!nopqrt|", "5901234123457", "EAN-13, ISO/IEC 15420 example"},
    {"EAN8", "|JGDI!rmtq|", "96385074", "EAN-8"},
    {"UPCA", "|ADGAAA!ovnqro|", "036000291452", "UPC-A"},
    {"UPCE", "0|eCfcGB#", "04252614", "UPC-E"},
    {"EAN13", "5|JabCDe!nopqrt|-+K_Z", "5901234123457 05", "EAN-13 with the add-on 05", true},
    {"UPCA", "|ADGAAA!ovnqro|-+Z_M_Y_T_P", "036000291452 52495", "UPC-A with the add-on 52495", true},
    {"UPCE", "0|eCfcGB#-+L_M", "04252614 12", "UPC-E with the add-on 12", true},
    {"EAN8", "|JGDI!rmtq|-+U_U_K_K_K", "96385074 00000", "EAN-8 with the add-on 00000", true},
    {"ISBN", "--$%.(%;.)%;&:.'\r\n9|HiaDaG!qmsnrt|", "9780306406157", "ISBN 0-306-40615-2 with its text line"},
    {"C25", "*LfNiWeDsCpLfPa#", "12345678901231", "Interleaved 2 of 5"},
    {"ITF", "*LfNiWeDsCpLfPa#", "12345678901231", "ITF-14 with bearer bars"},
    {"C25", "*@z@|@~Z`\\`^`#", "707477335363", "pairs drawn with `, |, ~, \\ and ^"},
    {"CBAR", "A|1|2|3|4|B", "A1234B", "Codabar"},
    {"CBAR", "a|1|2|3|4|5|b", "A12345B", "Codabar, lower-case start/stop with check"},
    {"CBAR", "t|0|-|$|:|/|.|+|9|n", "A0-$:/.+9B", "Codabar T and N alternatives"},
    {"C128", "\x89IJ5\x8b", "HI", "Code 128: Start B, H, I, check 20"},
    {"C128", "\x8a-Cs\x8b", "1234", "Code 128: Start C, 12, 34, check 82"},
    {"C128", "\x89" "bcd{\x8b", "abc", "Code 128: Start B, a, b, c, check 90"},
    {"C128", "\x89\x96\x97\x8b", "~", "Code 128: Start B, ~ (value 94), check 95"},
    {"E128", "\x8a\x87\x22-CYo{-@k\x8b", "0112345678901231", "GS1-128: Start C, FNC1, (01) GTIN, check 74"},
};
// clang-format on

void PrintTo(const FixedRow& row, std::ostream* os) { *os << row.id << ": " << row.note; }

class FixedScanTest : public ::testing::TestWithParam<FixedRow> {};

TEST_P(FixedScanTest, DecodersReadTheExample)
{
    const FixedRow& row = GetParam();
    SCOPED_TRACE(row.note);
    const Symbology* entry = FindSymbology(row.id);
    ASSERT_NE(entry, nullptr);
    for (const std::string& font : FontNames(entry->family)) {
        for (const ScanSize& size : kScanSizes) {
            const int pixels = ModulePixelsAt(size, row.id);
            SCOPED_TRACE(font + " at " + SizeName(size, pixels));
            const auto image = test::DrawFontString(font, std::string(row.fontString), pixels, size.dpi);
            ASSERT_EQ(image.status.message, "");
            const auto zbar = test::DecodeZbar(image.bitmap);
            EXPECT_EQ(ZbarData(zbar), WithoutSpace(std::string(row.expected))) << "zbar read " << Describe(zbar);
            const auto zxing = test::DecodeZxing(image.bitmap, row.addOn);
            EXPECT_TRUE(zxing.size() == 1 && zxing[0].data == row.expected) << "zxing read " << Describe(zxing);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Fonts, FixedScanTest, ::testing::ValuesIn(kFixedRows));

} // namespace
} // namespace lum
