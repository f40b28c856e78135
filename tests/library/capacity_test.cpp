// The documented buffer sizes hold for every identifier and every input:
// LUMDLL_OUTPUT_CAPACITY for font strings, LUMDLL_VALIDATE_CAPACITY for the
// text normalised in place. Random texts from a fixed seed.
#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "engine/catalogue.h"
#include "tests/library/host.h"
#include "tests/library/random_text.h"

namespace {

using lumtest::Library;

struct Bound {
    int failures = 0;
    std::map<std::string, int> encoded; // identifier -> requests that gave a font string

    void Check(const std::string& id, const std::string& text, int check)
    {
        const std::size_t n = text.size();
        const lumtest::Lumdll& lib = Library();

        // The bounded export reports the size without writing anything.
        const int length = lib.encodeBuf(text.c_str(), id.c_str(), check, nullptr, 0);
        if (length < 0 || std::size_t(length) + 1 > LUMDLL_OUTPUT_CAPACITY(n))
            Fail("font string of " + std::to_string(length) + " bytes exceeds LUMDLL_OUTPUT_CAPACITY(" +
                     std::to_string(n) + ")",
                 id, text, check);
        if (length > 0)
            ++encoded[id];
        // A reason exactly when the request fails.
        const int reason = lib.diagnose(text.c_str(), id.c_str(), check, 0, nullptr, 0);
        if ((reason == 0) != (length > 0))
            Fail("VORDiagnoseDLL gives " + std::to_string(reason) + " for a request that encodes to " +
                     std::to_string(length) + " bytes",
                 id, text, check);

        std::vector<char> buffer(text.begin(), text.end());
        buffer.resize(n + 64, '\0');
        const int needed = lib.validateBuf(buffer.data(), int(buffer.size()), id.c_str(), check);
        if (needed < 0 || std::size_t(needed) > LUMDLL_VALIDATE_CAPACITY(n))
            Fail("normalised text of " + std::to_string(needed) + " bytes exceeds LUMDLL_VALIDATE_CAPACITY(" +
                     std::to_string(n) + ")",
                 id, text, check);
    }

    void Fail(const std::string& what, const std::string& id, const std::string& text, int check)
    {
        if (++failures <= 10)
            ADD_FAILURE() << what << ": " << id << " check=" << check << " \"" << lumtest::Printable(text) << "\"";
    }
};

TEST(LumdllCapacity, DocumentedCapacitiesHoldForRandomTexts)
{
    LUMTEST_REQUIRE_LIBRARY();
    lumtest::RandomText random(20240611);
    Bound bound;
    const std::vector<std::string> ids = lumtest::Identifiers();
    for (std::size_t length = 0; length <= 300; ++length)
        for (const std::string& id : ids)
            for (int check : {0, 1})
                bound.Check(id, random.Shaped(length + std::size_t(check) * 5, length), check);

    for (std::size_t length : {1000u, 4096u})
        for (const std::string& id : ids)
            for (std::size_t kind = 0; kind < lumtest::RandomText::Kinds(); ++kind)
                bound.Check(id, random.Shaped(kind, length), int(kind % 2));
    // Long texts of the shapes that grow most (two symbols per character in
    // Full ASCII, escapes).
    for (const std::string& id : ids)
        for (std::size_t kind : {6u, 7u, 8u, 10u})
            for (int check : {0, 1})
                bound.Check(id, random.Shaped(kind, 20000), check);
    EXPECT_EQ(bound.failures, 0);

    // The texts must reach the encoders: every entry produced some font string.
    for (const lum::Symbology& s : lum::Catalogue())
        EXPECT_GT(bound.encoded[std::string(s.id)], 0) << s.id << " never encoded";
}

} // namespace
