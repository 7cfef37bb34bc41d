#pragma once

// The names in a folder, for matching a name while ignoring its letter case.

#include <map>
#include <string>
#include <vector>

namespace audio {

struct FolderEntry {
    std::string name;
    std::string folded; // the name with its letter case folded
    bool isFolder = false;
};

class FolderListing {
public:
    explicit FolderListing(const std::string& folder);

    // The entries whose folded name is `folded`, in byte order of their names.
    std::vector<const FolderEntry*> MatchesIgnoringCase(const std::string& folded) const;

private:
    std::vector<FolderEntry> m_entries; // sorted by folded name, then by name
};

// Listings by folder path; with `cache` each folder is read once.
class FolderListings {
public:
    explicit FolderListings(bool cache) : m_cache(cache) {}

    const FolderListing& List(const std::string& folder);

private:
    bool m_cache;
    std::map<std::string, FolderListing> m_listings;
};

} // namespace audio
