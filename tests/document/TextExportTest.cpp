// The plain-text export through the document's command and the file dialog,
// compared byte for byte with the blocks built here.
#include "DocumentFixture.h"
#include "common/Entries.h"
#include "common/FileSizeLimit.h"
#include "common/TempDir.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace {

// An entry with the comment "c".
TextResourceEntry Entry(std::uint32_t id, const std::string& identifier, const std::string& audio,
                        const std::string& text) {
    return MakeEntry(
        {.id = id, .identifier = identifier, .audioFile = audio, .text = text, .comment = "c"});
}

class TextExportTest : public DocumentFixture {
protected:
    TempDir dir;
};

} // namespace

TEST_F(TextExportTest, WritesTheBlocksOfEntriesWithARecordingInCollectionOrder) {
    doc.m_textResources.AddEntry(Entry(9, "B", "b.wav", "two\r\nlines \xc5\xbc"));
    doc.m_textResources.AddEntry(Entry(3, "A", "leer", "skipped"));
    doc.m_textResources.AddEntry(Entry(4294967291u, "C", "Leer", "x"));
    doc.m_textResources.AddEntry(Entry(1, "D", "", "skipped"));
    doc.m_textResources.AddEntry(Entry(2, "E", "leer ", "y"));
    const std::string path = dir.File("script"); // no extension is added
    WriteBytes(path, "old contents that must go");
    prompts.AnswerFile(QString::fromStdString(path));

    doc.OnExport();

    ASSERT_EQ(prompts.prompts.size(), 1u);
    EXPECT_EQ(prompts.prompts[0].text, "unbenannt.txt");
    EXPECT_EQ(prompts.prompts[0].caption, "Speichern unter"); // the framework's save title
    EXPECT_EQ(prompts.prompts[0].filter, "Text File (*.txt)|*.txt|All Files (*.*)|*.*||");
    EXPECT_FALSE(prompts.prompts[0].open);
    EXPECT_TRUE(prompts.prompts[0].defExt.isEmpty());
    EXPECT_EQ(prompts.prompts[0].flags & OFN_OVERWRITEPROMPT, 0u); // replaces without a question
    EXPECT_EQ(ReadBytes(path), "*** B (ID: 9) ***\n*** AUDIO FILENAME: b.wav ***\n"
                               "*** SPEAKER:  ***\n*** COMMENT: c ***\ntwo\r\nlines \xc5\xbc\n\n"
                               "*** C (ID: -5) ***\n*** AUDIO FILENAME: Leer ***\n"
                               "*** SPEAKER:  ***\n*** COMMENT: c ***\nx\n\n"
                               "*** E (ID: 2) ***\n*** AUDIO FILENAME: leer  ***\n"
                               "*** SPEAKER:  ***\n*** COMMENT: c ***\ny\n\n");
    EXPECT_FALSE(doc.IsModified());
}

TEST_F(TextExportTest, OnlyPlaceholderAudioGivesAnEmptyFileAndCancelWritesNothing) {
    doc.m_textResources.AddEntry(TextResourceEntry());
    const std::string path = dir.File("empty.txt");
    prompts.AnswerFile(QString::fromStdString(path));
    doc.OnExport();
    EXPECT_TRUE(std::filesystem::exists(path));
    EXPECT_EQ(std::filesystem::file_size(path), 0u);

    prompts.CancelFile();
    doc.OnExport();
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1);
    EXPECT_TRUE(prompts.Messages().empty());
}

TEST_F(TextExportTest, AFileThatCannotBeWrittenIsReportedWithWhy) {
    doc.m_textResources.AddEntry(Entry(1, "A", "a.wav", "t"));
    std::filesystem::create_directory(dir.File("folder.txt"));
    const std::pair<std::string, std::string> cases[] = {
        {dir.File("missing-folder/out.txt"), "no such folder"},
        {dir.File("folder.txt"), "it is a folder"},
    };
    for (const auto& [path, reason] : cases) {
        prompts.Clear();
        prompts.AnswerFile(QString::fromStdString(path));
        doc.OnExport();
        ASSERT_EQ(prompts.Messages().size(), 1u);
        EXPECT_EQ(prompts.Messages()[0].toStdString(),
                  "An error accured while saving this file!\n" + path + ": " + reason + ".");
    }
}

TEST_F(TextExportTest, ASpeakerStandsInItsLine) {
    TextResourceEntry entry = Entry(5, "GREETING", "hello.wav", "Hallo!");
    entry.speaker = "Ελένη";
    entry.comment = "";
    doc.m_textResources.AddEntry(entry);
    const std::string path = dir.File("speaker.txt");
    prompts.AnswerFile(QString::fromStdString(path));
    doc.OnExport();
    EXPECT_EQ(ReadBytes(path), "*** GREETING (ID: 5) ***\n*** AUDIO FILENAME: hello.wav ***\n"
                               "*** SPEAKER: Ελένη ***\n*** COMMENT:  ***\nHallo!\n\n");
}

TEST_F(TextExportTest, AnExportThatFailsPartWayIsReportedAndKeepsTheOldFile) {
    for (std::uint32_t id = 1; id <= 200; ++id)
        doc.m_textResources.AddEntry(Entry(id, "LINE", "line.wav", std::string(4000, 't')));
    const std::string path = dir.FileWith("full.txt", "an older script");
    prompts.AnswerFile(QString::fromStdString(path));

    {
        FileSizeLimit full(64 * 1024); // the disk is full after 64 KiB
        ASSERT_TRUE(full.Active());
        doc.OnExport();
    }

    ASSERT_EQ(prompts.Messages().size(), 1u);
    EXPECT_EQ(prompts.Messages()[0].toStdString(),
              "An error accured while saving this file!\n" + path +
                  ": the disk may be full.\nThe file that was there is unchanged.");
    EXPECT_EQ(ReadBytes(path), "an older script") << "no half script replaces the old one";
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()),
                            std::filesystem::directory_iterator()),
              1)
        << "and none is left beside it";
    EXPECT_FALSE(doc.IsModified());
}
