#pragma once

// The recorded list of the open file as the editor uses it: read once, and
// read again only when its size or modification time changed, with its lines
// found by identifier. Safe to use from several threads.

#include "check/RecordedList.h"

#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <unordered_map>

namespace check {

// A list as read, with its lines by identifier.
struct IndexedRecordedList {
    std::string path;
    RecordedList list;
    std::unordered_map<std::string_view, const RecordedLine*> byIdentifier; // into `list`
    std::string failure; // the list is there but could not be read: why

    const RecordedLine* Find(const std::string& identifier) const;
};

class RecordedListCache {
public:
    // The list at `path` as it is on disk now; null when there is no such
    // file. A list that cannot be read comes with `failure` set and no lines.
    std::shared_ptr<const IndexedRecordedList> Get(const std::string& path);

    // The lines of the same, as a check takes them; null when there are none.
    std::shared_ptr<const RecordedList> Lines(const std::string& path);

private:
    struct Stamp {
        bool exists = false;
        std::uint64_t size = 0;
        std::int64_t modified = 0;
        bool operator==(const Stamp&) const = default;
    };
    static Stamp StampOf(const std::string& path);

    std::mutex m_mutex;
    std::shared_ptr<const IndexedRecordedList> m_list;
    Stamp m_stamp;
};

} // namespace check
