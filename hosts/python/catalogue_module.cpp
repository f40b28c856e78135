// Writes lum/_catalogue.py, the facts of the Python module that LUMDLL does
// not export: the symbologies with their display names, font families and
// styles, the style names in both languages, and every font name. All of it
// is read from the engine's tables, so the module cannot drift from them.
#include <cstdio>
#include <fstream>
#include <string>
#include <string_view>

#include "engine/catalogue.h"
#include "engine/cp1252.h"
#include "engine/fonts.h"

namespace {

// A Python string literal for an engine (Windows-1252) string; the file stays ASCII.
std::string Literal(std::string_view cp1252)
{
    std::string out = "\"";
    for (const char c : cp1252) {
        const char32_t cp = lum::Cp1252ToUnicode(static_cast<unsigned char>(c));
        if (cp == '"' || cp == '\\') {
            out += '\\';
            out += char(cp);
        } else if (cp >= 0x20 && cp < 0x7F) {
            out += char(cp);
        } else {
            char escape[12];
            std::snprintf(escape, sizeof escape, "\\u%04X", unsigned(cp));
            out += escape;
        }
    }
    return out + '"';
}

std::string StyleTuple(const lum::FontFamily* family)
{
    std::string out = "(";
    for (const lum::StyleInfo& style : lum::Styles())
        if (family && lum::FamilyHasStyle(*family, style.style))
            out += Literal(style.english) + ", ";
    return out + ")";
}

std::string Module()
{
    std::string out = "# Generated at build time from the engine's tables; do not edit.\n\n";
    out += "# identifier, English name, Italian name, font family, styles (English names)\n";
    out += "SYMBOLOGIES = (\n";
    for (const lum::Symbology& s : lum::Catalogue()) {
        out += "    (" + Literal(s.id) + ", " + Literal(lum::DisplayNameText(s.nameId, lum::Language::English)) + ", " +
               Literal(lum::DisplayNameText(s.nameId, lum::Language::Italian)) + ", " + Literal(s.family) + ", " +
               StyleTuple(lum::FindFontFamily(s.family)) + "),\n";
    }
    out += ")\n\n# English and Italian display names of the styles\nSTYLES = (\n";
    for (const lum::StyleInfo& style : lum::Styles())
        out += "    (" + Literal(style.english) + ", " + Literal(style.italian) + "),\n";
    out += ")\n\n# (family, English style name): font name, for the styles each family has\nFONT_NAMES = {\n";
    for (const lum::FontFamily& family : lum::FontFamilies())
        for (const lum::StyleInfo& style : lum::Styles())
            if (const std::string name = lum::FontName(family.name, style.english); !name.empty())
                out += "    (" + Literal(family.name) + ", " + Literal(style.english) + "): " + Literal(name) + ",\n";
    return out + "}\n";
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT.py\n", argv[0]);
        return 2;
    }
    std::ofstream file(argv[1], std::ios::binary);
    file << Module();
    file.close();
    if (!file) {
        std::fprintf(stderr, "%s: cannot write %s\n", argv[0], argv[1]);
        return 1;
    }
    return 0;
}
