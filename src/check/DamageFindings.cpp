#include "check/DamageFindings.h"

#include "check/Wording.h"
#include "model/TextResourceFormat.h"
#include "support/tsResult.h"

#include <iterator>

namespace check {

namespace {

Field FieldOf(trs::Field field) {
    // In the order of the stored fields.
    constexpr Field kFields[] = {Field::Id,      Field::Identifier, Field::AudioFile, Field::Text,
                                 Field::Comment, Field::Speaker,    Field::Length};
    static_assert(std::size(kFields) == static_cast<std::size_t>(trs::Field::LengthMs) + 1);
    const auto index = static_cast<std::size_t>(field);
    return index < std::size(kFields) ? kFields[index] : Field::None;
}

} // namespace

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

void AddFieldDamage(std::span<const TextResourceFieldProblem> problems, std::uint32_t position,
                    const TextResourceEntry& entry, Findings& findings) {
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
        findings.AddEntryFinding("damaged", position, entry, FieldOf(problem.field),
                                 std::move(detail));
    }
}

std::span<const TextResourceFieldProblem>
ProblemsAt(const std::vector<TextResourceFieldProblem>& problems, std::size_t& next,
           std::uint32_t position) {
    while (next < problems.size() && problems[next].position < position)
        ++next;
    const std::size_t first = next;
    while (next < problems.size() && problems[next].position == position)
        ++next;
    return std::span<const TextResourceFieldProblem>(problems).subspan(first, next - first);
}

} // namespace check
