// The plain-text export of large files into the page cache.
#include "model/TextExport.h"
#include "testdata/TestData.h"

#include <benchmark/benchmark.h>
#include <filesystem>

namespace {

void BM_ExportText(benchmark::State& state) {
    const auto count = static_cast<std::uint32_t>(state.range(0));
    const TextResourceObject entries = testdata::MakeTypicalCollection(count);
    const std::string path =
        (std::filesystem::temp_directory_path() / "lexarium-bench-export.txt").string();
    for (auto _ : state) {
        if (ExportTextToFile(entries, path) != 0)
            state.SkipWithError("the export file could not be written");
    }
    const auto bytes = static_cast<std::int64_t>(std::filesystem::file_size(path));
    state.SetBytesProcessed(state.iterations() * bytes);
    state.counters["file_MB"] = static_cast<double>(bytes) / 1e6;
    std::filesystem::remove(path);
}

} // namespace

BENCHMARK(BM_ExportText)
    ->RangeMultiplier(10)
    ->Range(10000, 1000000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
