// The application's message hook and idle pass. An application-wide event
// filter shows every key and mouse press to PreTranslateMessage before the
// widget gets it, and notes changes after which the enable handlers must run
// again; one zero-time single-shot timer then runs the idle pass once.

#include "KeyState.h"
#include "Resources.h"
#include "WinApp.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTimer>
#include <QWidget>

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

void CWinApp::InitApplication(const QStringList& arguments) {
    m_arguments = arguments;
    if (m_pszAppName.isEmpty())
        m_pszAppName = AfxLoadString(AFX_IDS_APP_TITLE);
    if (m_pHook == nullptr)
        m_pHook = std::make_unique<CAppMessageHook>(this);
}

void CWinApp::RequestIdleUpdate() {
    m_bIdlePending = true;
    if (m_pHook != nullptr)
        static_cast<CAppMessageHook*>(m_pHook.get())->Schedule();
}

bool CWinApp::HookEvent(QObject* pReceiver, QEvent* pEvent) {
    const QEvent::Type type = pEvent->type();
    if (type == QEvent::KeyRelease || type == QEvent::MouseButtonRelease) {
        RequestIdleUpdate();
        return false;
    }
    if (type != QEvent::KeyPress && type != QEvent::MouseButtonPress &&
        type != QEvent::MouseButtonDblClick)
        return false;
    auto* widget = qobject_cast<QWidget*>(pReceiver);
    if (widget == nullptr)
        return false; // the window-system side of the event; the widget's turn follows
    MSG msg{widget, 0, pEvent};
    if (type == QEvent::KeyPress) {
        // A key goes to the focus widget first and then, if ignored, to its parents:
        // only the first delivery is a new message.
        QWidget* focus = QApplication::focusWidget();
        const bool first = widget == focus || widget == QApplication::activePopupWidget() ||
                           (focus == nullptr && widget->isWindow());
        if (!first)
            return false;
        auto* key = static_cast<QKeyEvent*>(pEvent);
        AfxNoteKeyPress(key->key());
        msg.message = (key->modifiers() & Qt::AltModifier) ? WM_SYSKEYDOWN : WM_KEYDOWN;
    } else {
        // A mouse press passed on to a parent is no longer spontaneous.
        if (!pEvent->spontaneous())
            return false;
        auto* mouse = static_cast<QMouseEvent*>(pEvent);
        const bool dbl = type == QEvent::MouseButtonDblClick;
        switch (mouse->button()) {
        case Qt::RightButton:
            msg.message = WM_RBUTTONDOWN;
            break;
        case Qt::MiddleButton:
            msg.message = WM_MBUTTONDOWN;
            break;
        default:
            msg.message = dbl ? WM_LBUTTONDBLCLK : WM_LBUTTONDOWN;
            break;
        }
    }
    RequestIdleUpdate();
    return PreTranslateMessage(&msg);
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
