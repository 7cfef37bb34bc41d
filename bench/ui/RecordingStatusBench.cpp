// Selecting entries of a file of 1,000,000 entries whose recorded list names
// every entry: the selection itself (on the window's thread) and the time
// until the status line about the recording is shown, first when the
// recording is read and hashed, then from the cache.

#include "LexariumDoc.h"
#include "LexariumView.h"
#include "MainFrame.h"
#include "RecordingLookup.h"
#include "WinApp.h"
#include "check/RecordedList.h"
#include "check/Sha256.h"
#include "testdata/TestData.h"

#include <QCoreApplication>
#include <QTreeView>
#include <benchmark/benchmark.h>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace {

constexpr std::uint32_t kEntries = 1000000;

std::string WriteFile(const std::filesystem::path& path, const std::string& bytes) {
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary).write(bytes.data(), std::streamsize(bytes.size()));
    return bytes;
}

// A WAV file of `ms` of silence, 16 kHz mono 16-bit.
std::string Wav(std::uint32_t ms) {
    const std::uint32_t bytes = 32 * ms;
    std::string wav = "RIFF";
    auto put = [&wav](std::uint32_t value, int size) {
        for (int i = 0; i < size; ++i)
            wav += char((value >> (8 * i)) & 0xFF);
    };
    put(36 + bytes, 4);
    wav += "WAVEfmt ";
    for (auto [value, size] :
         {std::pair{16u, 4}, {1u, 2}, {1u, 2}, {16000u, 4}, {32000u, 4}, {2u, 2}, {16u, 2}})
        put(value, size);
    wav += "data";
    put(bytes, 4);
    wav.append(bytes, '\0');
    return wav;
}

struct Setup {
    std::filesystem::path folder;
    CMainFrame* frame = nullptr;
    CLexariumView* view = nullptr;
};

Setup& Prepare() {
    static Setup setup;
    if (setup.frame != nullptr)
        return setup;
    setup.folder = std::filesystem::temp_directory_path() /
                   ("lexarium-status-bench-" + std::to_string(::getpid()));
    g_pTreeView->m_pCurrentEntry = nullptr;
    g_pDocument->m_textResources = testdata::MakeTypicalCollection(kEntries);
    std::vector<check::RecordedLine> lines;
    lines.reserve(kEntries);
    for (std::uint32_t i = 0; i < kEntries; ++i) {
        const TextResourceEntry& entry = *g_pDocument->m_textResources.GetEntry(i);
        lines.push_back({entry.identifier, entry.id, entry.audioFile, check::TextSha256(entry),
                         entry.lengthMs, std::string(64, '0'), "2026-11-02T10:00:00Z"});
    }
    // The recordings of the entries that the benchmark selects.
    for (std::uint32_t i = 0; i < 64; ++i) {
        const TextResourceEntry& entry = *g_pDocument->m_textResources.GetEntry(i * 15000);
        const std::string bytes = WriteFile(setup.folder / "audio" / entry.audioFile, Wav(3000));
        lines[i * 15000].audioSha256 = check::Sha256Hex(bytes);
    }
    WriteFile(setup.folder / "typical.recorded.tsv", check::FormatRecordedList(std::move(lines)));
    const std::string trs = (setup.folder / "typical.trs").string();
    g_pDocument->m_strContentsPath = QString::fromStdString(trs);
    *g_pMissionFolder = QString::fromStdString((setup.folder / "audio").string() + "/");
    setup.frame = dynamic_cast<CMainFrame*>(AfxGetMainWnd());
    setup.view = dynamic_cast<CLexariumView*>(g_pTreeView);
    g_pTreeView->RebuildTree();
    setup.frame->GetRecordingStatus()->Follow(trs);
    return setup;
}

// One selection: the manual time is the selection on the window's thread
// (`untilShown` false) or until the line is shown.
void Select(benchmark::State& state, std::uint32_t position, bool untilShown) {
    Setup& setup = Prepare();
    QTreeView& tree = setup.view->GetTreeCtrl();
    const auto start = std::chrono::steady_clock::now();
    tree.setCurrentIndex(setup.view->GetModel().EntryIndex(position));
    auto end = std::chrono::steady_clock::now();
    while (setup.frame->GetRecordingStatus()->IsPending())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
    if (untilShown)
        end = std::chrono::steady_clock::now();
    state.SetIterationTime(std::chrono::duration<double>(end - start).count());
    if (!setup.frame->GetStatusLine().contains(QStringLiteral("recorded from this text")))
        state.SkipWithError(
            ("unexpected line: " + setup.frame->GetStatusLine()).toStdString().c_str());
}

void BM_SelectEntry(benchmark::State& state) {
    std::uint32_t i = 0;
    for (auto _ : state)
        Select(state, (i++ % 64) * 15000, false);
}
BENCHMARK(BM_SelectEntry)->UseManualTime()->Iterations(64)->Unit(benchmark::kMillisecond);

void BM_SelectEntryUntilShown(benchmark::State& state) {
    std::uint32_t i = 0;
    for (auto _ : state)
        Select(state, (i++ % 64) * 15000, true);
}
// The first 64 read and hash their recordings; the next 64 come from the cache.
BENCHMARK(BM_SelectEntryUntilShown)
    ->UseManualTime()
    ->Iterations(64)
    ->Repetitions(2)
    ->Unit(benchmark::kMillisecond);

} // namespace
