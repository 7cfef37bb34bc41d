#include "check/RecordedListCache.h"

#include <chrono>
#include <filesystem>

namespace check {

namespace fs = std::filesystem;

const RecordedLine* IndexedRecordedList::Find(const std::string& identifier) const {
    const auto found = byIdentifier.find(identifier);
    return found != byIdentifier.end() ? found->second : nullptr;
}

RecordedListCache::Stamp RecordedListCache::StampOf(const std::string& path) {
    Stamp stamp;
    std::error_code error;
    const fs::file_status status = fs::status(path, error);
    if (error || !fs::exists(status))
        return stamp;
    stamp.exists = true;
    if (!fs::is_regular_file(status))
        return stamp; // ReadRecordedList says why it is not read
    stamp.size = fs::file_size(path, error);
    const fs::file_time_type modified = fs::last_write_time(path, error);
    if (!error)
        stamp.modified =
            std::chrono::duration_cast<std::chrono::nanoseconds>(modified.time_since_epoch())
                .count();
    return stamp;
}

std::shared_ptr<const IndexedRecordedList> RecordedListCache::Get(const std::string& path) {
    // One reader at a time: a second caller waits for the list being read
    // rather than reading it again.
    std::lock_guard lock(m_mutex);
    const Stamp stamp = StampOf(path);
    if (m_list && m_list->path == path && stamp == m_stamp)
        return stamp.exists ? m_list : nullptr;
    auto list = std::make_shared<IndexedRecordedList>();
    list->path = path;
    if (stamp.exists) {
        switch (ReadRecordedList(path, list->list, list->failure)) {
        case ListRead::Read:
            list->byIdentifier.reserve(list->list.lines.size());
            for (const RecordedLine& line : list->list.lines)
                list->byIdentifier.emplace(line.identifier, &line);
            break;
        case ListRead::Missing:
            break;
        case ListRead::Failed:
            list->list = RecordedList();
            break;
        }
    }
    m_list = list;
    m_stamp = stamp;
    return stamp.exists ? m_list : nullptr;
}

std::shared_ptr<const RecordedList> RecordedListCache::Lines(const std::string& path) {
    std::shared_ptr<const IndexedRecordedList> list = Get(path);
    if (!list || !list->failure.empty())
        return nullptr;
    return std::shared_ptr<const RecordedList>(list, &list->list);
}

} // namespace check
