// The checks against the recorded list judge the same whether the list was
// read before the entries came or arrives only when the check finishes, as
// lexarium-tool check reads it on a thread of its own.

#include "check/Checker.h"
#include "check/RecordedList.h"
#include "check/Sha256.h"
#include "common/Entries.h"
#include "common/RecordedLines.h"
#include "common/TempDir.h"
#include "common/WavFile.h"

#include <future>
#include <gtest/gtest.h>

namespace {

std::string Lines(const std::vector<check::Finding>& findings) {
    std::string text;
    for (const check::Finding& finding : findings)
        text += finding.kind + "\t" + finding.identifier + "\t" + finding.detail + "\n";
    return text;
}

} // namespace

TEST(RecordedChecks, JudgeAlikeWhetherTheListComesBeforeTheEntriesOrAfterThem) {
    TempDir dir;
    const std::string take = MakeWav(1000);
    const std::string otherTake = MakeWav(1000, 22050);
    for (const char* name : {"a.wav", "b.wav", "d1.wav", "e.wav"})
        WriteBytes(dir.File(name), take);
    WriteBytes(dir.File("c.wav"), otherTake);
    const std::vector<EntryFields> fields = {
        {.id = 1, .identifier = "A", .audioFile = "a.wav", .text = "as recorded", .lengthMs = 1000},
        {.id = 2, .identifier = "B", .audioFile = "b.wav", .text = "edited", .lengthMs = 1000},
        {.id = 3, .identifier = "C", .audioFile = "c.wav", .text = "new take", .lengthMs = 1000},
        // D is shared, the second time without a recording: neither is judged by D's line.
        {.id = 4, .identifier = "D", .audioFile = "d1.wav", .text = "edited", .lengthMs = 1000},
        {.id = 5, .identifier = "E", .audioFile = "e.wav", .text = "not listed", .lengthMs = 1000},
        {.id = 6, .identifier = "D", .text = "edited too", .lengthMs = 1000},
        {.id = 7, .identifier = "F", .audioFile = "f.wav", .text = "not found", .lengthMs = 1000},
    };
    const TextResourceObject entries = MakeEntries(fields);
    auto list = std::make_shared<check::RecordedList>();
    TextResourceEntry recordedB = MakeEntry(fields[1]);
    recordedB.text = "before";
    TextResourceEntry recordedD = MakeEntry(fields[3]);
    recordedD.text = "before";
    list->lines = {ListedLine(MakeEntry(fields[0]), take, 1000), ListedLine(recordedB, take, 1000),
                   ListedLine(MakeEntry(fields[2]), take, 1000), ListedLine(recordedD, take, 1000),
                   ListedLine(MakeEntry(fields[6]), take, 1000)};
    const std::shared_ptr<const check::RecordedList> read = list;

    const auto check = [&](bool late) {
        check::CheckOptions options;
        options.audioFolder = dir.Path().string();
        std::promise<std::shared_ptr<const check::RecordedList>> coming;
        options.recorded = late ? check::RecordedListSource(coming.get_future().share())
                                : check::RecordedListSource(read);
        check::Checker checker(options, nullptr, entries.GetEntryCount());
        for (std::uint32_t i = 0; i < entries.GetEntryCount(); ++i)
            checker.Add(i, *entries.GetEntry(i));
        if (late)
            coming.set_value(read);
        return Lines(checker.Finish());
    };
    const std::string expected =
        "text-changed\tB\tthe text changed after it was recorded on 2026-11-02\n"
        "new-take\tC\ta new take since 2026-11-02; run record to accept it\n"
        "duplicate-identifier\tD\tthe same identifier as the entry at position 3\n"
        "missing-audio\tF\t\"f.wav\" is not in the folder\n";
    EXPECT_EQ(check(false), expected);
    EXPECT_EQ(check(true), expected);
}
