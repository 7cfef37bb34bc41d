// lexarium-tool script run as a user would: the CSV read back by Python's csv
// module, grouped by speaker, one speaker kept, the recordings looked up, and
// the figures on standard output.

#include "RunTool.h"
#include "common/Entries.h"
#include "testdata/TestData.h"

#include <filesystem>
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
        object.AddEntry(Line(2, "Bob", "b1.wav", "Hi", 1500));
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

} // namespace

TEST_F(ScriptTest, RowsAreGroupedBySpeakerAndReadBackByAParser) {
    if (!HavePython())
        GTEST_SKIP() << "python3 is not installed";
    Outcome outcome = Script();
    ASSERT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_EQ(Rows(),
              "['speaker', 'id', 'identifier', 'audio file', 'text', 'comment', 'length ms']\n"
              "['Anna', '1', 'LINE_1', 'a1.wav', 'Hello, \"friend\".\\r\\nSecond line', 'c1', "
              "'60000']\n"
              "['Anna', '5', 'LINE_5', 'a2.wav', 'three words here', 'c5', '30000']\n"
              "['Bob', '2', 'LINE_2', 'b1.wav', 'Hi', 'c2', '1500']\n"
              "['', '4', 'LINE_4', 'x.wav', '', 'c4', '0']\n");
    EXPECT_EQ(outcome.out, "speaker\tlines\twords\tcharacters\tminutes\n"
                           "Anna\t2\t7\t45\t1.50\n"
                           "Bob\t1\t1\t2\t0.03\n"
                           "\t1\t0\t0\t0.00\n");
    // Fields are quoted only where they must be; records end in CR LF.
    EXPECT_EQ(ReadBytes(dir.File("out.csv")).substr(0, 71),
              "speaker,id,identifier,audio file,text,comment,length ms\r\nAnna,1,LINE_1,");
}

TEST_F(ScriptTest, OneSpeakerWithItsRecordingsLookedUp) {
    if (!HavePython())
        GTEST_SKIP() << "python3 is not installed";
    std::filesystem::create_directories(dir.File("rec"));
    WriteBytes(dir.File("rec/a1.wav"), "any bytes: only existence counts here");
    WriteBytes(dir.File("rec/A2_fem.WAV"), "found ignoring case, as the editor does");
    Outcome outcome = Script(" --speaker Anna --audio " + Quote(dir.File("rec")));
    ASSERT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_EQ(Rows(), "['speaker', 'id', 'identifier', 'audio file', 'text', 'comment', "
                      "'length ms', 'recording', 'female take']\n"
                      "['Anna', '1', 'LINE_1', 'a1.wav', 'Hello, \"friend\".\\r\\nSecond line', "
                      "'c1', '60000', 'yes', 'no']\n"
                      "['Anna', '5', 'LINE_5', 'a2.wav', 'three words here', 'c5', '30000', "
                      "'no', 'yes']\n");
    EXPECT_EQ(outcome.out, "speaker\tlines\twords\tcharacters\tminutes\tmissing\n"
                           "Anna\t2\t7\t45\t1.50\t1\n");

    outcome = Script(" --speaker Nobody");
    EXPECT_EQ(outcome.status, 0);
    EXPECT_EQ(outcome.err, "No entry with a recording has the speaker Nobody.\n");
    EXPECT_EQ(Rows(), "['speaker', 'id', 'identifier', 'audio file', 'text', 'comment', "
                      "'length ms']\n");

    WriteBytes(dir.File("out.csv"), "kept");
    EXPECT_EQ(Script(" --audio " + Quote(dir.File("no-such"))).status, 1);
    EXPECT_EQ(Script(" --json").status, 2);
    EXPECT_EQ(ReadBytes(dir.File("out.csv")), "kept");
}
