// New, Open and Save of the editor's document through its commands: the save
// question, Save of a new file, Open after a failed load, the recent-file
// list across a restart, and the save that fails part-way keeping the old file.

#include "EntryTree.h"
#include "LexariumAppFixture.h"
#include "RecentFileList.h"
#include "ResourceIds.h"
#include "common/FileContent.h"
#include "common/FileSizeLimit.h"

#include <QDropEvent>
#include <QMimeData>

using DocumentLifecycle = LexariumAppFixture;

TEST_F(DocumentLifecycle, OpeningASecondFileAfterEditingAndAnsweringNoKeepsNothingOfTheFirst) {
    const QString first = MakeTrs("first.trs", {"a", "b", "c"});
    const QString second = MakeTrs("second.trs", {"x"});
    prompts->AnswerFile(first);
    Frame()->ExecuteCommand(ID_FILE_OPEN);
    ASSERT_EQ(Doc()->m_textResources.GetEntryCount(), 3u);
    g_pTreeView->m_pCurrentEntry = Doc()->m_textResources.GetEntry(1);
    Doc()->SetModifiedFlag(true);

    prompts->AnswerFile(second);
    prompts->AnswerMessage(IDNO);
    Frame()->ExecuteCommand(ID_FILE_OPEN);
    EXPECT_EQ(prompts->Messages(), std::vector<CString>{"Änderungen in first.trs speichern?"});
    EXPECT_EQ(Doc()->m_textResources.GetEntryCount(), 1u);
    EXPECT_EQ(Doc()->m_textResources.GetEntry(0)->text, "x");
    EXPECT_EQ(g_pTreeView->m_pCurrentEntry, nullptr);
    EXPECT_FALSE(Doc()->IsModified());
    EXPECT_EQ(Frame()->windowTitle(), "second.trs - Vantor Textresource Editor");
    EXPECT_EQ(ReadFile(first), ReadFile(MakeTrs("again.trs", {"a", "b", "c"})))
        << "the first file was not saved";
}

TEST_F(DocumentLifecycle, SaveOfANewDocumentAsksForANameAndAddsTheExtension) {
    Doc()->SetModifiedFlag(true);
    prompts->AnswerFile(Path("fresh"));
    Frame()->ExecuteCommand(ID_FILE_SAVE);
    ASSERT_EQ(prompts->prompts.size(), 1u);
    const RecordedPrompt& dialog = prompts->prompts[0];
    EXPECT_EQ(dialog.text, "Unbenannt.trs");
    EXPECT_EQ(dialog.filter, "Filetyp Textresource (*.trs)|*.trs|Alle Dateien (*.*)|*.*||");
    EXPECT_EQ(dialog.defExt, "trs");
    EXPECT_TRUE(QFile::exists(Path("fresh.trs")));
    EXPECT_FALSE(Doc()->IsModified());
    EXPECT_EQ(Frame()->windowTitle(), "fresh.trs - Vantor Textresource Editor");
    EXPECT_EQ((*app->m_pRecentFileList)[0], Path("fresh.trs"));
}

TEST_F(DocumentLifecycle, SaveAfterOpeningAMissingFileAsksAndCreatesAnEmptyFile) {
    const QString path = Path("missing.trs");
    Start({path});
    prompts->Clear();
    prompts->AnswerFile(path);
    Frame()->ExecuteCommand(ID_FILE_SAVE);
    ASSERT_EQ(prompts->prompts.size(), 1u);
    EXPECT_EQ(prompts->prompts[0].kind, RecordedPrompt::File) << "the file does not exist";
    EXPECT_EQ(prompts->prompts[0].text, path);
    EXPECT_EQ(ReadFile(path), ReadFile(MakeTrs("empty.trs", {})));
}

TEST_F(DocumentLifecycle, SaveThatFailsPartWayKeepsTheOldFileAndTheModifiedFlag) {
    const QString path = MakeTrs("big.trs", {"small"});
    Start({path});
    const QByteArray before = ReadFile(path);
    for (std::uint32_t i = 0; i < 100; ++i)
        Doc()->m_textResources.AddEntry(MakeEntry({.id = 100 + i, .text = std::string(200, 't')}));
    Doc()->SetModifiedFlag(true);

    {
        FileSizeLimit full(4096);
        ASSERT_TRUE(full.Active());
        Frame()->ExecuteCommand(ID_FILE_SAVE);
    }

    ASSERT_EQ(prompts->Messages().size(), 1u);
    EXPECT_EQ(prompts->Messages()[0].toStdString(),
              "An error accured while saving this file!\n" + path.toStdString() +
                  ": the disk may be full.\nThe file that was there is unchanged.");
    EXPECT_EQ(ReadFile(path), before);
    EXPECT_TRUE(Doc()->IsModified());
    EXPECT_EQ(Doc()->GetPathName(), path);
}

TEST_F(DocumentLifecycle, EleventhFilePushesOutTheOldestAndTheListSurvivesARestart) {
    std::vector<QString> paths;
    for (int i = 1; i <= 11; ++i) {
        paths.push_back(MakeTrs("file" + std::to_string(i) + ".trs", {"t"}));
        prompts->AnswerFile(paths.back());
        Frame()->ExecuteCommand(ID_FILE_OPEN);
    }
    ASSERT_EQ(app->m_pRecentFileList->GetCount(), 10);
    EXPECT_EQ((*app->m_pRecentFileList)[0], paths[10]);
    EXPECT_EQ((*app->m_pRecentFileList)[9], paths[1]);

    app->ExitInstance();
    Start({});
    QSettings settings = Settings();
    settings.beginGroup("Recent File List");
    EXPECT_EQ(settings.childKeys().size(), 10);
    EXPECT_EQ(settings.value("File1").toString(), paths[10]);
    EXPECT_EQ(settings.value("File10").toString(), paths[1]);
    settings.endGroup();
    ASSERT_EQ(app->m_pRecentFileList->GetCount(), 10);
    EXPECT_EQ((*app->m_pRecentFileList)[9], paths[1]);

    QMenu* file = ShowMenu("&File");
    QAction* first = Frame()->FindCommandAction(ID_FILE_MRU_FILE1);
    EXPECT_TRUE(first->text().startsWith("&1 "));
    EXPECT_LE(first->text().size(), 3 + 30);
    EXPECT_TRUE(file->actions().contains(Frame()->FindCommandAction(ID_FILE_MRU_FILE1 + 9)));
    first->trigger();
    EXPECT_EQ(Doc()->GetPathName(), paths[10]);
}

TEST_F(DocumentLifecycle, ExitWithChangesAsksAndYesSavesTheFile) {
    const QString path = MakeTrs("exit.trs", {"one"});
    Start({path});
    Doc()->m_textResources.GetEntry(0)->text = "changed";
    Doc()->SetModifiedFlag(true);
    prompts->AnswerMessage(IDYES);
    Frame()->ExecuteCommand(ID_APP_EXIT);
    EXPECT_EQ(prompts->Messages(), std::vector<CString>{"Änderungen in exit.trs speichern?"});
    EXPECT_FALSE(Frame()->isVisible());
    TextResourceObject expected = MakeEntries({{.id = 1, .identifier = "ID_1", .text = "changed"}});
    EXPECT_EQ(ReadFile(path), ReadFile(WriteTrs("expected.trs", expected)));
}

TEST_F(DocumentLifecycle, DroppedTrsFileOpensAfterTheSaveQuestion) {
    const QString path = MakeTrs("dropped.trs", {"d1", "d2"});
    Doc()->SetModifiedFlag(true);
    prompts->AnswerMessage(IDCANCEL);
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(path)});
    auto drop = [&] {
        QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(Frame(), &enter);
        QDropEvent event(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(Frame(), &event);
    };
    drop();
    EXPECT_EQ(Doc()->m_textResources.GetEntryCount(), 0u) << "cancelled";
    prompts->AnswerMessage(IDNO);
    drop();
    EXPECT_EQ(Doc()->m_textResources.GetEntryCount(), 2u);
    EXPECT_EQ(prompts->Messages().size(), 2u);
}
