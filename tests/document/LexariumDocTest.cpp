// The document's load and save against real files: good, missing and damaged
// files, the save that fails part-way (a full disk, simulated with a file
// size limit) leaving the old file as it was, a file held by another program,
// the trace of a failed load, and the enable rules of the document's commands.
// Every failure says which file and why.

#include "LexariumDoc.h"

#include "CmdUI.h"
#include "DocumentFixture.h"
#include "ResourceIds.h"
#include "common/Entries.h"
#include "common/FileSizeLimit.h"
#include "common/TempDir.h"
#include "common/TraceCapture.h"
#include "support/tsStream.h"

#include <QFile>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <unistd.h>

namespace {

const CString kLoadError = QStringLiteral("An error accured while loading this file!");
const CString kSaveError = QStringLiteral("An error accured while saving this file!");

TextResourceEntry Entry(std::uint32_t id, const std::string& identifier, const std::string& text) {
    return MakeEntry({.id = id, .identifier = identifier, .text = text});
}

std::string ReadAll(const std::string& path) {
    QFile file(QString::fromStdString(path));
    return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : std::string("<missing>");
}

class LexariumDocTest : public DocumentFixture {
protected:
    CString File(const std::string& name) const { return QString::fromStdString(dir.File(name)); }
    // A file with the given entries, written by the document's own save.
    void MakeFile(const std::string& name, const std::vector<TextResourceEntry>& entries) {
        CLexariumDoc writer;
        for (const TextResourceEntry& entry : entries)
            writer.m_textResources.AddEntry(entry);
        ASSERT_GE(writer.SaveFile(File(name)), 0);
        g_pDocument = &doc;
    }

    TempDir dir;
};

} // namespace

TEST_F(LexariumDocTest, OpenReadsTheEntriesClearsTheFlagAndRebuildsTheTree) {
    MakeFile("good.trs", {Entry(1, "A", "one"), Entry(2, "B", "two")});
    doc.SetModifiedFlag(true);
    TextResourceEntry stale;
    tree.m_pCurrentEntry = &stale;
    EXPECT_TRUE(doc.OnOpenDocument(File("good.trs")));
    EXPECT_EQ(doc.m_textResources.GetEntryCount(), 2u);
    EXPECT_EQ(doc.m_textResources.GetEntry(1)->text, "two");
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(tree.m_pCurrentEntry, nullptr);
    EXPECT_EQ(tree.rebuilds, 1);
    EXPECT_TRUE(prompts.prompts.empty());
}

TEST_F(LexariumDocTest, MissingFileShowsTheLoadErrorTracesLine240AndStillCountsAsOpened) {
    doc.m_textResources.AddEntry(Entry(9, "OLD", "old"));
    TraceCapture trace;
    EXPECT_TRUE(doc.OnOpenDocument(File("missing.trs")));
    EXPECT_EQ(prompts.Messages(),
              std::vector<CString>{kLoadError + "\n" + File("missing.trs") + ": no such file."});
    EXPECT_EQ(prompts.prompts[0].caption, "Lexarium");
    EXPECT_EQ(prompts.prompts[0].type, MB_OK);
    EXPECT_EQ(doc.m_textResources.GetEntryCount(), 0u);
    EXPECT_EQ(tree.rebuilds, 1);
    ASSERT_FALSE(trace.lines.empty());
    EXPECT_EQ(
        trace.lines.back().rfind("LexariumDoc.cpp(240) : TRACE_ERROR: Error: ASSERT_HRESULT(0x", 0),
        0u)
        << trace.lines.back();
}

TEST_F(LexariumDocTest, DamagedFileShowsTheLoadErrorAndIsNotModified) {
    WriteBytes(dir.File("damaged.trs"), "cut short"); // ends inside the header
    EXPECT_TRUE(doc.OnOpenDocument(File("damaged.trs")));
    EXPECT_EQ(prompts.Messages(), std::vector<CString>{kLoadError + "\n" + File("damaged.trs") +
                                                       ": it is too short (9 bytes)."});
    EXPECT_FALSE(doc.IsModified());
}

TEST_F(LexariumDocTest, FileCutShortKeepsTheEntriesReadBeforeTheDamage) {
    MakeFile("cut.trs", {Entry(1, "ONE", "first"), Entry(2, "TWO", "second"),
                         Entry(3, "THREE", "third and last")});
    const std::string whole = ReadAll(dir.File("cut.trs"));
    WriteBytes(dir.File("cut.trs"), whole.substr(0, whole.size() - 12)); // inside the third text
    EXPECT_TRUE(doc.OnOpenDocument(File("cut.trs")));
    ASSERT_EQ(doc.m_textResources.GetEntryCount(), 3u);
    EXPECT_TRUE(*doc.m_textResources.GetEntry(0) == Entry(1, "ONE", "first"));
    EXPECT_TRUE(*doc.m_textResources.GetEntry(1) == Entry(2, "TWO", "second"));
    const TextResourceEntry& third = *doc.m_textResources.GetEntry(2);
    EXPECT_EQ(third.id, 3u);
    EXPECT_EQ(third.identifier, "THREE");
    EXPECT_EQ(third.text, TextResourceEntry().text) << "the field that broke keeps its default";
    // Damage after the count is no failed load, but a warning.
    ASSERT_EQ(prompts.Messages().size(), 1u);
    EXPECT_TRUE(
        prompts.Messages()[0].startsWith("cut.trs is damaged: position 2 (id 3, \"THREE\"): "))
        << prompts.Messages()[0].toStdString();
    EXPECT_EQ(tree.rebuilds, 1);
}

TEST_F(LexariumDocTest, SaveWritesTheFileAndClearsTheFlagTwiceInARow) {
    doc.m_textResources.AddEntry(Entry(1, "A", "one"));
    doc.SetModifiedFlag(true);
    EXPECT_TRUE(doc.OnSaveDocument(File("out.trs")));
    EXPECT_FALSE(doc.IsModified());
    const std::string first = ReadAll(dir.File("out.trs"));
    EXPECT_TRUE(doc.OnSaveDocument(File("out.trs")));
    EXPECT_EQ(ReadAll(dir.File("out.trs")), first);
    EXPECT_FALSE(doc.IsModified());

    CLexariumDoc reader;
    ASSERT_GE(reader.LoadFile(File("out.trs")), 0);
    EXPECT_EQ(reader.m_textResources.GetEntry(0)->identifier, "A");
    g_pDocument = &doc;
}

TEST_F(LexariumDocTest, SaveThatFailsPartWayLeavesTheOldFileIntact) {
    MakeFile("keep.trs", {Entry(1, "SMALL", "small")});
    const std::string before = ReadAll(dir.File("keep.trs"));
    for (std::uint32_t i = 1; i <= 200; ++i)
        doc.m_textResources.AddEntry(Entry(i, "ENTRY_" + std::to_string(i), std::string(100, 'x')));
    doc.SetModifiedFlag(true);

    // The disk "fills up" after 4 KiB: further writes fail with EFBIG.
    bool saved = true;
    {
        FileSizeLimit full(4096);
        ASSERT_TRUE(full.Active());
        saved = doc.OnSaveDocument(File("keep.trs"));
    }

    EXPECT_FALSE(saved);
    ASSERT_EQ(prompts.Messages().size(), 1u);
    EXPECT_TRUE(
        prompts.Messages()[0].startsWith(kSaveError + "\n" + File("keep.trs") + ": the disk "))
        << prompts.Messages()[0].toStdString();
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(ReadAll(dir.File("keep.trs")), before);
    size_t files = 0;
    for ([[maybe_unused]] const auto& item : std::filesystem::directory_iterator(dir.Path()))
        ++files;
    EXPECT_EQ(files, 1u) << "no temporary file is left behind";
}

TEST_F(LexariumDocTest, SaveOfAFileHeldByAnotherProgramSaysSo) {
    MakeFile("held.trs", {Entry(1, "A", "one")});
    const std::string before = ReadAll(dir.File("held.trs"));
    doc.m_textResources.AddEntry(Entry(5, "NEW", "new"));
    doc.SetModifiedFlag(true);
    // Another program that honours the share modes holds it open for writing.
    const int other = ::open(dir.File("held.trs").c_str(), O_RDWR);
    ASSERT_GE(other, 0);
    ASSERT_EQ(::flock(other, LOCK_EX), 0);
    EXPECT_FALSE(doc.OnSaveDocument(File("held.trs")));
    ::close(other);
    EXPECT_EQ(prompts.Messages(),
              std::vector<CString>{kSaveError + "\n" + File("held.trs") +
                                   ": another program has it open.\nThe file that was there is "
                                   "unchanged."});
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(ReadAll(dir.File("held.trs")), before);
}

TEST_F(LexariumDocTest, SaveIntoAFolderThatDoesNotExistSaysSo) {
    doc.SetModifiedFlag(true);
    EXPECT_FALSE(doc.OnSaveDocument(File("no/such/folder.trs")));
    EXPECT_EQ(
        prompts.Messages(),
        std::vector<CString>{kSaveError + "\n" + File("no/such/folder.trs") + ": no such folder."});
    EXPECT_TRUE(doc.IsModified());
}

TEST_F(LexariumDocTest, NewEmptiesTheCollectionAndForgetsTheCurrentEntry) {
    doc.m_textResources.AddEntry(Entry(1, "A", "one"));
    tree.m_pCurrentEntry = doc.m_textResources.GetEntry(0);
    doc.SetModifiedFlag(true);
    EXPECT_TRUE(doc.OnNewDocument());
    EXPECT_EQ(doc.m_textResources.GetEntryCount(), 0u);
    EXPECT_EQ(tree.m_pCurrentEntry, nullptr);
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(tree.rebuilds, 0) << "the views' initial update rebuilds the tree";
}

TEST_F(LexariumDocTest, EnableRulesFollowEntriesAndTheCurrentEntry) {
    auto enabled = [&](UINT nID) {
        CCmdUI state(nID);
        return state.DoUpdate(&doc);
    };
    for (UINT nID :
         {ID_ENTRY_DELETE, ID_FILE_EXPORT, ID_AUDIO_TEST, ID_EDIT_SEARCH, ID_TOOLBAR_SEARCH})
        EXPECT_FALSE(enabled(nID)) << nID;
    EXPECT_TRUE(enabled(ID_ENTRY_NEW));

    doc.m_textResources.AddEntry(Entry(1, "A", "one"));
    for (UINT nID : {ID_FILE_EXPORT, ID_AUDIO_TEST, ID_EDIT_SEARCH, ID_TOOLBAR_SEARCH})
        EXPECT_TRUE(enabled(nID)) << nID;
    EXPECT_FALSE(enabled(ID_ENTRY_DELETE)) << "no current entry";
    tree.m_pCurrentEntry = doc.m_textResources.GetEntry(0);
    EXPECT_TRUE(enabled(ID_ENTRY_DELETE));
}

TEST_F(LexariumDocTest, GlobalPointerFollowsTheDocumentsLife) {
    {
        CLexariumDoc other;
        EXPECT_EQ(g_pDocument, &other);
    }
    EXPECT_EQ(g_pDocument, nullptr);
    g_pDocument = &doc;
}
