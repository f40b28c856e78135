// lumcode render: draws the font string of a text with the barcode fonts, as
// a PNG image or as SVG outlines.
#include <array>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "cli/command.h"
#include "engine/cp1252.h"
#include "cli/line.h"
#include "cli/text_command.h"
#include "engine/fonts.h"
#include "engine/text.h"
#include "fonts/render/render.h"

#ifndef LUM_FONT_BUILD_DIR
#define LUM_FONT_BUILD_DIR ""
#endif
#ifndef LUM_FONT_INSTALL_DIR
#define LUM_FONT_INSTALL_DIR ""
#endif

namespace lum::cli {
namespace {

constexpr OptionSpec kStyleOption{"--style", "NAME", "font style: Normal, Narrow, Wide, Short, Narrow short, Wide short"};
constexpr OptionSpec kSizeOption{"--size", "PT", "point size (default 24)"};
constexpr OptionSpec kDpiOption{"--dpi", "N", "resolution in dots per inch (default 300)"};
constexpr OptionSpec kOutputOption{"-o", "FILE", "the image to write: FILE.svg for SVG, anything else PNG"};
constexpr OptionSpec kFontDirOption{"--font-dir", "DIR", "where the fonts are (default: LUM_FONT_DIR, the build, the install)"};
constexpr std::array kOptions{kCheckOption, kRawInputOption, kStyleOption, kSizeOption,
                              kDpiOption,   kOutputOption,   kFontDirOption};

bool EqualsIgnoringCase(std::string_view a, std::string_view b)
{
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return ToLowerAscii(x) == ToLowerAscii(y); });
}

// The style whose English or Italian display text is `name`, in any letter case.
const StyleInfo* StyleNamed(std::string_view name)
{
    for (const StyleInfo& s : Styles())
        if (EqualsIgnoringCase(s.english, name) || EqualsIgnoringCase(s.italian, name))
            return &s;
    return nullptr;
}

bool ParseNumber(std::string_view text, double low, double high, double& value)
{
    const std::string s(text);
    char* end = nullptr;
    value = std::strtod(s.c_str(), &end);
    return !s.empty() && end == s.c_str() + s.size() && value >= low && value <= high;
}

// The main identifier and add-on of "MAIN+ADD2" / "MAIN+ADD5".
struct Target {
    const Symbology* main = nullptr;
    const Symbology* addOn = nullptr;
};

Target ResolveTarget(std::string_view id)
{
    const auto plus = id.find('+');
    if (plus == std::string_view::npos)
        return {FindTarget(id), nullptr};
    Target t{FindTarget(id.substr(0, plus)), FindTarget(id.substr(plus + 1))};
    const auto isMain = [](const Symbology* s) {
        return s && (s->id == "EAN13" || s->id == "EAN8" || s->id == "UPCA" || s->id == "UPCE");
    };
    if (!isMain(t.main) || !t.addOn || (t.addOn->id != "ADD2" && t.addOn->id != "ADD5"))
        return {};
    return t;
}

// The main symbol's length in an add-on text: 12, 11 or 7 digits with the
// check flag, one more without.
std::size_t MainLength(const Symbology& main, bool check)
{
    const std::size_t n = main.id == "EAN13" ? 12 : main.id == "UPCA" ? 11 : 7;
    return check ? n : n + 1;
}

std::string FontDirectory(const ParsedArgs& args, const std::string& fontName)
{
    if (const auto dir = args.Value("--font-dir"))
        return std::string(*dir);
    if (const char* env = std::getenv("LUM_FONT_DIR"); env && *env)
        return env;
    for (const char* dir : {LUM_FONT_BUILD_DIR, LUM_FONT_INSTALL_DIR})
        if (*dir && std::filesystem::exists(render::FontFile(dir, fontName)))
            return dir;
    return LUM_FONT_INSTALL_DIR;
}

// Encodes one part; on rejection prints the reason and returns false.
bool EncodePart(const Symbology& entry, std::string_view text, bool check, const Streams& streams, std::string& out)
{
    const std::string fontString = Encode(text, entry.id, check, Deliverable::Library);
    if (fontString.empty()) {
        const Verdict verdict = Diagnose(text, entry.id, check, Deliverable::Library);
        PrintError(streams, std::string(entry.id) + ": " + DescribeRejection(entry, verdict, text, check));
        return false;
    }
    out += fontString;
    return true;
}

int RunRender(const ParsedArgs& args, const Streams& streams)
{
    const Target target = ResolveTarget(args.positionals[0]);
    if (!target.main)
        return UnknownSymbology(streams, kRenderCommand, args.positionals[0]);
    const auto output = args.Value("-o");
    if (!output || output->empty())
        return UsageError(streams, &kRenderCommand, "the image file is missing (-o FILE)");
    const StyleInfo* style = StyleNamed(args.Value("--style").value_or("Normal"));
    if (!style)
        return UsageError(streams, &kRenderCommand, "unknown style '" + std::string(*args.Value("--style")) + "'");
    const std::string fontName = FontName(target.main->family, style->english);
    if (fontName.empty())
        return UsageError(streams, &kRenderCommand,
                          std::string(target.main->family) + " has no style '" + std::string(style->english) + "'");
    double size = 24, dpi = 300;
    if (const auto v = args.Value("--size"); v && !ParseNumber(*v, 1, 2000, size))
        return UsageError(streams, &kRenderCommand, "--size needs a point size from 1 to 2000");
    if (const auto v = args.Value("--dpi"); v && !ParseNumber(*v, 10, 4800, dpi))
        return UsageError(streams, &kRenderCommand, "--dpi needs a resolution from 10 to 4800");

    std::string text;
    if (args.Has("--raw-input")) {
        text = args.positionals[1];
    } else if (!Utf8ToCp1252(args.positionals[1], text).Ok()) {
        PrintError(streams, "the text is not UTF-8 of Windows-1252 characters");
        return kExitRejected;
    }
    const bool check = args.Has("--check");
    std::string fontString;
    if (target.addOn) {
        const std::size_t n = std::min(MainLength(*target.main, check), text.size());
        const std::size_t addLength = target.addOn->id == "ADD2" ? 2 : 5;
        if (!EncodePart(*target.main, std::string_view(text).substr(0, n), check, streams, fontString) ||
            !EncodePart(*target.addOn, std::string_view(text).substr(n, addLength), true, streams, fontString))
            return kExitRejected;
    } else if (!EncodePart(*target.main, text, check, streams, fontString)) {
        return kExitRejected;
    }

    render::Request request;
    request.fontPath = render::FontFile(FontDirectory(args, fontName), fontName);
    request.fontString = fontString;
    request.pointSize = size;
    request.dpi = int(dpi);
    request.quiet = render::QuietZoneForFamily(target.main->family);
    const std::string file(*output);
    std::string error;
    if (file.size() > 4 && EqualsIgnoringCase(std::string_view(file).substr(file.size() - 4), ".svg")) {
        const auto svg = render::RenderSvg(request);
        error = svg.error;
        if (error.empty()) {
            std::FILE* f = std::fopen(file.c_str(), "wb");
            const bool ok = f && std::fwrite(svg.svg.data(), 1, svg.svg.size(), f) == svg.svg.size();
            if (!f || std::fclose(f) != 0 || !ok)
                error = "cannot write " + file;
        }
    } else {
        const auto image = render::RenderBitmap(request);
        error = image.error.empty() ? render::WritePng(image.bitmap, file) : image.error;
    }
    if (!error.empty()) {
        PrintError(streams, "render: " + error);
        return kExitRejected;
    }
    return kExitOk;
}

constexpr std::string_view kDetails =
    "Encodes TEXT like lumcode encode and draws the font string with the\n"
    "barcode font of the symbology's family in the style chosen, with the\n"
    "symbology's quiet zones, into FILE: SVG outlines when FILE ends in .svg,\n"
    "else a greyscale PNG. Two-line font strings (C32HRC, ISBN, ISBN13) are\n"
    "drawn as two lines. SYMBOLOGY may also be EAN13, EAN8, UPCA or UPCE\n"
    "followed by +ADD2 or +ADD5: TEXT then holds the main code (12, 7, 11, 7\n"
    "digits with --check, one more without) and the add-on digits after it.\n"
    "NAME is a style's display name in English or Italian, in any letter case.\n";

} // namespace

const Command kRenderCommand{
    "render", "[OPTIONS] -o FILE SYMBOLOGY TEXT", "draw the barcode of a text as PNG or SVG", kDetails, kOptions, 2, 2,
    RunRender,
};

} // namespace lum::cli
