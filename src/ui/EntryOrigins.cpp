#include "EntryOrigins.h"

#include <algorithm>
#include <numeric>

EntryOrigins::EntryOrigins(std::uint32_t count) : m_count(count), m_nextOrigin(count) {}

std::uint32_t EntryOrigins::OriginOf(std::uint32_t position) const {
    return m_bIdentity ? position : m_origins[position];
}

std::optional<std::uint32_t> EntryOrigins::PositionOf(std::uint32_t origin) const {
    const auto removed = std::lower_bound(m_removed.begin(), m_removed.end(), origin);
    if (removed != m_removed.end() && *removed == origin)
        return std::nullopt;
    // Order never changes: the entry moved up by one for each removed before it.
    return origin - std::uint32_t(removed - m_removed.begin());
}

void EntryOrigins::Materialise() {
    if (!m_bIdentity)
        return;
    m_origins.resize(m_count);
    std::iota(m_origins.begin(), m_origins.end(), 0u);
    m_bIdentity = false;
}

void EntryOrigins::Removed(std::uint32_t position) {
    if (position >= m_count)
        return;
    Materialise();
    const std::uint32_t origin = m_origins[position];
    m_origins.erase(m_origins.begin() + position);
    --m_count;
    m_removed.insert(std::lower_bound(m_removed.begin(), m_removed.end(), origin), origin);
}

void EntryOrigins::Appended() {
    // Without a removal the appended entry's position is its origin.
    if (!m_bIdentity)
        m_origins.push_back(m_nextOrigin);
    ++m_nextOrigin;
    ++m_count;
}
