#pragma once

// The object behind the application's message hook: the application-wide
// event filter that hands every event to CWinApp::HookEvent, and the one
// zero-time single-shot timer of the idle pass. The application owns it from
// InitApplication until it releases its windows.

#include "WinApp.h"

#include <QApplication>
#include <QClipboard>
#include <QObject>
#include <QTimer>

class CAppMessageHook : public QObject {
public:
    explicit CAppMessageHook(CWinApp* pApp) : m_pApp(pApp) {
        m_idleTimer.setSingleShot(true);
        m_idleTimer.setInterval(0);
        QObject::connect(&m_idleTimer, &QTimer::timeout, this, [this] { RunIdle(); });
        QObject::connect(qApp, &QApplication::focusChanged, this,
                         [this] { m_pApp->RequestIdleUpdate(); });
        QObject::connect(QApplication::clipboard(), &QClipboard::dataChanged, this,
                         [this] { m_pApp->RequestIdleUpdate(); });
        qApp->installEventFilter(this);
    }
    ~CAppMessageHook() override { qApp->removeEventFilter(this); }

    void Schedule() {
        if (!m_idleTimer.isActive())
            m_idleTimer.start();
    }

protected:
    bool eventFilter(QObject* pReceiver, QEvent* pEvent) override {
        return m_pApp->HookEvent(pReceiver, pEvent);
    }

private:
    void RunIdle() {
        m_pApp->m_bIdlePending = false;
        m_pApp->OnIdle(0);
    }

    CWinApp* m_pApp; // not owned; the application owns the hook
    QTimer m_idleTimer;
};
