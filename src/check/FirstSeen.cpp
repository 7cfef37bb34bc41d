#include "check/FirstSeen.h"

#include <algorithm>
#include <functional>

namespace check {

namespace {

std::size_t TableSize(std::size_t expected) {
    std::size_t size = 16;
    while (size < expected * 2)
        size *= 2;
    return size;
}

std::uint32_t Mix(std::uint32_t id) {
    // A multiplicative hash: ids are often consecutive.
    return static_cast<std::uint32_t>((static_cast<std::uint64_t>(id) * 0x9E3779B97F4A7C15ull) >>
                                      32);
}

// Doubles an open-addressed table: each slot in use moves to the first free
// slot from its home.
template <class Slot, class InUse, class Home>
void GrowTable(std::vector<Slot>& slots, InUse inUse, Home home) {
    std::vector<Slot> old(slots.size() * 2);
    old.swap(slots);
    const std::size_t mask = slots.size() - 1;
    for (const Slot& slot : old) {
        if (!inUse(slot))
            continue;
        std::size_t i = home(slot) & mask;
        while (inUse(slots[i]))
            i = (i + 1) & mask;
        slots[i] = slot;
    }
}

} // namespace

FirstSeenIds::FirstSeenIds(std::size_t expected) : m_slots(16) {
    m_ascending.reserve(expected);
}

std::uint32_t FirstSeenIds::Remember(std::uint32_t id, std::uint32_t position) {
    // Larger than every id so far: new.
    if (m_ascending.empty() || id > m_ascending.back().id) {
        m_ascending.push_back(Slot{id, position + 1});
        return position;
    }
    auto sorted =
        std::lower_bound(m_ascending.begin(), m_ascending.end(), id,
                         [](const Slot& slot, std::uint32_t key) { return slot.id < key; });
    const std::uint32_t inSorted =
        sorted != m_ascending.end() && sorted->id == id ? sorted->positionPlusOne - 1 : position;
    if ((m_used + 1) * 2 > m_slots.size())
        Grow();
    const std::size_t mask = m_slots.size() - 1;
    for (std::size_t i = Mix(id) & mask;; i = (i + 1) & mask) {
        Slot& slot = m_slots[i];
        if (slot.positionPlusOne == 0) {
            if (inSorted != position)
                return inSorted;
            slot.id = id;
            slot.positionPlusOne = position + 1;
            ++m_used;
            return position;
        }
        if (slot.id == id) {
            const std::uint32_t inTable = slot.positionPlusOne - 1;
            return inSorted < inTable ? inSorted : inTable;
        }
    }
}

void FirstSeenIds::Grow() {
    GrowTable(
        m_slots, [](const Slot& slot) { return slot.positionPlusOne != 0; },
        [](const Slot& slot) { return Mix(slot.id); });
}

FirstSeenTexts::FirstSeenTexts(std::size_t expected) : m_slots(TableSize(expected)) {
    m_texts.reserve(expected);
}

std::size_t FirstSeenTexts::SlotOf(std::string_view text, std::uint32_t hash) const {
    const std::size_t mask = m_slots.size() - 1;
    for (std::size_t i = hash & mask;; i = (i + 1) & mask) {
        const Slot& slot = m_slots[i];
        if (slot.numberPlusOne == 0)
            return i;
        if (slot.hash == hash) {
            const Text& known = m_texts[slot.numberPlusOne - 1];
            if (known.length == text.size() &&
                std::string_view(m_bytes).substr(known.offset, known.length) == text)
                return i;
        }
    }
}

std::uint32_t FirstSeenTexts::Remember(std::string_view text, std::uint32_t position) {
    if ((m_texts.size() + 1) * 2 > m_slots.size())
        Grow();
    const auto hash = static_cast<std::uint32_t>(std::hash<std::string_view>{}(text));
    Slot& slot = m_slots[SlotOf(text, hash)];
    if (slot.numberPlusOne != 0)
        return m_texts[slot.numberPlusOne - 1].position;
    m_texts.push_back(Text{m_bytes.size(), static_cast<std::uint32_t>(text.size()), position});
    m_bytes.append(text);
    slot.hash = hash;
    slot.numberPlusOne = static_cast<std::uint32_t>(m_texts.size());
    return position;
}

bool FirstSeenTexts::Contains(std::string_view text) const {
    const auto hash = static_cast<std::uint32_t>(std::hash<std::string_view>{}(text));
    return m_slots[SlotOf(text, hash)].numberPlusOne != 0;
}

std::optional<std::uint32_t> FirstSeenTexts::Find(std::string_view text) const {
    const auto hash = static_cast<std::uint32_t>(std::hash<std::string_view>{}(text));
    const Slot& slot = m_slots[SlotOf(text, hash)];
    if (slot.numberPlusOne == 0)
        return std::nullopt;
    return m_texts[slot.numberPlusOne - 1].position;
}

void FirstSeenTexts::Grow() {
    GrowTable(
        m_slots, [](const Slot& slot) { return slot.numberPlusOne != 0; },
        [](const Slot& slot) { return slot.hash; });
}

} // namespace check
