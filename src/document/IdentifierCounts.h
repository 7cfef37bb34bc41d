// How many entries hold each identifier, for the rule that a replacement
// never makes two entries share one. An open-addressing table over the
// stored identifiers (no copy of them, no allocation per entry), built only
// when an identifier is about to change; a renamed identifier's new text is
// kept here, as the entries still hold the old one.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

class TextResourceObject;

class IdentifierCounts {
public:
    explicit IdentifierCounts(const TextResourceObject& entries) : m_entries(entries) {}

    // The number of entries that hold `identifier`.
    int Count(std::string_view identifier);
    // One entry's identifier changes from `from` to `to`.
    void Rename(std::string_view from, std::string_view to);

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
    // A new identifier is added with the text `text` refers to.
    Slot& Insert(std::string_view identifier, std::uint32_t text);
    void Grow();

    const TextResourceObject& m_entries;
    std::vector<Slot> m_slots; // a power of two, at most half full
    std::size_t m_used = 0;
    // Identifiers no entry holds yet: their bytes one after the other.
    std::string m_names;
    std::vector<std::pair<std::size_t, std::size_t>> m_nameSpans; // from, size
    bool m_built = false;
};
