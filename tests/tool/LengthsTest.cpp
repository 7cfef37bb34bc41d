// lexarium-tool lengths: the real lengths of the recordings go into OUT, and
// every other byte of IN stays as it was; files the writer would not give
// back as they are are refused.

#include "CheckCases.h"
#include "RunTool.h"
#include "model/TrsBytes.h"

#include <gtest/gtest.h>

namespace {

using checkcases::Entry;
using checkcases::FileOf;
using checkcases::WriteRecording;
using namespace trsbytes;

class LengthsTest : public ::testing::Test {
protected:
    Outcome Lengths(const std::string& options = "") {
        return RunShell(dir, "cd " + Quote(dir.Path().string()) + " && " +
                                 Quote(LEXARIUM_TOOL_PATH) + " lengths in.trs out.trs --audio rec" +
                                 options);
    }
    TempDir dir;
};

// The positions of the bytes in which `a` and `b` differ.
std::vector<std::size_t> Differences(const std::string& a, const std::string& b) {
    std::vector<std::size_t> at;
    for (std::size_t i = 0; i < std::max(a.size(), b.size()); ++i)
        if (i >= a.size() || i >= b.size() || a[i] != b[i])
            at.push_back(i);
    return at;
}

} // namespace

TEST_F(LengthsTest, ChangesTheLengthsThatAreOffAndNoOtherByte) {
    WriteRecording(dir.File("rec/a.wav"), 1000);
    WriteRecording(dir.File("rec/b.wav"), 1500);
    WriteRecording(dir.File("rec/b_fem.wav"), 3000); // the female take does not count
    WriteRecording(dir.File("rec/c.wav"), 2000);
    WriteBytes(dir.File("rec/broken.wav"), "not audio");
    const std::string in =
        FileOf({Entry(1, "A", "a", "a.wav", 1000), Entry(2, "B\tTAB", "b", "b.wav", 1490),
                Entry(3, "C", "c", "c.wav", 65536), Entry(4, "GONE", "d", "gone.wav", 77),
                Entry(5, "BROKEN", "e", "broken.wav", 5), Entry(6, "NONE", "f", "leer", 9)});
    WriteBytes(dir.File("in.trs"), in);

    Outcome outcome = Lengths();
    ASSERT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_EQ(outcome.out, "B\\tTAB\t1490\t1500\nC\t65536\t2000\nchanged\t2\n");
    EXPECT_EQ(outcome.err,
              "rec/broken.wav: its length is not known (it does not decode); left as it is\n");
    const std::string out = ReadBytes(dir.File("out.trs"));
    EXPECT_EQ(ReadBytes(dir.File("in.trs")), in);
    // 1490 -> 1500 differs in the low byte only; 65536 -> 2000 in two bytes.
    const std::size_t b = in.find(Str("b") + Str("leer") + Str("")) + 8;
    const std::size_t c = in.find(Str("c") + Str("leer") + Str("")) + 8;
    EXPECT_EQ(Differences(in, out), (std::vector<std::size_t>{b, c, c + 1, c + 2}));
    EXPECT_EQ(out.substr(b, 4), U32(1500));
    EXPECT_EQ(out.substr(c, 4), U32(2000));

    // Within the tolerance nothing changes; OUT is IN then.
    outcome = Lengths(" --tolerance 10");
    EXPECT_EQ(outcome.out, "C\t65536\t2000\nchanged\t1\n");
    outcome = Lengths(" --tolerance 70000");
    EXPECT_EQ(outcome.out, "changed\t0\n");
    EXPECT_EQ(ReadBytes(dir.File("out.trs")), in);
    EXPECT_EQ(Lengths(" --tolerance -1").status, 2);
    EXPECT_EQ(Lengths(" --tolerance 1.5").status, 2);
}

TEST_F(LengthsTest, RefusesFilesTheWriterWouldNotGiveBack) {
    WriteRecording(dir.File("rec/a.wav"), 1000);
    const std::string record = U32(1) + Str("A") + Str("a.wav") + Str("text") + Str("c") + Str("s");
    struct Case {
        std::string name;
        std::string bytes;
        std::string reason;
    };
    const std::vector<Case> cases = {
        {"older version", Header(3, 1) + record, "it is a file of version 3, not 4"},
        {"damaged", Header(4, 2) + record + U32(5), "it is damaged: "},
        {"foreign magic", "NOT A TRS FILE!!" + Header(4, 1).substr(16) + record + U32(5),
         "it does not start with the magic"},
        // A short string stored with the long prefix: read fine, written shorter.
        {"long prefix",
         Header(4, 1) + U32(1) + std::string("\xFF\x01\x00", 3) + "A" + Str("a.wav") + Str("text") +
             Str("c") + Str("s") + U32(5),
         "the writer would not give it back as it is (from byte 28 on)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        WriteBytes(dir.File("in.trs"), c.bytes);
        std::filesystem::remove(dir.File("out.trs"));
        const Outcome outcome = Lengths();
        EXPECT_EQ(outcome.status, 1);
        EXPECT_EQ(outcome.out, "");
        EXPECT_NE(outcome.err.find("in.trs is refused: " + c.reason), std::string::npos)
            << outcome.err;
        EXPECT_NE(outcome.err.find("lexarium-tool convert"), std::string::npos);
        EXPECT_FALSE(std::filesystem::exists(dir.File("out.trs")));
    }
}
