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
    if (!failed_) {
        errno = 0;
        if (!buffer_.empty())
            failed_ = std::fwrite(buffer_.data(), 1, buffer_.size(), file_) != buffer_.size();
        if (!failed_)
            failed_ = std::fflush(file_) != 0;
        if (failed_)
            error_ = errno;
    }
    buffer_.clear();
    return !failed_;
}

namespace {
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
}

LineReader::LineReader(int fd, bool skipByteOrderMark, LineLimits limits, std::function<void()> beforeRead,
                       std::size_t chunk)
    : fd_(fd), skipBom_(skipByteOrderMark), limits_(limits), beforeRead_(std::move(beforeRead)), chunk_(chunk)
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
        if (n < 0)
            error_ = errno != 0 ? errno : EIO;
        atEnd_ = true;
        return false;
    }
}

InputLine LineReader::Finish(std::string_view line)
{
    if (!line.empty() && line.back() == '\r')
        line.remove_suffix(1);
    if (first_) {
        first_ = false;
        if (skipBom_ && line.starts_with(kByteOrderMark))
            line.remove_prefix(kByteOrderMark.size());
    }
    if (line.size() > limits_.maxLine)
        return {{}, line.size(), true, false};
    return {line, line.size(), false, false};
}

InputLine LineReader::FinishSkipped()
{
    const std::size_t dropped = (skippedBom_ ? kByteOrderMark.size() : 0) + (skippedCr_ ? 1 : 0);
    first_ = false;
    skipping_ = false;
    return {{}, skipped_ - dropped, true, false};
}

InputLine LineReader::Checked(InputLine line)
{
    if (line.length > limits_.maxSkip) {
        line = {{}, limits_.maxSkip, true, true};
        begin_ = end_; // not lines of text: read no further
        atEnd_ = true;
    }
    return line;
}

std::size_t LineReader::Slack() const noexcept { return 1 + (first_ && skipBom_ ? kByteOrderMark.size() : 0); }

void LineReader::Keep(std::string_view piece)
{
    if (skipping_) {
        skipped_ += piece.size();
        if (!piece.empty())
            skippedCr_ = piece.back() == '\r';
        return;
    }
    carry_.append(piece);
    // Longer than the limit even without a final CR and a byte order mark:
    // from here on the line is only counted.
    if (carry_.size() > limits_.maxLine + Slack()) {
        skipping_ = true;
        skipped_ = carry_.size();
        skippedBom_ = first_ && skipBom_ && carry_.starts_with(kByteOrderMark);
        skippedCr_ = carry_.back() == '\r';
        carry_.clear();
    }
}

std::optional<InputLine> LineReader::Next()
{
    carry_.clear();
    skipped_ = 0;
    for (;;) {
        if (begin_ < end_) {
            const char* start = chunk_.data() + begin_;
            const auto* newline = static_cast<const char*>(std::memchr(start, '\n', end_ - begin_));
            const std::size_t length = newline ? std::size_t(newline - start) : end_ - begin_;
            begin_ += newline ? length + 1 : length;
            if (newline && !skipping_ && carry_.empty())
                return Checked(Finish({start, length}));
            Keep({start, length});
            if (newline)
                return Checked(skipping_ ? FinishSkipped() : Finish(carry_));
            if (skipping_ && skipped_ > limits_.maxSkip + Slack())
                return Checked(FinishSkipped()); // no line end in sight
            continue;
        }
        if (atEnd_ || !Fill()) {
            if (skipping_)
                return Checked(FinishSkipped());
            // A byte order mark alone is an empty file, not an empty line.
            if (carry_.empty() || (first_ && skipBom_ && carry_ == kByteOrderMark))
                return std::nullopt;
            // The last line, without a line end. The next call finds nothing left.
            return Checked(Finish(carry_));
        }
    }
}

} // namespace lum::cli
