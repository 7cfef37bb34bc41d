// How many entries hold each identifier, for the rule that a replacement
// never makes two entries share one. An open-addressing table over the
// stored identifiers (no copy of them, no allocation per entry), built only
// when an identifier is about to change; a renamed identifier's new text is
// kept here, as the entries still hold the old one. Each lookup is a miss of
// the processor's cache at a million entries, so the table sits on huge pages
// and a caller that walks the entries in order can ask for an entry's slot
// ahead of time.
#pragma once

#include "support/tsHugePageAllocator.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

class TextResourceObject;

class IdentifierCounts {
public:
    explicit IdentifierCounts(const TextResourceObject& entries) : m_entries(entries) {}

    // An identifier with its hash.
    struct Key {
        std::string_view text;
        std::uint32_t hash = 0;
    };

    // The key of `identifier`, its slot asked into the processor's cache
    // (a hint: the lookups that follow soon find it there).
    Key Prefetch(std::string_view identifier);
    // The identifier of the entry at `position` changes from `from` to `to`,
    // when no entry holds `to`; false (and nothing changes) when one does.
    bool RenameIfFree(std::uint32_t position, Key from, Key to);

private:
    static constexpr std::uint32_t kFree = 0xFFFFFFFFu;
    static constexpr std::uint32_t kKept = 0x80000000u; // the text is in m_names

    struct Slot {
        std::uint32_t hash = 0;
        std::uint32_t text = kFree; // an entry's position, or kKept | index into m_names
        std::int32_t count = 0;
    };

    void Build();
    std::string_view Text(std::uint32_t text) const;
    Slot& Find(std::string_view identifier, std::uint32_t hash);
    // The same, for an identifier that entry `position` holds: its first
    // holder is found without reading the entries.
    Slot& FindHeld(std::uint32_t position, Key identifier);
    // A new identifier is added with the text `text` refers to.
    Slot& Insert(Key identifier, std::uint32_t text);
    void Grow();

    const TextResourceObject& m_entries;
    std::vector<Slot, tsHugePageAllocator<Slot>> m_slots; // a power of two, at most half full
    std::size_t m_used = 0;
    // Identifiers no entry holds yet: their bytes one after the other.
    std::basic_string<char, std::char_traits<char>, tsHugePageAllocator<char>> m_names;
    std::vector<std::pair<std::size_t, std::size_t>,
                tsHugePageAllocator<std::pair<std::size_t, std::size_t>>>
        m_nameSpans; // from, size
    bool m_built = false;
};
