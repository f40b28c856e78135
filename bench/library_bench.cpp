// The library frame against the engine call it wraps: working copy,
// identifier upper-casing and resolution.
#include <benchmark/benchmark.h>

#include <string>

#include "engine/catalogue.h"
#include "library/lumdll.h"

namespace {

void BM_EngineEan13(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(lum::Encode("590123412345", "EAN13", true, lum::Deliverable::Library));
}
BENCHMARK(BM_EngineEan13);

void BM_LibraryEan13(benchmark::State& state)
{
    char id[] = "ean13";
    char out[LUMDLL_OUTPUT_CAPACITY(12)];
    for (auto _ : state) {
        id[0] = 'e'; // lower case again, so every call upper-cases
        benchmark::DoNotOptimize(VORStringToBarcodeDLL("590123412345", id, 1, out));
    }
}
BENCHMARK(BM_LibraryEan13);

void BM_LibraryBufEan13(benchmark::State& state)
{
    char out[LUMDLL_OUTPUT_CAPACITY(12)];
    for (auto _ : state)
        benchmark::DoNotOptimize(VORStringToBarcodeBufDLL("590123412345", "EAN13", 1, out, sizeof out));
}
BENCHMARK(BM_LibraryBufEan13);

void BM_EngineCode39(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(lum::Encode("ABC-1234", "C39", true, lum::Deliverable::Library));
}
BENCHMARK(BM_EngineCode39);

void BM_LibraryCode39(benchmark::State& state)
{
    char id[] = "C39";
    char out[LUMDLL_OUTPUT_CAPACITY(8)];
    for (auto _ : state)
        benchmark::DoNotOptimize(VORStringToBarcodeDLL("ABC-1234", id, 1, out));
}
BENCHMARK(BM_LibraryCode39);

// The last entry of the resolution order, so the lookup walks the whole table.
void BM_LibraryLastEntry(benchmark::State& state)
{
    char id[] = "ISBN13";
    char out[LUMDLL_OUTPUT_CAPACITY(12)];
    for (auto _ : state)
        benchmark::DoNotOptimize(VORStringToBarcodeDLL("978885154010", id, 1, out));
}
BENCHMARK(BM_LibraryLastEntry);

} // namespace
