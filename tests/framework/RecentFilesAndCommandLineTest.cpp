// The recent-file list (order, limit, settings across a restart, menu and
// shortened names) and the command line (file, switches, start-up actions).

#include "AppFixture.h"
#include "CommandLineInfo.h"
#include "RecentFileList.h"

#include <QAction>
#include <QFile>
#include <QMenu>

namespace {

void Touch(const QString& path) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
}

CCommandLineInfo Parse(const QStringList& arguments) {
    CCommandLineInfo info;
    AfxParseCommandLine(info, arguments);
    return info;
}

} // namespace

using RecentFiles = AppFixture;

TEST_F(RecentFiles, EleventhFilePushesOutTheOldestAndARestartKeepsTheList) {
    for (int i = 1; i <= 11; ++i) {
        const QString path = Path(QStringLiteral("f%1.tst").arg(i));
        Touch(path);
        ASSERT_NE(app->OpenDocumentFile(path), nullptr);
    }
    CRecentFileList& list = *app->m_pRecentFileList;
    ASSERT_EQ(list.GetCount(), 10);
    EXPECT_EQ(list[0], Path("f11.tst"));
    EXPECT_EQ(list[9], Path("f2.tst"));

    app->ExitInstance();
    app.reset();
    Start({});
    CRecentFileList& reloaded = *app->m_pRecentFileList;
    ASSERT_EQ(reloaded.GetCount(), 10);
    EXPECT_EQ(reloaded[0], Path("f11.tst"));
    EXPECT_EQ(reloaded[9], Path("f2.tst"));
    QSettings settings(QStringLiteral("Lexarium Tests"), QStringLiteral("TestApp"));
    EXPECT_EQ(settings.value("Recent File List/File1").toString(), Path("f11.tst"));
}

TEST_F(RecentFiles, ReopeningMovesAFileToTheTopWithoutDuplicates) {
    Touch(Path("a.tst"));
    Touch(Path("b.tst"));
    app->OpenDocumentFile(Path("a.tst"));
    app->OpenDocumentFile(Path("b.tst"));
    app->OpenDocumentFile(Path("a.tst"));
    CRecentFileList& list = *app->m_pRecentFileList;
    ASSERT_EQ(list.GetCount(), 2);
    EXPECT_EQ(list[0], Path("a.tst"));
}

TEST_F(RecentFiles, FileMenuShowsThePlaceholderUntilAFileIsOpenedThenTheList) {
    QMenu* file = Frame()->FindMenu(QStringLiteral("&File"));
    emit file->aboutToShow();
    QAction* first = Frame()->FindCommandAction(ID_FILE_MRU_FILE1);
    EXPECT_EQ(first->text(), "Last File");
    EXPECT_FALSE(first->isEnabled());

    Touch(Path("a.tst"));
    Touch(Path("b.tst"));
    app->OpenDocumentFile(Path("a.tst"));
    app->OpenDocumentFile(Path("b.tst"));
    emit file->aboutToShow();
    EXPECT_TRUE(first->isEnabled());
    EXPECT_TRUE(first->text().startsWith("&1 "));
    EXPECT_TRUE(first->text().endsWith("b.tst"));
    QAction* second = Frame()->FindCommandAction(ID_FILE_MRU_FILE1 + 1);
    ASSERT_NE(second, nullptr);
    EXPECT_TRUE(file->actions().contains(second));
    EXPECT_EQ(file->actions().indexOf(second), file->actions().indexOf(first) + 1);

    second->trigger(); // opens a.tst again
    EXPECT_EQ(Doc()->GetTitle(), "a.tst");
}

TEST(RecentFileNames, AreShortenedToThirtyCharacters) {
    CRecentFileList list(ID_FILE_MRU_FILE1, "Recent File List", "File%d", 4, 30);
    list.Add("/tmp/short.trs");
    list.Add("/home/translator/projects/vantor/mission01/text.trs");
    list.Add("/home/a/" + QString(40, 'x') + ".trs");
    EXPECT_EQ(list.GetDisplayName(2), "/tmp/short.trs");
    EXPECT_EQ(list.GetDisplayName(1), "/.../vantor/mission01/text.trs");
    EXPECT_LE(list.GetDisplayName(0).size(), 30);
    for (int i = 0; i < list.GetCount(); ++i)
        EXPECT_LE(list.GetDisplayName(i).size(), 30) << i;
}

TEST(CommandLine, FileAndSwitches) {
    EXPECT_EQ(Parse({}).m_nShellCommand, CCommandLineInfo::FileNew);
    const CCommandLineInfo open = Parse({"/tmp/some file.trs"});
    EXPECT_EQ(open.m_nShellCommand, CCommandLineInfo::FileOpen);
    EXPECT_EQ(open.m_strFileName, "/tmp/some file.trs");
    EXPECT_TRUE(open.m_bShowSplash);

    for (const char* flag : {"/Embedding", "-embedding", "/AUTOMATION", "-Automation"}) {
        const CCommandLineInfo info = Parse({QString::fromLatin1(flag)});
        EXPECT_FALSE(info.m_bShowSplash) << flag;
        EXPECT_EQ(info.m_nShellCommand, CCommandLineInfo::FileNew) << flag;
    }
    EXPECT_EQ(Parse({"/p", "a.trs"}).m_nShellCommand, CCommandLineInfo::FilePrint);
    const CCommandLineInfo printTo = Parse({"-pt", "a.trs", "printer", "driver", "port"});
    EXPECT_EQ(printTo.m_nShellCommand, CCommandLineInfo::FilePrintTo);
    EXPECT_EQ(printTo.m_strFileName, "a.trs");
    EXPECT_EQ(printTo.m_strPortName, "port");
    EXPECT_EQ(Parse({"/Unregister"}).m_nShellCommand, CCommandLineInfo::AppUnregister);
    EXPECT_EQ(Parse({"-UNREGSERVER"}).m_nShellCommand, CCommandLineInfo::AppUnregister);
    EXPECT_EQ(Parse({"-whatever"}).m_nShellCommand, CCommandLineInfo::FileNew);
}

using StartUp = AppFixture;

TEST_F(StartUp, WithAFileOpensIt) {
    Touch(Path("start.tst"));
    app.reset();
    Start({Path("start.tst")});
    ASSERT_TRUE(started);
    EXPECT_EQ(Doc()->GetTitle(), "start.tst");
    EXPECT_EQ(Frame()->windowTitle(), "start.tst - Test Editor");
}

TEST_F(StartUp, PrintSwitchOpensTheFileFindsNoPrintHandlerAndEnds) {
    Touch(Path("print.tst"));
    app.reset();
    Start({"/p", Path("print.tst")});
    EXPECT_FALSE(started);
    ASSERT_NE(Doc(), nullptr);
    EXPECT_EQ(Doc()->GetTitle(), "print.tst");
    EXPECT_FALSE(Frame()->isVisible());
}

TEST_F(StartUp, UnregisterRemovesTheSettingsConfirmsAndEnds) {
    Touch(Path("a.tst"));
    app->OpenDocumentFile(Path("a.tst"));
    app.reset();
    {
        QSettings settings(QStringLiteral("Lexarium Tests"), QStringLiteral("TestApp"));
        ASSERT_TRUE(settings.contains("Recent File List/File1"));
    }
    Start({"-Unregister"});
    EXPECT_FALSE(started);
    EXPECT_EQ(prompts->Messages().size(), 1u);
    QSettings settings(QStringLiteral("Lexarium Tests"), QStringLiteral("TestApp"));
    EXPECT_FALSE(settings.contains("Recent File List/File1"));
    EXPECT_EQ(app->m_pMainWnd, nullptr);
}
