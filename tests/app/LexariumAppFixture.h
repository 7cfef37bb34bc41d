#pragma once

// Starts the real editor (offscreen) with a scripted prompt handler and
// settings in a temporary folder, and makes ".trs" files with the model's writer.

#include "LexariumApp.h"
#include "LexariumDoc.h"
#include "MainFrame.h"
#include "ScriptedPrompts.h"
#include "SplashWnd.h"
#include "common/Entries.h"
#include "common/TempDir.h"
#include "model/TextResourceObject.h"
#include "support/tsStream.h"

#include <QApplication>
#include <QFile>
#include <QMenu>
#include <QSettings>
#include <gtest/gtest.h>
#include <memory>

class LexariumAppFixture : public ::testing::Test {
protected:
    void SetUp() override {
        Settings().clear();
        Start({});
    }
    void TearDown() override { app.reset(); }

    static QSettings Settings() {
        return QSettings(QStringLiteral("Local AppWizard-Generated Applications"),
                         QStringLiteral("Lexarium"));
    }
    // Starts the editor. The start-up picture is taken down at once (as its
    // timer would), so the test's first click reaches the window, unless the
    // test is about the picture.
    void Start(const QStringList& arguments, bool keepSplash = false) {
        app.reset();
        app = std::make_unique<CLexariumApp>();
        prompts = &InstallScriptedPrompts(*app);
        app->InitApplication(arguments);
        started = app->InitInstance();
        if (!keepSplash && CSplashWnd::s_pInstance != nullptr)
            CSplashWnd::s_pInstance->HideSplashScreen();
    }
    void Idle() {
        for (int i = 0; i < 10 && (i == 0 || app->IsIdleUpdatePending()); ++i)
            QCoreApplication::processEvents();
    }
    void Activate() {
        QApplication::setActiveWindow(Frame());
        Idle();
    }
    CMainFrame* Frame() const { return dynamic_cast<CMainFrame*>(app->m_pMainWnd); }
    CLexariumDoc* Doc() const { return g_pDocument; }
    QString Path(const std::string& name) const { return QString::fromStdString(dir.File(name)); }

    // Writes a file with entries "ID_1", "ID_2", ... whose texts are given.
    QString MakeTrs(const std::string& name, const std::vector<std::string>& texts) {
        TextResourceObject entries;
        std::uint32_t id = 1;
        for (const std::string& text : texts) {
            entries.AddEntry(
                MakeEntry({.id = id, .identifier = "ID_" + std::to_string(id), .text = text}));
            ++id;
        }
        return WriteTrs(name, entries);
    }
    // Writes these entries as a file of this name in the test's folder.
    QString WriteTrs(const std::string& name, TextResourceObject& entries) {
        tsFileStream stream;
        const QString path = Path(name);
        EXPECT_GE(stream.Open(QFile::encodeName(path).constData(), TS_OPEN_CREATE | TS_OPEN_WRITE),
                  0);
        EXPECT_GE(entries.Write(stream), 0);
        return path;
    }
    // Runs the enable handlers of the menu with this title, as opening it does.
    QMenu* ShowMenu(const QString& title) {
        QMenu* menu = Frame()->FindMenu(title);
        if (menu != nullptr)
            emit menu->aboutToShow();
        return menu;
    }
    bool IsEnabled(UINT nID) const {
        QAction* action = Frame()->FindCommandAction(nID);
        return action != nullptr && action->isEnabled();
    }

    TempDir dir;
    std::unique_ptr<CLexariumApp> app;
    CScriptedPrompts* prompts = nullptr; // owned by app
    bool started = false;
};
