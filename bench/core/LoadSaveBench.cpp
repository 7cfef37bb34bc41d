// Loading and saving files of typical entries, through the file stream as the
// editor does. Sizes 10,000 to 1,000,000 entries show how the cost grows.

#include "common/TempDir.h"
#include "support/tsSafeSave.h"
#include "support/tsStream.h"
#include "testdata/TestData.h"

#include <benchmark/benchmark.h>
#include <cstdlib>
#include <unistd.h>

namespace {

void BM_Load(benchmark::State& state) {
    auto count = static_cast<std::uint32_t>(state.range(0));
    TempDir dir;
    std::string path = dir.File("load.trs");
    TextResourceObject source = testdata::MakeTypicalCollection(count);
    std::string bytes = testdata::ToFileBytes(source);
    WriteBytes(path, bytes);
    for (auto _ : state) {
        TextResourceObject object;
        tsFileStream stream;
        if (stream.Open(path.c_str(), TS_OPEN_READ) != 0 || object.Read(stream) != 0 ||
            object.GetEntryCount() != count)
            state.SkipWithError("load failed");
        benchmark::DoNotOptimize(object);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
    state.counters["entries"] = static_cast<double>(count);
}

void BM_SaveSafely(benchmark::State& state) {
    auto count = static_cast<std::uint32_t>(state.range(0));
    TempDir dir;
    std::string path = dir.File("save.trs");
    TextResourceObject object = testdata::MakeTypicalCollection(count);
    std::size_t size = testdata::ToFileBytes(object).size();
    for (auto _ : state) {
        if (tsSaveFileSafely(path.c_str(),
                             [&](tsOutputStream& out) { return object.Write(out); }) != 0)
            state.SkipWithError("save failed");
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * size));
    state.counters["entries"] = static_cast<double>(count);
}

// A file with a second hard link is written in place, after a copy of its old
// content went to the backups folder (here one of the benchmark's own).
void BM_SaveInPlace(benchmark::State& state) {
    auto count = static_cast<std::uint32_t>(state.range(0));
    TempDir dir;
    ::setenv("XDG_STATE_HOME", dir.File("state").c_str(), 1);
    std::string path = dir.File("save.trs");
    TextResourceObject object = testdata::MakeTypicalCollection(count);
    std::string bytes = testdata::ToFileBytes(object);
    WriteBytes(path, bytes);
    ::link(path.c_str(), dir.File("link.trs").c_str());
    for (auto _ : state) {
        if (tsSaveFileSafely(path.c_str(),
                             [&](tsOutputStream& out) { return object.Write(out); }) != 0)
            state.SkipWithError("save failed");
    }
    ::unsetenv("XDG_STATE_HOME");
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
    state.counters["entries"] = static_cast<double>(count);
}

} // namespace

BENCHMARK(BM_Load)->Arg(10000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveSafely)->Arg(10000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveInPlace)->Arg(100000)->Unit(benchmark::kMillisecond);
