#include "check/RecordingFactsCache.h"

#include "check/Sha256.h"

#include <chrono>
#include <filesystem>

namespace check {

namespace fs = std::filesystem;

RecordingFactsCache::RecordingFactsCache(std::size_t capacity) : m_capacity(capacity) {}

bool RecordingFactsCache::StampOf(const std::string& path, Stamp& stamp) {
    std::error_code error;
    if (!fs::is_regular_file(fs::status(path, error)) || error)
        return false;
    stamp.size = fs::file_size(path, error);
    if (error)
        return false;
    const fs::file_time_type modified = fs::last_write_time(path, error);
    if (error)
        return false;
    stamp.modified =
        std::chrono::duration_cast<std::chrono::nanoseconds>(modified.time_since_epoch()).count();
    return true;
}

RecordingFacts RecordingFactsCache::Get(const std::string& path, bool hash) {
    Stamp before;
    const bool cacheable = StampOf(path, before);
    Cached cached;
    bool have = false;
    if (cacheable) {
        std::lock_guard lock(m_mutex);
        const auto found = m_files.find(path);
        if (found != m_files.end() && found->second.stamp == before) {
            if (!hash || found->second.hashed)
                return found->second.facts;
            cached = found->second;
            have = true;
        }
    }
    // Read outside the lock: one slow file does not hold up the others. Facts
    // and hash come from one opening of the file when both are needed.
    if (!have && hash) {
        FileHash fileHash;
        cached.facts.facts = ReadAudioFacts(path, nullptr, &fileHash);
        cached.hashed = !fileHash.hex.empty();
        cached.facts.sha256 = std::move(fileHash.hex);
        if (!cached.hashed)
            cached.facts.hashError = std::move(fileHash.error);
    } else if (!have) {
        cached.facts.facts = ReadAudioFacts(path);
    } else if (hash) {
        std::string reason;
        if (Sha256OfFile(path, cached.facts.sha256, reason))
            cached.hashed = true;
        else
            cached.facts.hashError = reason;
    }
    cached.stamp = before;
    Stamp after;
    std::lock_guard lock(m_mutex);
    ++m_reads;
    // A file that changed while it was read is told as read, but not kept.
    if (cacheable && StampOf(path, after) && after == before) {
        if (m_files.size() >= m_capacity && m_files.find(path) == m_files.end())
            m_files.clear();
        m_files[path] = cached;
    }
    return cached.facts;
}

std::uint64_t RecordingFactsCache::Reads() const {
    std::lock_guard lock(m_mutex);
    return m_reads;
}

} // namespace check
