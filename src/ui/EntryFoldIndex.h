// The searchable text of every entry (identifier, text, comment, speaker,
// audio file) in small letters, kept in one buffer so that a filter keystroke
// is a byte search over it rather than decoding and comparing every field.
// Built once; an entry whose fields change is folded again on its own and
// appended, its old copy is left out of every search.
#pragma once

#include <atomic>
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

// The searchable fields of every entry, copied as they are stored, for a
// thread to fold while the user-interface thread goes on changing the
// entries: a copy costs a fraction of the folding.
struct EntryFoldSource {
    std::string bytes; // each entry's fields, each closed by a zero byte
    std::vector<std::uint32_t> starts;
    std::uint32_t Count() const { return static_cast<std::uint32_t>(starts.size()); }

    // Appends one entry's fields as they are stored.
    void Append(const TextResourceEntry& entry);
    static EntryFoldSource Copy(const TextResourceObject& entries);
};

class EntryFoldIndex {
public:
    // Folds every entry of the collection.
    void Build(const TextResourceObject& entries);
    // Folds every entry of a copy; false (and nothing built) when `cancel`
    // was set before it was done.
    bool Build(const EntryFoldSource& source, const std::atomic<bool>& cancel);
    void Clear();
    bool IsBuilt() const { return m_built; }
    std::uint32_t Count() const { return static_cast<std::uint32_t>(m_start.size()); }

    // The entry at `position` changed (or, at the count, was added).
    void Update(std::uint32_t position, const TextResourceEntry& entry);
    // The entry at `position` was removed: the ones after it move up.
    void Remove(std::uint32_t position);

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
