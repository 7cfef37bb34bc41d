#include "IdentifierCounts.h"

#include "model/TextResourceObject.h"

#include <functional>

namespace {

std::uint32_t HashOf(std::string_view text) {
    return static_cast<std::uint32_t>(std::hash<std::string_view>{}(text));
}

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
    for (std::uint32_t i = 0; i < count; ++i)
        ++Insert(m_entries.GetEntry(i)->identifier, i).count;
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

IdentifierCounts::Slot& IdentifierCounts::Insert(std::string_view identifier, std::uint32_t text) {
    const std::uint32_t hash = HashOf(identifier);
    Slot* slot = &Find(identifier, hash);
    if (slot->text != kFree)
        return *slot;
    if (2 * (m_used + 1) > m_slots.size()) {
        Grow();
        slot = &Find(identifier, hash);
    }
    ++m_used;
    slot->hash = hash;
    slot->text = text;
    return *slot;
}

void IdentifierCounts::Grow() {
    std::vector<Slot> old(m_slots.size() * 2);
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

int IdentifierCounts::Count(std::string_view identifier) {
    Build();
    return Find(identifier, HashOf(identifier)).count; // a free slot counts none
}

void IdentifierCounts::Rename(std::string_view from, std::string_view to) {
    Build();
    --Find(from, HashOf(from)).count; // a slot whose count drops to zero stays, counting none
    Slot& target = Find(to, HashOf(to));
    if (target.text == kFree) {
        // A new identifier: keep its text, as `to` may not outlive the call.
        m_nameSpans.emplace_back(m_names.size(), to.size());
        m_names.append(to);
        Insert(to, kKept | static_cast<std::uint32_t>(m_nameSpans.size() - 1)).count = 1;
        return;
    }
    ++target.count;
}
