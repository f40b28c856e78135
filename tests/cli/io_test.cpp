#include "cli/io.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

namespace lum::cli {
namespace {

// The lines a reader with the given chunk size finds in `input`.
std::vector<std::string> Lines(const std::string& input, std::size_t chunk, bool skipBom = true)
{
    std::FILE* file = std::tmpfile();
    EXPECT_NE(file, nullptr);
    std::fwrite(input.data(), 1, input.size(), file);
    std::fflush(file);
    std::rewind(file);
    LineReader reader(fileno(file), skipBom, {}, chunk);
    std::vector<std::string> lines;
    while (const auto line = reader.Next())
        lines.emplace_back(*line);
    EXPECT_FALSE(reader.Failed());
    std::fclose(file);
    return lines;
}

using Lines_ = std::vector<std::string>;

TEST(LineReader, LineEnds)
{
    struct Row {
        const char* note;
        std::string input;
        Lines_ expected;
    };
    const Row rows[] = {
        {"empty input has no line", "", {}},
        {"one line end is one empty line", "\n", {""}},
        {"final line end optional", "A\nB", {"A", "B"}},
        {"final line end present", "A\nB\n", {"A", "B"}},
        {"CR LF", "A\r\nB\r\n", {"A", "B"}},
        {"CR LF, last line without it", "A\r\nB", {"A", "B"}},
        {"CR at the very end", "A\r\nB\r", {"A", "B"}},
        {"CR inside a line stays", "A\rB\n", {"A\rB"}},
        {"empty lines count", "A\n\n\nB\n", {"A", "", "", "B"}},
        {"byte order mark",
         "\xEF\xBB\xBF"
         "A\nB",
         {"A", "B"}},
        {"byte order mark only at the start",
         "A\n\xEF\xBB\xBF"
         "B",
         {"A", "\xEF\xBB\xBF"
               "B"}},
        {"byte order mark alone", "\xEF\xBB\xBF", {}},
        {"byte order mark and a line end", "\xEF\xBB\xBF\n", {""}},
        {"NUL inside a line", std::string("A\0B\n", 4), {std::string("A\0B", 3)}},
    };
    // Chunks of 1, 2 and 3 bytes cut the lines, CR LF pairs and the byte order
    // mark at every place; 64 KiB holds the whole input.
    for (const Row& row : rows)
        for (const std::size_t chunk : {std::size_t(1), std::size_t(2), std::size_t(3), std::size_t(65536)}) {
            SCOPED_TRACE(testing::Message() << row.note << ", chunk " << chunk);
            EXPECT_EQ(Lines(row.input, chunk), row.expected);
        }
}

TEST(LineReader, ByteOrderMarkKeptWhenNotAsked)
{
    EXPECT_EQ(Lines("\xEF\xBB\xBF"
                    "A",
                    4096, false),
              Lines_{"\xEF\xBB\xBF"
                     "A"});
}

TEST(LineReader, LongLinesAcrossManyChunks)
{
    const std::string a(10000, 'a'), b(3, 'b');
    EXPECT_EQ(Lines(a + "\r\n" + b + "\n" + a, 7), (Lines_{a, b, a}));
}

TEST(OutputBuffer, WritesEverythingOnFlushAndDestruction)
{
    std::FILE* file = std::tmpfile();
    ASSERT_NE(file, nullptr);
    {
        OutputBuffer out(file, 4);
        out.Text() += "abc";
        out.FlushIfFull(); // below the threshold: kept
        out.Text() += "defg";
        out.FlushIfFull();
        EXPECT_TRUE(out.Text().empty());
        out.Text() += "h";
    }
    std::rewind(file);
    char buf[16] = {};
    EXPECT_EQ(std::fread(buf, 1, sizeof buf, file), 8u);
    EXPECT_STREQ(buf, "abcdefgh");
    std::fclose(file);
}

} // namespace
} // namespace lum::cli
