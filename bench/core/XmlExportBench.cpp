// The XML export of 100,000 typical entries into memory.

#include "support/tsMemoryStream.h"
#include "testdata/TestData.h"

#include <benchmark/benchmark.h>

namespace {

void BM_XmlExport(benchmark::State& state) {
    TextResourceObject object =
        testdata::MakeTypicalCollection(static_cast<std::uint32_t>(state.range(0)));
    std::size_t size = 0;
    for (auto _ : state) {
        tsMemoryStream out;
        if (object.WriteXml(out) != 0)
            state.SkipWithError("export failed");
        size = out.Data().size();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * size));
    state.counters["entries"] = static_cast<double>(state.range(0));
}

} // namespace

BENCHMARK(BM_XmlExport)->Arg(100000)->Unit(benchmark::kMillisecond);
