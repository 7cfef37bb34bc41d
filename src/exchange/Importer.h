#pragma once

// An import of translated units into a current file: each unit whose id is
// an identifier of the file gives that entry its target as the new text,
// where the state says the target is done (or with allStates, wherever it is
// not empty), and its source still equals the current source (the
// reference's text where the reference has the identifier, else the entry's
// own, line breaks of any form counting as the same). A unit whose source
// changed is a conflict, applied only when forced. The new text takes the
// line breaks of the entry's stored text (CR LF where it has none).

#include "check/ReferenceMatch.h"
#include "exchange/CurrentFile.h"
#include "exchange/TranslatedUnit.h"

#include <optional>
#include <string>
#include <vector>

namespace exchange {

struct ImportOptions {
    const TextResourceObject* reference = nullptr; // not owned; may be null
    bool allStates = false;
    bool force = false;
};

// One thing an import tells: conflict, forced, unknown-unit or no-unit.
struct ImportEvent {
    const char* kind = "";
    std::string identifier;
    std::string detail;
};

struct ImportCounts {
    std::uint64_t applied = 0; // forced ones included
    std::uint64_t unchanged = 0;
    std::uint64_t skippedState = 0;
    std::uint64_t conflict = 0; // not applied
    std::uint64_t unknownUnit = 0;
    std::uint64_t noUnit = 0;
    std::uint64_t forced = 0;
};

class Importer {
public:
    Importer(const CurrentFile& file, const ImportOptions& options); // not owned

    // Each unit as it is read.
    void Add(TranslatedUnit& unit);
    // After the last unit: the entries that had none.
    void Finish();

    const std::vector<ImportEvent>& Events() const { return m_events; }
    const ImportCounts& Counts() const { return m_counts; }
    // The new texts, by ascending position.
    const std::vector<std::pair<std::uint32_t, std::string>>& Changes() const { return m_changes; }
    // Whether the import has a conflict left unapplied or an unknown unit.
    bool HasTrouble() const { return m_counts.conflict > 0 || m_counts.unknownUnit > 0; }

private:
    const CurrentFile& m_file;
    ImportOptions m_options;
    std::optional<check::ReferenceMatch> m_reference;
    std::vector<bool> m_seen;
    std::vector<std::pair<std::uint32_t, std::string>> m_changes;
    std::vector<ImportEvent> m_events;
    ImportCounts m_counts;
};

} // namespace exchange
