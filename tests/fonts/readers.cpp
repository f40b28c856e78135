#include "tests/fonts/readers.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <memory>
#include <unistd.h>

#include <zbar.h> // before ZXing, whose headers define names the zbar C++ wrappers use
#define ZX_USE_UTF8 1
#include <ZXing/ReadBarcode.h>
#include <zint.h>

namespace lum::test {

render::Font* GeneratedFont(const std::string& fontName)
{
    static std::map<std::string, std::unique_ptr<render::Font>> fonts;
    auto& font = fonts[fontName];
    if (!font) {
        render::Status status;
        font = render::Font::Open(render::FontFile(LUM_FONT_DIR, fontName), status);
    }
    return font.get();
}

Raster DrawFontString(const std::string& fontName, const std::string& fontString, int modulePixels, int dpi)
{
    Raster out;
    render::Font* font = GeneratedFont(fontName);
    if (!font) {
        out.status = {render::Problem::FontUnreadable, "cannot open " + fontName};
        return out;
    }
    render::Request request;
    request.fontString = fontString;
    request.dpi = dpi;
    request.moduleMm = modulePixels * 25.4 / dpi;
    out.status = render::RenderBitmap(*font, request, out.bitmap, &out.layout);
    return out;
}

std::vector<Decoded> DecodeZbar(const render::Bitmap& bitmap)
{
    using namespace zbar;
    std::vector<Decoded> out;
    zbar_image_scanner_t* scanner = zbar_image_scanner_create();
    zbar_image_scanner_set_config(scanner, ZBAR_NONE, ZBAR_CFG_ENABLE, 1);
    for (zbar_symbol_type_t t : {ZBAR_EAN2, ZBAR_EAN5, ZBAR_UPCA, ZBAR_UPCE})
        zbar_image_scanner_set_config(scanner, t, ZBAR_CFG_ENABLE, 1);
    zbar_image_scanner_set_config(scanner, ZBAR_ISBN10, ZBAR_CFG_ENABLE, 0);
    zbar_image_scanner_set_config(scanner, ZBAR_ISBN13, ZBAR_CFG_ENABLE, 0);
    zbar_image_scanner_set_config(scanner, ZBAR_CODABAR, ZBAR_CFG_MIN_LEN, 1);
    zbar_image_t* image = zbar_image_create();
    zbar_image_set_format(image, zbar_fourcc('Y', '8', '0', '0'));
    zbar_image_set_size(image, unsigned(bitmap.width), unsigned(bitmap.height));
    zbar_image_set_data(image, bitmap.pixels.data(), bitmap.pixels.size(), nullptr);
    zbar_scan_image(scanner, image);
    for (const zbar_symbol_t* s = zbar_image_first_symbol(image); s; s = zbar_symbol_next(s))
        out.push_back({zbar_get_symbol_name(zbar_symbol_get_type(s)),
                       std::string(zbar_symbol_get_data(s), zbar_symbol_get_data_length(s))});
    zbar_image_destroy(image);
    zbar_image_scanner_destroy(scanner);
    return out;
}

std::vector<Decoded> DecodeZxing(const render::Bitmap& bitmap, bool readAddOns)
{
    ZXing::ImageView view(bitmap.pixels.data(), bitmap.width, bitmap.height, ZXing::ImageFormat::Lum);
    ZXing::DecodeHints hints;
    hints.setTryHarder(true);
    hints.setReturnCodabarStartEnd(true);
    hints.setEanAddOnSymbol(readAddOns ? ZXing::EanAddOnSymbol::Require : ZXing::EanAddOnSymbol::Ignore);
    std::vector<Decoded> out;
    for (const ZXing::Result& r : ZXing::ReadBarcodes(view, hints)) {
        if (!r.isValid())
            continue;
        const auto& bytes = r.bytes();
        out.push_back({ZXing::ToString(r.format()), std::string(bytes.begin(), bytes.end())});
    }
    return out;
}

std::vector<int> ScanLineRuns(const render::Bitmap& bitmap, int row)
{
    std::vector<int> runs;
    bool inBar = true;
    int run = 0, x = 0;
    while (x < bitmap.width && bitmap.At(x, row) >= 128)
        ++x;
    int last = bitmap.width - 1;
    while (last >= x && bitmap.At(last, row) >= 128)
        --last;
    for (; x <= last; ++x) {
        const bool ink = bitmap.At(x, row) < 128;
        if (ink != inBar) {
            runs.push_back(run);
            run = 0;
            inBar = ink;
        }
        ++run;
    }
    if (run > 0)
        runs.push_back(run);
    return runs;
}

ZintSymbol ZintRows(int symbology, const std::string& data, int option2)
{
    ZintSymbol out;
    zint_symbol* symbol = ZBarcode_Create();
    symbol->symbology = symbology;
    symbol->option_2 = option2;
    const int rc = ZBarcode_Encode(symbol, reinterpret_cast<const unsigned char*>(data.data()), int(data.size()));
    if (rc >= ZINT_ERROR) {
        out.error = symbol->errtxt;
    } else {
        for (int r = 0; r < symbol->rows; ++r) {
            std::string bits;
            for (int c = 0; c < symbol->width; ++c)
                bits += ((symbol->encoded_data[r][c >> 3] >> (c & 7)) & 1) ? '1' : '0';
            std::vector<int> runs;
            std::size_t first = bits.find('1'), last = bits.rfind('1');
            for (std::size_t i = first; first != std::string::npos && i <= last;) {
                std::size_t j = i;
                while (j <= last && bits[j] == bits[i])
                    ++j;
                runs.push_back(int(j - i));
                i = j;
            }
            out.rows.push_back(runs);
            out.modules.push_back(bits);
        }
    }
    ZBarcode_Delete(symbol);
    return out;
}

std::string NarrowWide(const std::vector<int>& runs)
{
    if (runs.empty())
        return {};
    const auto [lo, hi] = std::minmax_element(runs.begin(), runs.end());
    const double mid = (*lo + *hi) / 2.0;
    std::string out;
    for (int r : runs)
        out += (*hi > *lo * 1.5 && r > mid) ? 'w' : 'n';
    return out;
}

render::Bitmap Collage(const render::Bitmap& source, const std::vector<Box>& boxes, int gap)
{
    const int margin = 2 * gap;
    int width = margin, height = 0;
    for (const Box& b : boxes) {
        width += (b.x1 - b.x0) + gap;
        height = std::max(height, b.y1 - b.y0);
    }
    render::Bitmap out;
    out.width = width + margin;
    out.height = height + 2 * margin;
    out.dpi = source.dpi;
    out.pixels.assign(std::size_t(out.width) * std::size_t(out.height), 255);
    int x = margin;
    for (const Box& b : boxes) {
        for (int y = b.y0; y < b.y1; ++y)
            for (int c = b.x0; c < b.x1; ++c)
                if (c >= 0 && c < source.width && y >= 0 && y < source.height)
                    out.pixels[std::size_t(margin + y - b.y0) * std::size_t(out.width) + std::size_t(x + c - b.x0)] =
                        source.At(c, y);
        x += (b.x1 - b.x0) + gap;
    }
    return out;
}

std::string OcrLine(const render::Bitmap& bitmap, const std::string& whitelist)
{
    // Tests run as parallel processes: the process id keeps their files apart.
    static int counter = 0;
    const auto dir = std::filesystem::temp_directory_path();
    const std::string png =
        (dir / ("lum-ocr-" + std::to_string(getpid()) + "-" + std::to_string(++counter) + ".png")).string();
    std::string bytes;
    if (!render::EncodePng(bitmap, bytes).Ok() || !render::WriteImageFile(png, bytes).Ok())
        return "<cannot write image>";
    const std::string command =
        "tesseract '" + png + "' stdout --psm 7 -c tessedit_char_whitelist=" + whitelist + " 2>/dev/null";
    std::string text;
    if (std::FILE* pipe = popen(command.c_str(), "r")) {
        char buf[256];
        while (std::fgets(buf, sizeof buf, pipe))
            text += buf;
        pclose(pipe);
    }
    std::filesystem::remove(png);
    text.erase(std::remove_if(text.begin(), text.end(), [](char c) { return c == ' ' || c == '\n' || c == '\f'; }),
               text.end());
    return text;
}

} // namespace lum::test
