// Validate and Encode over every identifier, both flags and both deliverables,
// with the invariants that must hold for any input.
#include <cstring>
#include <string>

#include "engine/catalogue.h"
#include "engine/text.h"
#include "fuzz/fuzz_common.h"
#include "library/lumdll.h"

namespace {

using namespace lum;

// Encoders that may reject a text that validation accepted: those that read escapes.
bool MayFailAfterValidation(const Symbology& s) { return s.escapeLimit != 0; }

// A check routine keeps its input and appends to it, except Codabar's, which
// writes the start and stop letters in lower case and puts the check
// character before the stop.
bool KeepsInput(const Symbology& s, std::string_view in, std::string_view out)
{
    if (s.rule.extra != ExtraRule::CodabarEnds)
        return out.compare(0, in.size(), in) == 0;
    return in.size() >= 2 && out.size() == in.size() + 1 && out.front() == ToLowerAscii(in.front()) &&
           out.substr(1, in.size() - 2) == in.substr(1, in.size() - 2) && out.back() == ToLowerAscii(in.back());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzz::Request r;
    if (!fuzz::ReadRequest(data, size, r))
        return 0;

    std::string validated(r.text);
    const bool accepted = Validate(validated, r.id, r.check);
    const std::string encoded = Encode(r.text, r.id, r.check, r.who);

    if (encoded.size() + 1 > LUMDLL_OUTPUT_CAPACITY(r.text.size()))
        fuzz::Fail("font string longer than the documented capacity", r.id);
    if (encoded.find('\0') != std::string::npos)
        fuzz::Fail("NUL inside a font string", r.id);

    const Symbology* entry = FindSymbology(r.id);
    if (!accepted) {
        if (!encoded.empty())
            fuzz::Fail("a rejected text encoded", r.id);
    } else {
        std::string again = validated;
        if (!Validate(again, r.id, r.check) || again != validated)
            fuzz::Fail("Validate is not idempotent", r.id);
        if (Encode(validated, r.id, r.check, r.who) != encoded)
            fuzz::Fail("Encode of the validated text differs", r.id);
        if (entry && !MayFailAfterValidation(*entry) && encoded.empty())
            fuzz::Fail("an accepted text gave no font string", r.id);
        if (entry && entry->escapeLimit && encoded.empty() != !Diagnose(r.text, r.id, r.check, r.who).Accepted())
            fuzz::Fail("Diagnose disagrees with Encode", r.id);
    }

    // The public check routines take any text: empty or longer, never a crash.
    for (const Symbology& s : Catalogue())
        if (s.checkRoutine) {
            const std::string checked = s.checkRoutine(r.text);
            if (!checked.empty() && !KeepsInput(s, r.text, checked))
                fuzz::Fail("a check routine changed its input", s.id);
        }
    return 0;
}
