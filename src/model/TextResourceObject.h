#pragma once

// The ordered collection of the entries of one text resource file. Entries are
// stored by value; a pointer from GetEntry stays valid only until the next
// AddEntry, DeleteEntry, Clear or Read.

#include "model/TextResourceEntry.h"
#include "model/TextResourceReadReport.h"
#include "support/tsStream.h"

#include <cstdint>
#include <vector>

class TextResourceObject {
public:
    // The version that Write stores.
    static constexpr std::uint32_t kCurrentVersion = trs::kCurrentVersion;

    TextResourceObject() = default;
    virtual ~TextResourceObject() = default;

    // Appends every entry of a text resource stream; the result is that of
    // reading the entry count.
    virtual std::int32_t Read(tsInputStream& stream);
    // The same, telling in `report` what the stream holds that the writer
    // would not have made; what is appended and returned does not change.
    std::int32_t Read(tsInputStream& stream, TextResourceReadReport& report);
    // Writes the whole collection as a current text resource stream; the result
    // is that of writing the entry count.
    virtual std::int32_t Write(tsOutputStream& stream);
    // Writes the entries' texts as an XML document in Windows-1252.
    virtual std::int32_t WriteXml(tsOutputStream& stream);

    void Clear();
    void AddEntry(const TextResourceEntry& entry);
    // Removes the first entry with this id; none, no change.
    void DeleteEntry(std::uint32_t id);
    // Removes the entry at this position; a position past the end, no change.
    void DeleteEntryAt(std::uint32_t position);
    // The position of the entry this pointer designates, or the count when the
    // collection does not hold it.
    std::uint32_t PositionOf(const TextResourceEntry* entry) const;
    // The largest id plus 1 (wrapping to 0); 1 when empty.
    std::uint32_t GetNextFreeId() const;
    // Null when `position` is not less than the count.
    TextResourceEntry* GetEntry(std::uint32_t position);
    const TextResourceEntry* GetEntry(std::uint32_t position) const;
    std::uint32_t GetEntryCount() const;

    // The version field of the stream last read (the current version until then).
    std::uint32_t GetFileVersion() const { return m_fileVersion; }

private:
    std::int32_t Read(tsInputStream& stream, TextResourceReadReport* report);

    std::vector<TextResourceEntry> m_entries;
    std::uint32_t m_fileVersion = kCurrentVersion;
};
