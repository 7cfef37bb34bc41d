// Replace all, in two steps: a plan that lists every change (and every change
// that is left out, with the reason) without touching the entries, and the
// application of that plan once the user has seen it. Only the matched byte
// ranges of a field change; every other byte stays as stored.
#pragma once

#include "EntryField.h"
#include "FindPattern.h"

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

struct FieldChange {
    std::uint32_t position = 0;
    EntryField field = EntryField::Text;
    std::string before;
    std::string after;
    std::vector<ByteSpan> spansBefore; // the matches in `before`
    std::vector<ByteSpan> spansAfter;  // what took their place in `after`
    QString skipReason;                // not empty: left out, and why
};

struct ReplacePlan {
    std::vector<FieldChange> changes;
    std::vector<FieldChange> skipped;
    std::size_t matchCount = 0; // matches in the changes that are applied
};

// Splices the matches' replacements into `field`; `spansAfter` (if given)
// receives where each replacement landed.
std::string SpliceMatches(std::string_view field, const std::vector<FieldMatch>& matches,
                          std::vector<ByteSpan>* spansAfter = nullptr);

// Why an identifier may not become `after` when `inserted` is what the
// replacement put into it: letters that are not capitals, an empty
// identifier, or one that `others` (the number of other entries holding
// `after`) says is taken. Empty when the change keeps the rules.
QString IdentifierRuleBroken(const std::string& after, const std::string& inserted, int others);

ReplacePlan PlanReplaceAll(const TextResourceObject& entries, const FindPattern& pattern,
                           ReplaceScope scope);
// Writes the plan's changes (not the skipped ones) into the entries.
void ApplyReplacePlan(TextResourceObject& entries, const ReplacePlan& plan);
