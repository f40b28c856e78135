// lumcode's per-line work: UTF-8 in, the engine, a format out; and whole
// batches through the buffered reader and writer, in lines per second.
#include <benchmark/benchmark.h>

#include <sys/resource.h>

#include <cstdint>
#include <cstdio>
#include <random>
#include <string>

#include "cli/command.h"
#include "cli/line.h"

namespace {

using lum::cli::Action;
using lum::cli::LineHandler;
using lum::cli::OutputFormat;

struct Case {
    const char* id;
    const char* text;
    OutputFormat format;
    const char* label;
};

constexpr Case kCases[] = {
    {"C39", "ABC-1234", OutputFormat::Utf8, "C39 utf8"},
    {"C39", "ABC-1234", OutputFormat::Escaped, "C39 escaped"},
    {"C39FULL", "Code 39 a\\tb", OutputFormat::Utf8, "C39FULL utf8"},
    {"C39FULL", "Code 39 a\\tb", OutputFormat::Hex, "C39FULL hex"},
    {"C39", "AB CD", OutputFormat::Utf8, "C39 rejected (message)"},
};

void BM_HandleLine(benchmark::State& state)
{
    const Case& c = kCases[state.range(0)];
    state.SetLabel(c.label);
    LineHandler handler({lum::FindSymbology(c.id), Action::Encode, true, false, c.format});
    std::string out, message;
    for (auto _ : state) {
        out.clear();
        benchmark::DoNotOptimize(handler.Handle(c.text, 1, out, message));
        benchmark::DoNotOptimize(out.data());
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_HandleLine)->DenseRange(0, std::size(kCases) - 1);

// `lumcode encode --check C39` on 100,000 random Code 39 lines, file to /dev/null.
void BM_BatchC39(benchmark::State& state)
{
    std::mt19937 rng(2026);
    constexpr std::string_view alphabet = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ-._$/+%";
    std::FILE* in = std::tmpfile();
    std::FILE* out = std::fopen("/dev/null", "w");
    constexpr int kLines = 100000;
    for (int i = 0; i < kLines; ++i) {
        std::string line(5 + rng() % 16, ' ');
        for (char& ch : line)
            ch = alphabet[rng() % alphabet.size()];
        line.push_back('\n');
        std::fwrite(line.data(), 1, line.size(), in);
    }
    std::fflush(in);
    const char* args[] = {"encode", "--check", "C39"};
    for (auto _ : state) {
        std::rewind(in);
        benchmark::DoNotOptimize(lum::cli::Main(args, {in, out, stderr}));
    }
    state.SetItemsProcessed(state.iterations() * kLines);
    std::fclose(in);
    std::fclose(out);
}
BENCHMARK(BM_BatchC39)->Unit(benchmark::kMillisecond);

// A batch whose middle line is 256 MiB long, over the 1 MiB line limit: the
// line is skipped, not kept, so the process's peak memory (peak_rss_mb, the
// whole benchmark program) stays far below the line's size.
void BM_BatchOverlongLine(benchmark::State& state)
{
    constexpr std::size_t kLine = std::size_t(256) << 20;
    std::FILE* in = std::tmpfile();
    std::FILE* out = std::fopen("/dev/null", "w");
    std::FILE* err = std::fopen("/dev/null", "w");
    const std::string block(std::size_t(1) << 20, 'A');
    std::fputs("ABC\n", in);
    for (std::size_t written = 0; written < kLine; written += block.size())
        std::fwrite(block.data(), 1, block.size(), in);
    std::fputs("\nXYZ\n", in);
    std::fflush(in);
    const char* args[] = {"encode", "C39"};
    for (auto _ : state) {
        std::rewind(in);
        benchmark::DoNotOptimize(lum::cli::Main(args, {in, out, err}));
    }
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    state.counters["peak_rss_mb"] = double(usage.ru_maxrss) / 1024;
    state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(kLine));
    std::fclose(in);
    std::fclose(out);
    std::fclose(err);
}
BENCHMARK(BM_BatchOverlongLine)->Unit(benchmark::kMillisecond);

} // namespace
