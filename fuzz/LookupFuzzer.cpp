// Looks up recordings by names of any bytes (stored names come from damaged
// files too) in a small folder tree that the target makes once: with and
// without a separator at the end of the mission folder, plain and female,
// with and without the folder cache. What is found must be a readable file
// under the mission folder, the repaired folder must be the given one with a
// separator, and the cache must agree with asking the file system.
//
// The first byte of an input chooses the folder and the take; the rest is the
// stored name, zero bytes and all.

#include "audio/AudioLookup.h"

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

// The tree: files in several letter cases and depths, a folder named like a
// file, and a name that is not UTF-8.
fs::path g_root; // removed when the fuzzer ends

void RemoveTree() {
    std::error_code ignored;
    fs::remove_all(g_root, ignored);
}

std::string MakeTree() {
    g_root = fs::temp_directory_path() / ("lexarium-fuzz-lookup-" + std::to_string(::getpid()));
    const fs::path& root = g_root;
    std::atexit(RemoveTree);
    for (const char* relative :
         {"audio/voice.wav", "audio/voice_fem.wav", "audio/Sub/Line.WAV", "audio/sub/line.wav",
          "audio/x.dir/voice", "audio/\xC3\x84rger.wav", "audio/t\xE9ne.wav",
          "audio/a/b/c/d.wav"}) {
        const fs::path file = root / relative;
        fs::create_directories(file.parent_path());
        std::ofstream(file) << "RIFF";
    }
    fs::create_directories(root / "audio/folder.wav");
    return (root / "audio").string();
}

const std::string& Tree() {
    static const std::string folder = MakeTree();
    return folder;
}

bool StartsWith(const std::string& text, const std::string& prefix) {
    return text.compare(0, prefix.size(), prefix) == 0;
}

void CheckFound(const audio::AudioLookupResult& result, const std::string& folder) {
    if (!result.Found()) {
        if (result.folderRepaired || !result.path.empty())
            std::abort();
        return;
    }
    if (!audio::AudioLocator::IsReadableFile(result.path) || !StartsWith(result.path, folder))
        std::abort();
    if (result.folderRepaired && result.repairedFolder != folder + audio::kPathSeparator)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    const std::uint8_t choice = data[0];
    TextResourceEntry entry;
    // Zero bytes included: such a name finds nothing, with the cache or without.
    entry.audioFile.assign(reinterpret_cast<const char*>(data + 1), size - 1);
    const bool female = (choice & 1) != 0;
    std::string folder = Tree();
    if (choice & 2)
        folder += audio::kPathSeparator;

    audio::AudioLocator plain;
    const audio::AudioLookupResult asked = plain.FindRecording(folder, entry, female);
    CheckFound(asked, folder);
    if (choice & 4) {
        audio::AudioLocator cached(true);
        const audio::AudioLookupResult listed = cached.FindRecording(folder, entry, female);
        if (listed.match != asked.match || listed.path != asked.path ||
            listed.folderRepaired != asked.folderRepaired)
            std::abort();
    }
    return 0;
}
