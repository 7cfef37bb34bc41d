#pragma once

// The start-up picture: a frameless window of exactly the picture's size,
// owned by the main frame and centred on the primary screen, shown while the
// frame is created and painted at once. It goes when its timer fires (only
// the running event loop delivers that, so the picture stays up until
// start-up has finished) or at the first key or mouse press anywhere in the
// program, and that press does nothing else. A picture that cannot be loaded
// means no splash, without a message.

#include "Bitmap.h"
#include "Wnd.h"

#include <QBasicTimer>
#include <QWidget>

class CFrameWnd;
struct MSG;

class CSplashWnd : public QWidget, public CWnd {
public:
    ~CSplashWnd() override;

    // Whether a splash may be shown; decided once from the command line.
    static void EnableSplashScreen(bool bEnable = true);
    static bool IsSplashScreenEnabled() { return s_bEnabled; }
    // Shows the splash over the frame being created, unless one is up already.
    static void ShowSplashScreen(CFrameWnd* pParentWnd = nullptr);
    // True if the splash took the message (the first key or mouse press).
    static bool PreTranslateAppMessage(MSG* pMsg);

    // Removes the splash; the object deletes itself.
    void HideSplashScreen();

    QWidget* GetSafeWidget() override { return this; }

    static constexpr int kDisplayMs = 1750;

    CBitmap m_bitmap;               // the picture, bitmap resource 102
    static bool s_bEnabled;         // false until EnableSplashScreen
    static CSplashWnd* s_pInstance; // the live splash, or null; it owns itself

protected:
    void paintEvent(QPaintEvent* event) override;
    void timerEvent(QTimerEvent* event) override;

    int OnCreate();
    void OnPaint();
    void OnTimer();

private:
    CSplashWnd() = default;
    bool Create(QWidget* pOwner);
    // Places the window in the middle of its visible owner, or of the primary
    // screen's work area while the owner is hidden.
    void CenterWindow();
    // Paints the window now, once the window system shows it.
    void UpdateWindow();

    QBasicTimer m_timer;
};
