// The search scan. The search text is prepared once per call, so a miss over
// a large file costs one pass over the chosen field of every entry.
#include "EntrySearch.h"

#include "model/TextResourceObject.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <cstring>

namespace {

// Whether `needle` (not empty, not longer than `field`) occurs in `field`.
// Fields are short (a line of text), so the cost of a library search's set-up
// per field dominates; instead, a block of candidate starts is filtered at
// once by the needle's first and last byte, a loop the compiler turns into
// vector instructions, and only the survivors are compared in full.
bool ContainsBytes(std::string_view field, std::string_view needle) {
    constexpr std::size_t kBlock = 32;
    const auto* data = reinterpret_cast<const unsigned char*>(field.data());
    const std::size_t length = needle.size();
    const std::size_t starts = field.size() - length + 1;
    const auto first = static_cast<unsigned char>(needle.front());
    const auto last = static_cast<unsigned char>(needle.back());

    std::size_t i = 0;
    for (; i + kBlock <= starts; i += kBlock) {
        const unsigned char* heads = data + i;
        const unsigned char* tails = data + i + length - 1;
        unsigned char candidate[kBlock];
        for (std::size_t j = 0; j < kBlock; ++j)
            candidate[j] = (heads[j] == first) & (tails[j] == last);
        static_assert(kBlock == 32, "the test below reads four words");
        std::uint64_t words[kBlock / 8];
        std::memcpy(words, candidate, kBlock);
        if ((words[0] | words[1] | words[2] | words[3]) == 0)
            continue;
        for (std::size_t j = 0; j < kBlock; ++j)
            if (candidate[j] != 0 && std::memcmp(heads + j, needle.data(), length) == 0)
                return true;
    }
    for (; i < starts; ++i)
        if (data[i] == first && data[i + length - 1] == last &&
            std::memcmp(data + i, needle.data(), length) == 0)
            return true;
    return false;
}

class Matcher {
public:
    Matcher(std::string_view needle, int field) : m_needle(needle), m_field(field) {}

    bool operator()(const TextResourceEntry& entry) const {
        switch (m_field) {
        case SEARCH_IN_ID:
            return IdMatches(entry.id);
        case SEARCH_IN_TEXT:
            return Contains(entry.text);
        case SEARCH_IN_IDENTIFIER:
            return Contains(entry.identifier);
        case SEARCH_IN_AUDIO:
            return Contains(entry.audioFile);
        case SEARCH_IN_COMMENT:
            return Contains(entry.comment);
        default:
            return false;
        }
    }

private:
    // Ids are shown to the searcher as signed numbers: 4294967294 is "-2".
    bool IdMatches(std::uint32_t id) const {
        char digits[12];
        const auto result =
            std::to_chars(digits, digits + sizeof digits, static_cast<std::int32_t>(id));
        return std::string_view(digits, result.ptr - digits) == m_needle;
    }

    bool Contains(std::string_view field) const {
        if (m_needle.empty())
            return true;
        if (m_needle.size() > field.size())
            return false;
        return ContainsBytes(field, m_needle);
    }

    std::string_view m_needle;
    int m_field;
};

int Scan(const TextResourceObject& entries, const Matcher& matches, std::uint32_t from,
         std::uint32_t to) {
    for (std::uint32_t p = from; p < to; ++p) {
        const TextResourceEntry* entry = entries.GetEntry(p); // not owned
        if (entry != nullptr && matches(*entry))
            return static_cast<int>(p);
    }
    return -1;
}

} // namespace

int FindMatchingEntry(const TextResourceObject& entries, std::string_view needle, int field,
                      int start) {
    const Matcher matches(needle, field);
    const std::uint32_t count = entries.GetEntryCount();
    if (start < 0)
        return Scan(entries, matches, 0, count);
    const std::uint32_t from = std::min(static_cast<std::uint32_t>(start), count);
    const int hit = Scan(entries, matches, from, count);
    if (hit >= 0)
        return hit;
    // The wrap-around pass: the entries from `from` on are known to miss.
    return Scan(entries, matches, 0, from);
}
