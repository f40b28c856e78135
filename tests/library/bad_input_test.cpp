// Hostile input: huge texts, every byte value, escapes cut off at the end,
// identifiers of any length, content and case. Every call returns a result
// consistent with what it wrote (the sanitizer build checks the memory side).
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "tests/library/host.h"
#include "tests/library/random_text.h"

namespace {

using lumtest::Library;

std::string UpperAscii(std::string s)
{
    for (char& c : s)
        c = (c >= 'a' && c <= 'z') ? char(c - 'a' + 'A') : c;
    return s;
}

// Both unbounded exports and a small bounded call; the results must be
// self-consistent.
void Exercise(const std::string& text, const std::string& id, int check)
{
    const lumtest::EncodeResult e = lumtest::Encode(text, id, check != 0);
    ASSERT_GE(e.returned, 0);
    ASSERT_EQ(std::size_t(e.returned), e.output.size());
    ASSERT_LE(e.output.size() + 1, LUMDLL_OUTPUT_CAPACITY(text.size()));

    const lumtest::ValidateResult v = lumtest::Validate(text, id, check != 0);
    ASSERT_TRUE(v.returned == 0 || v.returned == 1);
    if (v.returned == 0) {
        ASSERT_EQ(v.text, text);
    }
    if (e.returned > 0) {
        ASSERT_EQ(v.returned, 1) << "encoded a text that validation rejects";
    }

    char small[4];
    const int n = Library().encodeBuf(text.c_str(), id.c_str(), check, small, int(sizeof small));
    ASSERT_EQ(n, e.returned);
}

TEST(LumdllBadInput, MegabyteTexts)
{
    LUMTEST_REQUIRE_LIBRARY();
    constexpr std::size_t kMiB = 1 << 20;
    lumtest::RandomText random(5);
    std::string cutEscapes;
    while (cutEscapes.size() < kMiB)
        cutEscapes += "\\d25\\x4";
    cutEscapes.resize(kMiB - 1);
    cutEscapes += '\\';
    const std::vector<std::string> texts = {random.Bytes(kMiB), std::string(kMiB, '7'), std::string(kMiB, 'a'),
                                            cutEscapes};
    // One output buffer of the documented size for all calls.
    std::vector<char> output(LUMDLL_OUTPUT_CAPACITY(kMiB));
    // Each identifier gets one of the texts whole and the others cut to 64 KiB.
    const std::vector<std::string> ids = lumtest::Identifiers();
    for (std::size_t i = 0; i < ids.size(); ++i)
        for (std::size_t k = 0; k < texts.size(); ++k) {
            const std::string text = k == i % texts.size() ? texts[k] : texts[k].substr(texts[k].size() - 65536);
            const int check = int((i + k) % 2);
            SCOPED_TRACE(ids[i] + " \"" + lumtest::Printable(text, 12) + "\"");
            std::string writableId = ids[i];
            const int n = Library().encode(text.c_str(), writableId.data(), check, output.data());
            ASSERT_GE(n, 0);
            ASSERT_LT(std::size_t(n), output.size());
            ASSERT_EQ(strnlen(output.data(), output.size()), std::size_t(n));
            ASSERT_LE(std::size_t(n) + 1, LUMDLL_OUTPUT_CAPACITY(text.size()));
        }
}

TEST(LumdllBadInput, EveryByteValue)
{
    LUMTEST_REQUIRE_LIBRARY();
    std::string all;
    for (int b = 1; b < 256; ++b)
        all += char(b);
    for (const std::string& id : lumtest::Identifiers())
        for (int check : {0, 1}) {
            SCOPED_TRACE(id + " check=" + std::to_string(check));
            Exercise(all, id, check);
            for (int b = 1; b < 256; ++b) {
                SCOPED_TRACE("byte " + std::to_string(b));
                Exercise(std::string(1, char(b)), id, check);
                Exercise("12" + std::string(1, char(b)) + "34", id, check);
                Exercise("A" + std::string(1, char(b)), id, check);
            }
        }
}

TEST(LumdllBadInput, EscapesCutOffAtTheEnd)
{
    LUMTEST_REQUIRE_LIBRARY();
    const char* const texts[] = {"\\",   "AB\\", "\\d",  "\\D",   "\\d2",   "\\d25",  "\\d999", "\\x",
                                 "\\X",  "\\x4", "\\xG", "\\0",   "\\12",   "\\777",  "\\\\",   "\\\\\\",
                                 "A\\d", "1\\x", "\\d0", "\\d13", "\\d255", "\\d256", "\\400",  "\\xff"};
    for (const std::string& id : lumtest::Identifiers())
        for (const char* text : texts)
            for (int check : {0, 1}) {
                SCOPED_TRACE(id + " check=" + std::to_string(check) + " \"" + text + "\"");
                Exercise(text, id, check);
            }
}

// Random identifiers of 0 to 100 bytes: those naming no entry validate any
// text and encode none; the caller's buffer ends up with a-z upper-cased and
// every other byte as it was.
TEST(LumdllBadInput, IdentifiersOfAnyLengthAndContent)
{
    LUMTEST_REQUIRE_LIBRARY();
    lumtest::RandomText random(99);
    const std::vector<std::string> known = lumtest::Identifiers();
    for (int i = 0; i < 2000; ++i) {
        std::string id =
            i % 2 ? random.Bytes(random.Below(101))
                  : random.From("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789", random.Below(9));
        const std::string upper = UpperAscii(id);
        const bool isKnown = std::find(known.begin(), known.end(), upper) != known.end();
        SCOPED_TRACE("identifier \"" + lumtest::Printable(id) + "\"");

        std::string buffer = id;
        char output[LUMDLL_OUTPUT_CAPACITY(3)];
        const int n = Library().encode("123", buffer.data(), 1, output);
        EXPECT_EQ(buffer, upper);
        EXPECT_EQ(std::size_t(n), std::strlen(output));
        if (!isKnown) {
            EXPECT_EQ(n, 0);
            char text[LUMDLL_VALIDATE_CAPACITY(3)] = "abc";
            buffer = id;
            EXPECT_EQ(Library().validate(text, buffer.data(), 0), 1);
            EXPECT_STREQ(text, "abc");
            EXPECT_EQ(buffer, upper);
        }
    }

    std::string huge(1 << 20, 'c');
    char output[LUMDLL_OUTPUT_CAPACITY(3)];
    EXPECT_EQ(Library().encode("ABC", huge.data(), 1, output), 0);
    EXPECT_EQ(huge, std::string(1 << 20, 'C'));
}

// Any mix of cases selects the entry of the upper-case identifier.
TEST(LumdllBadInput, IdentifierCaseDoesNotMatter)
{
    LUMTEST_REQUIRE_LIBRARY();
    lumtest::RandomText random(3);
    for (const std::string& id : lumtest::Identifiers())
        for (std::size_t kind = 0; kind < lumtest::RandomText::Kinds(); ++kind) {
            std::string mixed = id;
            for (char& c : mixed)
                if (c >= 'A' && c <= 'Z' && random.Below(2))
                    c = char(c - 'A' + 'a');
            const std::string text = random.Shaped(kind, random.Below(20));
            const int check = int(kind % 2);
            SCOPED_TRACE(mixed + " \"" + lumtest::Printable(text) + "\"");
            EXPECT_EQ(lumtest::Encode(text, mixed, check != 0), lumtest::Encode(text, id, check != 0));
            EXPECT_EQ(lumtest::Validate(text, mixed, check != 0), lumtest::Validate(text, id, check != 0));
            char a[16];
            char b[16];
            EXPECT_EQ(Library().encodeBuf(text.c_str(), mixed.c_str(), check, a, 16),
                      Library().encodeBuf(text.c_str(), id.c_str(), check, b, 16));
            EXPECT_STREQ(a, b);
        }
}

} // namespace
