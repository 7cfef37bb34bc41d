// Runs lexarium-tool as a user would and checks its output, files and exit status.

#include "RunTool.h"
#include "common/Entries.h"
#include "common/Environment.h"
#include "common/TempDir.h"
#include "model/CountWords.h"
#include "model/TextExport.h"
#include "support/tsResult.h"
#include "support/tsMemoryStream.h"
#include "support/tsStream.h"
#include "testdata/TestData.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

const std::string kLoadError = "An error accured while loading this file!\n";

} // namespace

TEST(LexariumTool, InfoPrintsTheTotals) {
    TempDir dir;
    TextResourceObject object = EntriesWithTexts({"two words", "Gr\xC3\xBC\xC3\x9F"
                                                               "e\r\naus Bremen"});
    WriteBytes(dir.File("in.trs"), testdata::ToFileBytes(object));

    Outcome outcome = RunTool(dir, "info " + Quote(dir.File("in.trs")));
    EXPECT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_EQ(outcome.out, "version: 4\nentries: 2\nwords: 5\ncharacters: 28\n");
}

TEST(LexariumTool, ConvertWritesTheCurrentVersion) {
    TempDir dir;
    // A version-1 file in Windows-1252.
    std::string legacy("\x40\xF9\xB3\x0A\x62\x93\xD1\x11\x9A\x2B\x08\x00\x00\x30\x05\x12"
                       "\x01\x00\x00\x00\x01\x00\x00\x00"
                       "\x07\x00\x00\x00"
                       "\x04K\xE4SE\x00\x03\xE4\x80!\x01x",
                       16 + 8 + 4 + 5 + 1 + 4 + 2);
    WriteBytes(dir.File("old.trs"), legacy);
    Outcome outcome =
        RunTool(dir, "convert " + Quote(dir.File("old.trs")) + " " + Quote(dir.File("new.trs")));
    ASSERT_EQ(outcome.status, 0) << outcome.err;
    std::string expected("\x40\xF9\xB3\x0A\x62\x93\xD1\x11\x9A\x2B\x08\x00\x00\x30\x05\x12"
                         "\x04\x00\x00\x00\x01\x00\x00\x00"
                         "\x07\x00\x00\x00"
                         "\x05K\xC3\xA4SE\x00\x06\xC3\xA4\xE2\x82\xAC!\x01x\x00\x00\x00\x00\x00",
                         16 + 8 + 4 + 6 + 1 + 7 + 2 + 1 + 4);
    EXPECT_EQ(ReadBytes(dir.File("new.trs")), expected);
    EXPECT_EQ(RunTool(dir, "info " + Quote(dir.File("old.trs"))).out.substr(0, 11), "version: 1\n");
    EXPECT_EQ(RunTool(dir, "info " + Quote(dir.File("new.trs"))).out.substr(0, 11), "version: 4\n");

    // A current file converts to itself, byte for byte, also in place.
    TextResourceObject sample = testdata::MakeSampleCollection();
    std::string bytes = testdata::ToFileBytes(sample);
    WriteBytes(dir.File("sample.trs"), bytes);
    outcome = RunTool(dir, "convert " + Quote(dir.File("sample.trs")) + " " +
                               Quote(dir.File("sample.trs")));
    EXPECT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_EQ(ReadBytes(dir.File("sample.trs")), bytes);
}

TEST(LexariumTool, LoadFailuresLeaveTheOutputAlone) {
    TempDir dir;
    WriteBytes(dir.File("out.trs"), "precious");
    WriteBytes(dir.File("cut.trs"), std::string(22, 'x'));
    for (const std::string& input : {dir.File("missing.trs"), dir.File("cut.trs")}) {
        for (const char* command : {"convert", "xml"}) {
            Outcome outcome = RunTool(dir, std::string(command) + " " + Quote(input) + " " +
                                               Quote(dir.File("out.trs")));
            EXPECT_EQ(outcome.status, 1);
            EXPECT_EQ(outcome.err, kLoadError);
        }
        Outcome outcome = RunTool(dir, "info " + Quote(input));
        EXPECT_EQ(outcome.status, 1);
        EXPECT_EQ(outcome.err, kLoadError);
        EXPECT_EQ(outcome.out, "");
    }
    EXPECT_EQ(ReadBytes(dir.File("out.trs")), "precious");
}

TEST(LexariumTool, WriteFailuresAreClearAndDestroyNothing) {
    TempDir dir;
    TextResourceObject sample = testdata::MakeSampleCollection();
    WriteBytes(dir.File("in.trs"), testdata::ToFileBytes(sample));

    Outcome outcome = RunTool(dir, "convert " + Quote(dir.File("in.trs")) + " " +
                                       Quote(dir.File("no-folder/out.trs")));
    EXPECT_EQ(outcome.status, 1);
    EXPECT_NE(outcome.err.find("Could not write"), std::string::npos) << outcome.err;
    EXPECT_NE(outcome.err.find("the folder does not exist"), std::string::npos) << outcome.err;

    // An output held open by a program that honours the share modes.
    WriteBytes(dir.File("held.xml"), "held by another program");
    tsFileStream holder;
    ASSERT_EQ(holder.Open(dir.File("held.xml").c_str(), TS_OPEN_READ), 0);
    outcome = RunTool(dir, "xml " + Quote(dir.File("in.trs")) + " " + Quote(dir.File("held.xml")));
    EXPECT_EQ(outcome.status, 1);
    EXPECT_NE(outcome.err.find("in use"), std::string::npos) << outcome.err;
    holder.Close();
    EXPECT_EQ(ReadBytes(dir.File("held.xml")), "held by another program");
}

TEST(LexariumTool, ConvertSavesAsTheEditorDoes) {
    TempDir dir;
    Environment stateHome("XDG_STATE_HOME", dir.File("state"));
    TextResourceObject sample = testdata::MakeSampleCollection();
    const std::string bytes = testdata::ToFileBytes(sample);
    WriteBytes(dir.File("in.trs"), bytes);
    auto convert = [&](const std::string& input, const std::string& output) {
        return RunTool(dir, "convert " + Quote(dir.File(input)) + " " + Quote(dir.File(output)));
    };

    // Through one hard link, the other sees the new content.
    WriteBytes(dir.File("out.trs"), "old");
    ASSERT_EQ(::link(dir.File("out.trs").c_str(), dir.File("link.trs").c_str()), 0);
    EXPECT_EQ(convert("in.trs", "out.trs").status, 0);
    EXPECT_EQ(ReadBytes(dir.File("link.trs")), bytes);

    // A read-only output is refused, root or not.
    WriteBytes(dir.File("ro.trs"), "read-only");
    ::chmod(dir.File("ro.trs").c_str(), 0444);
    Outcome outcome = convert("in.trs", "ro.trs");
    EXPECT_EQ(outcome.status, 1);
    EXPECT_NE(outcome.err.find("permission denied"), std::string::npos) << outcome.err;
    EXPECT_EQ(ReadBytes(dir.File("ro.trs")), "read-only");

    // A damaged file converted onto itself keeps its original bytes.
    const std::string damaged = bytes.substr(0, bytes.size() - 3);
    WriteBytes(dir.File("damaged.trs"), damaged);
    EXPECT_EQ(RunTool(dir, "convert --accept-damage " + Quote(dir.File("damaged.trs")) + " " +
                               Quote(dir.File("damaged.trs")))
                  .status,
              0);
    std::vector<std::string> kept;
    for (const auto& item : std::filesystem::directory_iterator(dir.File("state/lexarium/backups")))
        kept.push_back(item.path().string());
    ASSERT_EQ(kept.size(), 1u);
    EXPECT_NE(kept[0].find("damaged.trs."), std::string::npos) << kept[0];
    EXPECT_EQ(ReadBytes(kept[0]), damaged);
}

TEST(LexariumTool, XmlExportIsWellFormed) {
    TempDir dir;
    TextResourceObject sample = testdata::MakeSampleCollection();
    WriteBytes(dir.File("in.trs"), testdata::ToFileBytes(sample));
    Outcome outcome =
        RunTool(dir, "xml " + Quote(dir.File("in.trs")) + " " + Quote(dir.File("out.xml")));
    ASSERT_EQ(outcome.status, 0) << outcome.err;
    std::string xml = ReadBytes(dir.File("out.xml"));
    EXPECT_EQ(xml.rfind("<?xml version='1.0' encoding='Windows-1252'?>\n", 0), 0u);
    if (std::system("xmllint --version >/dev/null 2>&1") == 0) {
        EXPECT_EQ(std::system(("xmllint --noout " + Quote(dir.File("out.xml"))).c_str()), 0);
    }
}

TEST(LexariumTool, WrongArgumentsPrintTheUsage) {
    TempDir dir;
    for (const char* arguments : {"", "info", "convert only-one", "frobnicate a b", "xml a b c"}) {
        Outcome outcome = RunTool(dir, arguments);
        EXPECT_EQ(outcome.status, 2) << arguments;
        EXPECT_NE(outcome.err.find("\nusage: lexarium-tool"), std::string::npos) << arguments;
    }
}

TEST(LexariumTool, StreamedCommandsGiveWhatTheLoadedFileGives) {
    // info, convert and text go through the file entry by entry; what they
    // give must be what loading the whole file gives, damaged files included.
    // The export compared with is the one the editor's Export command writes.
    TempDir dir;
    auto files = testdata::MakeSeedFiles();
    files.emplace_back("trailing.trs", files[2].second + "trailing bytes");
    files.emplace_back("zero-byte.trs",
                       files[2].second.substr(0, 24) + std::string("\x01\x00\x00\x00\x03"
                                                                   "a\0b\x01x\x01y"
                                                                   "\x01z\x00\x00\x00\x00\x00",
                                                                   19));
    for (const auto& [name, bytes] : files) {
        SCOPED_TRACE(name);
        const std::string in = dir.File(name);
        WriteBytes(in, bytes);
        TextResourceObject object;
        tsMemoryStream stream(bytes);
        const bool loads = object.Read(stream) >= 0;

        Outcome outcome =
            RunTool(dir, "convert --accept-damage " + Quote(in) + " " + Quote(dir.File("out.trs")));
        EXPECT_EQ(outcome.status, loads ? 0 : 1);
        outcome =
            RunTool(dir, "text --accept-damage " + Quote(in) + " " + Quote(dir.File("out.txt")));
        EXPECT_EQ(outcome.status, loads ? 0 : 1);
        outcome = RunTool(dir, "info --accept-damage " + Quote(in));
        EXPECT_EQ(outcome.status, loads ? 0 : 1);
        if (!loads)
            continue;
        EXPECT_EQ(ReadBytes(dir.File("out.trs")), testdata::ToFileBytes(object));
        ASSERT_EQ(ExportTextToFile(object, dir.File("editor.txt")), S_OK);
        EXPECT_EQ(ReadBytes(dir.File("out.txt")), ReadBytes(dir.File("editor.txt")));
        std::uint64_t words = 0;
        std::uint64_t characters = 0;
        for (std::uint32_t p = 0; p < object.GetEntryCount(); ++p) {
            words += static_cast<std::uint64_t>(CountWords(object.GetEntry(p)->text));
            characters += object.GetEntry(p)->text.size();
        }
        EXPECT_EQ(outcome.out, "version: " + std::to_string(object.GetFileVersion()) +
                                   "\nentries: " + std::to_string(object.GetEntryCount()) +
                                   "\nwords: " + std::to_string(words) +
                                   "\ncharacters: " + std::to_string(characters) + "\n");
    }

    // A file that is its own output is loaded whole before it is replaced.
    const std::string sample = dir.File("sample.trs");
    ASSERT_EQ(RunTool(dir, "text " + Quote(sample) + " " + Quote(sample)).status, 0);
    TextResourceObject object = testdata::MakeSampleCollection();
    ASSERT_EQ(ExportTextToFile(object, dir.File("editor.txt")), S_OK);
    EXPECT_EQ(ReadBytes(sample), ReadBytes(dir.File("editor.txt")));
}
