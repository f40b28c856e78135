#include "tests/library/host.h"

#include <dlfcn.h>

#include <cstring>

#include "engine/catalogue.h"

namespace lumtest {
namespace {

template <typename F> void Bind(void* handle, const char* name, F& function, std::string& error)
{
    void* symbol = dlsym(handle, name);
    if (!symbol) {
        error += std::string("missing export ") + name + "; ";
        return;
    }
    function = reinterpret_cast<F>(symbol);
}

Lumdll Load()
{
    Lumdll lib;
    void* handle = dlopen(LUMDLL_PATH, RTLD_NOW | RTLD_LOCAL);
    if (!handle) {
        const char* why = dlerror();
        lib.error = std::string("dlopen ") + LUMDLL_PATH + ": " + (why ? why : "?");
        return lib;
    }
    Bind(handle, "VORValidateStringDLL", lib.validate, lib.error);
    Bind(handle, "VORStringToBarcodeDLL", lib.encode, lib.error);
    Bind(handle, "VORStringToBarcodeBufDLL", lib.encodeBuf, lib.error);
    Bind(handle, "VORValidateStringBufDLL", lib.validateBuf, lib.error);
    Bind(handle, "VORDiagnoseDLL", lib.diagnose, lib.error);
    return lib;
}

} // namespace

const Lumdll& Library()
{
    static const Lumdll lib = Load();
    return lib;
}

EncodeResult Encode(std::string_view text, std::string_view identifier, bool check)
{
    const std::string input(text);
    std::string id(identifier);
    std::vector<char> output(LUMDLL_OUTPUT_CAPACITY(input.size()), '\xAA');
    EncodeResult r;
    r.returned = Library().encode(input.c_str(), id.data(), check ? 1 : 0, output.data());
    r.output.assign(output.data(), strnlen(output.data(), output.size()));
    return r;
}

ValidateResult Validate(std::string_view text, std::string_view identifier, bool check)
{
    std::vector<char> buffer(LUMDLL_VALIDATE_CAPACITY(text.size()), '\xAA');
    std::memcpy(buffer.data(), text.data(), text.size());
    buffer[text.size()] = '\0';
    std::string id(identifier);
    ValidateResult r;
    r.returned = Library().validate(buffer.data(), id.data(), check ? 1 : 0);
    r.text.assign(buffer.data(), strnlen(buffer.data(), buffer.size()));
    return r;
}

std::vector<std::string> Identifiers()
{
    std::vector<std::string> ids;
    for (const lum::Symbology& s : lum::Catalogue())
        ids.emplace_back(s.id);
    return ids;
}

} // namespace lumtest
