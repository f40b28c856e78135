// lumcode's batch mode end to end (reader, line handler, formats, buffered
// writer) on arbitrary input, with the invariants of its output.
#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "cli/command.h"
#include "cli/format.h"
#include "engine/catalogue.h"
#include "engine/cp1252.h"
#include "fuzz/fuzz_common.h"

namespace {

using namespace lum;
using namespace lum::cli;

constexpr const char* kFormats[] = {"utf8", "raw", "escaped", "hex"};

// The input's lines as lumcode's reader should cut them, found independently.
// A line is taken without its line end and the byte order mark.
std::vector<std::string> ExpectedLines(std::string_view text, bool skipBom)
{
    if (skipBom && text.starts_with("\xEF\xBB\xBF"))
        text.remove_prefix(3);
    else
        skipBom = false;
    std::vector<std::string> lines;
    while (!text.empty()) {
        const auto end = text.find('\n');
        std::string line(text.substr(0, end));
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(std::move(line));
        text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);
    }
    return lines;
}

std::FILE* InputFile(std::string_view text)
{
    const int fd = memfd_create("batch-in", 0);
    if (fd < 0 || write(fd, text.data(), text.size()) != ssize_t(text.size()) || lseek(fd, 0, SEEK_SET) != 0)
        std::abort();
    return fdopen(fd, "r");
}

std::vector<std::string> SplitOutput(const std::string& text)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1)
        lines.push_back(text.substr(start, end - start));
    if (start != text.size())
        lines.push_back(text.substr(start) + "<no line end>");
    return lines;
}

// "lumcode: ID: line N: LENGTH bytes, longer than the line limit ...": the
// message of a line over the limit, which quotes nothing of the line, where
// every other message quotes it after "line N: ".
bool IsLineLimitMessage(const std::string& message)
{
    const auto line = message.find(": line ");
    const auto text = line == std::string::npos ? line : message.find(": ", line + 7);
    return text != std::string::npos && text + 2 < message.size() && message[text + 2] >= '0' &&
           message[text + 2] <= '9' &&
           message.find(" bytes, longer than the line limit of ", text) != std::string::npos;
}

} // namespace

// Byte 0 picks the identifier (fuzz_common.h); byte 1: bit 0 --check, bit 1
// --raw-input, bits 2-3 the format, bits 4-7 a line limit of 4 times their
// value (none when 0), so that lines over the limit arise within the input
// sizes a fuzzer tries. The rest is standard input.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzz::Request r;
    if (!fuzz::ReadRequest(data, size, r))
        return 0;
    const bool raw = data[1] & 2;
    const char* format = kFormats[(data[1] >> 2) & 3];
    const std::size_t maxLine = std::size_t(data[1] >> 4) * 4;
    const std::string maxLineText = std::to_string(maxLine);
    std::vector<const char*> args{"encode", "--format", format};
    if (r.check)
        args.push_back("--check");
    if (raw)
        args.push_back("--raw-input");
    if (maxLine > 0) {
        args.push_back("--max-line");
        args.push_back(maxLineText.c_str());
    }
    const std::string id(r.id);
    args.push_back(id.c_str());

    std::FILE* in = InputFile(r.text);
    char *outData = nullptr, *errData = nullptr;
    std::size_t outSize = 0, errSize = 0;
    std::FILE* out = open_memstream(&outData, &outSize);
    std::FILE* err = open_memstream(&errData, &errSize);
    const int status = Main(args, {in, out, err});
    std::fclose(in);
    std::fclose(out);
    std::fclose(err);
    const std::string output(outData, outSize), errors(errData, errSize);
    std::free(outData);
    std::free(errData);

    const Symbology* entry = FindSymbology(r.id);
    if (!entry) {
        if (status != kExitUsage || !output.empty())
            fuzz::Fail("an unknown identifier is not a usage error", r.id);
        return 0;
    }
    const std::vector<std::string> lines = ExpectedLines(r.text, !raw);
    const std::vector<std::string> got = SplitOutput(output);
    const bool lineSafe = format == std::string_view("escaped") || format == std::string_view("hex");
    std::size_t rejected = 0, overLimit = 0;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        // A line over the limit, or one that is not Windows-1252 text in
        // UTF-8, is rejected before the engine.
        std::string text = lines[i];
        const bool taken = maxLine == 0 || lines[i].size() <= maxLine;
        overLimit += !taken;
        const bool converted = taken && (raw || Utf8ToCp1252(lines[i], text).Ok());
        const std::string expected = converted ? Encode(text, r.id, r.check, Deliverable::Library) : std::string();
        rejected += expected.empty();
        if (!lineSafe)
            continue;
        if (i >= got.size())
            fuzz::Fail("fewer output lines than input lines", r.id);
        const auto bytes = format == std::string_view("hex") ? ParseHex(got[i]) : ParseEscaped(got[i]);
        if (bytes != expected)
            fuzz::Fail("an output line is not the engine's font string", r.id);
    }
    if (lineSafe && got.size() != lines.size())
        fuzz::Fail("output and input line counts differ", r.id);
    if (status != (rejected ? kExitRejected : kExitOk))
        fuzz::Fail("exit status does not match the rejections", r.id);
    const std::vector<std::string> messages = SplitOutput(errors);
    if (messages.size() != rejected)
        fuzz::Fail("not one message per rejected line", r.id);
    if (std::size_t(std::count_if(messages.begin(), messages.end(), IsLineLimitMessage)) != overLimit)
        fuzz::Fail("not one line-limit message per line over the limit", r.id);
    if (format == std::string_view("utf8")) {
        std::string back;
        if (!Utf8ToCp1252(output, back).Ok())
            fuzz::Fail("utf8 output is not Windows-1252 text in UTF-8", r.id);
    }
    return 0;
}
