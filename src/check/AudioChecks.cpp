#include "check/AudioChecks.h"

#include "check/AudioFacts.h"
#include "check/Pace.h"
#include "check/RecordedChecks.h"
#include "check/Wording.h"
#include "model/CountCharacters.h"
#include "model/TextExport.h"

#include <algorithm>
#include <filesystem>
#include <iterator>
#include <vector>

namespace check {

namespace fs = std::filesystem;

namespace {

// Paths as the folder's listing spells them: without "." and ".." components
// and doubled separators. Most paths have none, and are taken as they are.
std::string NormalPath(const std::string& path) {
    const std::string wrapped = "/" + path + "/";
    if (path.find("//") == std::string::npos && wrapped.find("/./") == std::string::npos &&
        wrapped.find("/../") == std::string::npos)
        return path;
    return fs::path(path).lexically_normal().string();
}

} // namespace

AudioChecks::AudioChecks(const CheckOptions& options, const std::atomic<bool>* cancel)
    : m_folder(options.audioFolder.value_or("")), m_missionFolder(m_folder), m_cancel(cancel),
      m_maxCharactersPerSecond(options.maxCharactersPerSecond),
      m_facts(cancel, FactReaders::Judging{options.maxCharactersPerSecond, options.levels}) {
    if (options.recorded)
        m_recorded = std::make_unique<RecordedChecks>(options.recorded);
}

AudioChecks::~AudioChecks() = default;

void AudioChecks::Check(std::uint32_t position, std::uint32_t firstOfIdentifier,
                        const TextResourceEntry& entry, Findings& findings) {
    // Every entry counts for the identifiers that the list names, with a
    // recording or without.
    std::optional<std::uint32_t> listed;
    if (m_recorded) {
        m_recorded->Seen(position, firstOfIdentifier);
        listed = firstOfIdentifier;
    }
    if (!HasAudioFile(entry)) {
        CheckStoredPace(position, entry, findings);
        return;
    }
    const audio::AudioLookupResult plain = Find(entry, false);
    if (plain.Found()) {
        Found(position, entry, plain, false, listed, findings);
    } else {
        findings.AddEntryFinding("missing-audio", position, entry, Field::AudioFile,
                                 Quoted(entry.audioFile) + " is not in the folder");
        CheckStoredPace(position, entry, findings);
    }
    // A female take is optional; one that exists must play as well.
    const audio::AudioLookupResult female = Find(entry, true);
    if (female.Found())
        Found(position, entry, female, true, std::nullopt, findings);
}

// As the panel steps through the entries: a folder repaired by one lookup
// serves the lookups after it.
audio::AudioLookupResult AudioChecks::Find(const TextResourceEntry& entry, bool female) {
    audio::AudioLookupResult result = m_locator.FindRecording(m_missionFolder, entry, female);
    if (result.folderRepaired)
        m_missionFolder = result.repairedFolder;
    return result;
}

void AudioChecks::Found(std::uint32_t position, const TextResourceEntry& entry,
                        const audio::AudioLookupResult& found, bool female,
                        std::optional<std::uint32_t> firstOfIdentifier, Findings& findings) {
    m_reached.Remember(NormalPath(found.path), 0);
    if (found.match == audio::AudioMatch::IgnoringCase) {
        std::string stored = entry.audioFile;
        if (female)
            audio::MakeFemaleName(entry.audioFile, stored);
        findings.AddEntryFinding("case-mismatch", position, entry, Field::AudioFile,
                                 (female ? "female take " : "") + Quoted(stored) +
                                     " is found only as " + Quoted(found.path) +
                                     ", which differs in letter case");
    }
    FactReaders::File file{found.path,
                           female,
                           position,
                           entry.id,
                           entry.identifier,
                           entry.lengthMs,
                           m_maxCharactersPerSecond ? CountSpokenCharacters(entry.text) : 0,
                           findings.EntryFindingCount()};
    // Only the recordings that the list may name are hashed.
    RecordedChecks::Lookup listed;
    if (firstOfIdentifier) {
        listed = m_recorded->Look(entry);
        file.hash = listed.MayBeListed();
    }
    const bool hashed = file.hash;
    const std::size_t sequence = m_facts.Add(std::move(file));
    if (hashed)
        m_recorded->Found(sequence, position, *firstOfIdentifier, entry, listed,
                          findings.EntryFindingCount());
}

void AudioChecks::CheckStoredPace(std::uint32_t position, const TextResourceEntry& entry,
                                  Findings& findings) const {
    if (!m_maxCharactersPerSecond)
        return;
    if (auto detail =
            TooFast(CountSpokenCharacters(entry.text), entry.lengthMs, *m_maxCharactersPerSecond))
        findings.AddEntryFinding("too-fast", position, entry, Field::Text, std::move(*detail));
}

void AudioChecks::Finish(Findings& findings) {
    std::vector<std::pair<std::size_t, Finding>> placed = m_facts.Finish();
    if (m_recorded) {
        // Both lists are in the order of their places; at the same place
        // the facts of the file come first.
        std::vector<std::pair<std::size_t, Finding>> listed =
            m_recorded->Finish(m_facts.TakeMeasured());
        std::vector<std::pair<std::size_t, Finding>> merged;
        merged.reserve(placed.size() + listed.size());
        std::merge(std::make_move_iterator(placed.begin()), std::make_move_iterator(placed.end()),
                   std::make_move_iterator(listed.begin()), std::make_move_iterator(listed.end()),
                   std::back_inserter(merged),
                   [](const auto& a, const auto& b) { return a.first < b.first; });
        placed = std::move(merged);
    }
    findings.InsertEntryFindings(std::move(placed));
    AddUnused(findings);
}

void AudioChecks::AddUnused(Findings& findings) const {
    std::vector<std::string> unused;
    // An empty mission folder is the current folder, as for listen.
    std::string folder = m_folder.empty() ? "." : m_folder;
    while (folder.size() > 1 && folder.back() == '/')
        folder.pop_back();
    // Every file below the folder: symbolic links to files count; those to
    // folders are not followed, so that a loop cannot trap the walk; folders
    // that cannot be read are passed over.
    const std::size_t prefix = folder.back() == '/' ? folder.size() : folder.size() + 1;
    std::error_code error;
    for (auto it = fs::recursive_directory_iterator(
             folder, fs::directory_options::skip_permission_denied, error);
         !error && it != fs::recursive_directory_iterator(); it.increment(error)) {
        if (m_cancel != nullptr && m_cancel->load(std::memory_order_relaxed))
            break;
        std::error_code ignored;
        if (!it->is_regular_file(ignored))
            continue;
        const std::string below = it->path().string().substr(prefix);
        if (HasAudioExtension(below) && !m_reached.Contains(NormalPath(folder + "/" + below)))
            unused.push_back(below);
    }
    std::sort(unused.begin(), unused.end());
    for (const std::string& path : unused)
        findings.AddFolderFinding("unused-audio",
                                  Quoted(path) + " is not the recording of any entry");
}

} // namespace check
