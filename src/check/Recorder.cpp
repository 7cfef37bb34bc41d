#include "check/Recorder.h"

#include "model/TextExport.h"

#include <algorithm>
#include <limits>
#include <unordered_set>

namespace check {

namespace {

// Writes `line` over `kept`, the line of the same identifier: every field but
// the identifier, whose bytes the table of the lines looks at.
void Overwrite(RecordedLine& kept, RecordedLine&& line) {
    kept.id = line.id;
    kept.audioFile = std::move(line.audioFile);
    kept.textSha256 = std::move(line.textSha256);
    kept.lengthMs = line.lengthMs;
    kept.audioSha256 = std::move(line.audioSha256);
    kept.recorded = std::move(line.recorded);
}

} // namespace

Recorder::Recorder(RecordSettings settings, std::size_t expectedEntries)
    : m_settings(std::move(settings)), m_missionFolder(m_settings.audioFolder),
      m_identifiers(expectedEntries) {
    m_pending.reserve(expectedEntries);
}

void Recorder::Add(const TextResourceEntry& entry) {
    const std::uint32_t position = m_entries++;
    const std::uint32_t first = m_identifiers.Remember(entry.identifier, position);
    if (first != position)
        m_sharedFirsts.push_back(first);
    if (!m_settings.identifiers.empty() && m_settings.identifiers.count(entry.identifier) == 0)
        return;
    if (!HasAudioFile(entry))
        return;
    Pending pending{entry.identifier, entry.id, first, entry.audioFile, TextSha256(entry), {}, 0};
    const audio::AudioLookupResult found = m_locator.FindRecording(m_missionFolder, entry, false);
    if (found.Found()) {
        pending.path = found.path;
        FactReaders::File file;
        file.path = found.path;
        file.identifier = entry.identifier;
        file.keepLength = true;
        file.hash = true;
        pending.sequence = m_readers.Add(std::move(file));
    }
    m_pending.push_back(std::move(pending));
}

std::vector<RecordedLine> Recorder::Finish(std::vector<RecordedLine> lines,
                                           const std::string& recordedTime,
                                           RecordSummary& summary) {
    m_readers.Finish(); // only what it measured is wanted, not its findings
    std::vector<FactReaders::Measured> measured = m_readers.TakeMeasured();

    for (const std::string& identifier : m_settings.identifiers)
        if (!m_identifiers.Contains(identifier))
            summary.unknown.push_back(identifier);
    std::sort(m_sharedFirsts.begin(), m_sharedFirsts.end());

    // Room for a line of each entry: lines added go straight to the end,
    // and the table's views of the identifiers stay good.
    const std::size_t listed = lines.size();
    lines.reserve(listed + m_pending.size());
    std::unordered_map<std::string_view, std::size_t> lineOf;
    lineOf.reserve(listed);
    for (std::size_t i = 0; i < listed; ++i)
        lineOf.emplace(lines[i].identifier, i);
    std::unordered_set<std::string_view> sharedSeen;

    for (Pending& pending : m_pending) {
        if (std::binary_search(m_sharedFirsts.begin(), m_sharedFirsts.end(),
                               pending.firstOfIdentifier)) {
            ++summary.sharedIdentifier;
            if (sharedSeen.insert(pending.identifier).second)
                summary.shared.push_back(pending.identifier);
            continue;
        }
        if (pending.path.empty()) {
            ++summary.notFound;
            continue;
        }
        const auto at = std::lower_bound(
            measured.begin(), measured.end(), pending.sequence,
            [](const FactReaders::Measured& m, std::size_t s) { return m.sequence < s; });
        if (at == measured.end() || at->sequence != pending.sequence || at->sha256.empty()) {
            ++summary.notFound;
            summary.unread.emplace_back(pending.path, at == measured.end() ? "" : at->hashError);
            continue;
        }
        const auto old = lineOf.find(pending.identifier);
        RecordedLine* kept = old == lineOf.end() ? nullptr : &lines[old->second];
        if (kept == nullptr) {
            ++summary.added;
        } else if (kept->audioSha256 != at->sha256) {
            ++summary.newTake;
        } else if (kept->textSha256 != pending.textSha256) {
            ++summary.textChanged;
            if (!m_settings.again)
                continue;
        } else {
            ++summary.unchanged;
            continue;
        }
        // The pending entry and what was measured are not needed after this.
        RecordedLine line;
        line.identifier = std::move(pending.identifier);
        line.id = pending.id;
        line.audioFile = std::move(pending.audioFile);
        line.textSha256 = std::move(pending.textSha256);
        line.lengthMs = static_cast<std::uint32_t>(
            std::clamp<std::int64_t>(at->lengthMs, 0, std::numeric_limits<std::uint32_t>::max()));
        line.audioSha256 = std::move(at->sha256);
        line.recorded = recordedTime;
        if (kept != nullptr)
            Overwrite(*kept, std::move(line));
        else
            lines.push_back(std::move(line));
    }
    for (std::size_t i = 0; i < listed; ++i) {
        if (!m_identifiers.Contains(lines[i].identifier)) {
            ++summary.notInFile;
            summary.gone.push_back(lines[i].identifier);
        }
    }
    return lines;
}

} // namespace check
