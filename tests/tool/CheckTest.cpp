// lexarium-tool check run as a user would: the findings of entries, of damaged
// files and of a folder of recordings written here, the exit status, and the
// JSON form read back by a real parser.

#include "CheckCases.h"
#include "RunTool.h"
#include "model/TrsBytes.h"
#include "support/tsMemoryStream.h"
#include "testdata/TestData.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <sndfile.h>
#include <vector>

using namespace trsbytes;

namespace {

using checkcases::Entry;
using checkcases::FileOf;
using checkcases::Record;
using checkcases::RecordingsFile;
using checkcases::WriteRecordings;

class CheckTest : public ::testing::Test {
protected:
    Outcome Check(const std::string& bytes, const std::string& options = "") {
        WriteBytes(dir.File("in.trs"), bytes);
        return RunTool(dir, "check " + Quote(dir.File("in.trs")) + options);
    }
    TempDir dir;
};

} // namespace

TEST_F(CheckTest, EntryFindingsComeInCollectionOrder) {
    Outcome outcome =
        Check(FileOf({Entry(1, "A", "hello"), Entry(1, "B", ""), Entry(3, "A", "leer"),
                      Entry(4, "UNBENANNT", "x"), Entry(1, "Tab\there\n", "y")}));
    EXPECT_EQ(outcome.status, 3) << outcome.err;
    EXPECT_EQ(outcome.out,
              "duplicate-id\t1\t1\tB\tthe same id as the entry at position 0\n"
              "empty-text\t1\t1\tB\tthe text is empty\n"
              "duplicate-identifier\t2\t3\tA\tthe same identifier as the entry at position 0\n"
              "placeholder\t2\t3\tA\tthe text is still \"leer\"\n"
              "placeholder\t3\t4\tUNBENANNT\tthe identifier is still \"UNBENANNT\"\n"
              "duplicate-id\t4\t1\tTab\\there\\n\tthe same id as the entry at position 0\n");

    // A clean file: nothing to say, exit status 0; also against recordings
    // when no entry names one.
    std::filesystem::create_directory(dir.File("rec"));
    for (const char* options : {"", " --json", " --audio rec"}) {
        outcome =
            Check(FileOf({Entry(1, "A", "hello"), Entry(2, "B", "world")}),
                  std::string(options) == " --audio rec" ? " --audio " + Quote(dir.File("rec"))
                                                         : options);
        EXPECT_EQ(outcome.status, 0) << options << outcome.out << outcome.err;
    }
    EXPECT_EQ(RunTool(dir, "check " + Quote(dir.File("in.trs"))).out, "");
}

TEST_F(CheckTest, EverySortOfDamageIsToldWhereItIs) {
    const std::string good = Header(4, 1) + Record(7, "ONE");

    Outcome outcome = Check("NOT A TRS FILE!!" + good.substr(16));
    EXPECT_EQ(outcome.status, 3);
    EXPECT_EQ(outcome.out, "damaged\t-\t-\t-\tthe first 16 bytes are not the magic of a text "
                           "resource file: 4E 4F 54 20 41 20 54 52 53 20 46 49 4C 45 21 21\n");

    outcome = Check(good + "junk");
    EXPECT_EQ(outcome.out, "damaged\t-\t-\t-\t4 bytes follow the last record, from byte " +
                               std::to_string(good.size()) + "\n");

    // The entries the load adds past the end are not checked one by one.
    outcome = Check(Header(4, 4) + Record(7, "ONE") + Record(8, "TWO"));
    EXPECT_EQ(outcome.out, "damaged\t-\t-\t-\tthe count promises 4 entries but the data hold 2 "
                           "records; the load gives positions 2 to 3 the values of a new entry\n");

    outcome = Check(Header(7, 1) + Record(7, "ONE"));
    EXPECT_EQ(outcome.out, "damaged\t-\t-\t-\tversion 7 is newer than this program writes (4); "
                           "it is read as version 4\n");

    // Header 24 bytes, id 4, "ONE" 4: the audio file's prefix starts at byte 32.
    outcome = Check(Header(4, 2) + U32(7) + Str("ONE") + std::string("\xFF\xFE\xFF", 3) +
                    Str("text") + Str("c") + Str("s") + U32(0) + Record(8, "TWO"));
    EXPECT_EQ(outcome.out, "damaged\t0\t7\tONE\taudioFile at byte 32: the length prefix is "
                           "malformed\n");

    outcome = Check(Header(4, 1) + Record(7, "ONE", Str(std::string("ab\0cd", 5))));
    EXPECT_EQ(outcome.out, "damaged\t0\t7\tONE\ttext at byte 37: a zero byte ends it after 2 "
                           "of its 5 bytes; the rest is not loaded\n");

    // Cut inside a record: one finding for the field the data end in. The
    // entry is checked as it loads.
    outcome = Check(Header(4, 1) + U32(7) + Str("ONE") +
                    std::string("\x05"
                                "ab",
                                3));
    EXPECT_EQ(outcome.out, "damaged\t0\t7\tONE\taudioFile at byte 32: the data end inside it; "
                           "text, comment, speaker, lengthMs keep the values of a new entry\n"
                           "placeholder\t0\t7\tONE\tthe text is still \"leer\"\n");
    EXPECT_EQ(outcome.status, 3);

    // Checking only tells: the damaged file converts as the editor loads it.
    TextResourceObject loaded;
    tsMemoryStream stream(ReadBytes(dir.File("in.trs")));
    loaded.Read(stream);
    ASSERT_EQ(RunTool(dir, "convert --accept-damage " + Quote(dir.File("in.trs")) + " " +
                               Quote(dir.File("out.trs")))
                  .status,
              0);
    EXPECT_EQ(ReadBytes(dir.File("out.trs")), testdata::ToFileBytes(loaded));
}

TEST_F(CheckTest, RecordingsAreFoundAsTheEditorFindsThem) {
    const std::string rec = dir.File("rec");
    WriteRecordings(rec);
    Outcome outcome = Check(RecordingsFile(), " --audio " + Quote(rec));
    EXPECT_EQ(outcome.status, 3) << outcome.err;
    EXPECT_EQ(outcome.out,
              "length-mismatch\t1\t2\tLONG\tstored 1500 ms, \"" + rec +
                  "/long.wav\" lasts 2000 ms\n"
                  "unreadable-audio\t1\t2\tLONG\tfemale take \"" +
                  rec +
                  "/long_fem.wav\" does not decode: Format not recognised.\n"
                  "case-mismatch\t2\t3\tCASE\t\"case.wav\" is found only as \"" +
                  rec +
                  "/Case.WAV\", which differs in letter case\n"
                  "unreadable-audio\t3\t4\tBROKEN\t\"" +
                  rec +
                  "/broken.wav\" does not decode: Format not recognised.\n"
                  "missing-audio\t4\t5\tGONE\t\"missing.wav\" is not in the folder\n"
                  "unused-audio\t-\t-\t-\t\"sub/orphan.flac\" is not the recording of any entry\n");

    outcome = Check(FileOf({Entry(1, "A", "a")}), " --audio " + Quote(dir.File("no-such")));
    EXPECT_EQ(outcome.status, 1);
    EXPECT_EQ(outcome.err,
              "Cannot read the folder " + dir.File("no-such") + ": No such file or directory\n");
    EXPECT_EQ(outcome.out, "");
}

TEST_F(CheckTest, WrongArgumentsAndUnloadableFiles) {
    WriteBytes(dir.File("in.trs"), FileOf({Entry(1, "A", "a")}));
    const std::string in = Quote(dir.File("in.trs"));
    for (const std::string& arguments :
         {std::string("check"), "check " + in + " " + in, "check " + in + " --audio",
          "check " + in + " --json --json", "check " + in + " --speaker x",
          "check " + in + " --frobnicate"}) {
        Outcome outcome = RunTool(dir, arguments);
        EXPECT_EQ(outcome.status, 2) << arguments;
        EXPECT_NE(outcome.err.find("\nusage: lexarium-tool"), std::string::npos) << arguments;
    }
    WriteBytes(dir.File("short.trs"), std::string(20, 'x'));
    for (const char* file : {"short.trs", "missing.trs"}) {
        Outcome outcome = RunTool(dir, "check " + Quote(dir.File(file)) + " --json");
        EXPECT_EQ(outcome.status, 1) << file;
        EXPECT_EQ(outcome.err, "An error accured while loading this file!\n");
        EXPECT_EQ(outcome.out, "");
    }
    // Options may come before the file; "--" ends them.
    EXPECT_EQ(RunTool(dir, "check --json -- " + in).status, 0);
}

TEST_F(CheckTest, JsonReadsBackWithAParser) {
    if (!HavePython())
        GTEST_SKIP() << "python3 is not installed";
    const std::string bytes = Header(4, 3) + Record(1, "first") +
                              Record(1, std::string("Gr\xC3\xBC\xC3\x9F"
                                                    "e \"quoted\" \\ ctl\x01\x1F\t\r\n",
                                                    27)) +
                              Record(1, "bad \xFF\xC3 utf-8");
    Outcome outcome = Check(bytes + "x", " --json");
    EXPECT_EQ(outcome.status, 3);
    WriteBytes(dir.File("out.json"), outcome.out);
    WriteBytes(dir.File("read.py"),
               "import json, sys\n"
               "d = json.load(open(sys.argv[1], encoding='utf-8'))\n"
               "print(d['file'] == sys.argv[2], d['entries'], len(d['findings']))\n"
               "for f in d['findings']:\n"
               "    print(f['kind'], f['position'], f['id'], ascii(f['identifier']), "
               "ascii(f['detail']))\n");
    outcome = RunShell(dir, "python3 " + Quote(dir.File("read.py")) + " " +
                                Quote(dir.File("out.json")) + " " + Quote(dir.File("in.trs")));
    EXPECT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_EQ(outcome.out,
              "True 3 3\n"
              "damaged None None None '1 byte follows the last record, from byte " +
                  std::to_string(bytes.size()) +
                  "'\n"
                  "duplicate-id 1 1 'Gr\\xfc\\xdfe \"quoted\" \\\\ ctl\\x01\\x1f\\t\\r\\n' "
                  "'the same id as the entry at position 0'\n"
                  "duplicate-id 2 1 'bad \\ufffd\\ufffd utf-8' 'the same id as the entry at "
                  "position 0'\n");
}

TEST_F(CheckTest, AReferenceIsMatchedByIdentifierAndADamagedOneIsTold) {
    WriteBytes(dir.File("ref.trs"), FileOf({Entry(1, "A", "Take %s."), Entry(2, "B", "Run!"),
                                            Entry(3, "C", "Wait.")}));
    const std::string reference = " --reference " + Quote(dir.File("ref.trs"));
    Outcome outcome = Check(
        FileOf({Entry(7, "A", "Nimm %d."), Entry(8, "B", "Run!"), Entry(9, "D", "Neu")}),
        reference);
    EXPECT_EQ(outcome.status, 3) << outcome.err;
    EXPECT_EQ(outcome.out,
              "placeholder-mismatch\t0\t7\tA\tthe placeholders differ from the reference's: "
              "missing %s; extra %d\n"
              "untranslated\t1\t8\tB\tthe text is the reference's text as it stands\n"
              "not-in-reference\t2\t9\tD\tthe reference file has no entry with this identifier\n"
              "missing-translation\t-\t-\tC\tthe reference file has this identifier (position 2, "
              "id 3); this file has not\n");
    EXPECT_EQ(outcome.err, "");

    // A reference cut short is compared as far as it could be read, and told.
    const std::string whole = ReadBytes(dir.File("ref.trs"));
    WriteBytes(dir.File("ref.trs"), whole.substr(0, whole.size() - 3));
    outcome = RunTool(dir, "check " + Quote(dir.File("in.trs")) + reference);
    EXPECT_EQ(outcome.status, 3);
    EXPECT_NE(outcome.err.find("ref.trs is damaged: "), std::string::npos) << outcome.err;
    EXPECT_NE(outcome.out.find("untranslated\t1"), std::string::npos);

    // A reference that cannot be loaded at all ends the check.
    outcome = RunTool(dir, "check " + Quote(dir.File("in.trs")) + " --reference " +
                               Quote(dir.File("absent.trs")));
    EXPECT_EQ(outcome.status, 1);
    EXPECT_EQ(outcome.out, "");
}
