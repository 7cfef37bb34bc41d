#include "EntryFoldIndex.h"

#include "model/TextResourceObject.h"
#include "platform/Utf8Append.h"
#include "platform/Win32CodePage.h"

#include <QChar>
#include <algorithm>
#include <cstring>

namespace {

// Fields are separated by a zero byte, which no typed word holds, so a word
// is only ever found inside one field. The speaker comes first.
constexpr char kSeparator = '\0';

// `keepZero`: the zero bytes are separators of a copy (whose own zero bytes
// were made 0x01 already).
void AppendFolded(std::string& out, std::string_view utf8, bool keepZero = false) {
    const auto* bytes = reinterpret_cast<const unsigned char*>(utf8.data());
    const std::size_t size = utf8.size();
    for (std::size_t i = 0; i < size;) {
        const unsigned char c = bytes[i];
        if (c < 0x80) {
            // A zero byte inside a field must not read as a separator.
            out += c == 0 && !keepZero ? '\x01'
                                       : static_cast<char>(c >= 'A' && c <= 'Z' ? c + 0x20 : c);
            ++i;
            continue;
        }
        const platform::Utf8Sequence sequence = platform::DecodeUtf8(bytes + i, size - i);
        if (sequence.valid)
            platform::AppendUtf8(out, QChar::toCaseFolded(sequence.character));
        else
            out.append(sequence.length, '\x01');
        i += sequence.length;
    }
}

void AppendSegment(std::string& out, const TextResourceEntry& entry) {
    for (const std::string* field :
         {&entry.speaker, &entry.identifier, &entry.text, &entry.comment, &entry.audioFile}) {
        AppendFolded(out, *field);
        out += kSeparator;
    }
}

bool Contains(std::string_view haystack, const std::string& needle) {
    return memmem(haystack.data(), haystack.size(), needle.data(), needle.size()) != nullptr;
}

} // namespace

void EntryFoldSource::Append(const TextResourceEntry& entry) {
    starts.push_back(static_cast<std::uint32_t>(bytes.size()));
    for (const std::string* field :
         {&entry.speaker, &entry.identifier, &entry.text, &entry.comment, &entry.audioFile}) {
        const std::size_t at = bytes.size();
        bytes += *field;
        // A zero byte inside a field must not read as a separator.
        if (std::memchr(field->data(), 0, field->size()) != nullptr)
            std::replace(bytes.begin() + static_cast<std::ptrdiff_t>(at), bytes.end(), '\0',
                         '\x01');
        bytes += kSeparator;
    }
}

EntryFoldSource EntryFoldSource::Copy(const TextResourceObject& entries) {
    EntryFoldSource source;
    const std::uint32_t count = entries.GetEntryCount();
    source.starts.reserve(count);
    std::size_t size = 0;
    for (std::uint32_t i = 0; i < count; ++i) {
        const TextResourceEntry& entry = *entries.GetEntry(i);
        size += entry.speaker.size() + entry.identifier.size() + entry.text.size() +
                entry.comment.size() + entry.audioFile.size() + 5;
    }
    source.bytes.reserve(size);
    for (std::uint32_t i = 0; i < count; ++i)
        source.Append(*entries.GetEntry(i));
    return source;
}

std::string FoldForFilter(std::string_view utf8) {
    std::string folded;
    folded.reserve(utf8.size());
    AppendFolded(folded, utf8);
    return folded;
}

void EntryFoldIndex::Clear() {
    m_buffer.clear();
    m_buffer.shrink_to_fit();
    m_start.clear();
    m_segments.clear();
    m_deadBytes = 0;
    m_built = false;
}

void EntryFoldIndex::Build(const TextResourceObject& entries) {
    Clear();
    const std::uint32_t count = entries.GetEntryCount();
    m_start.reserve(count);
    m_segments.reserve(count);
    for (std::uint32_t i = 0; i < count; ++i) {
        const auto start = static_cast<std::uint32_t>(m_buffer.size());
        m_start.push_back(start);
        m_segments.emplace_back(start, i);
        AppendSegment(m_buffer, *entries.GetEntry(i));
    }
    m_built = true;
}

bool EntryFoldIndex::Build(const EntryFoldSource& source, const std::atomic<bool>& cancel) {
    Clear();
    const std::uint32_t count = source.Count();
    m_start.reserve(count);
    m_segments.reserve(count);
    m_buffer.reserve(source.bytes.size());
    const std::string_view bytes(source.bytes);
    for (std::uint32_t i = 0; i < count; ++i) {
        if (i % 4096 == 0 && cancel.load(std::memory_order_relaxed)) {
            Clear();
            return false;
        }
        const auto start = static_cast<std::uint32_t>(m_buffer.size());
        m_start.push_back(start);
        m_segments.emplace_back(start, i);
        const std::size_t end = i + 1 < count ? source.starts[i + 1] : bytes.size();
        AppendFolded(m_buffer, bytes.substr(source.starts[i], end - source.starts[i]), true);
    }
    m_built = true;
    return true;
}

void EntryFoldIndex::Remove(std::uint32_t position) {
    if (!m_built || position >= m_start.size())
        return;
    const std::uint32_t old = m_start[position];
    m_deadBytes += Segment(position).size();
    m_start.erase(m_start.begin() + position);
    for (auto& [start, at] : m_segments) {
        if (start == old)
            at = kDead;
        else if (at != kDead && at > position)
            --at;
    }
    if (m_deadBytes > m_buffer.size() / 2)
        Compact();
}

void EntryFoldIndex::Update(std::uint32_t position, const TextResourceEntry& entry) {
    if (!m_built || position > m_start.size())
        return;
    if (position < m_start.size()) {
        const std::uint32_t old = m_start[position];
        const auto it = std::lower_bound(m_segments.begin(), m_segments.end(),
                                         std::make_pair(old, std::uint32_t(0)));
        if (it != m_segments.end() && it->first == old) {
            it->second = kDead;
            m_deadBytes += Segment(position).size();
        }
    }
    // Past 4 GiB positions in the buffer would not fit: start over instead.
    if (m_buffer.size() > 0xF0000000u) {
        m_built = false;
        return;
    }
    const auto start = static_cast<std::uint32_t>(m_buffer.size());
    AppendSegment(m_buffer, entry);
    m_segments.emplace_back(start, position);
    if (position == m_start.size())
        m_start.push_back(start);
    else
        m_start[position] = start;
    if (m_deadBytes > m_buffer.size() / 2)
        Compact();
}

void EntryFoldIndex::Compact() {
    std::string buffer;
    buffer.reserve(m_buffer.size() - m_deadBytes);
    std::vector<std::pair<std::uint32_t, std::uint32_t>> segments;
    segments.reserve(m_start.size());
    for (std::uint32_t i = 0; i < m_start.size(); ++i) {
        const std::string_view segment = Segment(i);
        const auto start = static_cast<std::uint32_t>(buffer.size());
        buffer.append(segment);
        m_start[i] = start;
        segments.emplace_back(start, i);
    }
    m_buffer.swap(buffer);
    m_segments.swap(segments);
    m_deadBytes = 0;
}

std::string_view EntryFoldIndex::Segment(std::uint32_t position) const {
    const std::uint32_t start = m_start[position];
    // A segment holds five fields, each closed by a separator.
    std::size_t end = start;
    for (int field = 0; field < 5; ++field)
        end = m_buffer.find(kSeparator, end) + 1;
    return std::string_view(m_buffer).substr(start, end - start);
}

std::string_view EntryFoldIndex::Speaker(std::uint32_t position) const {
    const std::string_view segment = Segment(position);
    return segment.substr(0, segment.find(kSeparator));
}

bool EntryFoldIndex::SegmentMatches(std::string_view segment, const std::vector<std::string>& words,
                                    std::size_t skipWord, const std::string& speaker) const {
    if (!speaker.empty() && !Contains(segment.substr(0, segment.find(kSeparator)), speaker))
        return false;
    for (std::size_t w = 0; w < words.size(); ++w)
        if (w != skipWord && !Contains(segment, words[w]))
            return false;
    return true;
}

std::vector<std::uint32_t> EntryFoldIndex::Find(const std::vector<std::string>& words,
                                                const std::string& speaker) const {
    std::vector<std::uint32_t> found;
    if (!m_built)
        return found;
    if (words.empty()) {
        for (std::uint32_t i = 0; i < m_start.size(); ++i)
            if (SegmentMatches(Segment(i), words, 0, speaker))
                found.push_back(i);
        return found;
    }
    // The longest word is the rarest as a rule: it is searched over the whole
    // buffer, the others only in the entries it was found in.
    std::size_t lead = 0;
    for (std::size_t w = 1; w < words.size(); ++w)
        if (words[w].size() > words[lead].size())
            lead = w;
    const std::string& needle = words[lead];
    const char* base = m_buffer.data();
    const char* end = base + m_buffer.size();
    const char* at = base;
    std::size_t segment = 0;
    bool ordered = true;
    while (at < end) {
        const void* hit =
            memmem(at, static_cast<std::size_t>(end - at), needle.data(), needle.size());
        if (hit == nullptr)
            break;
        const auto offset = static_cast<std::uint32_t>(static_cast<const char*>(hit) - base);
        while (segment + 1 < m_segments.size() && m_segments[segment + 1].first <= offset)
            ++segment;
        const std::uint32_t segmentEnd = segment + 1 < m_segments.size()
                                             ? m_segments[segment + 1].first
                                             : static_cast<std::uint32_t>(m_buffer.size());
        const std::uint32_t position = m_segments[segment].second;
        if (position != kDead) {
            const std::string_view text(base + m_segments[segment].first,
                                        segmentEnd - m_segments[segment].first);
            if (SegmentMatches(text, words, lead, speaker)) {
                if (!found.empty() && found.back() > position)
                    ordered = false;
                found.push_back(position);
            }
        }
        at = base + segmentEnd; // one hit per entry is enough
    }
    if (!ordered)
        std::sort(found.begin(), found.end());
    return found;
}
