#pragma once

// The first position at which each id or identifier was seen. Open addressing
// over one compact array each: a check of a large file looks up every entry
// once, and a table of nodes spent most of that time on cache misses.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace check {

// Positions are stored plus one, so that 0 marks a free slot.

// Ids are usually ascending in a file (a new entry takes the largest id plus
// one): those are kept in a sorted list, which a new largest id can only
// extend; the others go into a hash table.
class FirstSeenIds {
public:
    // Room for about `expected` ids before the tables grow.
    explicit FirstSeenIds(std::size_t expected);
    // The position at which `id` was first seen, or `position` when it is new.
    std::uint32_t Remember(std::uint32_t id, std::uint32_t position);

private:
    struct Slot {
        std::uint32_t id = 0;
        std::uint32_t positionPlusOne = 0;
    };
    void Grow();

    std::vector<Slot> m_ascending; // sorted by id
    std::vector<Slot> m_slots;     // the others; a power of two in size
    std::size_t m_used = 0;
};

// The table holds only a hash and a number per text, so that more of it stays
// in the cache; the texts themselves are kept in the order they came.
class FirstSeenTexts {
public:
    explicit FirstSeenTexts(std::size_t expected);
    std::uint32_t Remember(std::string_view text, std::uint32_t position);
    bool Contains(std::string_view text) const;
    // The position at which `text` was first seen; none when it was not.
    std::optional<std::uint32_t> Find(std::string_view text) const;

private:
    struct Slot {
        std::uint32_t hash = 0;
        std::uint32_t numberPlusOne = 0; // of the text in m_texts
    };
    struct Text {
        std::uint64_t offset = 0; // in m_bytes
        std::uint32_t length = 0;
        std::uint32_t position = 0;
    };
    void Grow();
    // The slot holding `text`, or the free slot where it belongs.
    std::size_t SlotOf(std::string_view text, std::uint32_t hash) const;

    std::vector<Slot> m_slots; // a power of two in size
    std::vector<Text> m_texts;
    std::string m_bytes; // the texts, back to back
};

} // namespace check
