// Whether a file loaded whole, and the first problem that makes it not whole
// with how many more there are: after a full load (the editor) and entry by
// entry (lexarium-tool), in the words check lists.

#include "check/LoadDamage.h"

#include "check/Checker.h"
#include "model/TextResourceReader.h"
#include "model/TrsBytes.h"
#include "support/tsMemoryStream.h"
#include "tool/CheckCases.h"

#include <gtest/gtest.h>

using namespace trsbytes;
using checkcases::Record;

namespace {

struct DamageCase {
    const char* name;
    std::string bytes;
    std::string first; // empty: the file loads whole
    std::uint64_t more = 0;
    std::uint32_t wholeEntries = 1;
};

} // namespace

TEST(LoadDamage, FirstProblemAsCheckListsItAndHowManyMore) {
    const std::string good = Header(4, 1) + Record(7, "ONE");
    const std::string badPrefix = Header(4, 2) + U32(7) + Str("ONE") +
                                  std::string("\xFF\xFE\xFF", 3) + Str("text") + Str("c") +
                                  Str("s") + U32(0) + Record(8, "TWO");
    const std::vector<DamageCase> cases = {
        {"whole", good, ""},
        {"foreign magic alone", "NOT A TRS FILE!!" + good.substr(16), ""},
        {"newer version alone", Header(7, 1) + Record(7, "ONE"), ""},
        {"trailing bytes", good + "junk", "4 bytes follow the last record, from byte 50"},
        {"count past the data", Header(4, 3) + Record(7, "ONE"),
         "the count promises 3 entries but the data hold 1 records; the load gives positions 1 "
         "to 2 the values of a new entry"},
        {"zero byte", Header(4, 1) + Record(7, "ONE", Str(std::string("ab\0cd", 5))),
         "text at byte 37: a zero byte ends it after 2 of its 5 bytes; the rest is not loaded", 0,
         0},
        {"cut inside a record",
         Header(4, 1) + U32(7) + Str("ONE") +
             std::string("\x05"
                         "ab",
                         3),
         "audioFile at byte 32: the data end inside it; text, comment, speaker, lengthMs keep "
         "the values of a new entry",
         0, 0},
        // The file's findings come first, as check lists them.
        {"bad prefix, zero byte and trailing bytes",
         badPrefix + Record(9, "NINE", Str(std::string("\0", 1))) + "x",
         "1 byte follows the last record, from byte 98", 2, 1},
        {"header cut short", good.substr(0, 22), "the header could not be read whole", 0, 0},
    };
    for (const DamageCase& c : cases) {
        SCOPED_TRACE(c.name);
        std::string bytes = c.bytes;
        if (std::string(c.name).find("bad prefix") == 0)
            bytes.replace(20, 4, U32(3)); // three records
        TextResourceObject loaded;
        TextResourceReadReport report;
        tsMemoryStream stream(bytes);
        loaded.Read(stream, report);
        EXPECT_EQ(report.LoadedWhole(), c.first.empty());
        const auto damage = check::DescribeLoadDamage(report, loaded);
        ASSERT_EQ(damage.has_value(), !c.first.empty());
        if (!damage)
            continue;
        EXPECT_EQ(damage->first.kind, "damaged");
        EXPECT_EQ(damage->first.detail, c.first);
        EXPECT_EQ(damage->more, c.more);
        EXPECT_EQ(damage->wholeEntries, c.wholeEntries);

        // Entry by entry, the problems taken away as they come, the same.
        TextResourceReadReport streamed;
        tsMemoryStream again(bytes);
        TextResourceReader reader(again, &streamed);
        reader.ReadHeader();
        check::LoadDamageTally tally;
        TextResourceEntry entry;
        while (reader.ReadEntry(entry)) {
            tally.Add(reader.EntriesRead() - 1, entry, streamed.problems);
            streamed.problems.clear();
        }
        reader.Finish();
        const auto tallied = tally.Finish(streamed);
        ASSERT_TRUE(tallied.has_value());
        EXPECT_EQ(tallied->first, damage->first);
        EXPECT_EQ(tallied->more, damage->more);
        EXPECT_EQ(tallied->wholeEntries, damage->wholeEntries);

        // The same problems as check lists among its findings.
        if (report.headerFailed)
            continue;
        std::vector<check::Finding> listed;
        const auto findings = check::CheckCollection(loaded, {}, &report);
        for (const check::Finding& finding : *findings)
            if (finding.kind == "damaged" && finding.detail.rfind("the first 16", 0) != 0 &&
                finding.detail.rfind("version ", 0) != 0)
                listed.push_back(finding);
        ASSERT_EQ(listed.size(), damage->more + 1);
        EXPECT_EQ(listed.front(), damage->first);
    }
}
