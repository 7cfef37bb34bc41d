// The application's message hook and idle pass. An application-wide event
// filter shows every key and mouse press to PreTranslateMessage before the
// widget (or a shortcut) gets it, and notes changes after which the enable
// handlers must run again; one zero-time single-shot timer then runs the idle
// pass once.

#include "AppMessageHook.h"
#include "KeyState.h"
#include "Resources.h"
#include "Translations.h"
#include "WinApp.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWidget>

void CWinApp::InitApplication(const QStringList& arguments) {
    m_arguments = arguments;
    AfxInstallQtTranslations();
    if (m_pszAppName.isEmpty())
        m_pszAppName = AfxLoadString(AFX_IDS_APP_TITLE);
    if (m_pHook == nullptr)
        m_pHook = std::make_unique<CAppMessageHook>(this);
}

void CWinApp::RequestIdleUpdate() {
    m_bIdlePending = true;
    if (m_pHook != nullptr)
        m_pHook->Schedule();
}

bool CWinApp::HookEvent(QObject* pReceiver, QEvent* pEvent) {
    const QEvent::Type type = pEvent->type();
    if (type == QEvent::KeyRelease || type == QEvent::MouseButtonRelease) {
        RequestIdleUpdate();
        return false;
    }
    if (type != QEvent::KeyPress && type != QEvent::ShortcutOverride &&
        type != QEvent::MouseButtonPress && type != QEvent::MouseButtonDblClick &&
        type != QEvent::NonClientAreaMouseButtonPress)
        return false;
    auto* widget = qobject_cast<QWidget*>(pReceiver);
    if (widget == nullptr)
        return false; // the window-system side of the event; the widget's turn follows
    if (type == QEvent::KeyPress || type == QEvent::ShortcutOverride)
        return HookKeyEvent(widget, pEvent);
    // A mouse press passed on to a parent is no longer spontaneous.
    if (!pEvent->spontaneous())
        return false;
    auto* mouse = static_cast<QMouseEvent*>(pEvent);
    const bool frame = type == QEvent::NonClientAreaMouseButtonPress;
    MSG msg{widget, 0, pEvent};
    switch (mouse->button()) {
    case Qt::RightButton:
        msg.message = frame ? WM_NCRBUTTONDOWN : WM_RBUTTONDOWN;
        break;
    case Qt::MiddleButton:
        msg.message = frame ? WM_NCMBUTTONDOWN : WM_MBUTTONDOWN;
        break;
    default:
        msg.message = frame                                 ? WM_NCLBUTTONDOWN
                      : type == QEvent::MouseButtonDblClick ? WM_LBUTTONDBLCLK
                                                            : WM_LBUTTONDOWN;
        break;
    }
    RequestIdleUpdate();
    return PreTranslateMessage(&msg);
}

bool CWinApp::HookKeyEvent(QWidget* pWidget, QEvent* pEvent) {
    // A key goes to the focus widget first and then, if ignored, to its parents:
    // only the first delivery is a new message.
    QWidget* focus = QApplication::focusWidget();
    const bool first = pWidget == focus || pWidget == QApplication::activePopupWidget() ||
                       (focus == nullptr && pWidget->isWindow());
    if (!first)
        return false;
    auto* key = static_cast<QKeyEvent*>(pEvent);
    // A key that might be a shortcut is offered as ShortcutOverride before its
    // KeyPress, and a shortcut that takes it leaves no KeyPress at all. So the
    // message is made from whichever comes first, and the KeyPress after its
    // ShortcutOverride has the same fate.
    if (pEvent->type() == QEvent::KeyPress && m_seenKey.valid && m_seenKey.key == key->key() &&
        m_seenKey.modifiers == key->modifiers().toInt() &&
        m_seenKey.timestamp == key->timestamp()) {
        m_seenKey.valid = false;
        return m_seenKey.consumed;
    }
    AfxNoteKeyPress(key->key());
    MSG msg{pWidget, (key->modifiers() & Qt::AltModifier) ? WM_SYSKEYDOWN : WM_KEYDOWN, pEvent};
    RequestIdleUpdate();
    const bool consumed = PreTranslateMessage(&msg);
    if (pEvent->type() == QEvent::ShortcutOverride) {
        m_seenKey = {key->key(), key->modifiers().toInt(), key->timestamp(), consumed, true};
        if (consumed)
            pEvent->accept(); // taken here: no shortcut may act on it either
    }
    return consumed;
}

int AfxWinMain(CWinApp& app, int argc, char** argv) {
    QApplication application(argc, argv);
    QStringList arguments = QApplication::arguments();
    if (!arguments.isEmpty())
        arguments.removeFirst();
    app.InitApplication(arguments);
    if (!app.InitInstance()) {
        app.ExitInstance();
        app.ReleaseFrameAndDocuments();
        return 0;
    }
    app.Run();
    const int result = app.ExitInstance();
    // Windows and timers cannot outlive the QApplication.
    app.ReleaseFrameAndDocuments();
    return result;
}
