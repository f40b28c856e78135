#include "assistant/preview/document.h"

#include "engine/text.h"

namespace lum::preview {

double NumericValue(std::string_view text) noexcept
{
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
        ++i;
    double value = 0;
    for (; i < text.size() && IsDigit(text[i]); ++i)
        value = value * 10 + DigitValue(text[i]);
    if (i < text.size() && text[i] == '.') {
        double scale = 0.1;
        for (++i; i < text.size() && IsDigit(text[i]); ++i, scale /= 10)
            value += DigitValue(text[i]) * scale;
    }
    return value;
}

PreviewDocument AggiornaAnteprima(std::string_view fontString, std::string_view family, std::string_view hrc,
                                  const PreviewOptions& options)
{
    const bool secondLine = options.hrcOption && !hrc.empty();
    PreviewDocument doc;
    TextRun bars;
    bars.family = family;
    bars.size = NumericValue(options.sizeText);
    bars.text = fontString;
    if (secondLine)
        bars.text += "\r\n";
    doc.runs.push_back(std::move(bars));
    if (secondLine) {
        const HrcFont& font = options.hrcFont;
        TextRun line;
        line.family = TrimBlanks(font.faceName);
        line.bold = font.bold;
        line.italic = font.italic;
        line.size = font.size;
        line.strikethrough = font.strikethrough;
        line.underline = font.underline;
        line.text = hrc;
        doc.runs.push_back(std::move(line));
    }
    return doc;
}

} // namespace lum::preview
