// Where the entries of the document were when a check started, followed
// through the removals and appends after it: the check gives its findings by
// those positions, and they are moved to the positions the entries have now
// (or dropped with their entry) when it reports.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

class EntryOrigins {
public:
    explicit EntryOrigins(std::uint32_t count = 0);

    // The position, when the check started, of the entry now at `position`;
    // entries appended since count on from the number there were then.
    std::uint32_t OriginOf(std::uint32_t position) const;
    // The position now of the entry that was at `origin`; none when it has
    // been removed since.
    std::optional<std::uint32_t> PositionOf(std::uint32_t origin) const;

    // The entry at `position` was removed; an entry was appended.
    void Removed(std::uint32_t position);
    void Appended();

private:
    // Until the first removal the positions are those of the start.
    void Materialise();

    std::uint32_t m_count;         // entries now
    std::uint32_t m_nextOrigin;    // for the next appended entry
    bool m_bIdentity = true;       // no removal yet: each position is its own origin
    std::vector<std::uint32_t> m_origins; // by position now, once not the identity
    std::vector<std::uint32_t> m_removed; // origins of removed entries, sorted
};
