// lum_render on the generated fonts: exact bar widths at a whole-pixel module,
// quiet zones, two-line strings, SVG from outlines, failures reported.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "fonts/render/render.h"

namespace lum {
namespace {

render::Request Vor39(const std::string& fontString, double pointSize = 30)
{
    render::Request r;
    r.fontPath = render::FontFile(LUM_FONT_DIR, "VOR39");
    r.fontString = fontString;
    r.pointSize = pointSize; // 30 pt at 300 dpi: 1000 units = 125 px, X = 32 units = 4 px
    r.dpi = 300;
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

TEST(Render, WholePixelModulesGiveExactBars)
{
    render::Layout layout;
    const auto result = render::RenderBitmap(Vor39("#"), &layout);
    ASSERT_EQ(result.error, "");
    EXPECT_DOUBLE_EQ(layout.modulePixels, 4.0);
    // Code 39 start/stop n w n n w n w n n at X = 4 px, wide 2.5X = 10 px (ISO/IEC 16388 table).
    const std::vector<int> expected{4, 10, 4, 4, 10, 4, 10, 4, 4};
    EXPECT_EQ(Runs(result.bitmap, result.bitmap.height / 2), expected);
    // No grey: every edge falls on a pixel boundary.
    for (std::uint8_t p : result.bitmap.pixels)
        ASSERT_TRUE(p == 0 || p == 255);
}

TEST(Render, QuietZonesInModules)
{
    render::Request r = Vor39("#A#");
    r.quiet = {10, 10, 2, 2};
    const auto result = render::RenderBitmap(r);
    ASSERT_EQ(result.error, "");
    const auto& b = result.bitmap;
    int first = 0;
    while (b.At(first, b.height / 2) >= 128)
        ++first;
    EXPECT_EQ(first, 40); // 10 modules of 4 px
    int top = 0;
    while (b.At(first, top) >= 128)
        ++top;
    EXPECT_EQ(top, 8);                // 2 modules
    EXPECT_EQ(b.height, 8 + 100 + 8); // bars 800 units = 100 px
}

TEST(Render, TwoLineStringIsTwoLines)
{
    render::Request r;
    r.fontPath = render::FontFile(LUM_FONT_DIR, "VOR32");
    r.dpi = 300;
    r.fontString = "|*EWYUJV#";
    render::Layout one, two;
    const auto bars = render::RenderBitmap(r, &one);
    r.fontString += "\r\nA123456788";
    const auto both = render::RenderBitmap(r, &two);
    ASSERT_EQ(bars.error, "");
    ASSERT_EQ(both.error, "");
    ASSERT_EQ(two.baselines.size(), 2u);
    EXPECT_GT(two.baselines[1], two.baselines[0]);
    EXPECT_GT(both.bitmap.height, bars.bitmap.height);
    ASSERT_EQ(two.glyphLeft.size(), 2u);
    EXPECT_EQ(two.glyphLeft[1].size(), 10u);
}

TEST(Render, SvgHasOnePathPerBar)
{
    const auto svg = render::RenderSvg(Vor39("#ABCX#"));
    ASSERT_EQ(svg.error, "");
    // 6 Code 39 characters of 5 bars each.
    EXPECT_EQ(std::count(svg.svg.begin(), svg.svg.end(), 'M'), 30);
    EXPECT_NE(svg.svg.find("<svg"), std::string::npos);
    EXPECT_NE(svg.svg.find("mm\""), std::string::npos);
}

TEST(Render, FailuresAreReported)
{
    EXPECT_NE(render::RenderBitmap(Vor39("#a#")).error.find("character 97"), std::string::npos);
    render::Request missing = Vor39("#A#");
    missing.fontPath = "/nonexistent/VOR39.ttf";
    EXPECT_NE(render::RenderBitmap(missing).error, "");
    EXPECT_NE(render::RenderSvg(missing).error, "");
    EXPECT_NE(render::RenderBitmap(Vor39("#A#", 0)).error, "");
    EXPECT_NE(render::WritePng(render::Bitmap{}, "/tmp/x.png"), "");
    // A file that cannot be written is named with the system's reason.
    const auto image = render::RenderBitmap(Vor39("#A#"));
    EXPECT_EQ(render::WritePng(image.bitmap, "/nonexistent/x.png"),
              "cannot write /nonexistent/x.png: No such file or directory");
    EXPECT_EQ(render::WritePng(image.bitmap, "/dev/full"), "cannot write /dev/full: No space left on device");
}

TEST(Render, PngIsWritten)
{
    const auto result = render::RenderBitmap(Vor39("#A#"));
    const auto path =
        std::filesystem::temp_directory_path() / ("lum-render-test-" + std::to_string(::getpid()) + ".png");
    ASSERT_EQ(render::WritePng(result.bitmap, path.string()), "");
    std::ifstream in(path, std::ios::binary);
    char sig[8] = {};
    in.read(sig, 8);
    EXPECT_EQ(std::string(sig + 1, 3), "PNG");
    std::filesystem::remove(path);
}

} // namespace
} // namespace lum
