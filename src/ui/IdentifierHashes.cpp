#include "IdentifierHashes.h"

#include <functional>
#include <string_view>

namespace {

std::uint64_t Hash(const std::string& identifier) {
    return std::hash<std::string_view>()(identifier);
}

} // namespace

CIdentifierHashes::~CIdentifierHashes() {
    if (m_pDoc != nullptr && g_pDocument == m_pDoc)
        m_pDoc->RemoveEntriesObserver(this);
}

std::uint64_t CIdentifierHashes::HashAt(std::uint32_t position) const {
    const TextResourceEntry* entry = m_pDoc->m_textResources.GetEntry(position);
    return entry != nullptr ? Hash(entry->identifier) : 0;
}

void CIdentifierHashes::Follow(CLexariumDoc& doc) {
    if (m_pDoc == &doc)
        return;
    if (m_pDoc != nullptr && g_pDocument == m_pDoc)
        m_pDoc->RemoveEntriesObserver(this);
    m_pDoc = &doc;
    m_nGeneration = ~std::uint64_t(0);
    doc.AddEntriesObserver(this, [this](CLexariumDoc::EntriesChange change,
                                        std::uint32_t position) { OnChanged(change, position); });
}

void CIdentifierHashes::OnChanged(CLexariumDoc::EntriesChange change, std::uint32_t position) {
    using Change = CLexariumDoc::EntriesChange;
    // Only hashes that were in step before this one change can follow it.
    if (change == Change::Saved || m_nGeneration + 1 != m_pDoc->EntriesGeneration())
        return;
    const std::uint32_t count = m_pDoc->m_textResources.GetEntryCount();
    switch (change) {
    case Change::Edited:
        if (position < m_hashes.size() && m_hashes.size() == count)
            m_hashes[position] = HashAt(position);
        break;
    case Change::Added:
        if (position <= m_hashes.size() && m_hashes.size() + 1 == count)
            m_hashes.insert(m_hashes.begin() + position, HashAt(position));
        break;
    case Change::Removed:
        if (position < m_hashes.size() && m_hashes.size() == count + 1)
            m_hashes.erase(m_hashes.begin() + position);
        break;
    case Change::Reloaded:
    case Change::Saved:
        return; // made anew when next asked
    }
    if (m_hashes.size() == count)
        m_nGeneration = m_pDoc->EntriesGeneration();
}

bool CIdentifierHashes::IsShared(CLexariumDoc& doc, const std::string& identifier) {
    Follow(doc);
    const TextResourceObject& entries = doc.m_textResources;
    const std::uint32_t count = entries.GetEntryCount();
    if (m_nGeneration != doc.EntriesGeneration() || m_hashes.size() != count) {
        m_hashes.resize(count);
        for (std::uint32_t i = 0; i < count; ++i)
            m_hashes[i] = HashAt(i);
        m_nGeneration = doc.EntriesGeneration();
    }
    const std::uint64_t wanted = Hash(identifier);
    int seen = 0;
    for (std::uint32_t i = 0; i < count; ++i) {
        if (m_hashes[i] == wanted && entries.GetEntry(i)->identifier == identifier && ++seen > 1)
            return true;
    }
    return false;
}
