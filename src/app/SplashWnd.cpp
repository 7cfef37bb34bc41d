// The start-up picture.

#include "SplashWnd.h"

#include "FrameWnd.h"
#include "ResourceIds.h"
#include "WinApp.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <QStyle>
#include <QThread>
#include <QTimerEvent>
#include <QWindow>

bool CSplashWnd::s_bEnabled = false;
CSplashWnd* CSplashWnd::s_pInstance = nullptr;

CSplashWnd::~CSplashWnd() {
    if (s_pInstance == this)
        s_pInstance = nullptr;
    m_bitmap.DeleteObject();
}

void CSplashWnd::EnableSplashScreen(bool bEnable) {
    s_bEnabled = bEnable;
}

void CSplashWnd::ShowSplashScreen(CFrameWnd* pParentWnd) {
    if (!s_bEnabled || s_pInstance != nullptr)
        return;
    s_pInstance = new CSplashWnd;
    if (!s_pInstance->Create(pParentWnd)) {
        delete s_pInstance; // the program goes on without a splash
        return;
    }
    s_pInstance->UpdateWindow();
}

bool CSplashWnd::Create(QWidget* pOwner) {
    if (!m_bitmap.LoadBitmap(IDB_SPLASH))
        return false;
    // A window of its own above its owner, without frame or title; the picture
    // covers all of it, so no background is painted first.
    setParent(pOwner, Qt::SplashScreen | Qt::FramelessWindowHint);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    setCursor(Qt::ArrowCursor);
    setFixedSize(m_bitmap.GetSize());
    if (OnCreate() == -1)
        return false;
    show();
    return true;
}

int CSplashWnd::OnCreate() {
    CenterWindow();
    m_timer.start(kDisplayMs, this);
    return 0;
}

void CSplashWnd::CenterWindow() {
    QWidget* owner = parentWidget();
    QRect area;
    if (owner != nullptr && owner->isVisible())
        area = owner->frameGeometry();
    else if (QScreen* screen = QGuiApplication::primaryScreen())
        area = screen->availableGeometry();
    if (!area.isEmpty())
        move(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, size(), area).topLeft());
}

void CSplashWnd::UpdateWindow() {
    // The event loop is not running yet, so nothing else would paint the
    // picture before start-up ends. The window system shows a new window a
    // moment after it is asked to; wait for that (briefly, leaving the user's
    // input for the loop), then paint.
    QWindow* window = windowHandle();
    QElapsedTimer waited;
    waited.start();
    while (window != nullptr && !window->isExposed() && waited.elapsed() < 500) {
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        QThread::msleep(5);
    }
    repaint();
}

void CSplashWnd::paintEvent(QPaintEvent*) {
    OnPaint();
}

void CSplashWnd::OnPaint() {
    QPainter painter(this);
    if (!painter.isActive())
        return; // stays unpainted until it goes
    painter.drawPixmap(0, 0, m_bitmap.GetPixmap());
}

void CSplashWnd::timerEvent(QTimerEvent* event) {
    if (event->timerId() == m_timer.timerId())
        OnTimer();
}

void CSplashWnd::OnTimer() {
    HideSplashScreen();
}

void CSplashWnd::HideSplashScreen() {
    // The window goes now and takes its timer along; the object itself goes
    // once the event that hid it (perhaps one of its own) has been handled.
    m_timer.stop();
    hide();
    if (s_pInstance == this)
        s_pInstance = nullptr;
    deleteLater();
    // What the picture covered is painted again at once.
    if (QWidget* main = AfxGetMainWidget(); main != nullptr && main->isVisible())
        main->repaint();
}

bool CSplashWnd::PreTranslateAppMessage(MSG* pMsg) {
    if (s_pInstance == nullptr)
        return false;
    switch (pMsg->message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_NCLBUTTONDOWN:
    case WM_NCRBUTTONDOWN:
    case WM_NCMBUTTONDOWN:
        // Whatever window the key or click was for, it only removes the splash.
        s_pInstance->HideSplashScreen();
        return true;
    default:
        return false;
    }
}
