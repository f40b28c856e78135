// lumcode render: draws the font string of a text with the barcode fonts, as
// a PNG, PDF or SVG image; with --batch one image per input line.
#include <array>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>

#include "cli/command.h"
#include "cli/line.h"
#include "cli/render_batch.h"
#include "cli/render_size.h"
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

constexpr OptionSpec kStyleOption{"--style", "NAME",
                                  "font style: Normal, Narrow, Wide, Short, Narrow short, Wide short"};
constexpr OptionSpec kSizeOption{"--size", "PT", "the font's point size, 1 to 2000"};
constexpr OptionSpec kModuleOption{"--module", "MM", "module (narrow bar) width in mm, 0.01 to 25"};
constexpr OptionSpec kMagnificationOption{"--magnification", "PCT",
                                          "EAN/UPC, ISBN: percent of the 0.33 mm nominal module, 10 to 1000"};
constexpr OptionSpec kDpiOption{"--dpi", "N", "PNG resolution, whole dots per inch, 10 to 4800 (default 300)"};
constexpr OptionSpec kOutputOption{"-o", "FILE", "the image: FILE.pdf PDF, FILE.svg SVG, else PNG; --batch: a pattern"};
constexpr OptionSpec kFontDirOption{"--font-dir", "DIR",
                                    "where the fonts are (default: LUM_FONT_DIR, the build, the install)"};
constexpr OptionSpec kBatchOption{"--batch", "", "one image per line of FILE or standard input"};
constexpr std::array kOptions{kCheckOption,   kRawInputOption,      kStyleOption,  kSizeOption,
                              kModuleOption,  kMagnificationOption, kDpiOption,    kOutputOption,
                              kFontDirOption, kBatchOption,         kMaxLineOption};

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

bool ParseNumber(std::string_view text, SizeLimit limit, double& value)
{
    const std::string s(text);
    char* end = nullptr;
    value = std::strtod(s.c_str(), &end);
    return !s.empty() && end == s.c_str() + s.size() && value >= limit.low && value <= limit.high;
}

std::string Limits(SizeLimit limit)
{
    const auto number = [](double v) {
        std::string s = std::to_string(v);
        s.erase(s.find_last_not_of('0') + 1);
        if (s.back() == '.')
            s.pop_back();
        return s;
    };
    return number(limit.low) + " to " + number(limit.high);
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

// The size options: at most one of --size, --module, --magnification.
std::optional<SizeRequest> ReadSizeRequest(const ParsedArgs& args, const Symbology& entry, const Streams& streams,
                                           int& status)
{
    struct Choice {
        std::string_view option;
        SizeBy by;
        SizeLimit limit;
        const char* what;
    };
    constexpr std::array kChoices{
        Choice{"--size", SizeBy::Points, kPointLimit, "a point size"},
        Choice{"--module", SizeBy::Module, kModuleLimit, "a module width in mm"},
        Choice{"--magnification", SizeBy::Magnification, kMagnificationLimit, "a percentage"},
    };
    SizeRequest request;
    int given = 0;
    for (const Choice& c : kChoices) {
        const auto value = args.Value(c.option);
        if (!value)
            continue;
        if (++given > 1) {
            status = UsageError(streams, &kRenderCommand, "give only one of --size, --module and --magnification");
            return std::nullopt;
        }
        if (c.by == SizeBy::Magnification && !entry.print.magnification) {
            status = UsageError(streams, &kRenderCommand,
                                "--magnification is for EAN/UPC and ISBN; use --module for " + std::string(entry.id));
            return std::nullopt;
        }
        request.by = c.by;
        if (!ParseNumber(*value, c.limit, request.value)) {
            status = UsageError(streams, &kRenderCommand,
                                std::string(c.option) + " needs " + c.what + " from " + Limits(c.limit) + ", not '" +
                                    std::string(*value) + "'");
            return std::nullopt;
        }
    }
    return request;
}

// Reads the arguments, opens the font and settles the size; nullopt after
// an error, whose exit status is then in `status`.
std::optional<RenderSetup> Prepare(const ParsedArgs& args, const Streams& streams, int& status)
{
    RenderSetup setup;
    auto line = ReadLineOptions(kRenderCommand, args, Action::Encode, streams, status);
    if (!line)
        return std::nullopt;
    setup.line = *line;
    setup.line.format = OutputFormat::Raw;
    const bool batch = args.Has("--batch");
    if (!batch && args.positionals.size() < 2) {
        status = UsageError(streams, &kRenderCommand, "the text is missing (or give --batch to read lines)");
        return std::nullopt;
    }
    const auto output = args.Value("-o");
    if (!output || output->empty()) {
        status = UsageError(streams, &kRenderCommand, "the image file is missing (-o FILE)");
        return std::nullopt;
    }
    setup.output = std::string(*output);
    setup.format = render::FormatForFile(setup.output);
    const Symbology& entry = *setup.line.entry;
    const StyleInfo* style = StyleNamed(args.Value("--style").value_or("Normal"));
    if (!style) {
        status = UsageError(streams, &kRenderCommand, "unknown style '" + std::string(*args.Value("--style")) + "'");
        return std::nullopt;
    }
    const std::string fontName = FontName(entry.family, style->english);
    if (fontName.empty()) {
        status = UsageError(streams, &kRenderCommand,
                            std::string(entry.family) + " has no style '" + std::string(style->english) + "'");
        return std::nullopt;
    }
    const PrintGeometry* geometry = &entry.print;
    const PrintGeometry* addOnGeometry = setup.line.addOn ? &setup.line.addOn->print : nullptr;
    const auto size = ReadSizeRequest(args, entry, streams, status);
    if (!size)
        return std::nullopt;
    double dpi = 300;
    if (const auto v = args.Value("--dpi"); v && (!ParseNumber(*v, kDpiLimit, dpi) || dpi != std::floor(dpi))) {
        status = UsageError(streams, &kRenderCommand,
                            "--dpi needs a whole number of dots per inch from " + Limits(kDpiLimit) + ", not '" +
                                std::string(*v) + "'");
        return std::nullopt;
    }

    render::Status opened;
    setup.fontPath = render::FontFile(FontDirectory(args, fontName), fontName);
    setup.font = render::Font::Open(setup.fontPath, opened);
    if (!setup.font) {
        PrintError(streams, "render: " + opened.message);
        status = kExitRejected;
        return std::nullopt;
    }
    const bool raster = setup.format == render::Format::Png;
    const double mmPerPoint = setup.font->ModuleForPointSize(1);
    const ResolvedSize resolved = ResolveSize(*size, *geometry, mmPerPoint, raster ? int(dpi) : 0);
    for (const std::string& note : resolved.notes)
        PrintError(streams, "render: note: " + note);
    for (const std::string& warning : resolved.warnings)
        PrintError(streams, "warning: " + std::string(entry.id) + ": " + warning);
    setup.request.moduleMm = resolved.moduleMm;
    setup.request.dpi = int(dpi);
    setup.request.quietLeft = geometry->quietLeft;
    setup.request.quietRight = (addOnGeometry ? addOnGeometry : geometry)->quietRight;
    return setup;
}

int RenderOne(RenderSetup& setup, std::string_view text, const Streams& streams)
{
    LineHandler handler(setup.line);
    std::string message;
    if (!handler.Handle(text, 0, setup.request.fontString, message)) {
        PrintError(streams, message);
        return kExitRejected;
    }
    setup.request.title = Utf8(setup.line, text);
    std::string bytes;
    render::Status status = render::RenderImage(*setup.font, setup.request, setup.format, bytes);
    if (status.problem == render::Problem::TooLarge)
        return UsageError(streams, &kRenderCommand, TooLargeAdvice(status));
    if (status.Ok())
        status = render::WriteImageFile(setup.output, bytes);
    if (!status.Ok()) {
        PrintError(streams, "render: " + status.message);
        return kExitRejected;
    }
    return kExitOk;
}

int RunRender(const ParsedArgs& args, const Streams& streams)
{
    int status = kExitOk;
    auto setup = Prepare(args, streams, status);
    if (!setup)
        return status;
    if (!args.Has("--batch"))
        return RenderOne(*setup, args.positionals[1], streams);
    const std::string_view input = args.positionals.size() > 1 ? args.positionals[1] : std::string_view("-");
    return RenderBatch(*setup, input, streams);
}

const std::string kDetails = std::string("Encodes TEXT like lumcode encode and draws the font string with the\n"
                                         "barcode font of the symbology's family in the style chosen, with the\n"
                                         "symbology's quiet zones, into FILE: a PDF page when FILE ends in .pdf, SVG\n"
                                         "when it ends in .svg (both outlines at true size), else a 1-bit PNG that\n"
                                         "records its resolution. Two-line font strings (C32HRC, ISBN, ISBN13) are\n"
                                         "drawn as two lines. NAME is a style's display name in English or Italian,\n"
                                         "in any letter case.\n"
                                         "\n"
                                         "Size: without --size, --module or --magnification the module (the narrow\n"
                                         "bar) is the symbology's nominal one: 0.33 mm for EAN/UPC and ISBN, 0.495\n"
                                         "mm for ITF (ITF-14) and E128 (GS1-128), POSTNET at true size, 0.33 mm for\n"
                                         "CBAR and 0.25 mm for the others. A module under the standard's minimum\n"
                                         "(or over its maximum) draws a warning. In a PNG the module is a whole\n"
                                         "number of dots at --dpi and every bar edge falls on a dot boundary, so a\n"
                                         "label printer of that resolution prints it exactly; when that changes the\n"
                                         "size, a note says so.\n"
                                         "\n"
                                         "With --batch, every line of FILE (or of standard input) is a TEXT and\n"
                                         "gets its own image, named by the -o pattern: {line} is the line number,\n"
                                         "{line:N} the same padded with zeros to N digits, {text} the text with\n"
                                         "every character but letters, digits and - _ + . replaced by _; for\n"
                                         "example -o \"labels/{line:5}-{text}.png\". Blank lines are skipped.\n"
                                         "Rejected lines are reported with their numbers and the rest go on; the\n"
                                         "run stops when a file cannot be written or the font cannot be read. On a\n"
                                         "terminal a long run shows its progress.\n"
                                         "\n"
                                         "A failed run leaves an existing FILE as it was. Exit status 1 when a text\n"
                                         "(or a line) was rejected, the font cannot be read or an image cannot be\n"
                                         "written; 2 for a usage error, an image too large for its format included.\n"
                                         "\n") +
                             std::string(kAddOnHelp) + "\n" + std::string(kMaxLineHelp);

} // namespace

const Command kRenderCommand{
    "render",
    "[OPTIONS] -o FILE SYMBOLOGY TEXT\n       lumcode render --batch [OPTIONS] -o PATTERN SYMBOLOGY [FILE]",
    "draw the barcode of a text as PNG, PDF or SVG",
    kDetails,
    kOptions,
    1,
    2,
    RunRender,
};

} // namespace lum::cli
