// The searchable text of every entry (identifier, text, comment, speaker,
// audio file) in small letters, kept in one buffer so that a filter keystroke
// is a byte search over it rather than decoding and comparing every field.
// Built once; an entry whose fields change is folded again on its own and
// appended, its old copy is left out of every search.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class TextResourceEntry;
class TextResourceObject;

// A text in small letters as the index holds it: ASCII by table, other
// letters by Unicode case folding; bytes that are no UTF-8 become 0x01, which
// no typed text holds.
std::string FoldForFilter(std::string_view utf8);

class EntryFoldIndex {
public:
    // Folds every entry of the collection.
    void Build(const TextResourceObject& entries);
    void Clear();
    bool IsBuilt() const { return m_built; }
    std::uint32_t Count() const { return static_cast<std::uint32_t>(m_start.size()); }

    // The entry at `position` changed (or, at the count, was added).
    void Update(std::uint32_t position, const TextResourceEntry& entry);

    // The positions, in order, whose folded fields contain every one of
    // `words` (folded, not empty) within one field each, and for which
    // `speaker` (folded; empty: any) is part of the speaker.
    std::vector<std::uint32_t> Find(const std::vector<std::string>& words,
                                    const std::string& speaker) const;
    // The folded speaker of an entry.
    std::string_view Speaker(std::uint32_t position) const;

private:
    std::string_view Segment(std::uint32_t position) const;
    bool SegmentMatches(std::string_view segment, const std::vector<std::string>& words,
                        std::size_t skipWord, const std::string& speaker) const;
    void Compact();

    static constexpr std::uint32_t kDead = 0xFFFFFFFFu;

    std::string m_buffer;
    std::vector<std::uint32_t> m_start; // by position: where its segment begins
    // Every segment in buffer order: its start and its position (kDead once
    // the entry was folded again).
    std::vector<std::pair<std::uint32_t, std::uint32_t>> m_segments;
    std::size_t m_deadBytes = 0;
    bool m_built = false;
};
