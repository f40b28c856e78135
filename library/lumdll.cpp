// The C exports of LUMDLL: thin frames around the engine pipeline.
#include "library/lumdll.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <string>

#include "engine/catalogue.h"
#include "engine/cp1252.h"
#include "engine/rejection.h"
#include "engine/text.h"

namespace {

using lum::Deliverable;

// Upper-cases the identifier in the caller's buffer, writing only the bytes
// that change, so a read-only identifier that is already upper case survives.
std::string_view UpperCaseInPlace(char* identifier) noexcept
{
    const std::size_t n = std::strlen(identifier);
    for (std::size_t i = 0; i < n; ++i)
        if (const char u = lum::ToUpperAscii(identifier[i]); u != identifier[i])
            identifier[i] = u;
    return {identifier, n};
}

// The working copy of the text: max(64, 2 * length + 10) bytes, released on return.
std::string WorkingCopy(const char* text)
{
    const std::size_t n = std::strlen(text);
    std::string work;
    work.reserve(std::max<std::size_t>(64, 2 * n + 10));
    work.assign(text, n);
    return work;
}

// Validates and encodes; empty on any failure, and for a font string whose
// length an int cannot return.
std::string FontString(const char* text, std::string_view identifier, int check)
{
    const lum::Symbology* entry = lum::FindSymbology(identifier);
    if (!entry)
        return {};
    std::string work = WorkingCopy(text);
    if (!lum::ValidateText(work, *entry, check != 0).Accepted())
        return {};
    std::string result = lum::EncodeNormalised(*entry, work, check != 0, Deliverable::Library);
    if (result.size() >= std::size_t(INT_MAX))
        return {};
    return result;
}

int WriteResult(const std::string& result, char* output) noexcept
{
    std::memcpy(output, result.data(), result.size());
    output[result.size()] = '\0';
    return static_cast<int>(result.size());
}

} // namespace

extern "C" {

LUMDLL_API int LUMDLL_CALL VORValidateStringDLL(char* text, char* identifier, int check_digit)
{
    if (!text || !identifier)
        return 0;
    try {
        const std::string_view id = UpperCaseInPlace(identifier);
        std::string work(text);
        if (!lum::Validate(work, id, check_digit != 0))
            return 0;
        if (work != text)
            std::memcpy(text, work.c_str(), work.size() + 1);
        return 1;
    } catch (...) {
        return 0;
    }
}

// The output is written only after the text has been read, so a host may pass
// one buffer as both text and output.
LUMDLL_API int LUMDLL_CALL VORStringToBarcodeDLL(const char* text, char* identifier, int check_digit, char* output)
{
    if (!output)
        return 0;
    if (!text || !identifier) {
        output[0] = '\0';
        return 0;
    }
    try {
        const std::string_view id = UpperCaseInPlace(identifier);
        return WriteResult(FontString(text, id, check_digit), output);
    } catch (...) {
        output[0] = '\0';
        return 0;
    }
}

LUMDLL_API int LUMDLL_CALL VORStringToBarcodeBufDLL(const char* text, const char* identifier, int check_digit,
                                                    char* output, int capacity)
{
    // A NULL output counts as capacity 0: a size query, whatever `capacity` says.
    const bool writable = output && capacity > 0;
    if (!text || !identifier) {
        if (writable)
            output[0] = '\0';
        return 0;
    }
    try {
        const std::string result = FontString(text, identifier, check_digit);
        if (writable)
            WriteResult(result.size() < std::size_t(capacity) ? result : std::string(), output);
        return static_cast<int>(result.size());
    } catch (...) {
        if (writable)
            output[0] = '\0';
        return 0;
    }
}

LUMDLL_API int LUMDLL_CALL VORValidateStringBufDLL(char* text, int capacity, const char* identifier, int check_digit)
{
    if (!text || !identifier || capacity < 0)
        return 0;
    try {
        // Read no further than the capacity: the text need not be terminated inside it.
        const std::size_t n = strnlen(text, std::size_t(capacity));
        if (n == std::size_t(capacity))
            return 0;
        std::string work(text, n);
        if (!lum::Validate(work, identifier, check_digit != 0))
            return 0;
        if (work.size() < std::size_t(capacity))
            std::memcpy(text, work.c_str(), work.size() + 1);
        return static_cast<int>(work.size() + 1);
    } catch (...) {
        return 0;
    }
}

LUMDLL_API int LUMDLL_CALL VORDiagnoseDLL(const char* text, const char* identifier, int check_digit, int language,
                                          char* output, int capacity)
{
    const bool writable = output && capacity > 0;
    if (writable)
        output[0] = '\0';
    if (!text || !identifier)
        return 0;
    try {
        const lum::ReasonStyle style{language == 1 ? lum::Language::Italian : lum::Language::English,
                                     lum::FlagWording::Argument, Deliverable::Library};
        const std::string reason = lum::RejectionReason(text, identifier, check_digit != 0, style);
        if (reason.size() >= std::size_t(INT_MAX))
            return 0;
        if (writable && reason.size() < std::size_t(capacity))
            WriteResult(reason, output);
        return static_cast<int>(reason.size());
    } catch (...) {
        if (writable)
            output[0] = '\0';
        return 0;
    }
}

} // extern "C"
