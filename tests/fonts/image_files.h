// Reading back what the renderer wrote: a file's bytes, and a PNG decoded by
// libpng (an oracle independent of the renderer's own PNG writer).
#pragma once

#include <png.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "fonts/render/render.h"

namespace lum::test {

inline std::string Slurp(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// An 8-bit grey image decoded by libpng, any bit depth converted; empty when
// the bytes are no PNG.
inline render::Bitmap DecodePng(const std::string& bytes)
{
    render::Bitmap b;
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&image, bytes.data(), bytes.size()))
        return b;
    image.format = PNG_FORMAT_GRAY;
    b.width = int(image.width);
    b.height = int(image.height);
    b.pixels.resize(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, b.pixels.data(), 0, nullptr))
        b = {};
    return b;
}

inline render::Bitmap ReadPng(const std::filesystem::path& path) { return DecodePng(Slurp(path)); }

} // namespace lum::test
