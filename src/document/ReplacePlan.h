// Replace all, in two steps: a plan that lists every change (and every change
// that is left out, with the reason) without touching the entries, and the
// application of that plan once the user has seen it. Only the matched byte
// ranges of a field change; every other byte stays as stored.
#pragma once

#include "EntryField.h"
#include "FindPattern.h"
#include "support/tsHugePageAllocator.h"

#include <QString>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

class TextResourceObject;

// The fields a find or replace looks at: one of them, or all.
enum class ReplaceScope { Text, Comment, Speaker, AudioFile, Identifier, All };

std::vector<EntryField> FieldsOf(ReplaceScope scope);

using ByteSpan = std::pair<std::size_t, std::size_t>; // from, to

// Why a change is left out: only an identifier's rules can stop one.
enum class SkipReason : std::uint8_t { None, EmptyIdentifier, SmallLetters, IdentifierTaken };

// The reason in words, empty for none.
QString SkipReasonText(SkipReason reason);

// One field that a replace all changes (or leaves out). Its matches are kept
// in the plan, not in the change, and neither the old nor the new text is
// copied: both are made from the stored field on request, so a plan of a
// million changes costs no allocation per change.
struct FieldChange {
    std::uint32_t position = 0;
    std::uint32_t beforeSize = 0; // the stored field's length when planned
    std::uint32_t firstMatch = 0; // into ReplacePlan::matches
    std::uint32_t matchCount = 0;
    EntryField field = EntryField::Text;
    SkipReason skip = SkipReason::None; // left out, and why
};

struct PlannedMatch {
    std::uint32_t from = 0; // byte range of the stored field
    std::uint32_t to = 0;
    std::uint32_t insertedAt = 0; // what takes its place, in ReplacePlan::inserted
    std::uint32_t insertedSize = 0;
};

// A plan may list millions of changes: its lists grow on huge pages.
template <class T> using PlanList = std::vector<T, tsHugePageAllocator<T>>;

struct ReplacePlan {
    PlanList<FieldChange> changes;
    PlanList<FieldChange> skipped;
    PlanList<PlannedMatch> matches;
    std::string inserted;       // the replacements' bytes, one copy of each run of equal ones
    std::size_t matchCount = 0; // matches in the changes that are applied
};

// The field a change starts from, as the entries hold it before the plan is
// applied.
const std::string& BeforeOf(const TextResourceObject& entries, const FieldChange& change);
// What the field becomes.
std::string AfterOf(const TextResourceObject& entries, const ReplacePlan& plan,
                    const FieldChange& change);
// The matches in the stored field, and where their replacements land in the
// field as it becomes.
std::vector<ByteSpan> SpansBefore(const ReplacePlan& plan, const FieldChange& change);
std::vector<ByteSpan> SpansAfter(const ReplacePlan& plan, const FieldChange& change);

// Splices the matches' replacements into `field`; `spansAfter` (if given)
// receives where each replacement landed.
std::string SpliceMatches(std::string_view field, const std::vector<FieldMatch>& matches,
                          std::vector<ByteSpan>* spansAfter = nullptr);

// Why an identifier may not become `after` when `inserted` is what the
// replacement put into it: letters that are not capitals, an empty
// identifier, or one that `others` (the number of other entries holding
// `after`) says is taken. None when the change keeps the rules.
SkipReason IdentifierRuleBroken(const std::string& after, const std::string& inserted, int others);

ReplacePlan PlanReplaceAll(const TextResourceObject& entries, const FindPattern& pattern,
                           ReplaceScope scope);
// Writes the plan's changes (not the skipped ones) into the entries.
void ApplyReplacePlan(TextResourceObject& entries, const ReplacePlan& plan);
