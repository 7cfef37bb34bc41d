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
    bool isFile = false; // a regular file (both follow symbolic links)
};

class FolderListing {
public:
    explicit FolderListing(const std::string& folder);

    // The entries whose folded name is `folded`, in byte order of their names.
    std::vector<const FolderEntry*> MatchesIgnoringCase(const std::string& folded) const;
    // The entry named exactly `name`, or null.
    const FolderEntry* Find(const std::string& name) const;
    // False when the folder could not be listed (it may still be entered).
    bool Listed() const { return m_listed; }

private:
    std::vector<FolderEntry> m_entries; // sorted by folded name, then by name
    bool m_listed = false;
};

// Listings by folder path; with `cache` each folder is read once. A path and
// the same path with separators at its end share one listing.
class FolderListings {
public:
    explicit FolderListings(bool cache) : m_cache(cache) {}

    const FolderListing& List(const std::string& folder);

private:
    bool m_cache;
    std::map<std::string, FolderListing> m_listings;
};

} // namespace audio
