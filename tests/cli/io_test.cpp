#include "cli/io.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

namespace lum::cli {
namespace {

// The lines a reader with the given chunk size finds in `input`; a line over
// the limit as "<too long LENGTH>", one past the skip limit as "<unended LENGTH>".
std::vector<std::string> Lines(const std::string& input, std::size_t chunk, bool skipBom = true, LineLimits limits = {})
{
    std::FILE* file = std::tmpfile();
    EXPECT_NE(file, nullptr);
    std::fwrite(input.data(), 1, input.size(), file);
    std::fflush(file);
    std::rewind(file);
    LineReader reader(fileno(file), skipBom, limits, {}, chunk);
    std::vector<std::string> lines;
    while (const auto line = reader.Next()) {
        if (line->tooLong)
            EXPECT_TRUE(line->text.empty());
        else
            EXPECT_EQ(line->length, line->text.size());
        if (line->unended)
            lines.push_back("<unended " + std::to_string(line->length) + ">");
        else if (line->tooLong)
            lines.push_back("<too long " + std::to_string(line->length) + ">");
        else
            lines.emplace_back(line->text);
    }
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

// Limits of 4 bytes per line and 12 looked through: the limit counts the
// line without its line end and byte order mark; a longer line is reported
// with its length and the next line read as usual, at every chunk size.
TEST(LineReader, LinesOverTheLimit)
{
    struct Row {
        const char* note;
        std::string input;
        Lines_ expected;
    };
    const std::string bom = "\xEF\xBB\xBF";
    const Row rows[] = {
        {"at the limit", "ABCD\nWXYZ", {"ABCD", "WXYZ"}},
        {"one byte over", "ABCD\nABCDE\nXY\n", {"ABCD", "<too long 5>", "XY"}},
        {"CR LF not counted", "ABCD\r\nABCDE\r\nXY", {"ABCD", "<too long 5>", "XY"}},
        {"CR at the end of input not counted", "ABCDEFG\r", {"<too long 7>"}},
        {"byte order mark not counted", bom + "ABCD\nZ", {"ABCD", "Z"}},
        {"byte order mark of a long line", bom + "ABCDEFGH\r\nZ", {"<too long 8>", "Z"}},
        {"long last line without a line end", "A\nABCDEFGHIJK", {"A", "<too long 11>"}},
        {"at the skip limit", "ABCDEFGHIJKL\nZ", {"<too long 12>", "Z"}},
        {"past the skip limit: reading stops", "ABCDEFGHIJKLM\nZ\n", {"<unended 12>"}},
        {"no line end at all", std::string(1000, '\0'), {"<unended 12>"}},
        {"earlier lines stay", "AB\n" + std::string(1000, 'x') + "\nZ", {"AB", "<unended 12>"}},
    };
    for (const Row& row : rows)
        for (const std::size_t chunk : {std::size_t(1), std::size_t(2), std::size_t(5), std::size_t(65536)}) {
            SCOPED_TRACE(testing::Message() << row.note << ", chunk " << chunk);
            EXPECT_EQ(Lines(row.input, chunk, true, {4, 12}), row.expected);
        }
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
