#pragma once

// Whether a file loaded whole, and if not, why, in the words of the checks.
//
// A file did not load whole when a save would not give its bytes back: a
// field could not be read, a zero byte cut a field short, the count promises
// records past the end of the data, or bytes follow the last record
// (TextResourceReadReport::LoadedWhole). A foreign magic or a newer version
// alone loses nothing and does not count. The editor warns of such a file
// after loading it, and lexarium-tool refuses to write from it; both say the
// first problem as lexarium-tool check words it, and how many more there are.
//
// After a full load:
//     TextResourceReadReport report;
//     collection.Read(stream, report);
//     if (auto damage = check::DescribeLoadDamage(report, collection))
//         ... damage->first.detail, damage->more ...
//
// Reading entry by entry, where the reader's problems are taken away as it
// goes, a LoadDamageTally is given each entry's problems instead.

#include "check/Finding.h"
#include "model/TextResourceObject.h"
#include "model/TextResourceReadReport.h"

#include <cstdint>
#include <optional>
#include <span>

namespace check {

struct LoadDamage {
    // The first of the problems that make the file not whole, in the order
    // check lists them, as check words it (kind "damaged"; for a field, the
    // entry's position, id and identifier and the field).
    Finding first;
    std::uint64_t more = 0; // how many more findings of such problems check lists
    // The entries read whole: those with data in the file and no field
    // problem (the others hold the values of a new entry, or lost bytes).
    std::uint32_t wholeEntries = 0;
};

// After a full load that filled `report`: none when the file loaded whole.
// `loaded` is the collection the load gave (for the entries' ids and
// identifiers).
std::optional<LoadDamage> DescribeLoadDamage(const TextResourceReadReport& report,
                                             const TextResourceObject& loaded);

// The same for a file read entry by entry.
class LoadDamageTally {
public:
    // The entry at `position` as the reader gave it, with the field problems
    // the reader met in its record.
    void Add(std::uint32_t position, const TextResourceEntry& entry,
             std::span<const TextResourceFieldProblem> problems);
    // After the reader's Finish (which counts the bytes after the last record).
    std::optional<LoadDamage> Finish(const TextResourceReadReport& report) const;

private:
    std::optional<Finding> m_firstFieldProblem;
    std::uint64_t m_fieldFindings = 0;
    std::uint32_t m_damagedEntries = 0;
};

} // namespace check
