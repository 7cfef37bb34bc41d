#pragma once

// The start-up picture. Whether it may show is decided from the command line
// at start-up; the picture itself is not part of this build yet, so showing
// it shows nothing and it never takes a message.

#include "AfxDefs.h"

class CFrameWnd;
struct MSG;

class CSplashWnd {
public:
    static void EnableSplashScreen(bool bEnable = true);
    static bool IsSplashScreenEnabled();
    static void ShowSplashScreen(CFrameWnd* pParentWnd = nullptr);
    // True if the splash took the message (the first key or mouse press).
    static bool PreTranslateAppMessage(MSG* pMsg);
};
