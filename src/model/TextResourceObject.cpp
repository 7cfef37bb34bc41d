#include "model/TextResourceObject.h"

#include "model/TextResourceFormat.h"
#include "model/TextResourceReader.h"
#include "support/tsResult.h"

#include <functional>

std::int32_t TextResourceObject::Read(tsInputStream& stream) {
    return Read(stream, nullptr);
}

std::int32_t TextResourceObject::Read(tsInputStream& stream, TextResourceReadReport& report) {
    return Read(stream, &report);
}

std::int32_t TextResourceObject::Read(tsInputStream& stream, TextResourceReadReport* report) {
    TextResourceReader reader(stream, report);
    std::int32_t result = reader.ReadHeader();
    m_fileVersion = reader.Version();
    TextResourceEntry entry;
    while (reader.ReadEntry(entry))
        m_entries.push_back(std::move(entry));
    reader.Finish();
    return result;
}

std::int32_t TextResourceObject::Write(tsOutputStream& stream) {
    std::int32_t result = trs::WriteHeader(stream, static_cast<std::uint32_t>(m_entries.size()));
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
