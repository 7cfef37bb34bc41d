// The recorded list as text: what is read back of what is written, the order
// of its lines, the name it takes next to a file, and the lines it does not take.

#include "check/RecordedList.h"

#include <gtest/gtest.h>

using namespace check;

namespace {

const std::string kHash(64, 'a');
const std::string kOtherHash = std::string(63, '0') + "f";

std::string Header() {
    return std::string(kRecordedListHeader) + "\n";
}

} // namespace

TEST(RecordedList, WritesSortedEscapedLinesAndReadsThemBack) {
    std::vector<RecordedLine> lines = {
        {"b\xC3\xA4r", 3, "x.wav", kHash, 10, kOtherHash, "2026-12-09T14:03:22Z"},
        {"Tab\tand\\ line\r\n", 1, "sub\\a.wav", kHash, 0, kHash, "2026-01-31T00:00:00Z"},
        {"Zeta", 4294967295u, "", kOtherHash, 4294967295u, kHash, "2024-02-29T23:59:59Z"},
    };
    const std::string text = FormatRecordedList(lines);
    // By byte order: "T" < "Z" < "b"; escaped, one line each.
    EXPECT_EQ(text, Header() + "Tab\\tand\\\\ line\\r\\n\t1\tsub\\\\a.wav\t" + kHash + "\t0\t" +
                        kHash +
                        "\t2026-01-31T00:00:00Z\n"
                        "Zeta\t4294967295\t\t" +
                        kOtherHash + "\t4294967295\t" + kHash +
                        "\t2024-02-29T23:59:59Z\n"
                        "b\xC3\xA4r\t3\tx.wav\t" +
                        kHash + "\t10\t" + kOtherHash + "\t2026-12-09T14:03:22Z\n");
    const RecordedList read = ParseRecordedList(text);
    EXPECT_TRUE(read.problems.empty());
    ASSERT_EQ(read.lines.size(), 3u);
    EXPECT_EQ(read.lines[0], lines[1]);
    EXPECT_EQ(read.lines[2], lines[0]);
    EXPECT_EQ(read.lines[2].RecordedDay(), "2026-12-09");
    // Written again, byte for byte; a checkout with CR LF line ends reads the same.
    EXPECT_EQ(FormatRecordedList(read.lines), text);
    std::string crlf;
    for (char c : text)
        crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    EXPECT_EQ(ParseRecordedList(crlf).lines, read.lines);
    EXPECT_EQ(ParseRecordedList(text.substr(0, text.size() - 1)).lines, read.lines);
}

TEST(RecordedList, LeavesOutTheLinesItDoesNotTakeAndSaysWhy) {
    const std::string good = "A\t1\ta.wav\t" + kHash + "\t5\t" + kHash + "\t2026-11-02T10:00:00Z";
    struct Case {
        std::string line;
        std::string reason;
    };
    const std::vector<Case> cases = {
        {"A\t1\ta.wav\t" + kHash, "7 fields expected, 4 found"},
        {good + "\textra", "7 fields expected, 8 found"},
        {"", "7 fields expected, 1 found"},
        {"B\t-1\ta.wav\t" + kHash + "\t5\t" + kHash + "\t2026-11-02T10:00:00Z",
         "the id is not a number"},
        {"B\t4294967296\ta.wav\t" + kHash + "\t5\t" + kHash + "\t2026-11-02T10:00:00Z",
         "the id is not a number"},
        {"B\t1\ta.wav\t" + std::string(64, 'A') + "\t5\t" + kHash + "\t2026-11-02T10:00:00Z",
         "the text sha256 is not 64 lowercase hexadecimal digits"},
        {"B\t1\ta.wav\t" + kHash + "\t5\t" + kHash.substr(1) + "\t2026-11-02T10:00:00Z",
         "the audio sha256 is not 64 lowercase hexadecimal digits"},
        {"B\t1\ta.wav\t" + kHash + "\t05\t" + kHash + "\t2026-11-02T10:00:00Z",
         "the length ms is not a number"},
        {"B\t1\ta.wav\t" + kHash + "\t5\t" + kHash + "\t2026-02-29T10:00:00Z",
         "the recorded time is not a UTC time as 2026-12-09T14:03:22Z"},
        {"B\t1\ta.wav\t" + kHash + "\t5\t" + kHash + "\t2026-11-02 10:00:00",
         "the recorded time is not a UTC time as 2026-12-09T14:03:22Z"},
        {"B\\x\t1\ta.wav\t" + kHash + "\t5\t" + kHash + "\t2026-11-02T10:00:00Z",
         "the identifier holds a backslash that starts no escape"},
        {good, "the identifier is listed already on line 2"},
    };
    std::string text = Header() + good + "\n";
    for (const Case& c : cases)
        text += c.line + "\n";
    text += "C\t2\tc.wav\t" + kHash + "\t5\t" + kHash + "\t2026-11-02T10:00:00Z\n";
    const RecordedList list = ParseRecordedList(text);
    ASSERT_EQ(list.problems.size(), cases.size());
    for (std::size_t i = 0; i < cases.size(); ++i) {
        EXPECT_EQ(list.problems[i].line, i + 3) << cases[i].line;
        EXPECT_EQ(list.problems[i].reason, cases[i].reason) << cases[i].line;
    }
    // The good lines around them are taken.
    ASSERT_EQ(list.lines.size(), 2u);
    EXPECT_EQ(list.lines[0].identifier, "A");
    EXPECT_EQ(list.lines[1].identifier, "C");

    // Not ours at all: nothing of it is trusted.
    for (const std::string& other :
         {std::string("identifier,id\n") + good + "\n",
          std::string("\xEF\xBB\xBF") + Header() + good, std::string()}) {
        const RecordedList foreign = ParseRecordedList(other);
        EXPECT_TRUE(foreign.lines.empty());
        ASSERT_EQ(foreign.problems.size(), 1u);
        EXPECT_EQ(foreign.problems[0].line, 1u);
    }
}

TEST(RecordedList, IsNamedAfterItsFile) {
    const std::pair<std::string, std::string> cases[] = {
        {"mission.trs", "mission.recorded.tsv"},
        {"dir/Mission.TRS", "dir/Mission.recorded.tsv"},
        {"dir.trs/notes", "dir.trs/notes.recorded.tsv"},
        {"mission.txt", "mission.txt.recorded.tsv"},
        {"dir/.trs", "dir/.trs.recorded.tsv"},
    };
    for (const auto& [file, list] : cases)
        EXPECT_EQ(RecordedListPathFor(file), list) << file;
    EXPECT_EQ(FormatUtcTime(1796825002), "2026-12-09T14:03:22Z");
}
