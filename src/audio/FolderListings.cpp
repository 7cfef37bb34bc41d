// Folder listings for the lookup that ignores letter case.

#include "audio/FolderListings.h"

#include "audio/AudioLookup.h"

#include <algorithm>
#include <filesystem>
#include <tuple>

namespace audio {

FolderListing::FolderListing(const std::string& folder) {
    std::error_code error;
    std::filesystem::directory_iterator it(std::filesystem::path(folder), error);
    for (; !error && it != std::filesystem::directory_iterator(); it.increment(error)) {
        FolderEntry entry;
        entry.name = it->path().filename().string();
        entry.folded = FoldCase(entry.name);
        std::error_code kindError;
        entry.isFolder = it->is_directory(kindError); // follows symbolic links
        m_entries.push_back(std::move(entry));
    }
    std::sort(m_entries.begin(), m_entries.end(), [](const FolderEntry& a, const FolderEntry& b) {
        return std::tie(a.folded, a.name) < std::tie(b.folded, b.name);
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

const FolderListing& FolderListings::List(const std::string& folder) {
    if (!m_cache)
        m_listings.clear();
    auto it = m_listings.find(folder);
    if (it == m_listings.end())
        it = m_listings.emplace(folder, FolderListing(folder)).first;
    return it->second;
}

} // namespace audio
