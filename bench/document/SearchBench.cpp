// A press of "Search" that finds nothing: the slowest case, a full pass over
// the chosen field of every entry, wrapping around from the middle of the file.
#include "document/EntrySearch.h"
#include "testdata/TestData.h"

#include <benchmark/benchmark.h>
#include <map>

namespace {

const TextResourceObject& Collection(std::uint32_t count) {
    static std::map<std::uint32_t, TextResourceObject> cache;
    auto it = cache.find(count);
    if (it == cache.end())
        it = cache.emplace(count, testdata::MakeTypicalCollection(count)).first;
    return it->second;
}

void SearchMiss(benchmark::State& state, int field, const char* needle) {
    const auto count = static_cast<std::uint32_t>(state.range(0));
    const TextResourceObject& entries = Collection(count);
    const int start = static_cast<int>(count / 2);
    for (auto _ : state)
        benchmark::DoNotOptimize(FindMatchingEntry(entries, needle, field, start));
    state.SetItemsProcessed(state.iterations() * count);
}

// A word of the kind a writer looks for, with a first letter that is common in text.
void BM_SearchTextMiss(benchmark::State& state) {
    SearchMiss(state, SEARCH_IN_TEXT, "the lamp");
}
void BM_SearchTextMissNonAscii(benchmark::State& state) {
    SearchMiss(state, SEARCH_IN_TEXT, "Zażółć gęślą");
}
void BM_SearchIdentifierMiss(benchmark::State& state) {
    SearchMiss(state, SEARCH_IN_IDENTIFIER, "NO_SUCH_LINE");
}
void BM_SearchIdMiss(benchmark::State& state) {
    SearchMiss(state, SEARCH_IN_ID, "-7");
}

} // namespace

BENCHMARK(BM_SearchTextMiss)
    ->RangeMultiplier(10)
    ->Range(10000, 1000000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SearchTextMissNonAscii)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SearchIdentifierMiss)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SearchIdMiss)->Arg(1000000)->Unit(benchmark::kMillisecond);
