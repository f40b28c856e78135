// The exports as a host calls them: identifier and text buffers,
// normalisation in place, failure results, and how far each export writes.
#include <gtest/gtest.h>

#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "tests/library/host.h"

namespace {

using lumtest::Library;

constexpr char kCanary = '\xAA';

// One page holding a zero-terminated string, made read-only: any write to it
// kills the test with SIGSEGV.
class ReadOnlyString {
public:
    explicit ReadOnlyString(const std::string& s)
    {
        size_ = std::size_t(sysconf(_SC_PAGESIZE));
        void* page = mmap(nullptr, size_, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        if (page == MAP_FAILED || s.size() >= size_)
            return;
        std::memcpy(page, s.c_str(), s.size() + 1);
        if (mprotect(page, size_, PROT_READ) != 0) {
            munmap(page, size_);
            return;
        }
        page_ = static_cast<char*>(page);
    }
    ~ReadOnlyString()
    {
        if (page_)
            munmap(page_, size_);
    }
    ReadOnlyString(const ReadOnlyString&) = delete;
    ReadOnlyString& operator=(const ReadOnlyString&) = delete;
    char* get() const { return page_; }

private:
    char* page_ = nullptr;
    std::size_t size_ = 0;
};

// Bytes of `buffer` from `from` on that no longer hold the canary.
std::size_t ChangedFrom(const std::vector<char>& buffer, std::size_t from)
{
    std::size_t changed = 0;
    for (std::size_t i = from; i < buffer.size(); ++i)
        changed += buffer[i] != kCanary;
    return changed;
}

// A few texts of each shape the catalogue's rules accept, and some they reject.
const std::vector<std::string> kSampleTexts = {"",
                                               "0",
                                               "12345",
                                               "1234567",
                                               "12345678",
                                               "123456789012",
                                               "ABC",
                                               "abc-12",
                                               "A123B",
                                               "a12-3d",
                                               "0123456789ABCDEF",
                                               "A\\tB\\d200\\x41",
                                               "AB C",
                                               "\\",
                                               "Code 39",
                                               "0123456789012345678901234567890123456789"};

TEST(LumdllIdentifier, LowerCaseIdentifierIsUpperCasedInTheCallersBuffer)
{
    LUMTEST_REQUIRE_LIBRARY();
    char text[LUMDLL_VALIDATE_CAPACITY(3)] = "abc";
    char id1[] = "c39";
    EXPECT_EQ(Library().validate(text, id1, 1), 1);
    EXPECT_STREQ(id1, "C39");

    char id2[] = "c39";
    char output[LUMDLL_OUTPUT_CAPACITY(3)];
    EXPECT_EQ(Library().encode("ABC", id2, 1, output), 6);
    EXPECT_STREQ(id2, "C39");

    // Mixed case and non-letters: only a-z change.
    char id3[] = "eAn13";
    char digits[LUMDLL_VALIDATE_CAPACITY(1)] = "5";
    EXPECT_EQ(Library().validate(digits, id3, 1), 1);
    EXPECT_STREQ(id3, "EAN13");
    EXPECT_STREQ(digits, "000000000005");
}

TEST(LumdllIdentifier, UpperCaseIdentifierInReadOnlyMemoryIsOnlyRead)
{
    LUMTEST_REQUIRE_LIBRARY();
    const ReadOnlyString id("C39");
    ASSERT_NE(id.get(), nullptr);

    char text[LUMDLL_VALIDATE_CAPACITY(3)] = "abc";
    EXPECT_EQ(Library().validate(text, id.get(), 1), 1);
    EXPECT_STREQ(text, "ABC");

    char output[LUMDLL_OUTPUT_CAPACITY(3)];
    EXPECT_EQ(Library().encode("ABC", id.get(), 1, output), 6);
    EXPECT_STREQ(output, "#ABCX#");
    EXPECT_STREQ(id.get(), "C39");
}

TEST(LumdllIdentifier, BoundedExportsOnlyReadALowerCaseIdentifier)
{
    LUMTEST_REQUIRE_LIBRARY();
    const ReadOnlyString id("c39");
    ASSERT_NE(id.get(), nullptr);

    char text[LUMDLL_VALIDATE_CAPACITY(3)] = "abc";
    EXPECT_EQ(Library().validateBuf(text, int(sizeof text), id.get(), 1), 4);
    EXPECT_STREQ(text, "ABC");
    char output[16];
    EXPECT_EQ(Library().encodeBuf("ABC", id.get(), 0, output, int(sizeof output)), 5);
    EXPECT_STREQ(output, "#ABC#");
    EXPECT_STREQ(id.get(), "c39");
}

TEST(LumdllText, EncodeOnlyReadsTheText)
{
    LUMTEST_REQUIRE_LIBRARY();
    // Lower case and short: validation upper-cases, pads, on its own copy only.
    for (const char* id : {"C39", "EAN13", "C25", "POSTNET", "C39FULL"}) {
        SCOPED_TRACE(id);
        const ReadOnlyString text("abc");
        const ReadOnlyString digits("123");
        ASSERT_NE(text.get(), nullptr);
        ASSERT_NE(digits.get(), nullptr);
        std::string writableId = id;
        char output[LUMDLL_OUTPUT_CAPACITY(3)];
        Library().encode(text.get(), writableId.data(), 1, output);
        Library().encode(digits.get(), writableId.data(), 1, output);
        Library().encodeBuf(digits.get(), id, 0, output, int(sizeof output));
        EXPECT_STREQ(text.get(), "abc");
        EXPECT_STREQ(digits.get(), "123");
    }
}

// Validation rules of the catalogue, edge cases worked by hand.
TEST(LumdllValidate, NormalisesInPlace)
{
    LUMTEST_REQUIRE_LIBRARY();
    struct Row {
        const char* id;
        int check;
        const char* text;
        int accepted;
        const char* after; // the caller's text afterwards
    };
    const Row rows[] = {
        {"C39", 1, "abc", 1, "ABC"},
        {"C39", 1, "abc-12", 1, "ABC-12"},
        {"C39", 1, "CODE_39", 1, "CODE_39"},
        {"C39", 1, "abc 12", 0, "abc 12"}, // the space is "_"; rejected text is left alone
        {"EAN13", 1, "", 1, "000000000000"},
        {"EAN13", 0, "", 1, "0000000000000"},
        {"EAN13", 1, "1234567890123", 0, "1234567890123"}, // 13 digits need the flag clear
        {"EAN13", 1, "12a", 0, "12a"},
        {"C25", 1, "123", 1, "123"},    // the check digit makes four
        {"C25", 1, "1234", 1, "01234"}, // five with the check digit would be odd
        {"C25", 0, "123", 1, "0123"},
        {"C25", 0, "1234", 1, "1234"},
        {"UPCE", 1, "1234567", 1, "1234567"},
        {"UPCE", 1, "2234567", 0, "2234567"}, // number system 2
        {"UPCE", 1, "123", 1, "0000123"},
        {"POSTNET", 1, "1234", 1, "01234"},
        {"POSTNET", 1, "123456", 1, "000123456"},
        {"POSTNET", 1, "123456789012", 0, "123456789012"},
        {"CBAR", 1, "a123b", 1, "A123B"},
        {"CBAR", 1, "A123", 0, "A123"},
        {"CBAR", 1, "AB", 0, "AB"},
        {"ISBN", 0, "123", 1, "000000123"}, // the flag does not change the ISBN length
        {"ISBN", 1, "123", 1, "000000123"},
        {"C39FULL", 1, "any text\\d200", 1, "any text\\d200"}, // no rule: unchanged
        {"NOSUCHID", 1, "abc", 1, "abc"},
        {"", 0, "abc", 1, "abc"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.id) + " check=" + std::to_string(row.check) + " \"" + row.text + "\"");
        const lumtest::ValidateResult r = lumtest::Validate(row.text, row.id, row.check != 0);
        EXPECT_EQ(r.returned, row.accepted);
        EXPECT_EQ(r.text, row.after);

        // The bounded form agrees and reports the size of the normalised text.
        std::vector<char> buffer(LUMDLL_VALIDATE_CAPACITY(std::strlen(row.text)), '\0');
        std::memcpy(buffer.data(), row.text, std::strlen(row.text));
        const int needed = Library().validateBuf(buffer.data(), int(buffer.size()), row.id, row.check);
        EXPECT_EQ(needed, row.accepted ? int(std::strlen(row.after)) + 1 : 0);
        EXPECT_STREQ(buffer.data(), row.after);
    }
}

// Code 39 (ISO/IEC 16388) values: 0-9 = 0-9, A-Z = 10-35, - . _ $ / + % = 36-42;
// the check character is the sum modulo 43. Full ASCII entries from the same
// standard ("a" = "+A", tab = "$I", "\" = "%L").
TEST(LumdllEncode, Code39AndFullAscii)
{
    LUMTEST_REQUIRE_LIBRARY();
    struct Row {
        const char* id;
        int check;
        const char* text;
        const char* font;
    };
    const Row rows[] = {
        {"C39", 1, "ABC", "#ABCX#"}, // 10 + 11 + 12 = 33 = "X"
        {"C39", 0, "ABC", "#ABC#"},
        {"c39", 1, "abc", "#ABCX#"}, // normalised on the working copy
        {"C39", 0, "", "##"},
        {"C39", 1, "", "#0#"},
        {"C39", 1, "CODE_39", "#CODE_39R#"}, // 12+24+13+14+38+3+9 = 113 = 2 * 43 + 27 = "R"
        {"C39FULL", 0, "Code 39", "#C+O+D+E_39#"},
        {"C39FULL", 0, "A\\tB", "#A$IB#"},
        {"C39FULL", 1, "a", "#+A8#"},     // "+A": 41 + 10 = 51, 51 - 43 = 8
        {"C39FULL", 0, "AB\\", "#AB%L#"}, // a final backslash is itself
        {"C39FULL", 0, "\\d065\\101\\x41", "#AAA#"},
        {"C39FULL", 0, "\\q", "#+Q#"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.id) + " check=" + std::to_string(row.check) + " \"" + row.text + "\"");
        const lumtest::EncodeResult r = lumtest::Encode(row.text, row.id, row.check != 0);
        EXPECT_EQ(r.output, row.font);
        EXPECT_EQ(r.returned, int(std::strlen(row.font)));
    }
}

TEST(LumdllEncode, RejectedTextGivesZeroAndAnEmptyString)
{
    LUMTEST_REQUIRE_LIBRARY();
    struct Row {
        const char* id;
        int check;
        const char* text;
    };
    const Row rows[] = {
        {"C39", 1, "AB C"},      {"C39", 0, "abc\x80"}, {"EAN13", 1, "1234567890123"},   {"EAN13", 0, "12a"},
        {"UPCE", 1, "2234567"},  {"CBAR", 1, "A123"},   {"POSTNET", 0, "1234567890123"}, {"C39FULL", 0, "\\d200"},
        {"C39FULL", 1, "A\xC8"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.id) + " check=" + std::to_string(row.check) + " \"" + row.text + "\"");
        const lumtest::EncodeResult r = lumtest::Encode(row.text, row.id, row.check != 0);
        EXPECT_EQ(r.returned, 0);
        EXPECT_EQ(r.output, "");

        char output[32];
        std::memset(output, kCanary, sizeof output);
        EXPECT_EQ(Library().encodeBuf(row.text, row.id, row.check, output, int(sizeof output)), 0);
        EXPECT_EQ(output[0], '\0');
    }
}

TEST(LumdllEncode, UnknownIdentifierValidatesButDoesNotEncode)
{
    LUMTEST_REQUIRE_LIBRARY();
    std::string longer;
    while (longer.size() < 300)
        longer += "C39FULL";
    for (const std::string& id : {std::string(""), std::string("XYZ"), std::string("C3"), std::string("C39 "),
                                  std::string(" C39"), std::string("C39\x80"), longer}) {
        SCOPED_TRACE("identifier \"" + id + "\"");
        for (const char* text : {"", "ABC", "abc", "123"}) {
            SCOPED_TRACE(text);
            const lumtest::ValidateResult v = lumtest::Validate(text, id, true);
            EXPECT_EQ(v.returned, 1);
            EXPECT_EQ(v.text, text);
            const lumtest::EncodeResult e = lumtest::Encode(text, id, true);
            EXPECT_EQ(e.returned, 0);
            EXPECT_EQ(e.output, "");

            char buffer[8] = {};
            std::strcpy(buffer, text);
            EXPECT_EQ(Library().validateBuf(buffer, int(sizeof buffer), id.c_str(), 1), int(std::strlen(text)) + 1);
            char output[16];
            std::memset(output, kCanary, sizeof output);
            EXPECT_EQ(Library().encodeBuf(text, id.c_str(), 1, output, int(sizeof output)), 0);
            EXPECT_EQ(output[0], '\0');
        }
    }
}

// Every export writes the result and its zero and nothing after them.
TEST(LumdllBuffers, NothingIsWrittenPastTheTerminatingZero)
{
    LUMTEST_REQUIRE_LIBRARY();
    for (const std::string& id : lumtest::Identifiers())
        for (const std::string& text : kSampleTexts)
            for (int check : {0, 1}) {
                SCOPED_TRACE(id + " check=" + std::to_string(check) + " \"" + text + "\"");
                std::vector<char> output(LUMDLL_OUTPUT_CAPACITY(text.size()), kCanary);
                std::string writableId = id;
                const int n = Library().encode(text.c_str(), writableId.data(), check, output.data());
                ASSERT_GE(n, 0);
                ASSERT_LT(std::size_t(n), output.size());
                EXPECT_EQ(output[std::size_t(n)], '\0');
                EXPECT_EQ(std::memchr(output.data(), '\0', std::size_t(n)), nullptr);
                EXPECT_EQ(ChangedFrom(output, std::size_t(n) + 1), 0u);

                std::vector<char> buffer(LUMDLL_VALIDATE_CAPACITY(text.size()), kCanary);
                std::memcpy(buffer.data(), text.c_str(), text.size() + 1);
                writableId = id;
                if (Library().validate(buffer.data(), writableId.data(), check) == 1) {
                    const std::size_t length = strnlen(buffer.data(), buffer.size());
                    ASSERT_LT(length, buffer.size());
                    EXPECT_EQ(ChangedFrom(buffer, std::max(length, text.size()) + 1), 0u);
                } else {
                    EXPECT_EQ(std::string(buffer.data()), text) << "a rejected text is left alone";
                }
            }
}

// VORStringToBarcodeBufDLL at every capacity from 0 to past the result: the
// same size as the unbounded export, the string only when it fits, else "";
// with a NULL output, the size and nothing else.
TEST(LumdllBuffers, BoundedEncodeAtEveryCapacity)
{
    LUMTEST_REQUIRE_LIBRARY();
    constexpr std::size_t kGuard = 16;
    for (const std::string& id : lumtest::Identifiers())
        for (const std::string& text : kSampleTexts)
            for (int check : {0, 1}) {
                SCOPED_TRACE(id + " check=" + std::to_string(check) + " \"" + text + "\"");
                const lumtest::EncodeResult full = lumtest::Encode(text, id, check != 0);
                ASSERT_GE(full.returned, 0);
                const std::size_t size = std::size_t(full.returned) + 1;
                for (std::size_t capacity = 0; capacity <= size + 2; ++capacity) {
                    SCOPED_TRACE("capacity " + std::to_string(capacity));
                    std::vector<char> output(capacity + kGuard, kCanary);
                    const int n = Library().encodeBuf(text.c_str(), id.c_str(), check, output.data(), int(capacity));
                    EXPECT_EQ(n, full.returned);
                    // A NULL output is capacity 0 whatever the capacity: the size only.
                    EXPECT_EQ(Library().encodeBuf(text.c_str(), id.c_str(), check, nullptr, int(capacity)),
                              full.returned);
                    if (capacity == 0) {
                        EXPECT_EQ(ChangedFrom(output, 0), 0u);
                    } else if (capacity >= size) {
                        EXPECT_EQ(std::string(output.data()), full.output);
                        EXPECT_EQ(ChangedFrom(output, size), 0u);
                    } else {
                        EXPECT_EQ(output[0], '\0');
                        EXPECT_EQ(ChangedFrom(output, 1), 0u);
                    }
                }
                // A negative capacity writes nothing either.
                char untouched[4];
                std::memset(untouched, kCanary, sizeof untouched);
                EXPECT_EQ(Library().encodeBuf(text.c_str(), id.c_str(), check, untouched, -1), full.returned);
                EXPECT_EQ(ChangedFrom(std::vector<char>(untouched, untouched + 4), 0), 0u);
            }
}

// VORValidateStringBufDLL at every capacity: a text whose zero lies beyond the
// capacity is rejected; the normalised text is written only when it fits.
TEST(LumdllBuffers, BoundedValidateAtEveryCapacity)
{
    LUMTEST_REQUIRE_LIBRARY();
    constexpr std::size_t kGuard = 16;
    for (const std::string& id : lumtest::Identifiers())
        for (const std::string& text : kSampleTexts)
            for (int check : {0, 1}) {
                SCOPED_TRACE(id + " check=" + std::to_string(check) + " \"" + text + "\"");
                const lumtest::ValidateResult full = lumtest::Validate(text, id, check != 0);
                const int needed = full.returned == 1 ? int(full.text.size()) + 1 : 0;
                for (std::size_t capacity = 0; capacity <= full.text.size() + 3; ++capacity) {
                    SCOPED_TRACE("capacity " + std::to_string(capacity));
                    std::vector<char> buffer(std::max(capacity, text.size() + 1) + kGuard, kCanary);
                    std::memcpy(buffer.data(), text.c_str(), text.size() + 1);
                    const std::vector<char> before = buffer;
                    const int n = Library().validateBuf(buffer.data(), int(capacity), id.c_str(), check);
                    if (capacity <= text.size()) {
                        EXPECT_EQ(n, 0) << "the terminating zero is outside the capacity";
                        EXPECT_EQ(buffer, before);
                        continue;
                    }
                    EXPECT_EQ(n, needed);
                    if (n > 0 && std::size_t(n) <= capacity) {
                        EXPECT_EQ(std::string(buffer.data()), full.text);
                        EXPECT_EQ(ChangedFrom(buffer, std::max(std::size_t(n), text.size() + 1)), 0u);
                    } else {
                        EXPECT_EQ(buffer, before);
                    }
                }
            }
}

TEST(LumdllBuffers, OneBufferForTextAndOutput)
{
    LUMTEST_REQUIRE_LIBRARY();
    char buffer[LUMDLL_OUTPUT_CAPACITY(3)] = "ABC";
    char id[] = "C39";
    EXPECT_EQ(Library().encode(buffer, id, 1, buffer), 6);
    EXPECT_STREQ(buffer, "#ABCX#");

    char bounded[LUMDLL_OUTPUT_CAPACITY(3)] = "abc";
    EXPECT_EQ(Library().encodeBuf(bounded, "C39", 0, bounded, int(sizeof bounded)), 5);
    EXPECT_STREQ(bounded, "#ABC#");
}

TEST(LumdllBuffers, NullPointersAreRefused)
{
    LUMTEST_REQUIRE_LIBRARY();
    const lumtest::Lumdll& lib = Library();
    char text[LUMDLL_VALIDATE_CAPACITY(3)] = "abc";
    char id[] = "c39";
    char output[LUMDLL_OUTPUT_CAPACITY(3)];

    EXPECT_EQ(lib.validate(nullptr, id, 1), 0);
    EXPECT_EQ(lib.validate(text, nullptr, 1), 0);
    EXPECT_EQ(lib.validate(nullptr, nullptr, 0), 0);
    EXPECT_STREQ(text, "abc");

    std::memset(output, kCanary, sizeof output);
    EXPECT_EQ(lib.encode(nullptr, id, 1, output), 0);
    EXPECT_EQ(output[0], '\0');
    std::memset(output, kCanary, sizeof output);
    EXPECT_EQ(lib.encode("ABC", nullptr, 1, output), 0);
    EXPECT_EQ(output[0], '\0');
    EXPECT_EQ(lib.encode("ABC", id, 1, nullptr), 0);
    EXPECT_EQ(lib.encode(nullptr, nullptr, 1, nullptr), 0);

    std::memset(output, kCanary, sizeof output);
    EXPECT_EQ(lib.encodeBuf(nullptr, "C39", 1, output, int(sizeof output)), 0);
    EXPECT_EQ(output[0], '\0');
    std::memset(output, kCanary, sizeof output);
    EXPECT_EQ(lib.encodeBuf("ABC", nullptr, 1, output, int(sizeof output)), 0);
    EXPECT_EQ(output[0], '\0');
    // No buffer: a size query, whatever the capacity says.
    EXPECT_EQ(lib.encodeBuf("ABC", "C39", 1, nullptr, 100), 6);
    EXPECT_EQ(lib.encodeBuf(nullptr, nullptr, 1, nullptr, 0), 0);

    EXPECT_EQ(lib.validateBuf(nullptr, 16, "C39", 1), 0);
    EXPECT_EQ(lib.validateBuf(text, int(sizeof text), nullptr, 1), 0);
    EXPECT_STREQ(text, "abc");
}

} // namespace
