// lumcode render end to end: the images it writes decode to the text, at the
// standards' sizes, as PNG, PDF (through pdftoppm) and SVG, one by one and in
// batches; sizes, limits and failures.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <set>
#include <vector>

#include "cli/command.h"
#include "cli/render_size.h"
#include "engine/catalogue.h"
#include "tests/fonts/image_files.h"
#include "tests/fonts/readers.h"

namespace lum {
namespace {

using test::DecodePng;
using test::ReadPng;
using test::Slurp;

struct Outcome {
    int status;
    std::string err;
};

std::string ReadAll(std::FILE* file)
{
    std::string text;
    std::rewind(file);
    for (int c; (c = std::fgetc(file)) != EOF;)
        text += char(c);
    std::fclose(file);
    return text;
}

Outcome Lumcode(std::vector<const char*> args, const std::string& input = "")
{
    std::FILE* in = std::tmpfile();
    std::FILE* out = std::tmpfile();
    std::FILE* err = std::tmpfile();
    std::fwrite(input.data(), 1, input.size(), in);
    std::fflush(in);
    std::rewind(in);
    const int status = cli::Main(args, {in, out, err});
    std::fclose(in);
    std::fclose(out);
    return {status, ReadAll(err)};
}

std::string ZbarData(const render::Bitmap& b)
{
    const auto all = test::DecodeZbar(b);
    return all.size() == 1 ? all[0].data : "<" + std::to_string(all.size()) + " symbols>";
}

bool HaveTool(const char* name) { return std::system((std::string(name) + " -v >/dev/null 2>&1").c_str()) != 127; }

class RenderCommand : public ::testing::Test {
protected:
    // One folder per process: ctest runs the tests of this suite in parallel.
    std::filesystem::path dir =
        std::filesystem::temp_directory_path() / ("lum-render-command-" + std::to_string(::getpid()));
    void SetUp() override
    {
        std::filesystem::create_directories(dir);
        ::setenv("LUM_FONT_DIR", LUM_FONT_DIR, 1);
    }
    void TearDown() override { std::filesystem::remove_all(dir); }
    std::string File(const char* name) const { return (dir / name).string(); }
    std::set<std::string> Names() const
    {
        std::set<std::string> names;
        for (const auto& e : std::filesystem::directory_iterator(dir))
            names.insert(e.path().filename().string());
        return names;
    }
};

// Without a size, the nominal module of the standard at 300 dpi: EAN-13 at
// 0.33 mm is 4 dots (0.339 mm), and zbar reads it.
TEST_F(RenderCommand, DefaultSizeScans)
{
    struct Row {
        const char* id;
        const char* text;
        const char* expected; // zbar's data, check characters included
        int dots;             // a module
    } rows[] = {
        {"EAN13", "590123412345", "5901234123457", 4},       // 0.330 mm: 3.9 dots
        {"C128", "LUM-2026", "LUM-2026", 3},                 // 0.250 mm: 2.95 dots
        {"E128", "0195012345678903", "0195012345678903", 6}, // 0.495 mm: 5.85 dots
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.id);
        const std::string png = File("default.png");
        const Outcome run = Lumcode({"render", "--check", "-o", png.c_str(), row.id, row.text});
        ASSERT_EQ(run.status, 0) << run.err;
        const render::Bitmap b = ReadPng(png);
        EXPECT_EQ(ZbarData(b), row.expected);
        // The narrowest bar or space is one module (every symbol here has one of each).
        const auto runs = test::ScanLineRuns(b, b.height / 3);
        ASSERT_FALSE(runs.empty());
        EXPECT_EQ(*std::min_element(runs.begin(), runs.end()), row.dots);
    }
}

TEST_F(RenderCommand, PdfRasterisedByPdftoppmScans)
{
    if (!HaveTool("pdftoppm"))
        GTEST_SKIP() << "pdftoppm not installed";
    struct Row {
        std::vector<const char*> args;
        const char* expected;
    } rows[] = {
        {{"C128", "LUM-2026"}, "LUM-2026"},
        {{"--check", "EAN13", "590123412345"}, "5901234123457"},
        {{"--style", "short", "C39", "CODE-39"}, "CODE-39"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.expected);
        const std::string pdf = File("code.pdf");
        std::vector<const char*> args{"render", "-o", pdf.c_str()};
        args.insert(args.end(), row.args.begin(), row.args.end());
        const Outcome run = Lumcode(args);
        ASSERT_EQ(run.status, 0) << run.err;
        EXPECT_EQ(Slurp(pdf).rfind("%PDF-", 0), 0u);
        const std::string command = "pdftoppm -r 300 -gray -png -singlefile '" + pdf + "' '" + File("page") + "'";
        ASSERT_EQ(std::system(command.c_str()), 0);
        EXPECT_EQ(ZbarData(ReadPng(File("page.png"))), row.expected);
    }
}

TEST_F(RenderCommand, SvgIsOutlines)
{
    const std::string svg = File("c93.svg");
    const Outcome run = Lumcode({"render", "-o", svg.c_str(), "C93", "TEST93"});
    ASSERT_EQ(run.status, 0) << run.err;
    const std::string text = Slurp(svg);
    EXPECT_NE(text.find("<svg"), std::string::npos);
    // *TEST93# without check characters: 8 Code 93 symbols of 3 bars, the stop with 4.
    EXPECT_EQ(std::count(text.begin(), text.end(), 'Z'), 7 * 3 + 4); // one closed outline per bar
}

TEST_F(RenderCommand, MainSymbolWithAddOn)
{
    const std::string png = File("ean.png");
    const Outcome run = Lumcode({"render", "--check", "-o", png.c_str(), "ean13+add5", "59012341234552495"});
    ASSERT_EQ(run.status, 0) << run.err;
    const auto decoded = test::DecodeZxing(ReadPng(png), true);
    ASSERT_EQ(decoded.size(), 1u);
    EXPECT_EQ(decoded[0].data, "5901234123457 52495");
}

TEST_F(RenderCommand, BatchWritesOneImagePerAcceptedLine)
{
    const std::string pattern = File("label-{line:3}-{text}.png");
    const std::string input = "ABC-1\n"
                              "a b\n"   // rejected: space
                              "\n"      // blank: skipped
                              "XYZ\r\n" // CR LF
                              "12345";  // no final line end
    const Outcome run = Lumcode({"render", "--batch", "--check", "-o", pattern.c_str(), "C39"}, input);
    EXPECT_EQ(run.status, 1);
    // The size note (0.254 mm for the 0.25 mm asked) and one rejection.
    EXPECT_EQ(run.err.substr(run.err.find('\n') + 1).rfind("lumcode: C39: line 2: \"a b\"", 0), 0u) << run.err;
    EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 2) << run.err;
    EXPECT_EQ(Names(), (std::set<std::string>{"label-001-ABC-1.png", "label-004-XYZ.png", "label-005-12345.png"}));
    // Mod 43 check characters by hand: ABC-1 = 10+11+12+36+1 = 70 -> 27 "R"; XYZ = 33+34+35 = 102 -> 16 "G";
    // 12345 = 15 -> "F".
    EXPECT_EQ(ZbarData(ReadPng(File("label-001-ABC-1.png"))), "ABC-1R");
    EXPECT_EQ(ZbarData(ReadPng(File("label-004-XYZ.png"))), "XYZG");
    EXPECT_EQ(ZbarData(ReadPng(File("label-005-12345.png"))), "12345F");
}

TEST_F(RenderCommand, BatchFromAFileNamedByText)
{
    const std::string list = File("codes.txt");
    std::ofstream(list) << "HELLO 1\nHELLO_1\nA/B\n";
    const std::string pattern = File("{text}.pdf");
    const Outcome run = Lumcode({"render", "--batch", "-o", pattern.c_str(), "C128", list.c_str()});
    EXPECT_EQ(run.status, 1);
    // "HELLO 1" and "HELLO_1" make the same safe name: the second is refused, not written over the first.
    EXPECT_NE(run.err.find("line 2"), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("line 1"), std::string::npos) << run.err;
    EXPECT_EQ(Names(), (std::set<std::string>{"codes.txt", "HELLO_1.pdf", "A_B.pdf"}));
}

TEST_F(RenderCommand, FailedWriteKeepsThePreviousImage)
{
    for (const char* name : {"old.png", "old.svg", "old.pdf"}) {
        SCOPED_TRACE(name);
        const std::string path = File(name);
        std::ofstream(path) << "the previous image";
        // The file-size limit makes the write fail part way, as a full disk would.
        rlimit old{};
        ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
        const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit small = old;
        small.rlim_cur = 100;
        ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
        const Outcome run =
            Lumcode({"render", "--module", "0.254", "-o", path.c_str(), "C128", "a text long enough for 100 bytes"});
        setrlimit(RLIMIT_FSIZE, &old);
        std::signal(SIGXFSZ, oldHandler);
        EXPECT_EQ(run.status, 1);
        EXPECT_NE(run.err.find("cannot write"), std::string::npos) << run.err;
        EXPECT_EQ(Slurp(path), "the previous image");
        std::filesystem::remove(path);
        EXPECT_TRUE(Names().empty()); // no temporary file left
    }
}

TEST_F(RenderCommand, DamagedFontIsAnErrorNamingIt)
{
    const auto fonts = dir / "fonts";
    std::filesystem::create_directories(fonts);
    const std::string whole = Slurp(render::FontFile(LUM_FONT_DIR, "VOR128"));
    std::ofstream(fonts / "VOR128.ttf", std::ios::binary).write(whole.data(), std::streamsize(whole.size() / 2));
    const std::string png = File("x.png");
    const Outcome run = Lumcode({"render", "--font-dir", fonts.c_str(), "-o", png.c_str(), "C128", "ABC"});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find((fonts / "VOR128.ttf").string()), std::string::npos) << run.err;
    EXPECT_FALSE(std::filesystem::exists(png));
}

TEST_F(RenderCommand, MistakesAreReported)
{
    const std::string png = File("x.png");
    const char* out = png.c_str();
    struct Row {
        std::vector<const char*> args;
        int status;
        const char* said; // in the message
    } rows[] = {
        {{"-o", out, "C39", "A B"}, 1, "not allowed"},
        {{"--style", "Wide", "-o", out, "C128", "x"}, 2, "no style"},
        {{"--style", "Bold", "-o", out, "C39", "A"}, 2, "unknown style"},
        {{"C39", "A"}, 2, "-o FILE"},
        {{"-o", out, "C39"}, 2, "text is missing"},
        {{"-o", out, "NOPE", "A"}, 2, "unknown symbology"},
        {{"--font-dir", "/nonexistent", "-o", out, "C39", "A"}, 1, "/nonexistent/VOR39.ttf"},
        {{"-o", out, "C39+ADD2", "A"}, 2, "unknown symbology"},
        {{"--size", "0", "-o", out, "C39", "A"}, 2, "1 to 2000"},
        {{"--size", "2001", "-o", out, "C39", "A"}, 2, "1 to 2000"},
        {{"--module", "0", "-o", out, "C39", "A"}, 2, "0.01 to 25"},
        {{"--magnification", "5", "-o", out, "EAN13", "590123412345"}, 2, "10 to 1000"},
        {{"--magnification", "100", "-o", out, "C39", "A"}, 2, "EAN/UPC"},
        {{"--size", "20", "--module", "0.3", "-o", out, "C39", "A"}, 2, "only one"},
        {{"--dpi", "300.5", "-o", out, "C39", "A"}, 2, "whole number"},
        {{"--dpi", "9", "-o", out, "C39", "A"}, 2, "10 to 4800"},
        {{"--size", "2000", "--dpi", "4800", "-o", out, "C39", "ABCDEF"}, 2, "32767 pixels a side"},
        {{"--batch", "-o", out, "C39"}, 2, "{line}"},
        {{"--batch", "-o", "{lines}.png", "C39"}, 2, "unknown field"},
        {{"--max-line", "4", "-o", out, "C39", "ABCDE"}, 1, "longer than"},
        // An image that cannot be written is named with the system's reason.
        {{"-o", "/nonexistent/x.svg", "C39", "A"},
         1,
         "lumcode: render: cannot write /nonexistent/x.svg: No such file or directory\n"},
        {{"-o", "/nonexistent/x.png", "C39", "A"},
         1,
         "lumcode: render: cannot write /nonexistent/x.png: No such file or directory\n"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.said);
        std::vector<const char*> args{"render"};
        args.insert(args.end(), row.args.begin(), row.args.end());
        const Outcome run = Lumcode(args);
        EXPECT_EQ(run.status, row.status) << run.err;
        EXPECT_NE(run.err.find(row.said), std::string::npos) << run.err;
        EXPECT_FALSE(std::filesystem::exists(png));
    }
}

TEST_F(RenderCommand, SizesOutsideTheStandardAreWarnedAbout)
{
    const std::string png = File("x.png");
    struct Row {
        std::vector<const char*> args;
        const char* said; // on standard error; "" for nothing
    } rows[] = {
        {{"--magnification", "70", "EAN13", "590123412345"}, "under the 0.264 mm (80%) minimum"},
        {{"--magnification", "250", "EAN13", "590123412345"}, "over the 0.660 mm (200%) maximum"},
        {{"--module", "0.1", "C128", "ABC"}, "under the 0.191 mm minimum"},
        {{"--size", "24", "EAN13", "590123412345"}, "under the 0.264 mm (80%) minimum"}, // 1.2 dots
        {{"--module", "0.508", "--dpi", "300", "C128", "ABC"}, ""},                      // exactly 6 dots
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.args[1]);
        std::vector<const char*> args{"render", "-o", png.c_str()};
        args.insert(args.end(), row.args.begin(), row.args.end());
        const Outcome run = Lumcode(args);
        EXPECT_EQ(run.status, 0) << run.err;
        if (*row.said)
            EXPECT_NE(run.err.find(row.said), std::string::npos) << run.err;
        else
            EXPECT_EQ(run.err, "");
    }
}

// The module a raster is drawn at: whole dots, inside the standard's range
// when the size asked for is.
TEST(RenderSize, WholeDotsWithinTheStandard)
{
    const PrintGeometry& ean = FindSymbology("EAN13")->print;
    const PrintGeometry& code128 = FindSymbology("C128")->print;
    const double eanMmPerPoint = 12.0 / 1000 * 25.4 / 72; // VOREAN: a 12-unit module in a 1000-unit em
    struct Row {
        const PrintGeometry& geometry;
        cli::SizeRequest request;
        int dpi;
        int dots;
        bool warned;
        const char* note;
    } rows[] = {
        {ean, {}, 300, 4, false, "0.330 mm is 3.9 dots"},
        {ean, {}, 203, 3, false, "2.64 dots"},
        {ean, {cli::SizeBy::Magnification, 80}, 300, 4, false, "3.1 dots, but 3 dots are 77%: the nearest in range"},
        {ean, {cli::SizeBy::Magnification, 200}, 300, 7, false, "7.8 dots, but 8 are 203%"},
        {ean, {cli::SizeBy::Magnification, 50}, 300, 2, true, "asked outside the range: the nearest, warned"},
        {ean, {cli::SizeBy::Points, 24}, 300, 1, true, "the old default, 24 pt: 1.2 dots"},
        {ean, {}, 0, 0, false, "PDF: exactly the nominal module"},
        {code128, {}, 203, 2, false, "0.25 mm is 2.0 dots"},
        {code128, {cli::SizeBy::Module, 0.15}, 600, 4, true, "3.54 dots; under the minimum"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.note);
        const cli::ResolvedSize size = cli::ResolveSize(row.request, row.geometry, eanMmPerPoint, row.dpi);
        EXPECT_EQ(size.dots, row.dots);
        if (row.dpi > 0)
            EXPECT_DOUBLE_EQ(size.moduleMm, row.dots * 25.4 / row.dpi);
        else
            EXPECT_DOUBLE_EQ(size.moduleMm, row.geometry.nominalMm);
        EXPECT_EQ(!size.warnings.empty(), row.warned);
    }
}

} // namespace
} // namespace lum
