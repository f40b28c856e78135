// lumcode's batch mode end to end (reader, line handler, formats, buffered
// writer) on arbitrary input, with the invariants of its output.
#include <sys/mman.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "cli/command.h"
#include "engine/cp1252.h"
#include "cli/format.h"
#include "engine/catalogue.h"
#include "fuzz/fuzz_common.h"

namespace {

using namespace lum;
using namespace lum::cli;

constexpr const char* kFormats[] = {"utf8", "raw", "escaped", "hex"};

// The input's lines as lumcode's reader should cut them, found independently.
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

} // namespace

// Byte 0 picks the identifier (fuzz_common.h); byte 1: bit 0 --check, bit 1
// --raw-input, bits 2-3 the format. The rest is standard input.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzz::Request r;
    if (!fuzz::ReadRequest(data, size, r))
        return 0;
    const bool raw = data[1] & 2;
    const char* format = kFormats[(data[1] >> 2) & 3];
    std::vector<const char*> args{"encode", "--format", format};
    if (r.check)
        args.push_back("--check");
    if (raw)
        args.push_back("--raw-input");
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
    std::size_t rejected = 0;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        // A line that is not Windows-1252 text in UTF-8 is rejected before the engine.
        std::string text = lines[i];
        const bool converted = raw || Utf8ToCp1252(lines[i], text).Ok();
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
    if (SplitOutput(errors).size() != rejected)
        fuzz::Fail("not one message per rejected line", r.id);
    if (format == std::string_view("utf8")) {
        std::string back;
        if (!Utf8ToCp1252(output, back).Ok())
            fuzz::Fail("utf8 output is not Windows-1252 text in UTF-8", r.id);
    }
    return 0;
}
