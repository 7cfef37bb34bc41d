// lexarium-tool script run as a user would: the CSV read back by Python's csv
// module, grouped by speaker, one speaker kept, the recordings looked up, and
// the figures on standard output.

#include "RunTool.h"
#include "Signals.h"
#include "common/Entries.h"
#include "testdata/TestData.h"

#include <filesystem>
#include <set>
#include <gtest/gtest.h>

namespace {

TextResourceEntry Line(std::uint32_t id, const std::string& speaker, const std::string& audio,
                       const std::string& text, std::uint32_t lengthMs) {
    return MakeEntry({.id = id,
                      .identifier = "LINE_" + std::to_string(id),
                      .audioFile = audio,
                      .text = text,
                      .comment = "c" + std::to_string(id),
                      .speaker = speaker,
                      .lengthMs = lengthMs});
}

class ScriptTest : public ::testing::Test {
protected:
    ScriptTest() {
        TextResourceObject object;
        object.AddEntry(Line(1, "Anna", "a1.wav", "Hello, \"friend\".\r\nSecond line", 60000));
        TextResourceEntry bob = Line(2, "Bob", "b1.wav", "Hi", 1500);
        bob.comment = "leer"; // no direction
        object.AddEntry(bob);
        object.AddEntry(Line(3, "Anna", "leer", "not recorded", 1000));
        object.AddEntry(Line(4, "", "x.wav", "", 0));
        object.AddEntry(Line(5, "Anna", "a2.wav", "three words here", 30000));
        WriteBytes(dir.File("in.trs"), testdata::ToFileBytes(object));
    }
    // The rows of the CSV as Python's csv module reads them.
    std::string Rows() {
        WriteBytes(dir.File("read.py"),
                   "import csv, sys\n"
                   "with open(sys.argv[1], newline='', encoding='utf-8') as f:\n"
                   "    for row in csv.reader(f, strict=True):\n"
                   "        print(ascii(row))\n");
        Outcome outcome = RunShell(dir, "python3 " + Quote(dir.File("read.py")) + " " +
                                            Quote(dir.File("out.csv")));
        EXPECT_EQ(outcome.status, 0) << outcome.err;
        return outcome.out;
    }
    Outcome Script(const std::string& options = "") {
        return RunTool(dir, "script " + Quote(dir.File("in.trs")) + " " +
                                Quote(dir.File("out.csv")) + options);
    }
    TempDir dir;
};

// With a folder of recordings: the header, and Anna's first line, recorded.
const std::string kHeadWithRecordings =
    "['speaker', 'id', 'identifier', 'audio file', 'text', 'comment', "
    "'length ms', 'recording', 'female take', 'direction', 'previous line']\n"
    "['Anna', '1', 'LINE_1', 'a1.wav', 'Hello, \"friend\".\\r\\nSecond line', "
    "'c1', '60000', 'yes', 'no', 'c1', '']\n";

} // namespace

TEST_F(ScriptTest, RowsAreGroupedBySpeakerAndReadBackByAParser) {
    if (!HavePython())
        GTEST_SKIP() << "python3 is not installed";
    Outcome outcome = Script();
    ASSERT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_EQ(Rows(),
              "['speaker', 'id', 'identifier', 'audio file', 'text', 'comment', 'length ms', "
              "'direction', 'previous line']\n"
              "['Anna', '1', 'LINE_1', 'a1.wav', 'Hello, \"friend\".\\r\\nSecond line', 'c1', "
              "'60000', 'c1', '']\n"
              // The cue is the line just before, whoever speaks it.
              "['Anna', '5', 'LINE_5', 'a2.wav', 'three words here', 'c5', '30000', 'c5', '']\n"
              "['Bob', '2', 'LINE_2', 'b1.wav', 'Hi', 'leer', '1500', '', "
              "'Hello, \"friend\".\\r\\nSecond line']\n"
              "['', '4', 'LINE_4', 'x.wav', '', 'c4', '0', 'c4', 'not recorded']\n");
    EXPECT_EQ(outcome.out, "speaker\tlines\twords\tcharacters\tminutes\n"
                           "Anna\t2\t7\t45\t1.50\n"
                           "Bob\t1\t1\t2\t0.03\n"
                           "\t1\t0\t0\t0.00\n");
    // Fields are quoted only where they must be; records end in CR LF.
    EXPECT_EQ(ReadBytes(dir.File("out.csv")).substr(0, 95),
              "speaker,id,identifier,audio file,text,comment,length ms,direction,previous line\r\nAnna,1,LINE_1,");
}

TEST_F(ScriptTest, OneSpeakerWithItsRecordingsLookedUp) {
    if (!HavePython())
        GTEST_SKIP() << "python3 is not installed";
    std::filesystem::create_directories(dir.File("rec"));
    WriteBytes(dir.File("rec/a1.wav"), "any bytes: only existence counts here");
    WriteBytes(dir.File("rec/A2_fem.WAV"), "found ignoring case, as the editor does");
    Outcome outcome = Script(" --speaker Anna --audio " + Quote(dir.File("rec")));
    ASSERT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_EQ(Rows(), kHeadWithRecordings +
                          "['Anna', '5', 'LINE_5', 'a2.wav', 'three words here', 'c5', '30000', "
                          "'no', 'yes', 'c5', '']\n");
    EXPECT_EQ(outcome.out, "speaker\tlines\twords\tcharacters\tminutes\tmissing\n"
                           "Anna\t2\t7\t45\t1.50\t1\n");

    outcome = Script(" --speaker Nobody");
    EXPECT_EQ(outcome.status, 0);
    EXPECT_EQ(outcome.err, "No entry with a recording has the speaker Nobody.\n");
    EXPECT_EQ(Rows(), "['speaker', 'id', 'identifier', 'audio file', 'text', 'comment', "
                      "'length ms', 'direction', 'previous line']\n");

    WriteBytes(dir.File("out.csv"), "kept");
    EXPECT_EQ(Script(" --audio " + Quote(dir.File("no-such"))).status, 1);
    EXPECT_EQ(Script(" --json").status, 2);
    EXPECT_EQ(ReadBytes(dir.File("out.csv")), "kept");
}

TEST_F(ScriptTest, OnlyTheLinesWithFindingsOfTheKindsAsked) {
    if (!HavePython())
        GTEST_SKIP() << "python3 is not installed";
    std::filesystem::create_directories(dir.File("rec"));
    signals::WriteSignal(dir.File("rec/a1.wav"), {{1.0, signals::kNormal}});
    // Anna's first line: 28 characters in 1 s of recording; the rest are missing.
    Outcome outcome = Script(" --only too-fast,missing-audio --max-cps 20 --audio " +
                             Quote(dir.File("rec")));
    ASSERT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_EQ(Rows(), kHeadWithRecordings +
                          "['Anna', '5', 'LINE_5', 'a2.wav', 'three words here', 'c5', '30000', "
                          "'no', 'no', 'c5', '']\n"
                          "['Bob', '2', 'LINE_2', 'b1.wav', 'Hi', 'leer', '1500', 'no', 'no', '', "
                          "'Hello, \"friend\".\\r\\nSecond line']\n"
                          "['', '4', 'LINE_4', 'x.wav', '', 'c4', '0', 'no', 'no', 'c4', "
                          "'not recorded']\n");
    outcome = Script(" --only too-fast --max-cps 20 --audio " + Quote(dir.File("rec")));
    EXPECT_EQ(outcome.out, "speaker\tlines\twords\tcharacters\tminutes\tmissing\n"
                           "Anna\t1\t4\t29\t1.00\t0\n");

    const OptionMistake mistakes[] = {
        {" --only too-fast", "option --only: too-fast needs --max-cps"},
        {" --only clipped --audio .", "option --only: clipped needs --levels"},
        {" --only missing-audio", "option --only: missing-audio needs --audio"},
        {" --only text-changed", "option --only: text-changed needs --audio"},
        {" --only empty-text,nonsense", "option --only: unknown kind \"nonsense\""},
        {" --levels", "option --levels needs --audio"},
    };
    WriteBytes(dir.File("out.csv"), "kept");
    ExpectMistakes("script", mistakes, ErrorLine::Start,
                   [&](const char* options) { return Script(options); });
    EXPECT_EQ(ReadBytes(dir.File("out.csv")), "kept");
}

TEST_F(ScriptTest, SplitWritesOneFilePerSpeakerNamedForEveryFileSystem) {
    TextResourceObject object;
    const char* speakers[] = {"Anna", "", "a/b:c*?", "ANNA", "anna", "Con", "Dr. Who.", "\x01x"};
    std::uint32_t id = 0;
    for (const char* speaker : speakers) {
        ++id;
        object.AddEntry(Line(id, speaker, "l" + std::to_string(id) + ".wav", "t", 1000));
    }
    WriteBytes(dir.File("in.trs"), testdata::ToFileBytes(object));
    Outcome outcome = Script(" --split " + Quote(dir.File("parts")));
    ASSERT_EQ(outcome.status, 0) << outcome.err;
    std::set<std::string> names;
    std::string joined;
    for (const auto& file : std::filesystem::directory_iterator(dir.File("parts")))
        names.insert(file.path().filename().string());
    for (const std::string& name : names)
        joined += name + "|";
    EXPECT_EQ(joined, "(no speaker).csv|ANNA (2).csv|Anna.csv|Dr. Who_.csv|_Con.csv|_x.csv|"
                      "a_b_c__.csv|anna (3).csv|");
    // OUT is whole; each part has the header and its speaker's rows.
    const std::string header = "speaker,id,identifier,audio file,text,comment,length ms,"
                               "direction,previous line\r\n";
    EXPECT_EQ(ReadBytes(dir.File("parts/ANNA (2).csv")), header + "ANNA,4,LINE_4,l4.wav,t,c4,1000,c4,t\r\n");
    std::string parts;
    for (const char* name : {"Anna.csv", "(no speaker).csv", "a_b_c__.csv", "ANNA (2).csv",
                             "anna (3).csv", "_Con.csv", "Dr. Who_.csv", "_x.csv"})
        parts += ReadBytes(dir.File(std::string("parts/") + name)).substr(header.size());
    EXPECT_EQ(ReadBytes(dir.File("out.csv")), header + parts);
}
