#include "ReplacePlan.h"

#include "DecodedField.h"
#include "model/TextResourceObject.h"

#include <unordered_map>

std::vector<EntryField> FieldsOf(ReplaceScope scope) {
    switch (scope) {
    case ReplaceScope::Text:
        return {EntryField::Text};
    case ReplaceScope::Comment:
        return {EntryField::Comment};
    case ReplaceScope::Speaker:
        return {EntryField::Speaker};
    case ReplaceScope::AudioFile:
        return {EntryField::AudioFile};
    case ReplaceScope::Identifier:
        return {EntryField::Identifier};
    case ReplaceScope::All:
        break;
    }
    return {kAllEntryFields.begin(), kAllEntryFields.end()};
}

std::string SpliceMatches(std::string_view field, const std::vector<FieldMatch>& matches,
                          std::vector<ByteSpan>* spansAfter) {
    std::string out;
    out.reserve(field.size());
    std::size_t at = 0;
    for (const FieldMatch& match : matches) {
        out.append(field.substr(at, match.from - at));
        const std::size_t start = out.size();
        out += match.replacement;
        if (spansAfter != nullptr)
            spansAfter->emplace_back(start, out.size());
        at = match.to;
    }
    out.append(field.substr(at));
    return out;
}

QString IdentifierRuleBroken(const std::string& after, const std::string& inserted, int others) {
    if (after.empty())
        return QStringLiteral("the identifier would be empty");
    const QString text = DecodeField(inserted).text;
    if (text != text.toUpper())
        return QStringLiteral("identifiers are written in capitals");
    if (others > 0)
        return QStringLiteral("another entry has this identifier");
    return {};
}

namespace {

// The identifiers of all entries, counted, for the uniqueness rule; built
// only when an identifier is about to change.
class IdentifierCounts {
public:
    explicit IdentifierCounts(const TextResourceObject& entries) : m_entries(entries) {}

    int Count(const std::string& identifier) {
        Build();
        const auto found = m_counts.find(identifier);
        return found == m_counts.end() ? 0 : found->second;
    }
    void Rename(const std::string& from, const std::string& to) {
        Build();
        if (--m_counts[from] == 0)
            m_counts.erase(from);
        ++m_counts[to];
    }

private:
    void Build() {
        if (m_built)
            return;
        m_built = true;
        m_counts.reserve(m_entries.GetEntryCount());
        for (std::uint32_t i = 0; i < m_entries.GetEntryCount(); ++i)
            ++m_counts[m_entries.GetEntry(i)->identifier];
    }

    const TextResourceObject& m_entries;
    std::unordered_map<std::string, int> m_counts;
    bool m_built = false;
};

std::string InsertedBytes(const std::vector<FieldMatch>& matches) {
    std::string inserted;
    for (const FieldMatch& match : matches)
        inserted += match.replacement;
    return inserted;
}

} // namespace

ReplacePlan PlanReplaceAll(const TextResourceObject& entries, const FindPattern& pattern,
                           ReplaceScope scope) {
    ReplacePlan plan;
    if (!pattern.IsValid())
        return plan;
    const std::vector<EntryField> fields = FieldsOf(scope);
    IdentifierCounts identifiers(entries);
    for (std::uint32_t position = 0; position < entries.GetEntryCount(); ++position) {
        const TextResourceEntry& entry = *entries.GetEntry(position);
        for (EntryField field : fields) {
            const std::string& stored = FieldOf(entry, field);
            const std::vector<FieldMatch> matches = pattern.Matches(stored);
            if (matches.empty())
                continue;
            FieldChange change;
            change.position = position;
            change.field = field;
            change.after = SpliceMatches(stored, matches, &change.spansAfter);
            if (change.after == stored)
                continue; // nothing would change: nothing to list
            change.before = stored;
            for (const FieldMatch& match : matches)
                change.spansBefore.emplace_back(match.from, match.to);
            if (field == EntryField::Identifier) {
                const int others = identifiers.Count(change.after);
                change.skipReason =
                    IdentifierRuleBroken(change.after, InsertedBytes(matches), others);
                if (change.skipReason.isEmpty())
                    identifiers.Rename(stored, change.after);
            }
            if (change.skipReason.isEmpty()) {
                plan.matchCount += matches.size();
                plan.changes.push_back(std::move(change));
            } else {
                plan.skipped.push_back(std::move(change));
            }
        }
    }
    return plan;
}

void ApplyReplacePlan(TextResourceObject& entries, const ReplacePlan& plan) {
    for (const FieldChange& change : plan.changes) {
        TextResourceEntry* entry = entries.GetEntry(change.position); // not owned
        if (entry != nullptr && FieldOf(*entry, change.field) == change.before)
            FieldOf(*entry, change.field) = change.after;
    }
}
