// New, Open, Save and Save As through the single-document template: the
// save question's three answers, when Save asks for a name, the proposed
// name, the added extension, and what a failed Save As leaves on disk.

#include "AppFixture.h"
#include "common/FileContent.h"

#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
#include <QMimeData>
#include <QTest>

namespace {

void WriteFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

} // namespace

using DocumentFlow = AppFixture;

TEST_F(DocumentFlow, StartsWithAnUntitledDocumentAndItsCaption) {
    ASSERT_TRUE(started);
    EXPECT_EQ(Doc()->GetTitle(), "Unbenannt");
    EXPECT_EQ(Frame()->windowTitle(), "Unbenannt - Test Editor");
    EXPECT_FALSE(Doc()->IsModified());
    EXPECT_EQ(Doc()->GetViews().size(), 2u);
}

TEST_F(DocumentFlow, OpenUsesTheOneDocumentAndSendsTheInitialUpdateAgain) {
    WriteFile(Path("a.tst"), "alpha");
    CTestDoc* doc = Doc();
    auto* left = static_cast<CTestView*>(Frame()->m_wndSplitter.GetPane(0, 0));
    const int updates = left->m_nInitialUpdates;
    prompts->AnswerFile(Path("a.tst"));
    EXPECT_TRUE(Frame()->ExecuteCommand(ID_FILE_OPEN));
    EXPECT_EQ(Doc(), doc);
    EXPECT_EQ(doc->m_strText, "alpha");
    EXPECT_EQ(doc->GetPathName(), QFileInfo(Path("a.tst")).absoluteFilePath());
    EXPECT_EQ(Frame()->windowTitle(), "a.tst - Test Editor");
    EXPECT_EQ(left->m_nInitialUpdates, updates + 1);
    ASSERT_EQ(prompts->prompts.size(), 1u);
    EXPECT_TRUE(prompts->prompts[0].open);
    EXPECT_EQ(prompts->prompts[0].caption, "Öffnen");
    EXPECT_EQ(prompts->prompts[0].filter, "Test files (*.tst)|*.tst|Alle Dateien (*.*)|*.*||");
}

TEST_F(DocumentFlow, SaveQuestionCancelKeepsTheDocument) {
    Doc()->m_strText = "work";
    Doc()->SetModifiedFlag(true);
    prompts->AnswerMessage(IDCANCEL);
    Frame()->ExecuteCommand(ID_FILE_NEW);
    EXPECT_EQ(prompts->Messages(), std::vector<CString>{"Änderungen in Unbenannt speichern?"});
    EXPECT_EQ(prompts->prompts[0].type & MB_TYPEMASK, MB_YESNOCANCEL);
    EXPECT_EQ(Doc()->m_strText, "work");
    EXPECT_TRUE(Doc()->IsModified());
}

TEST_F(DocumentFlow, SaveQuestionNoDropsTheChanges) {
    Doc()->m_strText = "work";
    Doc()->SetModifiedFlag(true);
    prompts->AnswerMessage(IDNO);
    Frame()->ExecuteCommand(ID_FILE_NEW);
    EXPECT_EQ(Doc()->m_strText, "");
    EXPECT_FALSE(Doc()->IsModified());
    EXPECT_EQ(prompts->unexpected, 0);
}

TEST_F(DocumentFlow, SaveQuestionYesSavesFirstUnderTheChosenName) {
    Doc()->m_strText = "work";
    Doc()->SetModifiedFlag(true);
    prompts->AnswerMessage(IDYES);
    prompts->AnswerFile(Path("saved")); // typed without extension
    Frame()->ExecuteCommand(ID_FILE_NEW);
    EXPECT_EQ(ReadFile(Path("saved.tst")), "work");
    ASSERT_EQ(prompts->prompts.size(), 2u);
    EXPECT_EQ(prompts->prompts[1].text, "Unbenannt.tst") << "the title is proposed";
    EXPECT_EQ(prompts->prompts[1].caption, "Speichern unter");
    EXPECT_FALSE(prompts->prompts[1].open);
    EXPECT_EQ(Doc()->m_strText, "");
    EXPECT_EQ(Doc()->GetTitle(), "Unbenannt");
}

TEST_F(DocumentFlow, SaveQuestionYesButSaveCancelledAbandonsTheNew) {
    Doc()->m_strText = "work";
    Doc()->SetModifiedFlag(true);
    prompts->AnswerMessage(IDYES);
    prompts->CancelFile();
    Frame()->ExecuteCommand(ID_FILE_NEW);
    EXPECT_EQ(Doc()->m_strText, "work");
    EXPECT_TRUE(Doc()->IsModified());
}

TEST_F(DocumentFlow, SaveWritesStraightToAnExistingWritableFile) {
    WriteFile(Path("a.tst"), "old");
    ASSERT_NE(app->OpenDocumentFile(Path("a.tst")), nullptr);
    Doc()->m_strText = "new";
    Doc()->SetModifiedFlag(true);
    Frame()->ExecuteCommand(ID_FILE_SAVE);
    EXPECT_TRUE(prompts->prompts.empty());
    EXPECT_EQ(ReadFile(Path("a.tst")), "new");
    EXPECT_FALSE(Doc()->IsModified());
    Frame()->ExecuteCommand(ID_FILE_SAVE); // again, unchanged
    EXPECT_TRUE(prompts->prompts.empty());
    EXPECT_FALSE(Doc()->IsModified());
}

TEST_F(DocumentFlow, SaveAsksForANameWhenTheFileIsGoneOrReadOnly) {
    WriteFile(Path("gone.tst"), "x");
    ASSERT_NE(app->OpenDocumentFile(Path("gone.tst")), nullptr);
    QFile::remove(Path("gone.tst"));
    prompts->AnswerFile(Path("gone.tst"));
    Frame()->ExecuteCommand(ID_FILE_SAVE);
    ASSERT_EQ(prompts->prompts.size(), 1u);
    EXPECT_EQ(prompts->prompts[0].text, QFileInfo(Path("gone.tst")).absoluteFilePath());
    EXPECT_EQ(ReadFile(Path("gone.tst")), "x");

    WriteFile(Path("ro.tst"), "locked");
    QFile::setPermissions(Path("ro.tst"), QFile::ReadOwner);
    ASSERT_NE(app->OpenDocumentFile(Path("ro.tst")), nullptr);
    prompts->Clear();
    prompts->CancelFile();
    Frame()->ExecuteCommand(ID_FILE_SAVE);
    EXPECT_EQ(prompts->prompts.size(), 1u) << "a read-only file is not overwritten silently";
    EXPECT_EQ(ReadFile(Path("ro.tst")), "locked");
}

TEST_F(DocumentFlow, FailedSaveAsRemovesOnlyAFileThisSaveCreated) {
    Doc()->m_bFailSave = true;
    Doc()->m_bLeaveFileOnFail = true;
    Doc()->SetModifiedFlag(true);

    prompts->AnswerFile(Path("fresh.tst"));
    Frame()->ExecuteCommand(ID_FILE_SAVE_AS);
    EXPECT_FALSE(QFileInfo::exists(Path("fresh.tst"))) << "the partial new file is removed";

    WriteFile(Path("existing.tst"), "precious");
    Doc()->m_bLeaveFileOnFail = false;
    prompts->AnswerFile(Path("existing.tst"));
    Frame()->ExecuteCommand(ID_FILE_SAVE_AS);
    EXPECT_EQ(ReadFile(Path("existing.tst")), "precious") << "a file that was there stays";
    EXPECT_TRUE(Doc()->IsModified());
    EXPECT_EQ(Doc()->GetTitle(), "Unbenannt") << "the document keeps its old name";
}

TEST_F(DocumentFlow, ClosingAModifiedDocumentAsksAndCancelKeepsTheWindow) {
    Frame()->show();
    Doc()->SetModifiedFlag(true);
    prompts->AnswerMessage(IDCANCEL);
    Frame()->ExecuteCommand(ID_APP_EXIT);
    EXPECT_TRUE(Frame()->isVisible());
    prompts->AnswerMessage(IDNO);
    Frame()->ExecuteCommand(ID_APP_EXIT);
    EXPECT_FALSE(Frame()->isVisible());
    EXPECT_EQ(prompts->Messages().size(), 2u);
}

TEST_F(DocumentFlow, DroppedFileOpensAfterTheSaveQuestion) {
    WriteFile(Path("drop.tst"), "dropped");
    Doc()->SetModifiedFlag(true);
    prompts->AnswerMessage(IDNO);
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(Path("drop.tst"))});
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(Frame(), &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(Frame(), &drop);
    EXPECT_EQ(prompts->Messages().size(), 1u);
    EXPECT_EQ(Doc()->m_strText, "dropped");
}
