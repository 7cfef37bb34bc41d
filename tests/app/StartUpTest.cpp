// Start-up with no argument, with a file, with a file that cannot be loaded
// and with the framework's switches.

#include "AppResources.h"
#include "LexariumAppFixture.h"
#include "RecentFileList.h"
#include "ResourceIds.h"
#include "Resources.h"
#include "SplashWnd.h"

#include <QDir>
#include <QScreen>
#include <QStandardPaths>

using StartUp = LexariumAppFixture;

TEST_F(StartUp, WithoutArgumentsShowsAnEmptyUntitledDocumentMaximized) {
    ASSERT_TRUE(started);
    EXPECT_EQ(Frame()->windowTitle(), "Unbenannt - Vantor Textresource Editor");
    EXPECT_TRUE(Frame()->isMaximized());
    EXPECT_TRUE(Frame()->isVisible());
    EXPECT_TRUE(Frame()->acceptDrops());
    EXPECT_EQ(Doc()->m_textResources.GetEntryCount(), 0u);
    EXPECT_FALSE(Doc()->IsModified());
    EXPECT_TRUE(CSplashWnd::IsSplashScreenEnabled());
    EXPECT_TRUE(app->m_strMissionFolder.isEmpty());

    Idle();
    ShowMenu("&File");
    ShowMenu("&Edit");
    for (UINT nID :
         {ID_FILE_EXPORT, ID_EDIT_SEARCH, ID_TOOLBAR_SEARCH, ID_AUDIO_TEST, ID_ENTRY_DELETE})
        EXPECT_FALSE(IsEnabled(nID)) << nID;
    for (UINT nID : {ID_FILE_NEW, ID_FILE_OPEN, ID_FILE_SAVE, ID_ENTRY_NEW, ID_APP_EXIT})
        EXPECT_TRUE(IsEnabled(nID)) << nID;
    EXPECT_TRUE(prompts->prompts.empty());

    // Restored, the window takes a part of the screen, not all of it.
    const QRect area = Frame()->screen()->availableGeometry();
    Frame()->showNormal();
    EXPECT_FALSE(Frame()->isMaximized());
    EXPECT_LT(Frame()->width(), area.width());
    EXPECT_LT(Frame()->height(), area.height());
    EXPECT_GE(Frame()->width(), area.width() / 2);
}

TEST_F(StartUp, WithAReadableFileOpensIt) {
    const QString path = MakeTrs("mission.trs", {"one", "two", "three"});
    Start({path});
    ASSERT_TRUE(started);
    EXPECT_EQ(Frame()->windowTitle(), "mission.trs - Vantor Textresource Editor");
    EXPECT_EQ(Doc()->m_textResources.GetEntryCount(), 3u);
    EXPECT_EQ(Doc()->GetPathName(), path);
    Idle();
    EXPECT_TRUE(IsEnabled(ID_TOOLBAR_SEARCH));
    EXPECT_TRUE(IsEnabled(ID_AUDIO_TEST));
    EXPECT_FALSE(IsEnabled(ID_ENTRY_DELETE)) << "nothing is selected yet";
}

TEST_F(StartUp, WithAFileThatCannotBeLoadedReportsItAndGoesOn) {
    const QString path = Path("missing.trs");
    Start({path});
    ASSERT_TRUE(started);
    EXPECT_EQ(prompts->Messages(),
              std::vector<CString>{"An error accured while loading this file!\n" + path +
                                   ": no such file."});
    EXPECT_EQ(prompts->prompts[0].caption, "Lexarium");
    EXPECT_EQ(Frame()->windowTitle(), "missing.trs - Vantor Textresource Editor");
    EXPECT_TRUE(Frame()->isMaximized());
    EXPECT_EQ(Doc()->m_textResources.GetEntryCount(), 0u);
    EXPECT_FALSE(Doc()->IsModified());
    ASSERT_GE(app->m_pRecentFileList->GetCount(), 1);
    EXPECT_EQ((*app->m_pRecentFileList)[0], path);
}

TEST_F(StartUp, EmbeddingAndAutomationSwitchesSuppressTheSplash) {
    for (const char* flag : {"/Embedding", "-AUTOMATION"}) {
        Start({QString::fromLatin1(flag)});
        EXPECT_TRUE(started) << flag;
        EXPECT_FALSE(CSplashWnd::IsSplashScreenEnabled()) << flag;
        EXPECT_EQ(Frame()->windowTitle(), "Unbenannt - Vantor Textresource Editor");
    }
}

TEST_F(StartUp, PrintSwitchOpensTheFileAndEndsWithoutShowingTheWindow) {
    const QString path = MakeTrs("print.trs", {"one"});
    Start({"/p", path});
    EXPECT_FALSE(started);
    ASSERT_NE(Doc(), nullptr);
    EXPECT_EQ(Doc()->m_textResources.GetEntryCount(), 1u);
    EXPECT_FALSE(Frame()->isVisible());
}

TEST_F(StartUp, UnregisterRemovesSettingsAndTheUsersAssociationAndEnds) {
    const QString path = MakeTrs("a.trs", {"one"});
    app->OpenDocumentFile(path);
    const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    QDir().mkpath(data + "/applications");
    const QString desktop = data + "/applications/lexarium.desktop";
    QFile(desktop).open(QIODevice::WriteOnly);
    ASSERT_TRUE(QFile::exists(desktop));
    ASSERT_TRUE(Settings().contains("Recent File List/File1"));

    Start({"/Unregserver"});
    EXPECT_FALSE(started);
    EXPECT_EQ(prompts->Messages(),
              std::vector<CString>{
                  "The settings and the file association of Lexarium have been removed."});
    EXPECT_FALSE(Settings().contains("Recent File List/File1"));
    EXPECT_FALSE(QFile::exists(desktop));
    EXPECT_EQ(app->m_pMainWnd, nullptr);
}

TEST_F(StartUp, FrameThatCannotBeBuiltReportsTheFrameworksMessageAndEnds) {
    app.reset();
    app = std::make_unique<CLexariumApp>();
    prompts = &InstallScriptedPrompts(*app);
    AfxGetResources().toolbars.erase(IDR_MAINFRAME); // the toolbar resource is missing
    app->InitApplication({});
    started = app->InitInstance();
    RegisterLexariumResources();
    EXPECT_FALSE(started);
    EXPECT_EQ(prompts->Messages(),
              std::vector<CString>{"Fehler beim Erzeugen eines leeren Dokuments."});
    EXPECT_EQ(app->m_pMainWnd, nullptr);
}
