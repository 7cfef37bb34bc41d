#pragma once

// What libsndfile tells of recordings, and their SHA-256, kept by path for as
// long as the file keeps its size and modification time: stepping through the
// entries of a file asks about the same recordings again and again, and a
// recording is read again only once it was replaced. Safe to use from several
// threads; a file is read outside the lock.

#include "check/AudioFacts.h"

#include <cstddef>
#include <cstdint>
#include <mutex>
#include <string>
#include <unordered_map>

namespace check {

struct RecordingFacts {
    AudioFacts facts;
    std::string sha256;    // when asked for: empty when the file was not read
    std::string hashError; // then: why not
};

class RecordingFactsCache {
public:
    // At most `capacity` files are kept; beyond that the cache starts afresh.
    explicit RecordingFactsCache(std::size_t capacity = 4096);

    // The facts of the recording at `path`, with its hash when `hash` is set.
    RecordingFacts Get(const std::string& path, bool hash);

    // How many times a file was read so far (facts or hash): what the cache saved.
    std::uint64_t Reads() const;

private:
    struct Stamp {
        std::uint64_t size = 0;
        std::int64_t modified = 0; // nanoseconds, as the file system tells them
        bool operator==(const Stamp&) const = default;
    };
    struct Cached {
        Stamp stamp;
        RecordingFacts facts;
        bool hashed = false;
    };
    // The size and modification time of a regular file; false for anything else.
    static bool StampOf(const std::string& path, Stamp& stamp);

    const std::size_t m_capacity;
    mutable std::mutex m_mutex;
    std::unordered_map<std::string, Cached> m_files;
    std::uint64_t m_reads = 0;
};

} // namespace check
