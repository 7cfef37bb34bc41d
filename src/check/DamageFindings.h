#pragma once

// The words of what the reader met in a damaged file, as the checks list it
// (kind "damaged"). The file's findings come before the entries', so a
// check lists the header's damage, then the damage known at the end, then
// each entry's field problems with the entry.

#include "check/Findings.h"
#include "model/TextResourceReadReport.h"

#include <cstdint>
#include <span>
#include <vector>

namespace check {

// The file's own: a foreign magic, a version newer than the writer's. Neither
// loses a byte of the entries.
void AddHeaderDamage(const TextResourceReadReport& report, Findings& findings);
// Known once the reader finished: records the count promises beyond the
// data, bytes after the last record.
void AddEndDamage(const TextResourceReadReport& report, Findings& findings);
// The field problems the reader met in the entry at `position`.
void AddFieldDamage(std::span<const TextResourceFieldProblem> problems, std::uint32_t position,
                    const TextResourceEntry& entry, Findings& findings);

// For a walk over a complete report: the problems of the record at
// `position`, found from `next` on; `next` moves past them. Positions must
// be asked for in ascending order.
std::span<const TextResourceFieldProblem>
ProblemsAt(const std::vector<TextResourceFieldProblem>& problems, std::size_t& next,
           std::uint32_t position);

} // namespace check
