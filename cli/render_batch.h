// lumcode render: what a run needs once the arguments are read, and the
// batch mode that draws one image per input line.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "cli/command.h"
#include "cli/line.h"
#include "fonts/render/render.h"

namespace lum::cli {

struct RenderSetup {
    LineOptions line;
    std::string output; // the image, or with --batch the name pattern
    render::Format format = render::Format::Png;
    std::string fontPath;
    std::unique_ptr<render::Font> font;
    render::Request request; // all but the font string and the title
};

// A line as typed, in Windows-1252 for messages (QuoteForMessage) and in
// UTF-8 for a PDF title.
std::string Windows1252(const LineOptions& options, std::string_view line);
std::string Utf8(const LineOptions& options, std::string_view line);

// The message for an image too large for its format, with what to change.
std::string TooLargeAdvice(const render::Status& status);

// Draws one image per line of `input` ("-": standard input), named by the
// pattern in `setup.output`; returns the exit status.
int RenderBatch(RenderSetup& setup, std::string_view input, const Streams& streams);

} // namespace lum::cli
