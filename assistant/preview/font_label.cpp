#include "assistant/preview/font_label.h"

#include "engine/text.h"

#include <cmath>

namespace lum::preview {

std::string AggiornaEtichettaFont(const HrcFont& font)
{
    std::string flags;
    if (font.bold)
        flags += 'B';
    if (font.italic)
        flags += 'I';
    if (font.underline)
        flags += 'U';
    if (font.strikethrough)
        flags += 'S';
    std::string label(TrimBlanks(font.faceName));
    label += " (";
    if (!flags.empty())
        label += flags + "; ";
    label += std::to_string(font.size) + " punti)";
    return label;
}

int RoundPointSize(double points) noexcept
{
    if (std::isnan(points))
        return 0;
    if (points <= -32768)
        return -32768;
    if (points >= 32767)
        return 32767;
    // Halves to even, whatever rounding mode the thread is in.
    const double down = std::floor(points);
    const double diff = points - down;
    double whole = down;
    if (diff > 0.5 || (diff == 0.5 && std::fmod(down, 2.0) != 0))
        whole = down + 1;
    return static_cast<int>(whole);
}

} // namespace lum::preview
