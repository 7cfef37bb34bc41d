#include "check/LoadDamage.h"

#include "check/DamageFindings.h"
#include "check/Findings.h"

#include <algorithm>

namespace check {

void LoadDamageTally::Add(std::uint32_t position, const TextResourceEntry& entry,
                          std::span<const TextResourceFieldProblem> problems) {
    if (problems.empty())
        return;
    Findings findings;
    AddFieldDamage(problems, position, entry, findings);
    std::vector<Finding> words = findings.TakeAll();
    if (!m_firstFieldProblem)
        m_firstFieldProblem = std::move(words.front());
    m_fieldFindings += words.size();
    ++m_damagedEntries;
}

std::optional<LoadDamage> LoadDamageTally::Finish(const TextResourceReadReport& report) const {
    if (report.LoadedWhole())
        return std::nullopt;
    LoadDamage damage;
    damage.wholeEntries =
        report.recordsWithData - std::min(report.recordsWithData, m_damagedEntries);
    damage.first.kind = "damaged";
    if (report.headerFailed) {
        // No entry loads at all, and check does not get this far.
        damage.first.detail = "the header could not be read whole";
        return damage;
    }
    // The damage known at the end is the file's, which check lists first.
    Findings atEnd;
    AddEndDamage(report, atEnd);
    std::vector<Finding> end = atEnd.TakeAll();
    if (!end.empty())
        damage.first = std::move(end.front());
    else if (m_firstFieldProblem)
        damage.first = *m_firstFieldProblem;
    else // the field problems were not handed on
        damage.first.detail = "a field could not be read whole";
    const std::uint64_t total = end.size() + m_fieldFindings;
    damage.more = total > 0 ? total - 1 : 0;
    return damage;
}

std::optional<LoadDamage> DescribeLoadDamage(const TextResourceReadReport& report,
                                             const TextResourceObject& loaded) {
    LoadDamageTally tally;
    std::size_t next = 0;
    while (next < report.problems.size()) {
        const std::uint32_t position = report.problems[next].position;
        const TextResourceEntry* entry = loaded.GetEntry(position);
        const auto problems = ProblemsAt(report.problems, next, position);
        tally.Add(position, entry != nullptr ? *entry : TextResourceEntry(), problems);
    }
    return tally.Finish(report);
}

} // namespace check
