#pragma once

// The main window: toolbar, status bar and a splitter with the entry tree on
// the left and, on the right, the editor form or the statistics form. The
// frame decides which form the right pane holds; the tree asks it to switch.

#include "ControlBars.h"
#include "FrameWnd.h"
#include "SplitterWnd.h"

constexpr int PANE_NONE = -1;
constexpr int PANE_EDITOR = 0;
constexpr int PANE_STATISTICS = 1;

class CMainFrame : public CFrameWnd {
    DECLARE_DYNCREATE(CMainFrame)

public:
    CMainFrame();

    bool PreCreateWindow(CREATESTRUCT& cs) override;
    int OnCreate(LPCREATESTRUCT lpCreateStruct) override;
    bool OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext) override;

    // Puts a view of the kind (PANE_EDITOR or PANE_STATISTICS) into the right pane.
    void SwitchRightPane(int kind);

    // Shows the start-up picture over the frame; the application sets it.
    static void (*s_pfnShowSplashScreen)(CFrameWnd* pFrame);

    int m_nRightPane;
    CStatusBar m_wndStatusBar;
    CToolBar m_wndToolBar;
    CSplitterWnd m_wndSplitter;

    DECLARE_MESSAGE_MAP()
};
