// Whether an identifier is shared by more than one entry of the open
// document, answered in a pass over one hash per entry instead of over the
// entries themselves: at 1,000,000 entries the hashes are 8 MB in one block,
// the entries hundreds of megabytes spread over the heap. The hashes follow
// each change the document reports, and are made anew after New and Open.
#pragma once

#include "LexariumDoc.h"

#include <cstdint>
#include <string>
#include <vector>

class CIdentifierHashes {
public:
    CIdentifierHashes() = default;
    ~CIdentifierHashes();
    CIdentifierHashes(const CIdentifierHashes&) = delete;
    CIdentifierHashes& operator=(const CIdentifierHashes&) = delete;

    bool IsShared(CLexariumDoc& doc, const std::string& identifier);

private:
    void Follow(CLexariumDoc& doc);
    void OnChanged(CLexariumDoc::EntriesChange change, std::uint32_t position);
    std::uint64_t HashAt(std::uint32_t position) const;

    CLexariumDoc* m_pDoc = nullptr; // not owned; the document followed
    std::vector<std::uint64_t> m_hashes;
    std::uint64_t m_nGeneration = ~std::uint64_t(0); // of the entries the hashes are of
};
