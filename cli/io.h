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

private:
    std::FILE* file_;
    std::size_t threshold_;
    std::string buffer_;
    bool failed_ = false;
};

// Splits a file descriptor's bytes into lines. A line ends at "\n"; a "\r"
// just before it (or at the very end of the input) is dropped, and so is a
// UTF-8 byte order mark at the start when asked. The last line needs no line end.
class LineReader {
public:
    // `beforeRead`, when given, runs before every read: flushing the output
    // there keeps it in pace with input arriving slowly through a pipe.
    LineReader(int fd, bool skipByteOrderMark, std::function<void()> beforeRead = {},
               std::size_t chunk = std::size_t(1) << 16);

    // The next line, valid until the next call; nullopt at the end of input.
    std::optional<std::string_view> Next();

    // Whether reading stopped on an error rather than at the end.
    bool Failed() const noexcept { return failed_; }

private:
    bool Fill();
    std::string_view Finish(std::string_view line);

    int fd_;
    bool skipBom_;
    std::function<void()> beforeRead_;
    std::vector<char> chunk_;
    std::size_t begin_ = 0, end_ = 0;
    std::string carry_; // a line that spans chunks
    bool atEnd_ = false, failed_ = false, first_ = true;
};

} // namespace lum::cli
