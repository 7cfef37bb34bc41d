// A file checked against a reference file matched by identifier, and the
// placeholders that a translation must keep.

#include "check/Checker.h"
#include "check/FindingsOutput.h"
#include "check/Placeholders.h"
#include "check/ReferenceChecks.h"
#include "common/Entries.h"

#include <gtest/gtest.h>

namespace {

std::string Joined(const std::vector<std::string_view>& parts) {
    std::string out;
    for (std::string_view part : parts)
        out += std::string(out.empty() ? "" : " ") + std::string(part);
    return out;
}

} // namespace

TEST(Placeholders, FindsEachFormAndNothingElse) {
    const struct {
        const char* text;
        const char* found;
    } cases[] = {
        {"%s has %d coins (%5.2f%%)", "%s %d %5.2f"},
        {"100%% sure, 50 % off", ""},
        {"%1 meets %2 at %12, not %0", "%1 %2 %12"},
        {"%1d and %-3ld and %1$s", "%1d %-3ld %1$s"},
        {"{0} of {name_2}, not {} or { x }", "{0} {name_2}"},
        {"<b>bold</b><br/><br /> a < b, <3, <font color=\"red\">", "<b> </b> <br/> <br /> <font color=\"red\">"},
        {"trailing %", ""},
        {"<unclosed and {open", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Joined(check::FindPlaceholders(c.text)), c.found) << c.text;
}

TEST(Placeholders, DifferenceCountsAsMultisetsAndNamesMissingAndExtra) {
    const struct {
        const char* reference;
        const char* translation;
        const char* difference;
    } cases[] = {
        {"%s and %d", "%d und %s", ""},
        {"%s and %s", "%s und", "missing %s"},
        {"{0}", "{0} {1}", "extra {1}"},
        {"<b>%1</b>", "%2 <i>", "missing %1, </b>, <b>; extra %2, <i>"},
        {"100%%", "100 %%", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(check::PlaceholderDifference(c.reference, c.translation), c.difference)
            << c.reference << " / " << c.translation;
}

TEST(ReferenceChecks, FindsEachKindInTheEnginesOrder) {
    const TextResourceObject reference = MakeEntries({
        {.id = 1, .identifier = "GREET", .text = "Hello, %s!"},
        {.id = 2, .identifier = "SAME", .text = "OK"},
        {.id = 3, .identifier = "GONE", .text = "Lost"},
        {.id = 4, .identifier = "EMPTY", .text = "Something"},
        {.id = 5, .identifier = "GONE", .text = "Lost again"},
        {.id = 6, .identifier = "LEER", .text = "leer"},
        {.id = 7, .identifier = "TAGS", .text = "<b>{0}</b>"},
    });
    const TextResourceObject file = MakeEntries({
        {.id = 10, .identifier = "GREET", .text = "Hallo, %d!"},
        {.id = 11, .identifier = "SAME", .text = "OK"},
        {.id = 12, .identifier = "NEW", .text = "Neu"},
        {.id = 13, .identifier = "EMPTY", .text = ""},
        {.id = 14, .identifier = "LEER", .text = "leer"},
        {.id = 15, .identifier = "TAGS", .text = "<b>{0}</b> "},
        {.id = 16, .identifier = "SAME", .text = "OK"},
    });
    check::CheckOptions options;
    options.reference = &reference;
    const auto findings = check::CheckCollection(file, options, nullptr);
    ASSERT_TRUE(findings.has_value());
    // The reference findings come with the entries' own (empty-text, the
    // "leer" placeholder, duplicate identifier) and the reference's last.
    EXPECT_EQ(check::FindingLines(*findings),
              "placeholder-mismatch\t0\t10\tGREET\tthe placeholders differ from the reference's: "
              "missing %s; extra %d\n"
              "untranslated\t1\t11\tSAME\tthe text is the reference's text as it stands\n"
              "not-in-reference\t2\t12\tNEW\tthe reference file has no entry with this identifier\n"
              "empty-text\t3\t13\tEMPTY\tthe text is empty\n"
              "placeholder\t4\t14\tLEER\tthe text is still \"leer\"\n"
              "duplicate-identifier\t6\t16\tSAME\tthe same identifier as the entry at position 1\n"
              "untranslated\t6\t16\tSAME\tthe text is the reference's text as it stands\n"
              "missing-translation\t-\t-\tGONE\tthe reference file has this identifier (position "
              "2, id 3); this file has not\n");
    const check::Finding& missing = findings->back();
    EXPECT_EQ(missing.scope, check::Scope::Reference);
    EXPECT_EQ(missing.position, 2u);
    EXPECT_NE(check::FindingsJson(*findings, "f.trs", 7)
                  .find("{\"kind\": \"missing-translation\", \"position\": null, \"id\": null, "
                        "\"identifier\": \"GONE\""),
              std::string::npos);

    // The reference's findings alone, for a window that lists only them.
    const std::vector<check::Finding> alone = check::CheckAgainstReference(file, reference);
    ASSERT_EQ(alone.size(), 5u);
    EXPECT_EQ(alone.front().kind, "placeholder-mismatch");
    EXPECT_EQ(alone.back().kind, "missing-translation");
}

TEST(ReferenceMatch, FindsTheFirstEntryOfAnIdentifier) {
    const TextResourceObject reference = MakeEntries({
        {.id = 1, .identifier = "A", .text = "first"},
        {.id = 2, .identifier = "B"},
        {.id = 3, .identifier = "A", .text = "second"},
    });
    const check::ReferenceMatch match(reference);
    ASSERT_NE(match.Find("A"), nullptr);
    EXPECT_EQ(match.Find("A")->text, "first");
    EXPECT_EQ(match.PositionOf("B"), 1u);
    EXPECT_EQ(match.Find("a"), nullptr);
    EXPECT_EQ(match.Find(""), nullptr);
}
