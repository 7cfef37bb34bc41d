// Folder listings for the lookup that ignores letter case.

#include "audio/FolderListings.h"

#include "audio/AudioLookup.h"

#include <algorithm>
#include <filesystem>

namespace audio {

FolderListing::FolderListing(const std::string& folder) {
    std::error_code error;
    std::filesystem::directory_iterator it(std::filesystem::path(folder), error);
    m_listed = !error;
    for (; !error && it != std::filesystem::directory_iterator(); it.increment(error)) {
        FolderEntry entry;
        entry.name = it->path().filename().string();
        entry.folded = FoldCase(entry.name);
        std::error_code kindError;
        entry.isFolder = it->is_directory(kindError); // follows symbolic links
        entry.isFile = it->is_regular_file(kindError);
        m_entries.push_back(std::move(entry));
    }
    // Each pair of names is compared once: big folders make this the cost of listing them.
    std::sort(m_entries.begin(), m_entries.end(), [](const FolderEntry& a, const FolderEntry& b) {
        const int folded = a.folded.compare(b.folded);
        return folded != 0 ? folded < 0 : a.name < b.name;
    });
}

std::vector<const FolderEntry*>
FolderListing::MatchesIgnoringCase(const std::string& folded) const {
    auto it = std::lower_bound(
        m_entries.begin(), m_entries.end(), folded,
        [](const FolderEntry& entry, const std::string& key) { return entry.folded < key; });
    std::vector<const FolderEntry*> matches;
    for (; it != m_entries.end() && it->folded == folded; ++it)
        matches.push_back(&*it);
    return matches;
}

const FolderEntry* FolderListing::Find(const std::string& name) const {
    for (const FolderEntry* entry : MatchesIgnoringCase(FoldCase(name)))
        if (entry->name == name)
            return entry;
    return nullptr;
}

const FolderListing& FolderListings::List(const std::string& folder) {
    if (!m_cache)
        m_listings.clear();
    std::string key = folder;
    while (key.size() > 1 && (key.back() == '/' || key.back() == kPathSeparator))
        key.pop_back();
    auto it = m_listings.find(key);
    if (it == m_listings.end())
        it = m_listings.emplace(key, FolderListing(key)).first;
    return it->second;
}

} // namespace audio
