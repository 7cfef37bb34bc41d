#pragma once

// Every check of a text resource file and its recordings, as one engine: it
// is given the entries one at a time, in collection order, and then
// finished. lexarium-tool check streams a file through it; the editor runs
// it over its collection (CheckCollection below), on a worker thread if it
// likes. The same bytes give the same findings in the same order either way.
//
// A new check of the entries goes into Add (or a class of its own that Add
// calls, as EntryChecks), one of recordings into AudioChecks, one that needs
// all entries first into Finish; its settings go into CheckOptions.

#include "check/CheckOptions.h"
#include "check/Finding.h"
#include "check/Findings.h"
#include "model/TextResourceObject.h"
#include "model/TextResourceReadReport.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <vector>

namespace check {

class AudioChecks;
class EntryChecks;
class ReferenceChecks;

class Checker {
public:
    // `report` is that of the read that gives the entries, whether it is
    // filled as the reading goes (a streamed file) or complete (a loaded
    // one); null when there is none. The checker reads it as it goes, so it
    // must outlive the checker; the header must have been read already.
    // `expectedEntries` sizes the tables.
    Checker(const CheckOptions& options, const TextResourceReadReport* report, // not owned
            std::size_t expectedEntries, CheckControl control = {});
    ~Checker();
    Checker(const Checker&) = delete;
    Checker& operator=(const Checker&) = delete;

    // Checks the entry at `position`; positions come in order from 0.
    // `problems` are the field problems the reader met in its record. Entries
    // the reader gave past the end of the data are not checked one by one:
    // a finding of the file tells of them all at once.
    void Add(std::uint32_t position, const TextResourceEntry& entry,
             std::span<const TextResourceFieldProblem> problems = {});
    // After the last entry, and after the reader's Finish: the findings in
    // their order; none when the check was cancelled.
    std::vector<Finding> Finish();

    bool Cancelled() const;

private:
    void Progress();

    const TextResourceReadReport* m_report; // not owned; may be null
    CheckControl m_control;
    Findings m_findings;
    std::unique_ptr<EntryChecks> m_entries;
    std::unique_ptr<AudioChecks> m_audio; // null: recordings are not checked
    std::unique_ptr<ReferenceChecks> m_reference; // null: no reference file
    std::optional<double> m_maxCharactersPerSecond; // without recordings: by stored lengths
    std::uint64_t m_done = 0;
};

// Checks a collection in memory. `damage` is the report of the load that gave
// it, while its entries are still those the load gave; null otherwise. The
// findings are those lexarium-tool check gives for the same file; none
// (nullopt) when the check was cancelled.
std::optional<std::vector<Finding>> CheckCollection(const TextResourceObject& collection,
                                                    const CheckOptions& options,
                                                    const TextResourceReadReport* damage,
                                                    const CheckControl& control = {});

} // namespace check
