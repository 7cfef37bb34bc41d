// The start-up picture's decision and hooks.

#include "SplashWnd.h"

namespace {
bool g_bShowSplashWnd = false;
}

void CSplashWnd::EnableSplashScreen(bool bEnable) {
    g_bShowSplashWnd = bEnable;
}

bool CSplashWnd::IsSplashScreenEnabled() {
    return g_bShowSplashWnd;
}

void CSplashWnd::ShowSplashScreen(CFrameWnd*) {}

bool CSplashWnd::PreTranslateAppMessage(MSG*) {
    return false;
}
