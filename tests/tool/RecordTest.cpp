// lexarium-tool record and the checks of the recorded list, run as an audio
// lead would: record, edit a text, check, record again, accept with --again,
// deliver a new take; and the lists, files and folders it must not trust.

#include "CheckCases.h"
#include "RunTool.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

using checkcases::Entry;
using checkcases::FileOf;
using checkcases::WriteRecording;

// 2026-11-02T10:00:00Z and 2026-12-09T14:03:22Z.
const std::string kFirstRun = "SOURCE_DATE_EPOCH=1793613600 ";
const std::string kLaterRun = "SOURCE_DATE_EPOCH=1796825002 ";

std::string Summary(int added, int newTake, int unchanged, int textChanged, int notFound,
                    int shared = 0, int notInFile = 0) {
    return "added\t" + std::to_string(added) + "\nnew-take\t" + std::to_string(newTake) +
           "\nunchanged\t" + std::to_string(unchanged) + "\ntext-changed\t" +
           std::to_string(textChanged) + "\nnot-found\t" + std::to_string(notFound) +
           "\nshared-identifier\t" + std::to_string(shared) + "\nnot-in-file\t" +
           std::to_string(notInFile) + "\n";
}

class RecordTest : public ::testing::Test {
protected:
    void SetUp() override {
        WriteRecording(dir.File("rec/a.wav"), 1000);
        WriteRecording(dir.File("rec/b.wav"), 1500);
    }
    void WriteInput(const std::string& textOfA, const std::string& identifierOfB = "B") {
        WriteBytes(dir.File("m.trs"),
                   FileOf({Entry(1, "A", textOfA, "a.wav", 1000),
                           Entry(2, identifierOfB, "bee", "b.wav", 1500),
                           Entry(3, "C", "sea", "c.wav", 0), Entry(4, "D", "no recording yet")}));
    }
    Outcome Record(const std::string& options = "", const std::string& run = kFirstRun) {
        return RunShell(dir, "cd " + Quote(dir.Path().string()) + " && " + run +
                                 Quote(LEXARIUM_TOOL_PATH) + " record m.trs --audio rec" + options);
    }
    Outcome Check(const std::string& options = "") {
        return RunShell(dir, "cd " + Quote(dir.Path().string()) + " && " +
                                 Quote(LEXARIUM_TOOL_PATH) + " check m.trs --audio rec" + options);
    }
    std::string List() { return ReadBytes(dir.File("m.recorded.tsv")); }
    TempDir dir;
};

} // namespace

TEST_F(RecordTest, RoundTripKeepsAStaleRecordingInSightUntilItIsAccepted) {
    WriteInput("ay");
    Outcome outcome = Record();
    ASSERT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_EQ(outcome.out, Summary(2, 0, 0, 0, 1));
    const std::string first = List();
    EXPECT_EQ(first.substr(0, first.find('\n') + 1),
              "identifier\tid\taudio file\ttext sha256\tlength ms\taudio sha256\trecorded\n");
    // sha256("ay"), the measured length, the time of SOURCE_DATE_EPOCH.
    EXPECT_NE(first.find("A\t1\ta.wav\t"
                         "69d61997a241e97931db9dd1cfcef218041a752485f5f7956b09766287682da3"),
              std::string::npos)
        << first;
    EXPECT_NE(first.find("\t1000\t"), std::string::npos);
    EXPECT_NE(first.find("\t1500\t"), std::string::npos);
    EXPECT_NE(first.find("\t2026-11-02T10:00:00Z\nB\t2\tb.wav\t"), std::string::npos);
    EXPECT_EQ(Check().status, 3); // c.wav is missing; nothing else
    EXPECT_EQ(Check().out, "missing-audio\t2\t3\tC\t\"c.wav\" is not in the folder\n");

    // The text changes after the recording; recording again does not hide it.
    WriteInput("ay, edited");
    const std::string changed = "text-changed\t0\t1\tA\tthe text changed after it was recorded on "
                                "2026-11-02\n";
    EXPECT_EQ(Check().out.substr(0, changed.size()), changed);
    outcome = Record("", kLaterRun);
    EXPECT_EQ(outcome.out, Summary(0, 0, 1, 1, 1)) << outcome.err;
    EXPECT_EQ(List(), first);
    EXPECT_EQ(Check().out.substr(0, changed.size()), changed);
    EXPECT_EQ(Check(" --no-recorded").out.find("text-changed"), std::string::npos);

    // Accepting it for the edited text.
    outcome = Record(" --again --identifier A", kLaterRun);
    EXPECT_EQ(outcome.out, Summary(0, 0, 0, 1, 0)) << outcome.err;
    EXPECT_NE(List().find("\t2026-12-09T14:03:22Z\nB\t2\tb.wav\t"), std::string::npos);
    EXPECT_EQ(Check().out.find("text-changed"), std::string::npos);

    // A new take of B: check tells it, record takes it with its length.
    WriteRecording(dir.File("rec/b.wav"), 1550);
    EXPECT_NE(Check().out.find("new-take\t1\t2\tB\ta new take since 2026-11-02; run record to "
                               "accept it\n"),
              std::string::npos);
    outcome = Record("", kLaterRun);
    EXPECT_EQ(outcome.out, Summary(0, 1, 1, 0, 1)) << outcome.err;
    EXPECT_NE(List().find("\t1550\t"), std::string::npos);
    EXPECT_EQ(Check().out, "missing-audio\t2\t3\tC\t\"c.wav\" is not in the folder\n");

    // Without changes, a run leaves every byte; the JSON form carries the kinds too.
    const std::string settled = List();
    EXPECT_EQ(Record("", kLaterRun).out, Summary(0, 0, 2, 0, 1));
    EXPECT_EQ(List(), settled);
}

TEST_F(RecordTest, SharedAndVanishedIdentifiersAreToldAndTheirLinesKept) {
    WriteInput("ay");
    ASSERT_EQ(Record().status, 0);
    // B now shares A's identifier, and no entry is called B any more.
    WriteInput("ay", "A");
    Outcome outcome = Record("", kLaterRun);
    EXPECT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_EQ(outcome.out, Summary(0, 0, 0, 0, 1, 2, 1));
    EXPECT_NE(outcome.err.find("m.trs: A: more than one entry has this identifier; not recorded"),
              std::string::npos)
        << outcome.err;
    EXPECT_NE(outcome.err.find("m.recorded.tsv: B: not in m.trs any more; its line is kept"),
              std::string::npos)
        << outcome.err;
    EXPECT_NE(List().find("\nB\t2\tb.wav\t"), std::string::npos);
    // Neither entry is judged by the line of A, which names one of them.
    WriteInput("changed", "A");
    EXPECT_EQ(Check().out.find("text-changed"), std::string::npos);
}

TEST_F(RecordTest, RefusesWhatItCannotTrustAndWritesNothing) {
    WriteInput("ay");
    ASSERT_EQ(Record().status, 0);
    const std::string good = List();

    // A list with a line that is not ours is not rewritten; check tells the
    // line and goes on with the others, its exit status unchanged.
    const std::string bad =
        good + "X\t9\tx.wav\tnot a hash\t0\t" + std::string(64, 'a') + "\t2026-11-02T10:00:00Z\n";
    WriteBytes(dir.File("m.recorded.tsv"), bad);
    Outcome outcome = Record("", kLaterRun);
    EXPECT_EQ(outcome.status, 1);
    EXPECT_EQ(outcome.out, "");
    EXPECT_NE(outcome.err.find("m.recorded.tsv:4: the text sha256 is not 64 lowercase "
                               "hexadecimal digits\n"),
              std::string::npos)
        << outcome.err;
    EXPECT_EQ(List(), bad);
    WriteInput("edited");
    outcome = Check();
    EXPECT_EQ(outcome.status, 3);
    EXPECT_NE(outcome.out.find("text-changed\t0\t1\tA"), std::string::npos);
    EXPECT_EQ(outcome.err, "m.recorded.tsv:4: the text sha256 is not 64 lowercase hexadecimal "
                           "digits\n");
    EXPECT_EQ(List(), bad);

    // A damaged file, an identifier no entry has, a bad SOURCE_DATE_EPOCH.
    WriteBytes(dir.File("m.recorded.tsv"), good);
    std::string damaged = ReadBytes(dir.File("m.trs"));
    WriteBytes(dir.File("m.trs"), damaged.substr(0, damaged.size() - 3));
    outcome = Record();
    EXPECT_EQ(outcome.status, 1);
    EXPECT_NE(outcome.err.find("m.trs is damaged: "), std::string::npos) << outcome.err;
    WriteInput("ay");
    outcome = Record(" --identifier NOPE");
    EXPECT_EQ(outcome.status, 2);
    EXPECT_NE(outcome.err.find("no entry of m.trs has the identifier \"NOPE\""), std::string::npos);
    outcome = Record("", "SOURCE_DATE_EPOCH=yesterday ");
    EXPECT_EQ(outcome.status, 1);
    EXPECT_NE(outcome.err.find("SOURCE_DATE_EPOCH"), std::string::npos);
    EXPECT_EQ(List(), good);

    // Options that make no sense together.
    EXPECT_EQ(RunTool(dir, "check m.trs --recorded x.tsv").status, 2);
    EXPECT_EQ(Check(" --recorded x.tsv --no-recorded").status, 2);
    outcome = Check(" --recorded missing.tsv");
    EXPECT_EQ(outcome.status, 1);
    EXPECT_NE(outcome.err.find("Cannot read the recorded list missing.tsv"), std::string::npos);
}

TEST_F(RecordTest, TellsABadListBeforeEverythingElseItWouldRefuse) {
    WriteInput("ay");
    ASSERT_EQ(Record().status, 0);
    const std::string bad = List() + "X\t9\n";
    WriteBytes(dir.File("m.recorded.tsv"), bad);
    const std::string told = "m.recorded.tsv:4: 7 fields expected, 2 found\nThe recorded list "
                             "m.recorded.tsv cannot be read whole. Nothing was written; correct "
                             "or remove the lines named above.\n";
    // The list is read while the file is: its refusal still comes alone and first.
    for (const std::string& run : {kLaterRun, std::string("SOURCE_DATE_EPOCH=yesterday ")}) {
        SCOPED_TRACE(run);
        Outcome outcome = Record("", run);
        EXPECT_EQ(outcome.status, 1);
        EXPECT_EQ(outcome.err, told);
        std::filesystem::rename(dir.File("m.trs"), dir.File("gone.trs"));
        outcome = Record("", run);
        EXPECT_EQ(outcome.status, 1);
        EXPECT_EQ(outcome.err, told);
        std::filesystem::rename(dir.File("gone.trs"), dir.File("m.trs"));
    }
    // check tells the bad line before a missing file's message.
    std::filesystem::rename(dir.File("m.trs"), dir.File("gone.trs"));
    Outcome outcome = RunShell(dir, "cd " + Quote(dir.Path().string()) + " && " +
                                        Quote(LEXARIUM_TOOL_PATH) +
                                        " check m.trs --audio rec --recorded m.recorded.tsv");
    EXPECT_EQ(outcome.status, 1);
    EXPECT_EQ(outcome.err, "m.recorded.tsv:4: 7 fields expected, 2 found\nAn error accured while "
                           "loading this file!\n");
    EXPECT_EQ(List(), bad);
}

TEST_F(RecordTest, ReadsAndHashesOnlyRegularFilesUpTo2GiB) {
    WriteInput("ay");
    // A recording bigger than 2 GiB (sparse) and a FIFO as the list: told,
    // never read, nothing hangs.
    { std::filesystem::resize_file(dir.File("rec/b.wav"), (std::uint64_t(2) << 30) + 1); }
    ASSERT_EQ(::mkfifo(dir.File("m.recorded.tsv").c_str(), 0600), 0);
    Outcome outcome = RunShell(dir, "cd " + Quote(dir.Path().string()) + " && timeout 20 " +
                                        Quote(LEXARIUM_TOOL_PATH) + " check m.trs --audio rec");
    EXPECT_EQ(outcome.status, 3);
    EXPECT_NE(outcome.err.find("Cannot read the recorded list m.recorded.tsv: not a regular file"),
              std::string::npos)
        << outcome.err;
    EXPECT_NE(outcome.out.find("unreadable-audio\t1\t2\tB\t\"rec/b.wav\" does not decode: larger "
                               "than 2 GiB\n"),
              std::string::npos)
        << outcome.out;
    outcome = RunShell(dir, "cd " + Quote(dir.Path().string()) + " && timeout 20 " +
                                Quote(LEXARIUM_TOOL_PATH) + " record m.trs --audio rec");
    EXPECT_EQ(outcome.status, 1);
    EXPECT_NE(outcome.err.find("not a regular file"), std::string::npos);

    std::filesystem::remove(dir.File("m.recorded.tsv"));
    outcome = RunShell(dir, "cd " + Quote(dir.Path().string()) + " && timeout 20 " +
                                Quote(LEXARIUM_TOOL_PATH) + " record m.trs --audio rec");
    EXPECT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_EQ(outcome.out, Summary(1, 0, 0, 0, 2));
    EXPECT_NE(outcome.err.find("rec/b.wav: not read: larger than 2 GiB"), std::string::npos)
        << outcome.err;
    // A FIFO as a recording is not found at all.
    std::filesystem::remove(dir.File("rec/b.wav"));
    ASSERT_EQ(::mkfifo(dir.File("rec/b.wav").c_str(), 0600), 0);
    outcome = RunShell(dir, "cd " + Quote(dir.Path().string()) + " && timeout 20 " +
                                Quote(LEXARIUM_TOOL_PATH) + " record m.trs --audio rec");
    EXPECT_EQ(outcome.out, Summary(0, 0, 1, 0, 2)) << outcome.err;
}

TEST(RecordedSample, TellsTheLineWhoseTextChangedAfterItWasRecorded) {
    TempDir dir;
    const Outcome outcome =
        RunShell(dir, "cd " + Quote(LEXARIUM_SOURCE_DIR) + " && " + Quote(LEXARIUM_TOOL_PATH) +
                          " check samples/sample.trs --audio samples/audio");
    EXPECT_EQ(outcome.status, 3);
    EXPECT_EQ(outcome.err, "");
    EXPECT_NE(outcome.out.find("text-changed\t22\t122\tM01_CAPTAIN_CROSSING\tthe text changed "
                               "after it was recorded on 2026-11-02\n"),
              std::string::npos)
        << outcome.out;
}
