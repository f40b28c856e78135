// The escape reader alone: from every position it advances and stays inside the text.
#include <cstdint>
#include <string_view>

#include "engine/escape.h"
#include "fuzz/fuzz_common.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    for (lum::Deliverable who : {lum::Deliverable::Library, lum::Deliverable::Assistant}) {
        for (std::size_t start = 0; start < text.size(); ++start) {
            const lum::EscapeRead r = lum::ReadEscape(text, start, who);
            if (r.next <= start || r.next > text.size())
                lum::fuzz::Fail("escape reader did not advance within the text", "");
            if (r.next - start > 5)
                lum::fuzz::Fail("escape longer than five bytes", "");
        }
        std::size_t count = 0;
        for (std::size_t pos = 0; pos < text.size(); pos = lum::ReadEscape(text, pos, who).next)
            ++count;
        if (lum::DecodeEscapes(text, who).size() != count)
            lum::fuzz::Fail("DecodeEscapes disagrees with the reader", "");
    }
    return 0;
}
