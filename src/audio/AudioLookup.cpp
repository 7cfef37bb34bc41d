// The lookup of recordings: the two candidates, the folder's fix-up, and the
// match that ignores letter case one path component at a time.

#include "audio/AudioLookup.h"

#include "audio/FolderListings.h"

#include <climits>
#include <cstdio>
#include <filesystem>
#include <vector>

#ifndef _WIN32
#include <fcntl.h>
#include <unistd.h>
#endif

namespace audio {

namespace {

// The stored name as a path of this platform: a backslash separates folders.
std::string NativeName(const std::string& stored) {
    std::string name = stored;
#ifndef _WIN32
    for (char& c : name) {
        if (c == '\\')
            c = '/';
    }
#endif
    return name;
}

bool IsSeparator(char c) {
    return c == '/' || c == kPathSeparator;
}

// The longest path the system opens; a longer candidate names no file, so it
// is not looked at (a damaged file may store a name of any length).
#ifdef _WIN32
constexpr std::size_t kPathLimit = 32767;
#else
constexpr std::size_t kPathLimit = PATH_MAX - 1;
#endif

bool TooLong(const std::string& path) {
    return path.size() > kPathLimit;
}

std::vector<std::string> SplitComponents(const std::string& path) {
    std::vector<std::string> components;
    std::string current;
    for (char c : path) {
        if (IsSeparator(c)) {
            components.push_back(current);
            current.clear();
        } else {
            current += c;
        }
    }
    components.push_back(current);
    return components;
}

// `name` inside `folder`; an empty folder is the current one and adds nothing.
std::string Join(const std::string& folder, const std::string& name) {
    if (folder.empty())
        return name;
    if (IsSeparator(folder.back()))
        return folder + name;
    return folder + kPathSeparator + name;
}

// Appends `name` to `path` in place, as Join does: each step costs the
// length of the name, not of the path.
void Append(std::string& path, const std::string& name) {
    if (!path.empty() && !IsSeparator(path.back()))
        path += kPathSeparator;
    path += name;
}

// Follows `components` from `base` (taken as written), choosing in each folder
// the name that matches exactly, else the first in byte order that matches
// ignoring case. Folders must be folders; the last component must be a
// readable file. Empty when nothing fits.
std::string WalkIgnoringCase(const std::string& base, const std::vector<std::string>& components,
                             FolderListings& listings) {
    std::string current = base;
    for (std::size_t i = 0; i < components.size(); ++i) {
        const std::string& wanted = components[i];
        const bool last = i + 1 == components.size();
        if (wanted.empty() || wanted == "." || wanted == "..") {
            if (last)
                return {};
            if (wanted.empty()) {
                Append(current, {});
                current += kPathSeparator;
            } else {
                Append(current, wanted);
            }
            if (TooLong(current))
                return {};
            continue;
        }
        const bool addsSeparator = !current.empty() && !IsSeparator(current.back());
        if (current.size() + (addsSeparator ? 1 : 0) + wanted.size() > kPathLimit)
            return {};
        const FolderListing& listing = listings.List(current.empty() ? std::string(".") : current);
        auto fits = [&](const FolderEntry& entry) {
            return last ? !entry.isFolder && AudioLocator::IsReadableFile(Join(current, entry.name))
                        : entry.isFolder;
        };
        const FolderEntry* chosen = nullptr;
        for (const FolderEntry* entry : listing.MatchesIgnoringCase(FoldCase(wanted))) {
            if (!fits(*entry))
                continue;
            if (entry->name == wanted) {
                chosen = entry;
                break;
            }
            if (chosen == nullptr)
                chosen = entry; // the first in byte order, unless an exact one follows
        }
        if (chosen == nullptr)
            return {};
        Append(current, chosen->name);
    }
    return current;
}

} // namespace

bool MakeFemaleName(const std::string& name, std::string& result) {
    const std::string::size_type dot = name.rfind('.');
    if (dot == std::string::npos)
        return false;
    result = name.substr(0, dot) + "_fem" + name.substr(dot);
    return true;
}

AudioLocator::AudioLocator(bool cacheFolders)
    : m_cacheFolders(cacheFolders), m_listings(std::make_unique<FolderListings>(cacheFolders)) {}

AudioLocator::~AudioLocator() = default;

namespace {

// Whether the file may be opened for reading. Where the system can tell
// without opening it, it is asked with the program's effective user, as an
// opening would check: one call instead of an open and a close for each of a
// big folder's recordings.
bool OpensForReading(const std::string& path) {
#ifdef _WIN32
    std::FILE* file = std::fopen(path.c_str(), "rb"); // owned: closed at once
    if (file == nullptr)
        return false;
    std::fclose(file);
    return true;
#else
    return ::faccessat(AT_FDCWD, path.c_str(), R_OK, AT_EACCESS) == 0;
#endif
}

// The system ends a path at its first zero byte, so a name that holds one
// cannot name a file: looking up what comes before it would find another.
bool HoldsZeroByte(const std::string& text) {
    return text.find('\0') != std::string::npos;
}

} // namespace

bool AudioLocator::IsReadableFile(const std::string& path) {
    if (path.empty() || HoldsZeroByte(path))
        return false;
    std::error_code error;
    if (!std::filesystem::is_regular_file(std::filesystem::path(path), error))
        return false;
    return OpensForReading(path);
}

bool AudioLocator::IsCandidateFound(const std::string& path) {
    if (!m_cacheFolders)
        return IsReadableFile(path);
    std::string::size_type cut = path.size();
    while (cut > 0 && !IsSeparator(path[cut - 1]))
        --cut;
    const std::string name = path.substr(cut);
    if (name.empty() || name == "." || name == "..")
        return false; // a folder
    std::string folder = cut == 0 ? std::string(".") : path.substr(0, cut);
    const FolderListing& listing = m_listings->List(folder);
    if (!listing.Listed())
        return IsReadableFile(path);
    const FolderEntry* entry = listing.Find(name);
    return entry != nullptr && entry->isFile && OpensForReading(path);
}

AudioLookupResult AudioLocator::Find(const std::string& missionFolder, const std::string& part) {
    AudioLookupResult result;
    const std::string name = NativeName(part);
    const std::string first = missionFolder + name;
    const std::string second = missionFolder + kPathSeparator + name;
    if (TooLong(first))
        return result; // the second is longer still, and so is any other spelling
    if (HoldsZeroByte(first))
        return result; // and a listing of the folder holds no such name either

    // A candidate as written wins over any match that ignores case.
    if (IsCandidateFound(first)) {
        result.match = AudioMatch::Exact;
        result.path = first;
        return result;
    }
    if (IsCandidateFound(second)) {
        result.match = AudioMatch::Exact;
        result.path = second;
    } else if (!name.empty()) {
        bool throughSecond = false;
        result.path = FindIgnoringCase(missionFolder, name, throughSecond);
        if (result.path.empty())
            return result;
        result.match = AudioMatch::IgnoringCase;
        if (!throughSecond)
            return result;
    } else {
        return result;
    }
    result.folderRepaired = true;
    result.repairedFolder = missionFolder + kPathSeparator;
    return result;
}

std::string AudioLocator::FindIgnoringCase(const std::string& missionFolder,
                                           const std::string& name, bool& throughSecond) {
    std::vector<std::string> components = SplitComponents(name);
    const bool endsWithSeparator = missionFolder.empty() || IsSeparator(missionFolder.back());
    std::string path;
    throughSecond = false;
    if (endsWithSeparator) {
        path = WalkIgnoringCase(missionFolder, components, *m_listings);
    } else if (components.size() > 1) {
        // The first candidate of a folder typed without its separator runs into
        // the name's first component, which is then taken as written.
        const std::vector<std::string> rest(components.begin() + 1, components.end());
        path = WalkIgnoringCase(missionFolder + components.front(), rest, *m_listings);
    }
    if (!path.empty())
        return path;
    if (!missionFolder.empty() && endsWithSeparator)
        return {}; // the second candidate would walk the same folders again
    throughSecond = true;
    return WalkIgnoringCase(missionFolder + kPathSeparator, components, *m_listings);
}

AudioLookupResult AudioLocator::FindRecording(const std::string& missionFolder,
                                              const TextResourceEntry& entry, bool female) {
    std::string part;
    if (!female)
        part = entry.audioFile;
    else if (!entry.audioFile.empty() && !MakeFemaleName(entry.audioFile, part))
        part.clear();
    return Find(missionFolder, part);
}

bool ResolveAudioPath(const TextResourceEntry& entry, bool female, std::string& missionFolder,
                      std::string& path) {
    AudioLocator locator;
    AudioLookupResult result = locator.FindRecording(missionFolder, entry, female);
    if (!result.Found())
        return false;
    if (result.folderRepaired)
        missionFolder = result.repairedFolder;
    path = result.path;
    return true;
}

} // namespace audio
