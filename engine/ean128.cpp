#include "engine/ean128.h"

#include <optional>

namespace lum {

Code128Sequence Ean128Values(std::string_view text, Deliverable who)
{
    // The leading FNC1 plays no part in the start decision; the shared
    // encoder places it after the start character it has chosen.
    const std::optional<std::string> decoded = DecodeCode128Text(text, who);
    return decoded ? Code128ValueSequence(*decoded, true, who) : Code128Sequence{};
}

std::string EncodeEan128(std::string_view text, Deliverable who) { return EncodeCode128Text(text, true, who); }

} // namespace lum
