// The clipboard's RTF in a real word processor: LibreOffice Writer converts
// the RTF of four previews to PDF with the generated barcode fonts found
// through fontconfig; pdffonts must list the barcode family and the HRC font,
// and zbarimg must read back from the rasterised page what was encoded.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "assistant/preview/document.h"
#include "assistant/preview/hrc_text.h"
#include "assistant/preview/rtf_writer.h"
#include "engine/catalogue.h"
#include "engine/code39.h"
#include "engine/deliverable.h"

namespace fs = std::filesystem;

namespace lum::preview {
namespace {

constexpr Deliverable kWho = Deliverable::Assistant;
constexpr std::string_view kHrcFace = "DejaVu Sans";

struct Sample {
    std::string name;       // file stem
    std::string family;     // barcode font family
    std::string fontString; // empty: the encoder is missing
    std::string hrc;
    std::string sizeText;
    std::vector<std::string> decoded; // what zbarimg must report, one symbol each
    std::string missing;              // why the sample cannot be made
};

std::string Shell(const std::string& command, int* status = nullptr)
{
    std::string out;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe)
        return out;
    std::array<char, 4096> buf{};
    std::size_t n;
    while ((n = std::fread(buf.data(), 1, buf.size(), pipe)) > 0)
        out.append(buf.data(), n);
    const int rc = pclose(pipe);
    if (status)
        *status = rc;
    return out;
}

std::string Quote(const fs::path& p)
{
    std::string q = "'";
    for (const char c : p.string())
        q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

std::string FontDir()
{
    if (const char* dir = std::getenv("LUM_PREVIEW_FONT_DIR"))
        return dir;
    return LUM_PREVIEW_FONT_DIR;
}

std::vector<Sample> Samples()
{
    std::vector<Sample> samples;
    {
        // Code 39 with its check character in the bars and in the line.
        Sample s{"code39", "VOR39", "", "", "36", {}, ""};
        std::string code = "lum-39";
        Validate(code, "C39", true);
        s.fontString = Encode(code, "C39", true, kWho);
        s.hrc = TestoHRC(400, code, {true, true});
        s.decoded = {Code39CheckDigit(code)};
        samples.push_back(s);
    }
    {
        // EAN-13 with a 5-digit add-on: the GS1 example number.
        Sample s{"ean13add5", "VOREAN", "", "", "72", {"5901234123457", "12345"}, ""};
        const std::string main = Encode("590123412345", "EAN13", true, kWho);
        const std::string addOn = Encode("12345", "ADD5", true, kWho);
        if (main.empty() || addOn.empty())
            s.missing = "the EAN-13 / add-on encoder is not in this build yet";
        s.fontString = main + addOn;
        samples.push_back(s);
    }
    {
        // Code 128: its start, stop and code-set characters are bytes above 0x80.
        Sample s{"code128", "VOR128", "", "LUM 128/e2e", "36", {"LUM 128/e2e"}, ""};
        s.fontString = Encode("LUM 128/e2e", "C128", true, kWho);
        if (s.fontString.empty())
            s.missing = "the Code 128 encoder is not in this build yet";
        samples.push_back(s);
    }
    {
        // Codabar with the check character and the lower-case line.
        Sample s{"codabar", "VORCODABAR", "", "", "36", {}, ""};
        std::string code = "a40156b";
        Validate(code, "CBAR", true);
        s.fontString = Encode(code, "CBAR", true, kWho);
        std::string line = TestoHRC(411, code, {true, true});
        for (char& c : line)
            c = char(std::tolower(static_cast<unsigned char>(c)));
        s.hrc = line;
        std::string upper = line;
        for (char& c : upper)
            c = char(std::toupper(static_cast<unsigned char>(c)));
        s.decoded = {upper};
        samples.push_back(s);
    }
    return samples;
}

class Office : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        if (std::string(LUM_SOFFICE).empty() || std::string(LUM_PDFFONTS).empty() ||
            std::string(LUM_PDFTOPPM).empty() || std::string(LUM_ZBARIMG).empty()) {
            skipReason_ = "LibreOffice Writer, poppler-utils or zbar-tools not installed (scripts/packages.txt)";
            return;
        }
        if (!fs::exists(fs::path(FontDir()) / "VOR39.ttf")) {
            skipReason_ = "the barcode fonts are not built in " + FontDir();
            return;
        }
        char pattern[] = "/tmp/lum-preview-office-XXXXXX";
        if (!mkdtemp(pattern)) {
            skipReason_ = "no temporary directory";
            return;
        }
        dir_ = pattern;
        std::ofstream(dir_ / "fonts.conf")
            << "<?xml version=\"1.0\"?>\n<!DOCTYPE fontconfig SYSTEM \"fonts.dtd\">\n<fontconfig>\n"
            << "  <include ignore_missing=\"yes\">/etc/fonts/fonts.conf</include>\n"
            << "  <dir>" << FontDir() << "</dir>\n"
            << "  <cachedir>" << (dir_ / "fontcache").string() << "</cachedir>\n</fontconfig>\n";
        std::string files;
        for (const Sample& s : Samples()) {
            if (!s.missing.empty())
                continue;
            HrcFont font;
            font.faceName = kHrcFace;
            font.bold = true;
            font.size = 14;
            PreviewOptions options;
            options.sizeText = s.sizeText;
            options.hrcOption = true;
            options.hrcFont = font;
            const fs::path rtf = dir_ / (s.name + ".rtf");
            std::ofstream(rtf, std::ios::binary) << WriteRtf(AggiornaAnteprima(s.fontString, s.family, s.hrc, options));
            files += " " + Quote(rtf);
        }
        if (files.empty())
            return;
        int status = 0;
        log_ = Shell("cd " + Quote(dir_) + " && FONTCONFIG_FILE=" + Quote(dir_ / "fonts.conf") + " timeout 300 " +
                         LUM_SOFFICE + " --headless --norestore --nolockcheck -env:UserInstallation=file://" +
                         (dir_ / "profile").string() + " --convert-to pdf --outdir " + Quote(dir_) + files + " 2>&1",
                     &status);
    }

    static void TearDownTestSuite()
    {
        if (!dir_.empty() && !std::getenv("LUM_PREVIEW_KEEP"))
            fs::remove_all(dir_);
    }

    void Check(const std::string& name)
    {
        if (!skipReason_.empty())
            GTEST_SKIP() << skipReason_;
        Sample sample;
        for (const Sample& s : Samples())
            if (s.name == name)
                sample = s;
        if (!sample.missing.empty())
            GTEST_SKIP() << sample.missing;
        const fs::path pdf = dir_ / (name + ".pdf");
        ASSERT_TRUE(fs::exists(pdf)) << "LibreOffice made no PDF:\n" << log_;

        // The fonts the PDF embeds: subset prefix dropped, blanks and hyphens
        // ignored, and a
        // "Regular" style suffix (the PDF carries PostScript names).
        const auto squeeze = [](std::string n) {
            if (n.size() > 7 && n[6] == '+')
                n = n.substr(7);
            std::erase(n, ' ');
            std::erase(n, '-');
            if (n.size() > 7 && n.compare(n.size() - 7, 7, "Regular") == 0)
                n.resize(n.size() - 7);
            return n;
        };
        std::istringstream fonts(Shell(std::string(LUM_PDFFONTS) + " " + Quote(pdf)));
        std::string row;
        std::vector<std::string> names;
        for (int line = 0; std::getline(fonts, row); ++line)
            if (line >= 2 && !row.empty())
                names.push_back(squeeze(row.substr(0, row.find(' '))));
        const std::string family = squeeze(sample.family);
        const std::string hrc = squeeze(std::string(kHrcFace));
        EXPECT_TRUE(std::count(names.begin(), names.end(), family)) << testing::PrintToString(names);
        if (!sample.hrc.empty()) {
            const auto isHrc = [&](const std::string& n) { return n.rfind(hrc, 0) == 0; };
            EXPECT_TRUE(std::any_of(names.begin(), names.end(), isHrc)) << testing::PrintToString(names);
        }

        const fs::path png = dir_ / name;
        Shell(std::string(LUM_PDFTOPPM) + " -r 300 -gray -png -singlefile " + Quote(pdf) + " " + Quote(png));
        ASSERT_TRUE(fs::exists(png.string() + ".png"));
        std::istringstream read(Shell(std::string(LUM_ZBARIMG) + " -q --raw --nodbus -Sean2.enable -Sean5.enable " +
                                      Quote(png.string() + ".png") + " 2>/dev/null"));
        std::vector<std::string> decoded;
        for (std::string symbol; std::getline(read, symbol);)
            if (!symbol.empty())
                decoded.push_back(symbol);
        std::sort(decoded.begin(), decoded.end());
        std::vector<std::string> expected = sample.decoded;
        std::sort(expected.begin(), expected.end());
        EXPECT_EQ(decoded, expected);
    }

    static inline std::string skipReason_;
    static inline fs::path dir_;
    static inline std::string log_;
};

TEST_F(Office, Code39) { Check("code39"); }

TEST_F(Office, Ean13WithAddOn) { Check("ean13add5"); }

TEST_F(Office, Code128) { Check("code128"); }

TEST_F(Office, Codabar) { Check("codabar"); }

} // namespace
} // namespace lum::preview

// 77 (ctest's skip code) when every test skipped.
int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    const int rc = RUN_ALL_TESTS();
    const auto* unit = testing::UnitTest::GetInstance();
    if (rc == 0 && unit->test_to_run_count() > 0 && unit->skipped_test_count() == unit->test_to_run_count())
        return 77;
    return rc;
}
