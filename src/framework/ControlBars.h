#pragma once

// The frame's toolbar and status bar. The toolbar's buttons are the frame's
// command actions, so a button and its menu item share their enabled state;
// the status bar has a message pane and indicator panes whose state the
// frame's enable pass sets.

#include "AfxDefs.h"

#include <QLabel>
#include <QPointer>
#include <QRect>
#include <QStatusBar>
#include <QToolBar>
#include <vector>

class CFrameWnd;

class CToolBar {
public:
    CToolBar() = default;
    CToolBar(const CToolBar&) = delete;
    CToolBar& operator=(const CToolBar&) = delete;
    ~CToolBar();

    bool CreateEx(CFrameWnd* pParentWnd, DWORD dwCtrlStyle, DWORD dwStyle,
                  QRect rcBorders = QRect(), UINT nID = AFX_IDW_TOOLBAR);
    // Adds the buttons of toolbar resource nID; false if there is no such resource.
    bool LoadToolBar(UINT nIDResource);
    void EnableDocking(DWORD dwDockStyle);

    QToolBar* GetToolBar() const { return m_pBar; }

private:
    QPointer<QToolBar> m_pBar;     // owned by the frame widget
    CFrameWnd* m_pFrame = nullptr; // not owned
};

class CStatusBar {
public:
    CStatusBar() = default;
    CStatusBar(const CStatusBar&) = delete;
    CStatusBar& operator=(const CStatusBar&) = delete;
    ~CStatusBar();

    bool Create(CFrameWnd* pParentWnd, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_BOTTOM,
                UINT nID = AFX_IDW_STATUS_BAR);
    // ID_SEPARATOR makes the message pane; other ids are indicators showing their string.
    bool SetIndicators(const UINT* lpIDArray, int nIDCount);

    void SetPaneText(int nIndex, const CString& text);
    CString GetPaneText(int nIndex) const;
    int GetCount() const { return static_cast<int>(m_panes.size()); }
    UINT GetItemID(int nIndex) const;
    QLabel* GetPane(int nIndex) const;

    QStatusBar* GetStatusBar() const { return m_pBar; }

private:
    struct Pane {
        UINT nID;
        QPointer<QLabel> label;
    };
    QPointer<QStatusBar> m_pBar; // owned by the frame widget
    std::vector<Pane> m_panes;
};
