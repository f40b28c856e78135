// Code 128 and EAN 128 encoding time per input byte for texts of 64 KiB to
// 1 MiB. The time per byte must stay flat as the text grows: the subset
// choice looks ahead, so a quadratic look-ahead would show here at once.
#include <benchmark/benchmark.h>

#include <cstddef>
#include <random>
#include <string>

#include "engine/code128.h"
#include "engine/ean128.h"

namespace {

constexpr char kFnc1 = char(129);

std::string Repeat(std::string_view piece, std::size_t size)
{
    std::string text;
    text.reserve(size + piece.size());
    while (text.size() < size)
        text += piece;
    text.resize(size);
    return text;
}

// One long run of digits: subset C throughout.
std::string DigitRun(std::size_t size, std::mt19937&)
{
    std::string text(size, '0');
    for (std::size_t i = 0; i < size; ++i)
        text[i] = char('0' + i % 10);
    return text;
}

// Runs of 1 to 6 digits between runs of 1 to 3 letters: many switches into
// and out of subset C, odd and even runs.
std::string ShortRuns(std::size_t size, std::mt19937& rng)
{
    std::string text;
    while (text.size() < size) {
        for (unsigned n = 1 + rng() % 6; n > 0; --n)
            text += char('0' + rng() % 10);
        for (unsigned n = 1 + rng() % 3; n > 0; --n)
            text += char('A' + rng() % 26);
    }
    text.resize(size);
    return text;
}

// "1234A" over and over: each letter leaves subset C and asks which subset
// the rest of the text wants, which no character in it decides.
std::string LeaveSubsetC(std::size_t size, std::mt19937&) { return Repeat("1234A", size); }

// Control characters mixed with lower case: SHIFT and CODE A / CODE B.
std::string ControlsAndLowerCase(std::size_t size, std::mt19937& rng)
{
    std::string text(size, 'a');
    for (char& c : text)
        c = rng() % 2 ? char(1 + rng() % 31) : char('a' + rng() % 26);
    return text;
}

// GS1 element strings: GTIN, batch, serial and weight, FNC1 after each
// variable-length field.
std::string Gs1Data(std::size_t size, std::mt19937&)
{
    const std::string record = std::string("0112345678901231") + "10ABC123" + kFnc1 + "21987654321" + kFnc1 +
                               "3103001234" + "17260101" + "10X7" + kFnc1;
    return Repeat(record, size);
}

// A letter, then digit pairs joined by FNC1s and one last digit: in the
// desktop program's rule the whole run counts odd, so its first digit goes
// out alone, subset C is left after the next digit and the run is counted
// again from the following pair, over and over.
std::string OddFnc1Runs(std::size_t size, std::mt19937&)
{
    std::string text = "A" + Repeat(std::string("12") + kFnc1, size - 2);
    return text + "5";
}

template <std::string (*Shape)(std::size_t, std::mt19937&), bool Gs1, lum::Deliverable Who = lum::Deliverable::Library>
void Encode(benchmark::State& state)
{
    std::mt19937 rng(128);
    const std::string text = Shape(std::size_t(state.range(0)), rng);
    std::size_t length = 0;
    for (auto _ : state) {
        const std::string font = Gs1 ? lum::EncodeEan128(text, Who) : lum::EncodeCode128(text, Who);
        length = font.size();
        benchmark::DoNotOptimize(font.data());
    }
    if (length == 0)
        state.SkipWithError("the text did not encode");
    state.SetBytesProcessed(std::int64_t(state.iterations()) * state.range(0));
    state.counters["ns/byte"] = benchmark::Counter(
        double(state.range(0)), benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
    state.counters["out/in"] = double(length) / double(state.range(0));
}

#define LUM_SIZES ->Arg(64 << 10)->Arg(256 << 10)->Arg(1 << 20)->Unit(benchmark::kMicrosecond)

BENCHMARK(Encode<DigitRun, false>)->Name("C128/DigitRun") LUM_SIZES;
BENCHMARK(Encode<ShortRuns, false>)->Name("C128/ShortRuns") LUM_SIZES;
BENCHMARK(Encode<LeaveSubsetC, false>)->Name("C128/LeaveSubsetC") LUM_SIZES;
BENCHMARK(Encode<ControlsAndLowerCase, false>)->Name("C128/ControlsAndLowerCase") LUM_SIZES;
BENCHMARK(Encode<OddFnc1Runs, false, lum::Deliverable::Assistant>)->Name("C128/OddFnc1Runs/Assistant") LUM_SIZES;
BENCHMARK(Encode<Gs1Data, true>)->Name("E128/Gs1Data") LUM_SIZES;

} // namespace
