// lum_font_list FILE: writes the list of barcode fonts to generate, taken from
// the engine's font families, one font a line with four tab-separated fields:
// the font name (the file name without ".ttf"), its family, the glyph set that
// draws the family and the English display name of its style. FILE is
// rewritten only when its content changes, so the fonts are made again only
// when the list does.
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

#include "engine/fonts.h"

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: lum_font_list FILE\n");
        return 2;
    }
    std::string list;
    for (const lum::FontFamily& family : lum::FontFamilies()) {
        if (family.glyphs.empty())
            continue;
        for (const lum::StyleInfo& style : lum::FontStyles(family)) {
            list.append(lum::FontName(family.name, style.english)).push_back('\t');
            list.append(family.name).push_back('\t');
            list.append(family.glyphs).push_back('\t');
            list.append(style.english).push_back('\n');
        }
    }
    std::ifstream old(argv[1], std::ios::binary);
    if (old && std::string(std::istreambuf_iterator<char>(old), {}) == list)
        return 0;
    old.close();
    std::ofstream out(argv[1], std::ios::binary | std::ios::trunc);
    out << list;
    out.close();
    if (!out) {
        std::fprintf(stderr, "lum_font_list: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
