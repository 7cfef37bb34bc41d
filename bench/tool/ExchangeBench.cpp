// Exports and imports for translators over 100,000 typical entries: the
// export of each format to a stream that keeps nothing, and the import of
// an exported file (read as a stream) into the current file's bytes.

#include "common/TempDir.h"
#include "exchange/Exporter.h"
#include "exchange/Importer.h"
#include "exchange/TranslatedReader.h"
#include "support/tsMemoryStream.h"
#include "support/tsResult.h"
#include "testdata/TestData.h"

#include <benchmark/benchmark.h>

namespace {

constexpr std::uint32_t kEntries = 100000;

// Counts the bytes it is given and keeps none of them.
class DiscardingStream : public tsOutputStream {
public:
    std::int32_t Write(const void*, std::uint32_t size) override {
        bytes += size;
        return S_OK;
    }
    std::uint64_t bytes = 0;
};

const TextResourceObject& Entries() {
    static const TextResourceObject entries = testdata::MakeTypicalCollection(kEntries);
    return entries;
}

std::uint64_t Export(exchange::ExchangeFormat format, tsOutputStream& out) {
    exchange::ExportOptions options;
    options.format = format;
    options.header = {"typical.trs", "en", "de", false, false};
    exchange::Exporter exporter(options, out);
    exporter.Begin();
    for (std::uint32_t i = 0; i < kEntries; ++i)
        exporter.Add(i, *Entries().GetEntry(i));
    return tsSucceeded(exporter.Finish()) ? 1 : 0;
}

void BM_Export(benchmark::State& state) {
    const auto format = static_cast<exchange::ExchangeFormat>(state.range(0));
    std::uint64_t bytes = 0;
    for (auto _ : state) {
        DiscardingStream out;
        if (Export(format, out) == 0)
            state.SkipWithError("export failed");
        bytes = out.bytes;
    }
    state.counters["entries"] = kEntries;
    state.counters["MB out"] = static_cast<double>(bytes) / 1e6;
}

void BM_Import(benchmark::State& state) {
    const auto format = static_cast<exchange::ExchangeFormat>(state.range(0));
    TempDir dir;
    const std::string path = dir.File("translated");
    {
        tsMemoryStream exported;
        Export(format, exported);
        WriteBytes(path, exported.Data());
    }
    TextResourceObject copy = Entries();
    const std::string current = testdata::ToFileBytes(copy);
    for (auto _ : state) {
        exchange::CurrentFile file;
        std::string reason;
        if (!file.Take(current, reason))
            state.SkipWithError(reason.c_str());
        exchange::ImportOptions options;
        options.allStates = true;
        exchange::Importer importer(file, options);
        exchange::TranslatedFormat read;
        exchange::ReadError error;
        if (!exchange::ReadTranslated(
                path, [&](exchange::TranslatedUnit& unit) { importer.Add(unit); }, read, error))
            state.SkipWithError(error.message.c_str());
        importer.Finish();
        DiscardingStream out;
        file.Write(out, importer.Changes());
        benchmark::DoNotOptimize(out.bytes);
    }
    state.counters["entries"] = kEntries;
}

} // namespace

// 0 XLIFF 1.2, 1 XLIFF 2.0, 2 CSV.
BENCHMARK(BM_Export)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Import)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);
