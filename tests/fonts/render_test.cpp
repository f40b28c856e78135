// lum_render on the generated fonts: bars on whole pixels, quiet zones, two-line
// strings, PDF and SVG at true size, the PNG encoder against libpng, the
// image file writer, failures reported as problems.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>

#include "fonts/render/render.h"
#include "tests/fonts/image_files.h"

namespace lum {
namespace {

using test::DecodePng;
using test::ReadPng;
using test::Slurp;

std::unique_ptr<render::Font> Open(const std::string& fontName)
{
    render::Status status;
    auto font = render::Font::Open(render::FontFile(LUM_FONT_DIR, fontName), status);
    EXPECT_TRUE(status.Ok()) << status.message;
    return font;
}

render::Request At(const std::string& fontString, int modulePixels, int dpi = 300)
{
    render::Request r;
    r.fontString = fontString;
    r.dpi = dpi;
    r.moduleMm = modulePixels * 25.4 / dpi;
    return r;
}

std::vector<int> Runs(const render::Bitmap& b, int row)
{
    std::vector<int> runs;
    int x = 0;
    while (x < b.width && b.At(x, row) >= 128)
        ++x;
    while (x < b.width) {
        const bool ink = b.At(x, row) < 128;
        int n = 0;
        while (x < b.width && (b.At(x, row) < 128) == ink)
            ++x, ++n;
        if (x < b.width || ink)
            runs.push_back(n);
    }
    return runs;
}

TEST(Render, BarsTakeWholePixels)
{
    // Code 39 start/stop n w n n w n w n n (ISO/IEC 16388). Wide is 80 font
    // units (71 Narrow, 96 Wide) of a 32-unit module: at an odd number of
    // pixels a module it is rounded, the same way for every wide element.
    struct Row {
        const char* font;
        int pixels;
        int narrow, wide;
    } rows[] = {
        {"VOR39", 4, 4, 10},        // 2.5 x 4
        {"VOR39", 3, 3, 8},         // 7.5 rounded up
        {"VOR39 Narrow", 3, 3, 7},  // 6.66
        {"VOR39 Wide", 3, 3, 9},    // 3 x 3
        {"VOR39 Narrow", 5, 5, 11}, // 11.09
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.font) + " at " + std::to_string(row.pixels) + " px");
        auto font = Open(row.font);
        ASSERT_TRUE(font);
        render::Bitmap b;
        render::Layout layout;
        ASSERT_TRUE(render::RenderBitmap(*font, At("#ABC#", row.pixels), b, &layout).Ok());
        EXPECT_EQ(layout.modulePixels, row.pixels);
        const int n = row.narrow, w = row.wide;
        const std::vector<int> startStop{n, w, n, n, w, n, w, n, n};
        std::vector<int> runs = Runs(b, b.height / 2);
        ASSERT_GE(runs.size(), 9u);
        EXPECT_EQ(std::vector<int>(runs.begin(), runs.begin() + 9), startStop);
        // Every element is narrow or wide, exactly.
        EXPECT_TRUE(std::all_of(runs.begin(), runs.end(), [&](int r) { return r == n || r == w; }));
        EXPECT_TRUE(std::all_of(b.pixels.begin(), b.pixels.end(), [](std::uint8_t p) { return p == 0 || p == 255; }));
    }
}

TEST(Render, QuietZonesAndMarginsInModules)
{
    auto font = Open("VOR39");
    ASSERT_TRUE(font);
    render::Request r = At("#A#", 4);
    r.quietLeft = 10;
    r.quietRight = 7;
    render::Bitmap b;
    ASSERT_TRUE(render::RenderBitmap(*font, r, b).Ok());
    int first = 0, last = b.width - 1;
    while (b.At(first, b.height / 2) >= 128)
        ++first;
    while (b.At(last, b.height / 2) >= 128)
        --last;
    EXPECT_EQ(first, 40);                  // 10 modules of 4 px
    EXPECT_EQ(b.width - 1 - last, 28 + 4); // 7 modules, after the stop's trailing gap of one module
    int top = 0;
    while (b.At(first, top) >= 128)
        ++top;
    EXPECT_EQ(top, 8);                // 2 modules
    EXPECT_EQ(b.height, 8 + 100 + 8); // bars 800 units = 25 modules = 100 px
}

TEST(Render, TwoLineStringIsTwoLines)
{
    auto font = Open("VOR32");
    ASSERT_TRUE(font);
    render::Layout one, two;
    render::Bitmap bars, both;
    ASSERT_TRUE(render::RenderBitmap(*font, At("|*EWYUJV#", 4), bars, &one).Ok());
    ASSERT_TRUE(render::RenderBitmap(*font, At("|*EWYUJV#\r\nA123456788", 4), both, &two).Ok());
    ASSERT_EQ(two.baselines.size(), 2u);
    EXPECT_GT(two.baselines[1], two.baselines[0]);
    EXPECT_GT(both.height, bars.height);
    ASSERT_EQ(two.glyphLeft.size(), 2u);
    EXPECT_EQ(two.glyphLeft[1].size(), 10u);
}

TEST(Render, VectorPagesAreOutlinesAtTrueSize)
{
    auto font = Open("VOR39");
    ASSERT_TRUE(font);
    render::Request r;
    r.fontString = "#ABCX#";
    r.moduleMm = 0.25;
    r.title = "ABCX";
    // 6 characters of 3 wide (80 units) and 6 narrow (32) elements and a
    // 32-unit gap: 6 x 464 units = 87 modules, with 20 of quiet zone 107
    // modules = 26.75 mm = 75.83 pt.
    const double widthPt = 107 * 0.25 * 72 / 25.4;
    std::string svg, pdf;
    ASSERT_TRUE(render::RenderImage(*font, r, render::Format::Svg, svg).Ok());
    ASSERT_TRUE(render::RenderImage(*font, r, render::Format::Pdf, pdf).Ok());
    EXPECT_EQ(std::count(svg.begin(), svg.end(), 'Z'), 6 * 5); // one closed outline per bar
    double svgWidth = 0;
    ASSERT_EQ(std::sscanf(svg.c_str() + svg.find("width=\""), "width=\"%lfpt\"", &svgWidth), 1);
    EXPECT_NEAR(svgWidth, widthPt, 0.01);
    ASSERT_EQ(pdf.rfind("%PDF-", 0), 0u);
    double box[4] = {};
    const auto media = pdf.find("/MediaBox [");
    ASSERT_NE(media, std::string::npos);
    ASSERT_EQ(std::sscanf(pdf.c_str() + media, "/MediaBox [ %lf %lf %lf %lf", &box[0], &box[1], &box[2], &box[3]), 4);
    EXPECT_NEAR(box[2], widthPt, 0.01);
}

TEST(Render, PngHoldsTheRasterAndItsResolution)
{
    struct Row {
        const char* font;
        std::string fontString;
        int pixels, dpi;
    } rows[] = {
        {"VOREAN", "5|JabCDe!nopqrt|-+K_Z", 4, 300}, // bars, digits under and above them
        {"VOR128", "\x89IJ5\x8b", 2, 203},           {"VOR32", "|*EWYUJV#\r\nA123456788", 3, 300}, // two lines
        {"VORPOSTNET", "*12345#", 6, 300},           {"VOR39", "#A#", 1, 72}, // a row narrower than a deflate reference
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.font);
        auto font = Open(row.font);
        ASSERT_TRUE(font);
        const render::Request r = At(row.fontString, row.pixels, row.dpi);
        render::Bitmap raster;
        std::string png;
        ASSERT_TRUE(render::RenderBitmap(*font, r, raster).Ok());
        ASSERT_TRUE(render::RenderImage(*font, r, render::Format::Png, png).Ok());
        const render::Bitmap decoded = DecodePng(png);
        EXPECT_EQ(decoded.width, raster.width);
        EXPECT_EQ(decoded.height, raster.height);
        EXPECT_TRUE(decoded.pixels == raster.pixels);
        const auto phys = png.find("pHYs");
        ASSERT_NE(phys, std::string::npos);
        const auto* p = reinterpret_cast<const unsigned char*>(png.data() + phys + 4);
        const unsigned long perMetre = (p[0] << 24UL) | (p[1] << 16) | (p[2] << 8) | p[3];
        EXPECT_EQ(perMetre, std::lround(row.dpi / 0.0254));
    }
}

TEST(Render, PngEncoderRoundTripsThroughLibpng)
{
    // Rows repeated, runs longer than a deflate reference, random bytes, and
    // rows too long to refer back to (more than 32 KiB).
    std::mt19937 rng(3);
    struct Row {
        int width, height;
        int repeatEvery; // a new random row every N rows
        int levels;      // distinct grey values
    } rows[] = {{1, 1, 1, 256}, {2, 5, 2, 2}, {7, 300, 50, 2}, {600, 40, 1, 256}, {600, 80, 7, 3}, {40000, 3, 2, 2}};
    for (const Row& row : rows) {
        SCOPED_TRACE(std::to_string(row.width) + " x " + std::to_string(row.height));
        render::Bitmap b;
        b.width = row.width;
        b.height = row.height;
        b.dpi = 203;
        b.pixels.resize(std::size_t(b.width) * std::size_t(b.height));
        std::uniform_int_distribution<int> level(0, row.levels - 1), runLength(1, 700);
        for (int y = 0; y < b.height; ++y) {
            std::uint8_t* line = b.pixels.data() + std::size_t(y) * std::size_t(b.width);
            if (y % row.repeatEvery != 0) {
                std::copy(line - b.width, line, line);
                continue;
            }
            for (int x = 0; x < b.width;) {
                const auto value = std::uint8_t(level(rng) * 255 / std::max(1, row.levels - 1));
                for (int n = runLength(rng); n > 0 && x < b.width; --n)
                    line[x++] = value;
            }
        }
        std::string png;
        ASSERT_TRUE(render::EncodePng(b, png).Ok());
        const render::Bitmap decoded = DecodePng(png);
        EXPECT_EQ(decoded.width, b.width);
        EXPECT_TRUE(decoded.pixels == b.pixels);
    }
}

TEST(Render, FailuresAreProblems)
{
    auto font = Open("VOR39");
    ASSERT_TRUE(font);
    struct Row {
        render::Request request;
        render::Format format;
        render::Problem problem;
        const char* said; // in the message
    } rows[] = {
        {At("#a#", 4), render::Format::Png, render::Problem::NoGlyph, "character 97"},
        {At("#A#", 0), render::Format::Png, render::Problem::BadSize, "positive"},
        {At(std::string(2000, 'A'), 4), render::Format::Png, render::Problem::TooLarge, "32767 pixels a side"},
        {At(std::string(2000, 'A'), 40), render::Format::Pdf, render::Problem::TooLarge, "200 in"},
        {At("__", 4), render::Format::Png, render::Problem::None, ""}, // space symbols have bars
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.said);
        std::string bytes;
        const render::Status status = render::RenderImage(*font, row.request, row.format, bytes);
        EXPECT_EQ(status.problem, row.problem) << status.message;
        EXPECT_NE(status.message.find(row.said), std::string::npos) << status.message;
    }
    render::Status status;
    EXPECT_FALSE(render::Font::Open("/nonexistent/VOR39.ttf", status));
    EXPECT_EQ(status.problem, render::Problem::FontUnreadable);
    EXPECT_NE(status.message.find("/nonexistent/VOR39.ttf"), std::string::npos);
}

// A damaged font is an error naming the file, never a blank image.
TEST(Render, DamagedFontIsAnError)
{
    const auto dir = std::filesystem::temp_directory_path() / ("lum-render-font-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    const std::string whole = Slurp(render::FontFile(LUM_FONT_DIR, "VOR39"));
    ASSERT_GT(whole.size(), 1000u);
    for (const std::size_t keep : {whole.size() / 2, whole.size() * 3 / 4, whole.size() - 200, std::size_t(100)}) {
        SCOPED_TRACE("kept " + std::to_string(keep) + " of " + std::to_string(whole.size()) + " bytes");
        const auto path = dir / "VOR39.ttf";
        std::ofstream(path, std::ios::binary).write(whole.data(), std::streamsize(keep));
        render::Status status;
        auto font = render::Font::Open(path.string(), status);
        std::string png;
        if (font)
            status = render::RenderImage(*font, At("#ABC#", 4), render::Format::Png, png);
        EXPECT_FALSE(status.Ok());
        EXPECT_NE(status.message.find(path.string()), std::string::npos) << status.message;
    }
    std::filesystem::remove_all(dir);
}

class ImageFile : public ::testing::Test {
protected:
    std::filesystem::path dir =
        std::filesystem::temp_directory_path() / ("lum-render-file-" + std::to_string(::getpid()));
    void SetUp() override { std::filesystem::create_directories(dir); }
    void TearDown() override { std::filesystem::remove_all(dir); }
    std::vector<std::string> Names() const
    {
        std::vector<std::string> names;
        for (const auto& e : std::filesystem::directory_iterator(dir))
            names.push_back(e.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }
};

TEST_F(ImageFile, ReplacesThroughLinksKeepingPermissions)
{
    const auto target = dir / "label.png", link = dir / "current.png";
    std::ofstream(target) << "old";
    ::chmod(target.c_str(), 0640);
    std::filesystem::create_symlink("label.png", link);
    ASSERT_TRUE(render::WriteImageFile(link.string(), "new image").Ok());
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(Slurp(target), "new image");
    struct stat st {};
    ASSERT_EQ(::stat(target.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
    EXPECT_EQ(Names(), (std::vector<std::string>{"current.png", "label.png"})); // no temporary left
    // A device is written to, not replaced.
    EXPECT_TRUE(render::WriteImageFile("/dev/null", "bytes").Ok());
    // A file that cannot be written is named with the system's reason.
    const render::Status missing = render::WriteImageFile("/nonexistent/x.png", "x");
    EXPECT_EQ(missing.problem, render::Problem::WriteFailed);
    EXPECT_EQ(missing.message, "cannot write /nonexistent/x.png: No such file or directory");
    EXPECT_EQ(render::WriteImageFile("/dev/full", "x").message, "cannot write /dev/full: No space left on device");
}

} // namespace
} // namespace lum
