#pragma once

// Finding an entry's recording on disk. A recording is looked up under the
// mission folder by the entry's stored audio file name, or by its female name
// ("_fem" before the last "."). Two candidates are tried: the folder followed
// directly by the name, then the folder, a separator and the name; when only
// the second is found, the separator is appended to the folder itself, so that
// later lookups find their files with the first candidate.
//
// Stored names come from files made on Windows: each backslash in a name is a
// folder separator, and letter case is not significant there. So when a
// candidate does not exist as written, its components below the mission folder
// are matched ignoring case, one at a time (the folder itself is used as
// typed); an exact match always wins, and among several names that differ only
// in case the first in byte order is taken. The path found is the real one on
// disk. Only a readable regular file counts as found, never a folder; a name
// or folder that holds a zero byte finds nothing, with or without the cache.
//
// Names are UTF-8 bytes and reach the file system unchanged.

#include "model/TextResourceEntry.h"

#include <memory>
#include <string>

namespace audio {

// The separator that the lookup adds to a folder: the platform's own.
#ifdef _WIN32
constexpr char kPathSeparator = '\\';
#else
constexpr char kPathSeparator = '/';
#endif

// False when `name` holds no "."; otherwise `result` is `name` with "_fem"
// inserted before its last ".". Works on the stored bytes as written.
bool MakeFemaleName(const std::string& name, std::string& result);

// How a recording was found.
enum class AudioMatch {
    NotFound,
    Exact,        // the candidate exists as written
    IgnoringCase, // found only by ignoring letter case in its name
};

struct AudioLookupResult {
    AudioMatch match = AudioMatch::NotFound;
    std::string path;            // the real path on disk, when found
    bool folderRepaired = false; // found only with the separator added to the mission folder
    std::string repairedFolder;  // then: the mission folder with it, for the caller to keep

    bool Found() const { return match != AudioMatch::NotFound; }
};

class FolderListings;

// Looks recordings up. By default every lookup asks the file system afresh,
// as a player does when the user presses listen; with `cacheFolders` each
// folder is listed once for the life of the object, which is what a check of a
// whole file against a big folder needs: a candidate that the listing of its
// folder does not hold as a file is not found without asking the file system
// again, and only one that it holds is opened to test that it can be read. (A
// folder that cannot be listed is asked about each candidate, as without the
// cache.)
class AudioLocator {
public:
    explicit AudioLocator(bool cacheFolders = false);
    ~AudioLocator();
    AudioLocator(const AudioLocator&) = delete;
    AudioLocator& operator=(const AudioLocator&) = delete;

    // Looks up `part` (a stored name, plain or female) under `missionFolder`
    // with the two candidates; when only the second is found, the result holds
    // the folder with its separator, which the caller keeps for later lookups.
    AudioLookupResult Find(const std::string& missionFolder, const std::string& part);

    // The recording of `entry`, or its female take: the part to look up is the
    // stored name, the female name, or nothing (an empty name, or a female
    // take of a name without "."), which names no file.
    AudioLookupResult FindRecording(const std::string& missionFolder,
                                    const TextResourceEntry& entry, bool female);

    // Whether `path` names a readable regular file (never one that holds a zero byte).
    static bool IsReadableFile(const std::string& path);

private:
    // The candidates matched ignoring case; `throughSecond` tells whether the
    // second candidate (folder, separator, name) was the one found.
    std::string FindIgnoringCase(const std::string& missionFolder, const std::string& name,
                                 bool& throughSecond);

    // The existence test of one candidate.
    bool IsCandidateFound(const std::string& path);

    bool m_cacheFolders;
    std::unique_ptr<FolderListings> m_listings;
};

// The lookup as the editor's listen buttons and the audio test panel use it:
// true with `path` set when the recording was found; `missionFolder` keeps the
// separator when the lookup repaired it.
bool ResolveAudioPath(const TextResourceEntry& entry, bool female, std::string& missionFolder,
                      std::string& path);

// Letter case folded for comparing names the way Windows does: ASCII, Latin-1,
// Latin Extended-A, Greek and Cyrillic capitals become small letters; every
// other byte, and bytes that are not UTF-8, stay as they are.
std::string FoldCase(const std::string& utf8);

} // namespace audio
