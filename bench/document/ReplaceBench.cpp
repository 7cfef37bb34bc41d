// Replace all over a large file: the plan (every match found, every change
// listed for the preview) and its application, as the dialog runs them.
#include "document/FindPattern.h"
#include "document/ReplacePlan.h"
#include "testdata/TestData.h"

#include <benchmark/benchmark.h>

namespace {

const TextResourceObject& Original(std::uint32_t count) {
    static TextResourceObject entries;
    if (entries.GetEntryCount() != count)
        entries = testdata::MakeTypicalCollection(count);
    return entries;
}

void ReplaceAll(benchmark::State& state, FindOptions options, ReplaceScope scope) {
    const auto count = static_cast<std::uint32_t>(state.range(0));
    std::size_t changes = 0;
    for (auto _ : state) {
        state.PauseTiming();
        TextResourceObject entries = Original(count);
        state.ResumeTiming();
        const FindPattern pattern(options);
        const ReplacePlan plan = PlanReplaceAll(entries, pattern, scope);
        ApplyReplacePlan(entries, plan);
        changes = plan.changes.size();
        state.PauseTiming();
        entries = TextResourceObject(); // freeing is not part of the command
        state.ResumeTiming();
    }
    state.counters["changes"] = static_cast<double>(changes);
    state.SetItemsProcessed(state.iterations() * count);
}

// One benchmark a row, over a million entries.
struct ReplaceCase {
    const char* name;
    FindOptions options;
    ReplaceScope scope;
};

const ReplaceCase kCases[] = {
    // A word in two of the five kinds of text, letter case ignored.
    {"BM_ReplaceAllTextWord", {"gate", "door", false, false, false}, ReplaceScope::Text},
    // The same in every field, whole words only.
    {"BM_ReplaceAllFieldsWholeWord", {"gate", "door", false, true, false}, ReplaceScope::All},
    // A word with an umlaut, case matched, in the text.
    {"BM_ReplaceAllNonAscii", {"Br\u00FCcke", "Furt", true, false, false}, ReplaceScope::Text},
    // The same letting case go: the text's ASCII part is the quick test.
    {"BM_ReplaceAllNonAsciiIgnoringCase",
     {"BR\u00DCCKE", "Furt", false, false, false},
     ReplaceScope::Text},
    // A regular expression over every text: no quick test can skip a field.
    {"BM_ReplaceAllRegex", {"\\bgate\\b", "door", false, false, true}, ReplaceScope::Text},
    // Every identifier renamed: the uniqueness rule is checked a million times.
    {"BM_ReplaceAllIdentifiers",
     {"_DIALOG_", "_LINE_", true, false, false},
     ReplaceScope::Identifier},
};

[[maybe_unused]] const bool kRegistered = [] {
    for (const ReplaceCase& entry : kCases)
        benchmark::RegisterBenchmark(entry.name, ReplaceAll, entry.options, entry.scope)
            ->Arg(1000000)
            ->Unit(benchmark::kMillisecond);
    return true;
}();

} // namespace
