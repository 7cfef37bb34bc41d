// Word counting over 100 MB of typical entry texts.

#include "model/CountWords.h"
#include "testdata/TestData.h"

#include <benchmark/benchmark.h>

namespace {

void BM_CountWords100MB(benchmark::State& state) {
    std::string text;
    text.reserve(100u << 20);
    for (std::uint32_t i = 0; text.size() < (100u << 20); ++i) {
        text += testdata::MakeTypicalEntry(i).text;
        text += "\r\n";
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(CountWords(text));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}

} // namespace

BENCHMARK(BM_CountWords100MB)->Unit(benchmark::kMillisecond);
