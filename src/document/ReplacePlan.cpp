#include "ReplacePlan.h"

#include "DecodedField.h"
#include "IdentifierCounts.h"
#include "model/TextResourceObject.h"

#include <algorithm>

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

namespace {

bool HasSmallLetters(const std::string& bytes) {
    const bool ascii = std::all_of(bytes.begin(), bytes.end(),
                                   [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    if (ascii)
        return std::any_of(bytes.begin(), bytes.end(), [](char c) { return c >= 'a' && c <= 'z'; });
    const QString text = DecodeField(bytes).text;
    return text != text.toUpper();
}

} // namespace

QString SkipReasonText(SkipReason reason) {
    switch (reason) {
    case SkipReason::None:
        break;
    case SkipReason::EmptyIdentifier:
        return QStringLiteral("the identifier would be empty");
    case SkipReason::SmallLetters:
        return QStringLiteral("identifiers are written in capitals");
    case SkipReason::IdentifierTaken:
        return QStringLiteral("another entry has this identifier");
    }
    return {};
}

SkipReason IdentifierRuleBroken(const std::string& after, const std::string& inserted, int others) {
    if (after.empty())
        return SkipReason::EmptyIdentifier;
    if (HasSmallLetters(inserted))
        return SkipReason::SmallLetters;
    if (others > 0)
        return SkipReason::IdentifierTaken;
    return SkipReason::None;
}

namespace {

std::string InsertedBytes(const std::vector<FieldMatch>& matches) {
    std::string inserted;
    for (const FieldMatch& match : matches)
        inserted += match.replacement;
    return inserted;
}

// Keeps a change's matches in the plan; a replacement equal to the one kept
// last (always so for a literal replace text) is not copied again.
void KeepMatches(ReplacePlan& plan, FieldChange& change, const std::vector<FieldMatch>& matches) {
    change.firstMatch = static_cast<std::uint32_t>(plan.matches.size());
    change.matchCount = static_cast<std::uint32_t>(matches.size());
    std::size_t lastAt = plan.inserted.size();
    std::size_t lastSize = 0;
    if (!plan.matches.empty()) {
        lastAt = plan.matches.back().insertedAt;
        lastSize = plan.matches.back().insertedSize;
    }
    for (const FieldMatch& match : matches) {
        if (std::string_view(plan.inserted).substr(lastAt, lastSize) != match.replacement) {
            lastAt = plan.inserted.size();
            lastSize = match.replacement.size();
            plan.inserted += match.replacement;
        }
        plan.matches.push_back(
            {static_cast<std::uint32_t>(match.from), static_cast<std::uint32_t>(match.to),
             static_cast<std::uint32_t>(lastAt), static_cast<std::uint32_t>(lastSize)});
    }
}

// Splices a change's matches into `field`, into `out` (reused between calls).
void Splice(const ReplacePlan& plan, const FieldChange& change, std::string_view field,
            std::string& out) {
    out.clear();
    std::size_t at = 0;
    for (std::uint32_t i = 0; i < change.matchCount; ++i) {
        const PlannedMatch& match = plan.matches[change.firstMatch + i];
        out.append(field.substr(at, match.from - at));
        out.append(plan.inserted, match.insertedAt, match.insertedSize);
        at = match.to;
    }
    out.append(field.substr(at));
}

} // namespace

namespace {

// A renaming waits until the identifier slots of its block of entries have
// been asked for, so that their cache misses overlap.
struct PendingRename {
    std::size_t change = 0; // in the block's changes
    IdentifierCounts::Key from;
    std::uint32_t toHash = 0;
    std::size_t toAt = 0; // in the block's new identifiers
    std::size_t toSize = 0;
};

constexpr std::uint32_t kBlock = 64;

// The changes of one block of entries, in order, with the renamings among
// them (their new identifiers one after the other in `to`); the buffers are
// kept from block to block.
struct Block {
    std::vector<FieldChange> changes;
    std::vector<PendingRename> renames;
    std::string to;
    std::string after;
    std::vector<FieldMatch> matches;
};

void PlanBlock(const TextResourceObject& entries, const FindPattern& pattern,
               const std::vector<EntryField>& fields, std::uint32_t first, std::uint32_t end,
               ReplacePlan& plan, IdentifierCounts& identifiers, Block& block) {
    block.changes.clear();
    block.renames.clear();
    block.to.clear();
    std::string& after = block.after;
    std::vector<FieldMatch>& matches = block.matches;
    for (std::uint32_t position = first; position < end; ++position) {
        const TextResourceEntry& entry = *entries.GetEntry(position);
        for (EntryField field : fields) {
            const std::string& stored = FieldOf(entry, field);
            pattern.Matches(stored, matches);
            if (matches.empty())
                continue;
            FieldChange change;
            change.position = position;
            change.field = field;
            change.beforeSize = static_cast<std::uint32_t>(stored.size());
            const std::size_t keptMatches = plan.matches.size();
            const std::size_t keptInserted = plan.inserted.size();
            KeepMatches(plan, change, matches);
            Splice(plan, change, stored, after);
            if (after == stored) {
                // Nothing would change: nothing to list.
                plan.matches.resize(keptMatches);
                plan.inserted.resize(keptInserted);
                continue;
            }
            if (field == EntryField::Identifier) {
                change.skip = IdentifierRuleBroken(after, InsertedBytes(matches), 0);
                if (change.skip == SkipReason::None) {
                    block.renames.push_back({block.changes.size(), identifiers.Prefetch(stored),
                                             identifiers.Prefetch(after).hash, block.to.size(),
                                             after.size()});
                    block.to += after;
                }
            }
            block.changes.push_back(change);
        }
    }
}

} // namespace

ReplacePlan PlanReplaceAll(const TextResourceObject& entries, const FindPattern& pattern,
                           ReplaceScope scope) {
    ReplacePlan plan;
    if (!pattern.IsValid())
        return plan;
    const std::vector<EntryField> fields = FieldsOf(scope);
    IdentifierCounts identifiers(entries);
    Block block;
    const std::uint32_t count = entries.GetEntryCount();
    for (std::uint32_t first = 0; first < count; first += std::min(kBlock, count - first)) {
        PlanBlock(entries, pattern, fields, first, first + std::min(kBlock, count - first), plan,
                  identifiers, block);
        // The renamings in order: each sees the identifiers as the ones
        // before it left them.
        auto rename = block.renames.begin();
        for (std::size_t i = 0; i < block.changes.size(); ++i) {
            FieldChange& change = block.changes[i];
            if (rename != block.renames.end() && rename->change == i) {
                const IdentifierCounts::Key target{
                    std::string_view(block.to).substr(rename->toAt, rename->toSize),
                    rename->toHash};
                if (!identifiers.RenameIfFree(change.position, rename->from, target))
                    change.skip = SkipReason::IdentifierTaken;
                ++rename;
            }
            if (change.skip == SkipReason::None) {
                plan.matchCount += change.matchCount;
                plan.changes.push_back(change);
            } else {
                plan.skipped.push_back(change);
            }
        }
    }
    return plan;
}

const std::string& BeforeOf(const TextResourceObject& entries, const FieldChange& change) {
    return FieldOf(*entries.GetEntry(change.position), change.field);
}

std::string AfterOf(const TextResourceObject& entries, const ReplacePlan& plan,
                    const FieldChange& change) {
    std::string after;
    Splice(plan, change, BeforeOf(entries, change), after);
    return after;
}

std::vector<ByteSpan> SpansBefore(const ReplacePlan& plan, const FieldChange& change) {
    std::vector<ByteSpan> spans;
    for (std::uint32_t i = 0; i < change.matchCount; ++i) {
        const PlannedMatch& match = plan.matches[change.firstMatch + i];
        spans.emplace_back(match.from, match.to);
    }
    return spans;
}

std::vector<ByteSpan> SpansAfter(const ReplacePlan& plan, const FieldChange& change) {
    std::vector<ByteSpan> spans;
    std::size_t shift = 0; // how much longer the field is up to here
    for (std::uint32_t i = 0; i < change.matchCount; ++i) {
        const PlannedMatch& match = plan.matches[change.firstMatch + i];
        const std::size_t start = match.from + shift;
        spans.emplace_back(start, start + match.insertedSize);
        shift = start + match.insertedSize - match.to;
    }
    return spans;
}

void ApplyReplacePlan(TextResourceObject& entries, const ReplacePlan& plan) {
    std::string after;
    for (const FieldChange& change : plan.changes) {
        TextResourceEntry* entry = entries.GetEntry(change.position); // not owned
        if (entry == nullptr)
            continue;
        std::string& stored = FieldOf(*entry, change.field);
        // A field that is no longer the one planned over is left alone.
        if (stored.size() != change.beforeSize)
            continue;
        Splice(plan, change, stored, after);
        // The buffers trade places, so a million changes allocate next to
        // nothing; one that is far too big for its text is not handed on.
        if (after.capacity() > 2 * after.size() + 64)
            stored.assign(after);
        else
            stored.swap(after);
    }
}
