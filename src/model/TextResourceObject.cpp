#include "model/TextResourceObject.h"

#include "model/ConvertLegacyText.h"
#include "model/TextResourceFormat.h"
#include "support/tsResult.h"
#include "support/tsTrace.h"

#include <functional>

namespace {

constexpr const char* kModule = "COMMONCODE_R\\TextResourceObject\\TextResourceObject.cpp";
constexpr int kLineRead = 363;

// A damaged count may promise far more records than the file holds. Records
// past the end of the data are appended with their defaults, as a short file
// expects, but only this many: an absurd count must not fill memory with them.
constexpr std::uint32_t kMaxEntriesPastEnd = 256;

// Counts the bytes that reach the reader, to tell records with data from those
// read past the end.
class CountingInputStream : public tsInputStream {
public:
    explicit CountingInputStream(tsInputStream& inner) : m_inner(inner) {}

    std::int32_t Read(void* buffer, std::uint32_t size,
                      std::uint32_t* bytesRead = nullptr) override {
        std::uint32_t got = 0;
        std::int32_t result = m_inner.Read(buffer, size, &got);
        m_count += got;
        if (bytesRead != nullptr)
            *bytesRead = got;
        return result;
    }
    std::int32_t Skip(std::int32_t distance, std::uint32_t reserved) override {
        return m_inner.Skip(distance, reserved);
    }
    std::uint64_t Count() const { return m_count; }

private:
    tsInputStream& m_inner; // not owned
    std::uint64_t m_count = 0;
};

} // namespace

std::int32_t TextResourceObject::Read(tsInputStream& input) {
    CountingInputStream stream(input);

    // A foreign magic is passed over: the rest is read all the same.
    m_readFailures = 0;
    unsigned char magic[16];
    if (tsFailed(stream.Read(magic, sizeof magic)))
        ++m_readFailures;

    std::uint32_t version = 0;
    if (tsFailed(trs::ReadUInt32(stream, version)))
        ++m_readFailures;
    m_fileVersion = version;

    std::uint32_t count = 0;
    std::int32_t result = trs::ReadUInt32(stream, count);
    if (tsFailed(result)) {
        ++m_readFailures;
        // The count is unknown; nothing is appended.
        ASSERT_HRESULT(kModule, kLineRead, result);
        return result;
    }

    bool legacy = version <= 1;
    std::uint32_t pastEnd = 0;
    for (std::uint32_t position = 0; position < count; ++position) {
        TextResourceEntry entry;
        std::uint64_t before = stream.Count();
        m_readFailures += entry.ReadCountingFailures(stream, version);
        if (stream.Count() == before && ++pastEnd > kMaxEntriesPastEnd)
            break;
        if (legacy) {
            ConvertLegacyText(entry.identifier, entry.identifier);
            ConvertLegacyText(entry.audioFile, entry.audioFile);
            ConvertLegacyText(entry.text, entry.text);
            ConvertLegacyText(entry.comment, entry.comment);
        }
        m_entries.push_back(std::move(entry));
    }
    return result;
}

std::int32_t TextResourceObject::Write(tsOutputStream& stream) {
    if (tsSucceeded(stream.Write(trs::kMagic, sizeof trs::kMagic)))
        trs::WriteUInt32(stream, kCurrentVersion);
    std::int32_t result = trs::WriteUInt32(stream, static_cast<std::uint32_t>(m_entries.size()));
    for (TextResourceEntry& entry : m_entries)
        entry.Write(stream);
    return result;
}

void TextResourceObject::Clear() {
    m_entries.clear();
}

void TextResourceObject::AddEntry(const TextResourceEntry& entry) {
    m_entries.push_back(entry);
}

void TextResourceObject::DeleteEntry(std::uint32_t id) {
    for (auto it = m_entries.begin(); it != m_entries.end(); ++it) {
        if (it->id == id) {
            m_entries.erase(it);
            return;
        }
    }
}

void TextResourceObject::DeleteEntryAt(std::uint32_t position) {
    if (position < m_entries.size())
        m_entries.erase(m_entries.begin() + position);
}

std::uint32_t TextResourceObject::PositionOf(const TextResourceEntry* entry) const {
    // std::less orders any two pointers, also those from outside the vector.
    const std::less<const TextResourceEntry*> before;
    if (m_entries.empty() || before(entry, m_entries.data()) ||
        !before(entry, m_entries.data() + m_entries.size()))
        return GetEntryCount();
    return static_cast<std::uint32_t>(entry - m_entries.data());
}

std::uint32_t TextResourceObject::GetNextFreeId() const {
    std::uint32_t maximum = 0;
    for (const TextResourceEntry& entry : m_entries)
        if (entry.id > maximum)
            maximum = entry.id;
    return maximum + 1;
}

TextResourceEntry* TextResourceObject::GetEntry(std::uint32_t position) {
    return position < m_entries.size() ? &m_entries[position] : nullptr;
}

const TextResourceEntry* TextResourceObject::GetEntry(std::uint32_t position) const {
    return position < m_entries.size() ? &m_entries[position] : nullptr;
}

std::uint32_t TextResourceObject::GetEntryCount() const {
    return static_cast<std::uint32_t>(m_entries.size());
}
