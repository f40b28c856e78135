// lumcode render end to end: the image it writes decodes to the text.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <vector>

#include <png.h>

#include "cli/command.h"
#include "engine/catalogue.h"
#include "tests/fonts/readers.h"

namespace lum {
namespace {

struct Outcome {
    int status;
    std::string err;
};

Outcome Lumcode(std::vector<const char*> args)
{
    std::FILE* in = std::tmpfile();
    std::FILE* out = std::tmpfile();
    std::FILE* err = std::tmpfile();
    const int status = cli::Main(args, {in, out, err});
    std::string text;
    std::rewind(err);
    for (int c; (c = std::fgetc(err)) != EOF;)
        text += char(c);
    std::fclose(in);
    std::fclose(out);
    std::fclose(err);
    return {status, text};
}

// Reads an 8-bit grey PNG as written by the renderer.
render::Bitmap ReadPng(const std::string& path)
{
    render::Bitmap b;
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, path.c_str()))
        return b;
    image.format = PNG_FORMAT_GRAY;
    b.width = int(image.width);
    b.height = int(image.height);
    b.pixels.resize(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, b.pixels.data(), 0, nullptr))
        b = {};
    return b;
}

class RenderCommand : public ::testing::Test {
protected:
    // One folder per process: ctest runs the tests of this suite in parallel.
    std::filesystem::path dir =
        std::filesystem::temp_directory_path() / ("lum-render-command-" + std::to_string(::getpid()));
    void SetUp() override { std::filesystem::create_directories(dir); }
    void TearDown() override { std::filesystem::remove_all(dir); }
    std::string File(const char* name) const { return (dir / name).string(); }
};

TEST_F(RenderCommand, PngDecodesToTheText)
{
    const std::string png = File("c39.png");
    const Outcome run = Lumcode({"render", "--check", "--style", "stretto e corto", "--size", "30", "-o", png.c_str(),
                                 "--font-dir", LUM_FONT_DIR, "C39", "abc-12"});
    ASSERT_EQ(run.status, 0) << run.err;
    const auto decoded = test::DecodeZbar(ReadPng(png));
    ASSERT_EQ(decoded.size(), 1u);
    EXPECT_EQ(decoded[0].data, "ABC-12T"); // mod 43 by hand: 10+11+12+36+1+2 = 72, 72 - 43 = 29 = "T"
}

TEST_F(RenderCommand, SvgIsOutlines)
{
    const std::string svg = File("c93.svg");
    const Outcome run = Lumcode({"render", "--font-dir", LUM_FONT_DIR, "-o", svg.c_str(), "C93", "TEST93"});
    ASSERT_EQ(run.status, 0) << run.err;
    std::ifstream in(svg);
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_NE(text.find("<svg"), std::string::npos);
    // *TEST93# without check characters: 8 Code 93 symbols of 3 bars, the stop with 4.
    EXPECT_EQ(std::count(text.begin(), text.end(), 'M'), 7 * 3 + 4);
}

TEST_F(RenderCommand, MainSymbolWithAddOn)
{
    if (Encode("590123412345", "EAN13", true, Deliverable::Library).empty())
        GTEST_SKIP() << "EAN13: no encoder yet";
    const std::string png = File("ean.png");
    const Outcome run = Lumcode({"render", "--check", "--size", "72", "--font-dir", LUM_FONT_DIR, "-o", png.c_str(),
                                 "ean13+add5", "59012341234552495"});
    ASSERT_EQ(run.status, 0) << run.err;
    const auto decoded = test::DecodeZxing(ReadPng(png), true);
    ASSERT_EQ(decoded.size(), 1u);
    EXPECT_EQ(decoded[0].data, "5901234123457 52495");
}

TEST_F(RenderCommand, MistakesAreReported)
{
    const std::string png = File("x.png");
    const char* dir = LUM_FONT_DIR;
    struct Row {
        std::vector<const char*> args;
        int status;
    } rows[] = {
        {{"render", "--font-dir", dir, "-o", png.c_str(), "C39", "A B"}, 1},                   // space rejected
        {{"render", "--font-dir", dir, "--style", "Wide", "-o", png.c_str(), "C128", "x"}, 2}, // no such style
        {{"render", "--font-dir", dir, "--style", "Bold", "-o", png.c_str(), "C39", "A"}, 2},  // unknown style
        {{"render", "--font-dir", dir, "C39", "A"}, 2},                                        // no -o
        {{"render", "--font-dir", dir, "-o", png.c_str(), "NOPE", "A"}, 2},                    // unknown symbology
        {{"render", "--font-dir", dir, "--size", "0", "-o", png.c_str(), "C39", "A"}, 2},      // bad size
        {{"render", "--font-dir", "/nonexistent", "-o", png.c_str(), "C39", "A"}, 1},          // no font
        {{"render", "--font-dir", dir, "-o", png.c_str(), "C39+ADD2", "A"}, 2}, // add-on only after EAN/UPC
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.args.back());
        const Outcome run = Lumcode(row.args);
        EXPECT_EQ(run.status, row.status) << run.err;
        EXPECT_FALSE(run.err.empty());
    }
    // An image that cannot be written is named with the system's reason.
    for (const char* file : {"/nonexistent/x.svg", "/nonexistent/x.png"}) {
        const Outcome run = Lumcode({"render", "--font-dir", dir, "-o", file, "C39", "A"});
        EXPECT_EQ(run.status, 1);
        EXPECT_EQ(run.err, "lumcode: render: cannot write " + std::string(file) + ": No such file or directory\n");
    }
}

} // namespace
} // namespace lum
