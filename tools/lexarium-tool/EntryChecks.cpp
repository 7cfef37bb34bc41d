#include "EntryChecks.h"

#include "model/TextResourceFormat.h"
#include "support/tsResult.h"

#include <cstdio>

namespace {

std::string Printf(const char* format, auto... arguments) {
    char buffer[512];
    std::snprintf(buffer, sizeof buffer, format, arguments...);
    return buffer;
}

} // namespace

void EntryChecks::Check(std::uint32_t position, const TextResourceEntry& entry,
                        Findings& findings) {
    const std::uint32_t firstId = m_ids.Remember(entry.id, position);
    if (firstId != position)
        findings.AddEntryFinding("duplicate-id", position, entry,
                                 Printf("the same id as the entry at position %u", firstId));
    const std::uint32_t firstIdentifier = m_identifiers.Remember(entry.identifier, position);
    if (firstIdentifier != position)
        findings.AddEntryFinding(
            "duplicate-identifier", position, entry,
            Printf("the same identifier as the entry at position %u", firstIdentifier));

    if (entry.identifier == "UNBENANNT")
        findings.AddEntryFinding("placeholder", position, entry,
                                 "the identifier is still \"UNBENANNT\"");
    if (entry.text == "leer")
        findings.AddEntryFinding("placeholder", position, entry, "the text is still \"leer\"");
    if (entry.text.empty())
        findings.AddEntryFinding("empty-text", position, entry, "the text is empty");
}

void AddHeaderDamage(const TextResourceReadReport& report, Findings& findings) {
    if (report.MagicDiffers()) {
        std::string bytes;
        for (std::uint32_t i = 0; i < report.magicBytes; ++i)
            bytes += Printf(i == 0 ? "%02X" : " %02X", report.magic[i]);
        findings.AddFileFinding("damaged", "the first 16 bytes are not the magic of a text "
                                           "resource file: " +
                                               bytes);
    }
    if (report.version > trs::kCurrentVersion)
        findings.AddFileFinding("damaged",
                                Printf("version %u is newer than this program writes (%u); it "
                                       "is read as version %u",
                                       report.version, trs::kCurrentVersion, trs::kCurrentVersion));
}

void AddEndDamage(const TextResourceReadReport& report, Findings& findings) {
    if (report.recordsWithData < report.count) {
        const std::uint32_t first = report.recordsWithData;
        const std::uint32_t last = report.entries - 1;
        findings.AddFileFinding(
            "damaged",
            Printf("the count promises %u entries but the data hold %u records; the load gives ",
                   report.count, report.recordsWithData) +
                (first == last ? Printf("position %u", first)
                               : Printf("positions %u to %u", first, last)) +
                " the values of a new entry");
    }
    if (report.trailingBytes > 0)
        findings.AddFileFinding("damaged",
                                Printf(report.trailingBytes == 1
                                           ? "%llu byte follows the last record, from byte %llu"
                                           : "%llu bytes follow the last record, from byte %llu",
                                       static_cast<unsigned long long>(report.trailingBytes),
                                       static_cast<unsigned long long>(report.bytesRead)));
}

void AddFieldDamage(TextResourceReadReport& report, std::uint32_t position,
                    const TextResourceEntry& entry, Findings& findings) {
    const std::vector<TextResourceFieldProblem>& problems = report.problems;
    for (std::size_t i = 0; i < problems.size(); ++i) {
        const TextResourceFieldProblem& problem = problems[i];
        const char* field = trs::FieldName(problem.field);
        const auto offset = static_cast<unsigned long long>(problem.offset);
        std::string detail;
        if (problem.kind == TextResourceFieldProblem::Kind::CutAtZero) {
            detail = Printf("%s at byte %llu: a zero byte ends it after %u of its %u bytes; the "
                            "rest is not loaded",
                            field, offset, problem.keptLength, problem.storedLength);
        } else if (problem.dataEnded) {
            detail = Printf("%s at byte %llu: the data end inside it", field, offset);
            // The fields after it find no data at all: told with it.
            std::string missing;
            while (i + 1 < problems.size() && problems[i + 1].dataEnded) {
                missing += missing.empty() ? "" : ", ";
                missing += trs::FieldName(problems[++i].field);
            }
            if (!missing.empty())
                detail += "; " + missing + " keep the values of a new entry";
        } else if (problem.result == E_FAIL) {
            detail = Printf("%s at byte %llu: the length prefix is malformed", field, offset);
        } else {
            detail = Printf("%s at byte %llu: the read failed (error 0x%08X)", field, offset,
                            static_cast<unsigned>(problem.result));
        }
        findings.AddEntryFinding("damaged", position, entry, std::move(detail));
    }
    report.problems.clear();
}
