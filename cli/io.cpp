#include "cli/io.h"

#include <cerrno>
#include <cstring>
#include <unistd.h>
#include <utility>

namespace lum::cli {

OutputBuffer::OutputBuffer(std::FILE* file, std::size_t threshold) : file_(file), threshold_(threshold)
{
    buffer_.reserve(threshold + threshold / 4);
}

OutputBuffer::~OutputBuffer() { Flush(); }

bool OutputBuffer::Flush()
{
    if (!failed_ && !buffer_.empty())
        failed_ = std::fwrite(buffer_.data(), 1, buffer_.size(), file_) != buffer_.size();
    if (!failed_)
        failed_ = std::fflush(file_) != 0;
    buffer_.clear();
    return !failed_;
}

LineReader::LineReader(int fd, bool skipByteOrderMark, std::function<void()> beforeRead, std::size_t chunk)
    : fd_(fd), skipBom_(skipByteOrderMark), beforeRead_(std::move(beforeRead)), chunk_(chunk)
{
}

bool LineReader::Fill()
{
    if (beforeRead_)
        beforeRead_();
    for (;;) {
        const ssize_t n = ::read(fd_, chunk_.data(), chunk_.size());
        if (n > 0) {
            begin_ = 0;
            end_ = std::size_t(n);
            return true;
        }
        if (n < 0 && errno == EINTR)
            continue;
        failed_ = n < 0;
        atEnd_ = true;
        return false;
    }
}

std::string_view LineReader::Finish(std::string_view line)
{
    if (!line.empty() && line.back() == '\r')
        line.remove_suffix(1);
    if (first_) {
        first_ = false;
        if (skipBom_ && line.substr(0, 3) == "\xEF\xBB\xBF")
            line.remove_prefix(3);
    }
    return line;
}

std::optional<std::string_view> LineReader::Next()
{
    carry_.clear();
    for (;;) {
        if (begin_ < end_) {
            const char* start = chunk_.data() + begin_;
            const auto* newline = static_cast<const char*>(std::memchr(start, '\n', end_ - begin_));
            if (newline) {
                const std::size_t length = std::size_t(newline - start);
                begin_ += length + 1;
                if (carry_.empty())
                    return Finish({start, length});
                carry_.append(start, length);
                return Finish(carry_);
            }
            carry_.append(start, end_ - begin_);
            begin_ = end_;
        }
        if (atEnd_ || !Fill()) {
            // A byte order mark alone is an empty file, not an empty line.
            if (carry_.empty() || (first_ && skipBom_ && carry_ == "\xEF\xBB\xBF"))
                return std::nullopt;
            // The last line, without a line end. The next call finds nothing left.
            return Finish(carry_);
        }
    }
}

} // namespace lum::cli
