#pragma once

// A fixture that starts the test application for real (offscreen) with a
// scripted prompt handler, and clears the recent-file settings around each test.

#include "ScriptedPrompts.h"
#include "TestApp.h"

#include <QApplication>
#include <QSettings>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

class AppFixture : public ::testing::Test {
protected:
    void SetUp() override {
        QSettings(QStringLiteral("Lexarium Tests"), QStringLiteral("TestApp")).clear();
        g_testLog.clear();
        Start({});
    }
    void TearDown() override { app.reset(); }

    void Start(const QStringList& arguments) {
        app = std::make_unique<CTestApp>();
        prompts = &InstallScriptedPrompts(*app);
        app->InitApplication(arguments);
        started = app->InitInstance();
    }
    // Lets the event loop go idle until no idle pass is pending.
    void Idle() {
        for (int i = 0; i < 10; ++i) {
            QCoreApplication::processEvents();
            if (!app->IsIdleUpdatePending())
                return;
        }
    }
    // Shows the frame as the active window, so that focus works offscreen.
    void Activate() {
        Frame()->show();
        QApplication::setActiveWindow(Frame());
        Idle();
    }

    CTestDoc* Doc() const { return app->Doc(); }
    CTestFrame* Frame() const { return app->Frame(); }
    QString Path(const QString& name) const { return dir.filePath(name); }

    QTemporaryDir dir;
    std::unique_ptr<CTestApp> app;
    CScriptedPrompts* prompts = nullptr; // owned by app
    bool started = false;
};
