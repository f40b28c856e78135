#include "cli/render_batch.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <unordered_map>

#include "cli/io.h"
#include "cli/name_pattern.h"
#include "engine/cp1252.h"

namespace lum::cli {
namespace {

// Seconds a batch runs before it shows its progress on a terminal, and
// between two updates.
constexpr double kProgressDelay = 1.0;
constexpr double kProgressInterval = 0.2;

// The one-line progress report of a long batch on a terminal, redrawn in
// place and cleared before any other message.
class Progress {
public:
    explicit Progress(const Streams& streams) : streams_(streams), terminal_(::isatty(fileno(streams.err)) == 1) {}

    void Update(std::size_t lines, std::size_t images, std::size_t rejected)
    {
        if (!terminal_)
            return;
        const double now = Seconds();
        if (now < kProgressDelay || now - last_ < kProgressInterval)
            return;
        last_ = now;
        std::fprintf(streams_.err, "\r\033[Klumcode: render: line %zu, %zu images, %zu rejected", lines, images,
                     rejected);
        std::fflush(streams_.err);
        shown_ = true;
    }
    void Clear()
    {
        if (shown_)
            std::fputs("\r\033[K", streams_.err);
        shown_ = false;
    }
    void Summary(std::size_t lines, std::size_t images, std::size_t rejected)
    {
        Clear();
        if (terminal_ && Seconds() >= kProgressDelay)
            std::fprintf(streams_.err, "lumcode: render: %zu lines, %zu images, %zu rejected\n", lines, images,
                         rejected);
    }

private:
    double Seconds() const { return std::chrono::duration<double>(std::chrono::steady_clock::now() - start_).count(); }

    const Streams& streams_;
    bool terminal_;
    bool shown_ = false;
    double last_ = 0;
    std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
};

} // namespace

std::string Windows1252(const LineOptions& options, std::string_view line)
{
    std::string text;
    if (options.rawInput || !Utf8ToCp1252(line, text).Ok())
        text.assign(line);
    return text;
}

std::string Utf8(const LineOptions& options, std::string_view line)
{
    if (!options.rawInput)
        return std::string(line);
    std::string text;
    AppendCp1252AsUtf8(line, text);
    return text;
}

std::string TooLargeAdvice(const render::Status& status)
{
    return status.message + ": lower --size, --module or --magnification, or --dpi";
}

int RenderBatch(RenderSetup& setup, std::string_view input, const Streams& streams)
{
    std::string error;
    const auto pattern = NamePattern::Parse(setup.output, error);
    if (!pattern)
        return UsageError(streams, &kRenderCommand, error);
    if (!pattern->NumbersLines() && !pattern->UsesText())
        return UsageError(streams, &kRenderCommand,
                          "with --batch, -o is a name pattern with {line}, {line:N} or {text} in it, such as "
                          "\"label-{line:5}.png\"");
    int fd = fileno(streams.in);
    int opened = -1;
    if (input != "-") {
        const std::string path(input);
        opened = fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
        if (fd < 0) {
            PrintError(streams, "render: " + CannotRead(path, errno));
            return kExitRejected;
        }
    }
    LineHandler handler(setup.line);
    LineReader reader(fd, !setup.line.rawInput, LineLimits{.maxLine = setup.line.maxLine});
    Progress progress(streams);
    // Names already given, when the pattern does not number them: a repeated
    // text would otherwise overwrite the image of an earlier line.
    std::unordered_map<std::string, std::size_t> named;
    std::size_t lineNumber = 0, images = 0, rejected = 0;
    std::string message, bytes;
    const auto report = [&](const std::string& text) {
        progress.Clear();
        PrintError(streams, text);
    };
    int status = kExitOk;
    render::Request& request = setup.request;
    while (const auto input = reader.Next()) {
        ++lineNumber;
        const std::string_view line = input->text;
        if (input->unended) {
            report(MessageHead(setup.line, lineNumber) + ": no line end in the first " + std::to_string(input->length) +
                   " bytes; this is not text lines, reading stopped");
            ++rejected;
            break;
        }
        if (input->tooLong) {
            report(MessageHead(setup.line, lineNumber) + ": " + DescribeTooLongLine(input->length, setup.line.maxLine));
            ++rejected;
            continue;
        }
        if (line.empty())
            continue; // a blank line is no code: nothing to draw, nothing to report
        request.fontString.clear();
        if (!handler.Handle(line, lineNumber, request.fontString, message)) {
            report(message);
            ++rejected;
            continue;
        }
        const auto where = [&] {
            return MessageHead(setup.line, lineNumber) + ": " + QuoteForMessage(Windows1252(setup.line, line)) + ": ";
        };
        const std::string name = pattern->Name(lineNumber, line);
        if (!pattern->NumbersLines()) {
            const auto [it, fresh] = named.emplace(name, lineNumber);
            if (!fresh) {
                report(where() + name + " was written for line " + std::to_string(it->second) + " already");
                ++rejected;
                continue;
            }
        }
        request.title = Utf8(setup.line, line);
        render::Status s = render::RenderImage(*setup.font, request, setup.format, bytes);
        if (s.problem == render::Problem::FontUnreadable) {
            report("render: " + s.message);
            status = kExitRejected;
            break;
        }
        if (!s.Ok()) {
            report(where() + (s.problem == render::Problem::TooLarge ? TooLargeAdvice(s) : s.message));
            ++rejected;
            continue;
        }
        if (s = render::WriteImageFile(name, bytes); !s.Ok()) {
            // The next file would fail the same way (a full disk, a missing folder).
            report("render: line " + std::to_string(lineNumber) + ": " + s.message + "; stopped");
            status = kExitRejected;
            break;
        }
        ++images;
        progress.Update(lineNumber, images, rejected);
    }
    progress.Summary(lineNumber, images, rejected);
    if (opened >= 0)
        ::close(opened);
    if (reader.Failed()) {
        PrintError(streams, "render: " + CannotRead("the input", reader.Error()));
        return kExitRejected;
    }
    return status != kExitOk || rejected > 0 ? kExitRejected : kExitOk;
}

} // namespace lum::cli
