// The C exports through their C interface, with identifier buffers of any
// length and case and output capacities from 0 upward.
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>

#include "fuzz/fuzz_common.h"
#include "library/lumdll.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 4)
        return 0;
    // Byte 0: identifier (as in the engine target); byte 1: flag and case
    // mangling; byte 2: capacity; byte 3: raw identifier length when picking none.
    lum::fuzz::Request r;
    lum::fuzz::ReadRequest(data, size, r);
    const int flag = data[1] & 1;
    std::string text(reinterpret_cast<const char*>(data + 4), size - 4);
    text = text.substr(0, text.find('\0')); // the C interface sees zero-terminated strings

    std::string id(r.id);
    if (r.id == "NOSUCH")
        id.assign(std::size_t(data[3]), char('A' + data[3] % 26));
    for (std::size_t i = 0; i < id.size(); ++i)
        if ((data[1] >> (1 + i % 7)) & 1)
            id[i] = char(std::tolower(static_cast<unsigned char>(id[i])));
    std::string upper = id;
    for (char& c : upper)
        c = char(std::toupper(static_cast<unsigned char>(c)));

    // Unbounded export with exactly the documented room.
    const std::size_t room = LUMDLL_OUTPUT_CAPACITY(text.size());
    auto out = std::make_unique<char[]>(room);
    std::string idBuffer = id;
    const int length = VORStringToBarcodeDLL(text.c_str(), idBuffer.data(), flag, out.get());
    if (idBuffer != upper)
        lum::fuzz::Fail("identifier not upper-cased in place", id);
    if (length < 0 || std::strlen(out.get()) != std::size_t(length))
        lum::fuzz::Fail("result length differs from the string written", id);

    // Bounded export into a heap block of exactly `capacity` bytes.
    const int capacity = data[2] % 2 ? int(data[2]) : length + 1 - int(data[2] % 3);
    auto bounded = std::make_unique<char[]>(std::size_t(std::max(capacity, 1)));
    const int needed = VORStringToBarcodeBufDLL(text.c_str(), id.c_str(), flag, capacity > 0 ? bounded.get() : nullptr,
                                                std::max(capacity, 0));
    if (needed != length)
        lum::fuzz::Fail("bounded export reports another size", id);
    if (capacity > length && std::strcmp(bounded.get(), out.get()) != 0)
        lum::fuzz::Fail("bounded export wrote another string", id);

    // Validation in place with the documented room, and its bounded form.
    const std::size_t vroom = LUMDLL_VALIDATE_CAPACITY(text.size());
    std::string inPlace = text;
    inPlace.resize(vroom, '\0');
    idBuffer = id;
    const int ok = VORValidateStringDLL(inPlace.data(), idBuffer.data(), flag);
    std::string boundedText = text;
    boundedText.resize(vroom, '\0');
    const int need = VORValidateStringBufDLL(boundedText.data(), int(vroom), id.c_str(), flag);
    if ((need > 0) != (ok == 1))
        lum::fuzz::Fail("the two validations disagree", id);
    if (ok && std::strcmp(inPlace.c_str(), boundedText.c_str()) != 0)
        lum::fuzz::Fail("the two validations normalise differently", id);
    if (ok && std::size_t(need) != std::strlen(inPlace.c_str()) + 1)
        lum::fuzz::Fail("bounded validation reports another size", id);
    return 0;
}
