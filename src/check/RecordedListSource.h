#pragma once

// The recorded list a check compares with: one read already, or one that
// another thread is still reading. The check asks for it only where it needs
// it, so that lexarium-tool check and record read the list while the
// recordings are looked up and read, instead of before.

#include <future>
#include <memory>
#include <utility>

namespace check {

struct RecordedList;

class RecordedListSource {
public:
    RecordedListSource() = default;
    // A list read already; null: no list.
    RecordedListSource(std::shared_ptr<const RecordedList> list) // NOLINT: a list is a source
        : m_list(std::move(list)) {}
    // A list still being read; the future gives it, never null.
    explicit RecordedListSource(std::shared_future<std::shared_ptr<const RecordedList>> coming)
        : m_coming(std::move(coming)) {}

    // Whether there is a list, read or coming.
    explicit operator bool() const { return m_list != nullptr || m_coming.valid(); }

    // Whether Get would not wait.
    bool Ready() const {
        return m_list != nullptr || !m_coming.valid() ||
               m_coming.wait_for(std::chrono::seconds(0)) == std::future_status::ready;
    }

    // The list, once it is read (this waits for it); null when there is none.
    std::shared_ptr<const RecordedList> Get() const {
        return m_list != nullptr || !m_coming.valid() ? m_list : m_coming.get();
    }

private:
    std::shared_ptr<const RecordedList> m_list;
    std::shared_future<std::shared_ptr<const RecordedList>> m_coming;
};

} // namespace check
