// Find and replace over stored fields: what matches under each option, that
// only the matched bytes change, and the rules that keep identifiers usable.
#include "ReplacePlan.h"

#include "FindPattern.h"
#include "common/Entries.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <map>
#include <random>

namespace {

FindOptions Find(const char* find, const char* replace, bool matchCase = false,
                 bool wholeWords = false, bool regex = false) {
    return {QString::fromUtf8(find), QString::fromUtf8(replace), matchCase, wholeWords, regex};
}

std::string ReplaceIn(const FindOptions& options, const std::string& field) {
    const FindPattern pattern(options);
    return SpliceMatches(field, pattern.Matches(field));
}

} // namespace

TEST(FindPatternTest, EachOptionMatchesAndReplacesOnlyWhatItShould) {
    struct Case {
        const char* name;
        FindOptions options;
        std::string field;
        std::string expected;
    };
    const std::vector<Case> cases = {
        {"letter case ignored", Find("kapitän", "Hauptmann"), "KAPITÄN und Kapitän",
         "Hauptmann und Hauptmann"},
        {"letter case ignored beyond ASCII", Find("BRÜCKE", "Furt"), "Die brücke, die Brücke",
         "Die Furt, die Furt"},
        {"long s matches s", Find("Ss", "x"), "\xC5\xBFs", "x"},
        {"letter case matched", Find("Kapitän", "X", true), "KAPITÄN und Kapitän", "KAPITÄN und X"},
        {"whole words follow Unicode letters", Find("Kapit", "X", false, true), "Kapitän Kapit",
         "Kapitän X"},
        {"whole words around punctuation", Find("Vale", "Moor", false, true), "(Vale) Valentin",
         "(Moor) Valentin"},
        {"Kelvin sign matches k", Find("k", "c"),
         "\xE2\x84\xAA"
         "and k",
         "cand c"},
        {"regex with groups", Find("(\\w+) (\\w+)", "\\2 \\1", false, false, true), "Captain Vale",
         "Vale Captain"},
        {"regex group keeps bytes that are no UTF-8", Find("<(.)>", "[\\1]", false, false, true),
         "<\xFF> ok", "[\xFF] ok"},
        {"backslash and a group number past the groups stay literal",
         Find("a", "\\\\\\9", false, false, true), "a", "\\\\9"},
        {"empty matches insert", Find("^", "> ", false, false, true), "line", "> line"},
        {"bytes outside the match stay: NBSP, lone CR, LF, non-UTF-8", Find("gate", "door"),
         "\xC2\xA0gate\r\xFE\ngate\n",
         "\xC2\xA0"
         "door\r\xFE\ndoor\n"},
        {"a match next to bytes that are no UTF-8", Find("ab", "X"),
         "\xC3"
         "ab\xE2\x82",
         "\xC3X\xE2\x82"},
        {"non-BMP characters", Find("\xF0\x9F\x90\x89", "dragon"), "a \xF0\x9F\x90\x89!",
         "a dragon!"},
        {"part of a word without whole words", Find("wolf", "dog"), "Der Wolfshund",
         "Der dogshund"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ReplaceIn(c.options, c.field), c.expected) << c.name;
}

TEST(FindPatternTest, APatternThatDoesNotCompileIsNamedAndMatchesNothing) {
    const FindPattern bad(Find("(unclosed", "x", false, false, true));
    EXPECT_FALSE(bad.IsValid());
    EXPECT_TRUE(bad.ErrorText().contains("not valid")) << bad.ErrorText().toStdString();
    EXPECT_TRUE(bad.Matches("(unclosed").empty());

    const FindPattern empty(Find("", "x"));
    EXPECT_FALSE(empty.IsValid());
    EXPECT_FALSE(empty.ErrorText().isEmpty());

    // Without "regular expression" the same text is looked for literally.
    const FindPattern literal(Find("(unclosed", "x"));
    EXPECT_TRUE(literal.IsValid());
    EXPECT_EQ(literal.Matches("a (unclosed b").size(), 1u);
}

TEST(ReplacePlanTest, ListsEveryChangeAndAppliesOnlyThose) {
    TextResourceObject entries = MakeEntries({
        {.id = 1, .identifier = "GATE_A", .text = "the gate", .comment = "gate", .speaker = "Gate"},
        {.id = 2, .identifier = "B", .text = "nothing here"},
    });
    const FindPattern pattern(Find("gate", "door"));
    const ReplacePlan textOnly = PlanReplaceAll(entries, pattern, ReplaceScope::Text);
    ASSERT_EQ(textOnly.changes.size(), 1u);
    EXPECT_EQ(BeforeOf(entries, textOnly.changes[0]), "the gate");
    EXPECT_EQ(AfterOf(entries, textOnly, textOnly.changes[0]), "the door");
    EXPECT_EQ(SpansBefore(textOnly, textOnly.changes[0]), (std::vector<ByteSpan>{{4, 8}}));
    EXPECT_EQ(SpansAfter(textOnly, textOnly.changes[0]), (std::vector<ByteSpan>{{4, 8}}));

    // All fields: the identifier's replacement is lower case and is left out.
    const ReplacePlan all = PlanReplaceAll(entries, pattern, ReplaceScope::All);
    ASSERT_EQ(all.changes.size(), 3u);
    ASSERT_EQ(all.skipped.size(), 1u);
    EXPECT_EQ(all.skipped[0].field, EntryField::Identifier);
    EXPECT_EQ(all.matchCount, 3u);

    ApplyReplacePlan(entries, all);
    const TextResourceEntry& first = *entries.GetEntry(0);
    EXPECT_EQ(first.identifier, "GATE_A");
    EXPECT_EQ(first.text, "the door");
    EXPECT_EQ(first.comment, "door");
    EXPECT_EQ(first.speaker, "door");
    EXPECT_EQ(first.audioFile, "leer");
    EXPECT_EQ(entries.GetEntry(1)->text, "nothing here");
}

TEST(ReplacePlanTest, IdentifiersStayUpperCaseUniqueAndNotEmpty) {
    TextResourceObject entries = MakeEntries({
        {.id = 1, .identifier = "GUARD_1"},
        {.id = 2, .identifier = "GUARD_2"},
        {.id = 3, .identifier = "SCOUT_1"},
        {.id = 4, .identifier = "OLD"},
    });
    // GUARD_1 would become SCOUT_1, which entry 3 has; GUARD_2 becomes SCOUT_2.
    ReplacePlan plan = PlanReplaceAll(entries, FindPattern(Find("GUARD", "SCOUT", true)),
                                      ReplaceScope::Identifier);
    ASSERT_EQ(plan.changes.size(), 1u);
    EXPECT_EQ(AfterOf(entries, plan, plan.changes[0]), "SCOUT_2");
    ASSERT_EQ(plan.skipped.size(), 1u);
    EXPECT_EQ(AfterOf(entries, plan, plan.skipped[0]), "SCOUT_1");
    EXPECT_TRUE(SkipReasonText(plan.skipped[0].skip).contains("another entry"));

    // Two entries renamed to the same identifier: the second is left out.
    plan = PlanReplaceAll(entries, FindPattern(Find("_\\d", "", true, false, true)),
                          ReplaceScope::Identifier);
    ASSERT_EQ(plan.changes.size(), 2u);
    EXPECT_EQ(AfterOf(entries, plan, plan.changes[0]), "GUARD");
    EXPECT_EQ(AfterOf(entries, plan, plan.changes[1]), "SCOUT");
    ASSERT_EQ(plan.skipped.size(), 1u);
    EXPECT_EQ(plan.skipped[0].position, 1u);

    plan =
        PlanReplaceAll(entries, FindPattern(Find("OLD", "", true, true)), ReplaceScope::Identifier);
    ASSERT_EQ(plan.skipped.size(), 1u);
    EXPECT_TRUE(SkipReasonText(plan.skipped[0].skip).contains("empty"));

    plan = PlanReplaceAll(entries, FindPattern(Find("OLD", "Neu")), ReplaceScope::Identifier);
    ASSERT_EQ(plan.skipped.size(), 1u);
    EXPECT_TRUE(SkipReasonText(plan.skipped[0].skip).contains("capitals"));
    EXPECT_TRUE(plan.changes.empty());
}

// A literal find text is looked for in the stored bytes where it can be; the
// same text as an escaped regular expression always takes the Unicode search.
// Both must find the same byte ranges in every field.
// Renamings take effect one after another: an identifier freed by an earlier
// renaming may be taken by a later one, and one taken earlier is no longer
// free. Over many short identifiers that share, swap and chain names, across
// more entries than are looked up at once, the plan agrees with a plain count.
TEST(ReplacePlanTest, RenamingsTakeEffectInTheOrderOfTheEntries) {
    std::vector<EntryFields> list;
    std::mt19937 random(12345);
    for (std::uint32_t id = 1; id <= 1500; ++id) {
        std::string identifier(3 + random() % 5, ' ');
        for (char& letter : identifier)
            letter = "AB1"[random() % 3];
        list.push_back({.id = id, .identifier = identifier});
    }
    TextResourceObject entries = MakeEntries(list);

    std::map<std::string, int> holders;
    for (const EntryFields& entry : list)
        ++holders[*entry.identifier];
    std::vector<std::uint32_t> renamed, taken;
    for (std::uint32_t position = 0; position < list.size(); ++position) {
        const std::string& before = *list[position].identifier;
        std::string after = before;
        std::replace(after.begin(), after.end(), 'A', 'B');
        if (after == before)
            continue;
        if (holders[after] > 0) {
            taken.push_back(position);
            continue;
        }
        --holders[before];
        ++holders[after];
        renamed.push_back(position);
    }
    ASSERT_GT(taken.size(), 100u);
    ASSERT_GT(renamed.size(), 100u);

    const ReplacePlan plan =
        PlanReplaceAll(entries, FindPattern(Find("A", "B", true)), ReplaceScope::Identifier);
    std::vector<std::uint32_t> planned, skipped;
    for (const FieldChange& change : plan.changes)
        planned.push_back(change.position);
    for (const FieldChange& change : plan.skipped) {
        EXPECT_EQ(change.skip, SkipReason::IdentifierTaken);
        skipped.push_back(change.position);
    }
    EXPECT_EQ(planned, renamed);
    EXPECT_EQ(skipped, taken);
}

TEST(FindPatternTest, TheByteSearchFindsWhatTheUnicodeSearchFinds) {
    const std::vector<std::string> fields = {
        "the gate, the Gate and the GATE; gateway",
        "\xC2\xA0gate\r\xFE\ngate\n\xC3",
        "Kapit\xC3\xA4n Kapit kapit_ Kapit2 (kapit)",
        "\xE2\x84\xAA"
        "apit and \xC5\xBFs and ss",
        "aaa aa a",
        "\xEF\xBB\xBFgate at the start",
        "a stored \xEF\xBF\xBD and a broken \xE2\x82 byte",
        std::string("nul\0gate", 8),
        "\xC3\x9C"
        "ber \xC3\xBC"
        "ber \xC3\xA4\xC3\xA4 \xF0\x9F\x90\x89",
        "",
    };
    const std::vector<const char*> finds = {"gate",
                                            "Kapit",
                                            "a",
                                            "aa",
                                            "k",
                                            "ss",
                                            "\xC3\xA4",
                                            " ",
                                            "\r",
                                            "\xEF\xBF\xBD",
                                            "\xC3\x9C"
                                            "ber"};
    int bytePaths = 0;
    for (const char* find : finds) {
        for (const bool matchCase : {false, true}) {
            for (const bool wholeWords : {false, true}) {
                const FindOptions literal = Find(find, "X", matchCase, wholeWords);
                FindOptions expression = literal;
                expression.find = QRegularExpression::escape(literal.find);
                expression.regularExpression = true;
                const FindPattern bytes(literal);
                const FindPattern unicode(expression);
                bytePaths += bytes.SearchesBytes();
                for (const std::string& field : fields) {
                    std::vector<ByteSpan> found;
                    std::vector<ByteSpan> expected;
                    for (const FieldMatch& match : bytes.Matches(field))
                        found.emplace_back(match.from, match.to);
                    for (const FieldMatch& match : unicode.Matches(field))
                        expected.emplace_back(match.from, match.to);
                    EXPECT_EQ(found, expected)
                        << "find \"" << find << "\" in \"" << field << "\", case " << matchCase
                        << ", words " << wholeWords;
                }
            }
        }
    }
    EXPECT_GT(bytePaths, 20); // most of these take the byte search
}
