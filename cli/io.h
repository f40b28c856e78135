// Buffered line input and output for batch runs: whole chunks in, one large
// buffer out, so the cost per line is a memchr and an append.
#pragma once

#include <cstddef>
#include <cstdio>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lum::cli {

class OutputBuffer {
public:
    explicit OutputBuffer(std::FILE* file, std::size_t threshold = std::size_t(1) << 16);
    ~OutputBuffer();
    OutputBuffer(const OutputBuffer&) = delete;
    OutputBuffer& operator=(const OutputBuffer&) = delete;

    // The pending output; append to it, then call FlushIfFull.
    std::string& Text() noexcept { return buffer_; }
    void FlushIfFull()
    {
        if (buffer_.size() >= threshold_)
            Flush();
    }
    // Writes the pending output; false once any write has failed.
    bool Flush();
    bool Failed() const noexcept { return failed_; }
    int Error() const noexcept { return error_; } // the error number of the failed write

private:
    std::FILE* file_;
    std::size_t threshold_;
    std::string buffer_;
    bool failed_ = false;
    int error_ = 0;
};

// One line of input.
struct InputLine {
    std::string_view text;  // without its line end; empty for a line over the limit
    std::size_t length = 0; // bytes of the line without its line end, also when over the limit
    bool tooLong = false;   // longer than the limit: its bytes were skipped, not kept
    bool unended = false;   // longer than the skip limit: length is that limit, and reading stopped
};

// How much of a line a reader keeps, and how far it looks for the end of one
// it does not keep.
struct LineLimits {
    std::size_t maxLine = std::size_t(1) << 20; // longest line kept, in bytes
    std::size_t maxSkip = std::size_t(1) << 30; // longest line looked through (at least maxLine)
};

// Splits a file descriptor's bytes into lines. A line ends at "\n"; a "\r"
// just before it (or at the very end of the input) is dropped, and so is a
// UTF-8 byte order mark at the start when asked. The last line needs no line end.
// Memory stays flat whatever the input: a line longer than maxLine is not
// kept but reported as too long, and its bytes are skipped up to the next
// line end. A line longer than maxSkip means the input is not lines of text
// (a device, a binary file): it is reported as unended as soon as it passes
// that length, and reading stops there.
class LineReader {
public:
    // `beforeRead`, when given, runs before every read: flushing the output
    // there keeps it in pace with input arriving slowly through a pipe.
    LineReader(int fd, bool skipByteOrderMark, LineLimits limits = {}, std::function<void()> beforeRead = {},
               std::size_t chunk = std::size_t(1) << 16);

    // The next line, its text valid until the next call; nullopt at the end
    // of input.
    std::optional<InputLine> Next();

    // Whether reading stopped on an error rather than at the end, and the
    // error number.
    bool Failed() const noexcept { return error_ != 0; }
    int Error() const noexcept { return error_; }

private:
    bool Fill();
    InputLine Finish(std::string_view line);
    InputLine FinishSkipped();
    InputLine Checked(InputLine line);
    std::size_t Slack() const noexcept;
    void Keep(std::string_view piece);

    int fd_;
    bool skipBom_;
    LineLimits limits_;
    std::function<void()> beforeRead_;
    std::vector<char> chunk_;
    std::size_t begin_ = 0, end_ = 0;
    std::string carry_;       // a line that spans chunks, while it is within the limit
    std::size_t skipped_ = 0; // bytes of an over-long line, counted instead of kept
    bool skipping_ = false;
    bool skippedBom_ = false, skippedCr_ = false; // an over-long line's byte order mark, and its last byte a CR
    bool atEnd_ = false, first_ = true;
    int error_ = 0;
};

} // namespace lum::cli
