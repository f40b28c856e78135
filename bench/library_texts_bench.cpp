// The library export over the texts of bench/typical_texts.tsv, one call per
// text: the native rate that bench/web_encode.mjs sets the WebAssembly
// module's against.
#include <benchmark/benchmark.h>

#include <fstream>
#include <string>
#include <vector>

#include "library/lumdll.h"

namespace {

struct Request {
    std::string id;
    std::string text;
};

std::vector<Request> ReadTexts()
{
    std::vector<Request> requests;
    std::ifstream in(LUM_BENCH_TEXTS);
    for (std::string line; std::getline(in, line);) {
        const auto tab = line.find('\t');
        if (line.empty() || line[0] == '#' || tab == std::string::npos)
            continue;
        requests.push_back({line.substr(0, tab), line.substr(tab + 1)});
    }
    return requests;
}

void BM_LibraryTypicalTexts(benchmark::State& state)
{
    const std::vector<Request> requests = ReadTexts();
    if (requests.empty()) {
        state.SkipWithError("no texts in " LUM_BENCH_TEXTS);
        return;
    }
    std::vector<char> out(LUMDLL_OUTPUT_CAPACITY(256));
    for (auto _ : state) {
        for (const Request& r : requests) {
            const int n = VORStringToBarcodeBufDLL(r.text.c_str(), r.id.c_str(), 1, out.data(), int(out.size()));
            benchmark::DoNotOptimize(n);
            if (n <= 0) {
                state.SkipWithError(("rejected: " + r.id + " " + r.text).c_str());
                return;
            }
        }
    }
    state.SetItemsProcessed(std::int64_t(state.iterations()) * std::int64_t(requests.size()));
}
BENCHMARK(BM_LibraryTypicalTexts);

} // namespace
