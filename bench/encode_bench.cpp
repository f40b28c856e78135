// Encode per identifier on typical inputs, and time per byte of the encoders
// that take long inputs.
#include <benchmark/benchmark.h>

#include <random>
#include <string>

#include "engine/catalogue.h"

namespace {

using lum::Deliverable;

struct Typical {
    const char* id;
    const char* text;
};

// A label-sized text per identifier, valid with the check flag set.
// clang-format off
constexpr Typical kTypical[] = {
    {"POSTNET", "123456789"}, {"C39", "ABC-1234"}, {"C39FULL", "Code 39 a\\tb"}, {"C93", "TEST93"},
    {"C93FULL", "Code 93"}, {"CIP", "123456"}, {"PLESSEY", "12AB34"}, {"DELTA", "12KL34"},
    {"C25", "1234567"}, {"ITF", "1234567890123"}, {"CIND25", "123456"}, {"C5BARS", "123456"},
    {"C3BARS", "123456"}, {"CBCD", "123456"}, {"C25INV", "123456"}, {"C25COMP", "123456"},
    {"C11", "123-45"}, {"CMSI", "1234567"}, {"EAN13", "590123412345"}, {"UPCA", "03600029145"},
    {"EAN8", "9638507"}, {"UPCE", "0123456"}, {"ADD2", "12"}, {"ADD5", "52495"},
    {"C32", "12345678"}, {"C32HRC", "12345678"}, {"CBAR", "A40156B"}, {"C128", "Code 128 / 1234567890"},
    {"E128", "0195012345678903\\x8110ABC123"}, {"ISBN", "885154010"}, {"ISBN13", "978885154010"},
};
// clang-format on

void BM_EncodeTypical(benchmark::State& state)
{
    const Typical& t = kTypical[state.range(0)];
    state.SetLabel(t.id);
    for (auto _ : state)
        benchmark::DoNotOptimize(lum::Encode(t.text, t.id, true, Deliverable::Library));
}
BENCHMARK(BM_EncodeTypical)->DenseRange(0, std::size(kTypical) - 1);

// Long inputs: time per byte must not grow with the size.
std::string LongText(std::string_view id, std::size_t size, std::mt19937& rng)
{
    std::string text;
    text.reserve(size + 16);
    const bool digitsOnly = id == "C25" || id == "CIND25" || id == "C5BARS" || id == "C3BARS" || id == "CBCD" ||
                            id == "C25INV" || id == "C25COMP";
    if (id == "CBAR")
        text.push_back('A');
    while (text.size() < size) {
        if (digitsOnly || id == "CBAR")
            text.push_back(char('0' + rng() % 10));
        else if (id == "C11")
            text.push_back("0123456789-"[rng() % 11]);
        else if (const char c = char(32 + rng() % 95); c != '\\') // no escapes: plain printable text
            text.push_back(c);
    }
    if (id == "CBAR")
        text.back() = 'B';
    return text;
}

// Every size cycles through 4 MiB of different texts, so that no size gets
// its input from the caches, or has a text short enough for the branch
// predictor to learn, where another does not.
constexpr std::size_t kPoolBytes = 4 << 20;

void BM_EncodeLong(benchmark::State& state, const char* id)
{
    const auto size = std::size_t(state.range(0));
    std::mt19937 rng(7);
    std::vector<std::string> texts(std::max<std::size_t>(1, kPoolBytes / size));
    for (std::string& t : texts)
        t = LongText(id, size, rng);
    std::size_t out = 0, next = 0;
    for (auto _ : state) {
        const std::string& text = texts[next];
        next = next + 1 == texts.size() ? 0 : next + 1;
        const std::string s = lum::Encode(text, id, true, Deliverable::Library);
        out = s.size();
        benchmark::DoNotOptimize(s.data());
    }
    const std::string& text = texts[0];
    state.counters["out_bytes"] = double(out);
    // Time per input byte, in seconds (shown as n for nanoseconds).
    state.counters["per_byte"] = benchmark::Counter(double(text.size()), benchmark::Counter::kIsIterationInvariantRate |
                                                                             benchmark::Counter::kInvert);
    state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(text.size()));
}

#define LONG_INPUT(id) BENCHMARK_CAPTURE(BM_EncodeLong, id, #id)->Arg(1 << 10)->Arg(1 << 16)->Arg(1 << 20)
LONG_INPUT(C128);
LONG_INPUT(E128);
LONG_INPUT(C39FULL);
LONG_INPUT(C93FULL);
LONG_INPUT(C25);
LONG_INPUT(CIND25);
LONG_INPUT(C5BARS);
LONG_INPUT(C3BARS);
LONG_INPUT(CBCD);
LONG_INPUT(C25INV);
LONG_INPUT(C25COMP);
LONG_INPUT(C11);
LONG_INPUT(CBAR);

} // namespace
