#include "exchange/Importer.h"

#include "exchange/TextForms.h"

#include <algorithm>

namespace exchange {

Importer::Importer(const CurrentFile& file, const ImportOptions& options)
    : m_file(file), m_options(options), m_seen(file.Count(), false) {
    if (m_options.reference != nullptr)
        m_reference.emplace(*m_options.reference);
}

namespace {

std::string Where(const TranslatedUnit& unit) {
    return " (the unit on line " + std::to_string(unit.line) + ")";
}

// Whether two texts are the same, taking CR LF, LF and CR as the same break.
bool SameText(std::string_view a, std::string_view b) {
    if (a.find('\r') == std::string_view::npos && b.find('\r') == std::string_view::npos)
        return a == b;
    return WithLfBreaks(a) == WithLfBreaks(b);
}

} // namespace

void Importer::Add(TranslatedUnit& unit) {
    const std::optional<std::uint32_t> position = m_file.Find(unit.id);
    if (!position) {
        ++m_counts.unknownUnit;
        m_events.push_back({"unknown-unit", unit.id, "no entry has this identifier" + Where(unit)});
        return;
    }
    if (m_seen[*position]) {
        // Only the first unit of an identifier counts; another is not applied.
        ++m_counts.unknownUnit;
        m_events.push_back({"unknown-unit", unit.id,
                            "a second unit for this identifier, not applied" + Where(unit)});
        return;
    }
    m_seen[*position] = true;
    const bool done = m_options.allStates || unit.done;
    if (!done || unit.target.empty()) {
        ++m_counts.skippedState;
        return;
    }
    const std::string_view own = m_file.Text(*position);
    std::string_view source = own;
    if (m_reference)
        if (const TextResourceEntry* reference = m_reference->Find(unit.id))
            source = reference->text;
    if (!SameText(unit.source, source)) {
        if (!m_options.force) {
            ++m_counts.conflict;
            m_events.push_back({"conflict", unit.id,
                                "the source changed since the export; not applied" + Where(unit)});
            return;
        }
        ++m_counts.forced;
        m_events.push_back(
            {"forced", unit.id, "the source changed since the export; applied as asked" + Where(unit)});
    }
    std::string text = WithLineBreaks(unit.target, LineBreaksOf(own));
    if (text == own) {
        ++m_counts.unchanged;
        return;
    }
    ++m_counts.applied;
    m_changes.emplace_back(*position, std::move(text));
}

void Importer::Finish() {
    for (std::uint32_t position = 0; position < m_seen.size(); ++position) {
        if (m_seen[position])
            continue;
        ++m_counts.noUnit;
        m_events.push_back({"no-unit", std::string(m_file.Identifier(position)),
                            "no unit for this entry; its text stays"});
    }
    std::sort(m_changes.begin(), m_changes.end(),
              [](const auto& a, const auto& b) { return a.first < b.first; });
}

} // namespace exchange
