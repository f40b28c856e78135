// LUMDLL as a host sees it: the shared object loaded with dlopen and its
// exports bound by name with dlsym.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "library/lumdll.h"

namespace lumtest {

struct Lumdll {
    decltype(&VORValidateStringDLL) validate = nullptr;
    decltype(&VORStringToBarcodeDLL) encode = nullptr;
    decltype(&VORStringToBarcodeBufDLL) encodeBuf = nullptr;
    decltype(&VORValidateStringBufDLL) validateBuf = nullptr;
    decltype(&VORDiagnoseDLL) diagnose = nullptr;
    std::string error; // dlopen or dlsym failure, empty when all are bound
};

// Loaded once per process and never unloaded.
const Lumdll& Library();

// VORStringToBarcodeDLL into a buffer of exactly LUMDLL_OUTPUT_CAPACITY bytes,
// with the identifier in a writable copy.
struct EncodeResult {
    int returned = -1;
    std::string output; // up to the first zero
    bool operator==(const EncodeResult&) const = default;
};
EncodeResult Encode(std::string_view text, std::string_view identifier, bool check);

// VORValidateStringDLL on a copy of the text in a buffer of
// LUMDLL_VALIDATE_CAPACITY bytes; the text afterwards.
struct ValidateResult {
    int returned = -1;
    std::string text;
    bool operator==(const ValidateResult&) const = default;
};
ValidateResult Validate(std::string_view text, std::string_view identifier, bool check);

// Every catalogue identifier.
std::vector<std::string> Identifiers();

} // namespace lumtest

// Fails the test (and skips the rest of it) when the library could not be bound.
#define LUMTEST_REQUIRE_LIBRARY() ASSERT_EQ(::lumtest::Library().error, "")
