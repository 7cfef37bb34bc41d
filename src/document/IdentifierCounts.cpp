#include "IdentifierCounts.h"

#include "model/TextResourceObject.h"

#include <array>
#include <functional>

namespace {

std::uint32_t HashOf(std::string_view text) {
    return static_cast<std::uint32_t>(std::hash<std::string_view>{}(text));
}

// Asks for the cache line at `address`; a hint only, and nothing where the
// compiler has no word for it.
inline void PrefetchLine(const void* address) {
#if defined(__GNUC__) || defined(__clang__)
    __builtin_prefetch(address);
#else
    (void)address;
#endif
}

// How far ahead of its insertion an identifier's slot is asked for.
constexpr std::uint32_t kAhead = 16;

} // namespace

void IdentifierCounts::Build() {
    if (m_built)
        return;
    m_built = true;
    const std::uint32_t count = m_entries.GetEntryCount();
    // Room for every identifier and as many new ones before the table grows.
    std::size_t capacity = 16;
    while (capacity < 4 * static_cast<std::size_t>(count) + 16)
        capacity *= 2;
    m_slots.assign(capacity, Slot{});
    // The slots are asked for a few entries ahead, so the cache misses of
    // the insertions overlap instead of following one another.
    std::array<std::uint32_t, kAhead> hashes{};
    const std::size_t mask = capacity - 1;
    for (std::uint32_t i = 0; i < count + kAhead; ++i) {
        std::uint32_t& hash = hashes[i % kAhead];
        if (i >= kAhead) {
            // The entry asked for kAhead steps ago goes in.
            const std::uint32_t at = i - kAhead;
            Slot& slot = Find(m_entries.GetEntry(at)->identifier, hash);
            if (slot.text == kFree) {
                ++m_used;
                slot.hash = hash;
                slot.text = at;
            }
            ++slot.count;
        }
        if (i < count) {
            hash = HashOf(m_entries.GetEntry(i)->identifier);
            PrefetchLine(&m_slots[hash & mask]);
        }
    }
}

std::string_view IdentifierCounts::Text(std::uint32_t text) const {
    if (text & kKept) {
        const auto& [from, size] = m_nameSpans[text & ~kKept];
        return std::string_view(m_names).substr(from, size);
    }
    return m_entries.GetEntry(text)->identifier;
}

IdentifierCounts::Slot& IdentifierCounts::Find(std::string_view identifier, std::uint32_t hash) {
    const std::size_t mask = m_slots.size() - 1;
    for (std::size_t i = hash & mask;; i = (i + 1) & mask) {
        Slot& slot = m_slots[i];
        if (slot.text == kFree || (slot.hash == hash && Text(slot.text) == identifier))
            return slot; // the identifier's slot, or the free one where it would go
    }
}

IdentifierCounts::Slot& IdentifierCounts::FindHeld(std::uint32_t position, Key identifier) {
    const std::size_t mask = m_slots.size() - 1;
    for (std::size_t i = identifier.hash & mask;; i = (i + 1) & mask) {
        Slot& slot = m_slots[i];
        if (slot.text == kFree || (slot.hash == identifier.hash &&
                                   (slot.text == position || Text(slot.text) == identifier.text)))
            return slot;
    }
}

IdentifierCounts::Slot& IdentifierCounts::Insert(Key identifier, std::uint32_t text) {
    Slot* slot = &Find(identifier.text, identifier.hash);
    if (slot->text != kFree)
        return *slot;
    if (2 * (m_used + 1) > m_slots.size()) {
        Grow();
        slot = &Find(identifier.text, identifier.hash);
    }
    ++m_used;
    slot->hash = identifier.hash;
    slot->text = text;
    return *slot;
}

void IdentifierCounts::Grow() {
    std::vector<Slot, tsHugePageAllocator<Slot>> old(m_slots.size() * 2);
    old.swap(m_slots);
    const std::size_t mask = m_slots.size() - 1;
    for (const Slot& slot : old) {
        if (slot.text == kFree)
            continue;
        std::size_t i = slot.hash & mask;
        while (m_slots[i].text != kFree)
            i = (i + 1) & mask;
        m_slots[i] = slot;
    }
}

IdentifierCounts::Key IdentifierCounts::Prefetch(std::string_view identifier) {
    Build();
    const Key key{identifier, HashOf(identifier)};
    PrefetchLine(&m_slots[key.hash & (m_slots.size() - 1)]);
    return key;
}

bool IdentifierCounts::RenameIfFree(std::uint32_t position, Key from, Key to) {
    Build();
    Slot& target = Find(to.text, to.hash);
    if (target.count > 0)
        return false;
    // A slot whose count drops to zero stays, counting none.
    --FindHeld(position, from).count;
    if (target.text != kFree) {
        target.count = 1;
        return true;
    }
    // A new identifier: keep its text, as `to` may not outlive the call.
    m_nameSpans.emplace_back(m_names.size(), to.text.size());
    m_names.append(to.text);
    Insert(to, kKept | static_cast<std::uint32_t>(m_nameSpans.size() - 1)).count = 1;
    return true;
}
