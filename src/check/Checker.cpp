#include "check/Checker.h"

#include "check/AudioChecks.h"
#include "check/DamageFindings.h"
#include "check/EntryChecks.h"
#include "check/ReferenceChecks.h"
#include "check/Pace.h"
#include "model/CountCharacters.h"

namespace check {

namespace {

// Entries between two reports of progress.
constexpr std::uint64_t kProgressStep = 4096;

} // namespace

Checker::Checker(const CheckOptions& options, const TextResourceReadReport* report,
                 std::size_t expectedEntries, CheckControl control)
    : m_report(report), m_control(std::move(control)),
      m_entries(std::make_unique<EntryChecks>(expectedEntries)) {
    if (options.audioFolder)
        m_audio = std::make_unique<AudioChecks>(options, m_control.cancel);
    else
        m_maxCharactersPerSecond = options.maxCharactersPerSecond;
    if (options.reference != nullptr)
        m_reference = std::make_unique<ReferenceChecks>(*options.reference);
    if (m_report != nullptr)
        AddHeaderDamage(*m_report, m_findings);
}

Checker::~Checker() = default;

bool Checker::Cancelled() const {
    return m_control.cancel != nullptr && m_control.cancel->load(std::memory_order_relaxed);
}

void Checker::Add(std::uint32_t position, const TextResourceEntry& entry,
                  std::span<const TextResourceFieldProblem> problems) {
    if (Cancelled())
        return;
    if (++m_done % kProgressStep == 0)
        Progress();
    // Past the end of the data: the entry holds the values of a new entry.
    if (m_report != nullptr && position >= m_report->recordsWithData)
        return;
    AddFieldDamage(problems, position, entry, m_findings);
    const std::uint32_t firstOfIdentifier = m_entries->Check(position, entry, m_findings);
    if (m_reference)
        m_reference->Check(position, entry, m_findings);
    if (m_audio)
        m_audio->Check(position, firstOfIdentifier, entry, m_findings);
    else if (m_maxCharactersPerSecond)
        if (auto detail = TooFast(CountSpokenCharacters(entry.text), entry.lengthMs,
                                  *m_maxCharactersPerSecond))
            m_findings.AddEntryFinding("too-fast", position, entry, Field::Text,
                                       std::move(*detail));
}

std::vector<Finding> Checker::Finish() {
    if (m_report != nullptr)
        AddEndDamage(*m_report, m_findings);
    if (m_reference && !Cancelled())
        m_reference->Finish(m_findings);
    if (m_audio)
        m_audio->Finish(m_findings);
    if (Cancelled())
        return {};
    Progress();
    return m_findings.TakeAll();
}

void Checker::Progress() {
    if (m_control.progress)
        m_control.progress(m_done, m_control.total);
}

std::optional<std::vector<Finding>> CheckCollection(const TextResourceObject& collection,
                                                    const CheckOptions& options,
                                                    const TextResourceReadReport* damage,
                                                    const CheckControl& control) {
    const std::uint32_t count = collection.GetEntryCount();
    CheckControl counted = control;
    if (counted.total == 0)
        counted.total = count;
    Checker checker(options, damage, count, std::move(counted));
    std::size_t next = 0;
    for (std::uint32_t position = 0; position < count && !checker.Cancelled(); ++position) {
        const auto problems = damage != nullptr ? ProblemsAt(damage->problems, next, position)
                                                : std::span<const TextResourceFieldProblem>();
        checker.Add(position, *collection.GetEntry(position), problems);
    }
    std::vector<Finding> findings = checker.Finish();
    if (checker.Cancelled())
        return std::nullopt;
    return findings;
}

} // namespace check
