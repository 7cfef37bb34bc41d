#pragma once

// The main frame: menu bar, toolbar, status bar and the client area with the
// views. Every command id has one QAction, shared by its menu item and its
// toolbar button. Commands are routed to the active view (and its document),
// then the frame, then the application. Enable handlers run for a menu when it
// is about to show and for the toolbar and status bar when the application's
// idle pass asks; a command from a menu, a button or a key runs only if its
// enable handler, asked once more, allows it.

#include "Wnd.h"

#include <QMainWindow>
#include <QPointer>
#include <map>
#include <vector>

class CDocument;
class CStatusBar;
class CToolBar;
class CView;
class QMenu;
struct CCreateContext;
struct MENUITEMRES;

struct CREATESTRUCT {
    void* lpCreateParams = nullptr; // the CCreateContext
    DWORD style = 0;
};
using LPCREATESTRUCT = CREATESTRUCT*;

constexpr DWORD FWS_ADDTOTITLE = 0x00008000;
constexpr DWORD WS_OVERLAPPEDWINDOW = 0x00CF0000;

class CFrameWnd : public QMainWindow, public CWnd {
    DECLARE_DYNCREATE(CFrameWnd)

public:
    CFrameWnd();
    ~CFrameWnd() override;

    // Builds the frame from resource nIDResource (menu, accelerators, icon) and
    // runs OnCreate; false if the frame could not be created.
    virtual bool LoadFrame(UINT nIDResource,
                           DWORD dwDefaultStyle = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                           QWidget* pParentWnd = nullptr, CCreateContext* pContext = nullptr);
    virtual bool PreCreateWindow(CREATESTRUCT& cs);
    // Creates the client area (CFrameWnd's own makes one view of the context's class).
    virtual int OnCreate(LPCREATESTRUCT lpCreateStruct);
    virtual bool OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext);

    CView* GetActiveView() const;
    void SetActiveView(CView* pViewNew, bool bNotify = true);
    CDocument* GetActiveDocument() const;
    void OnViewDestroyed(CView* pView);

    // Sends the views their initial update and shows the frame.
    void InitialUpdateFrame(CDocument* pDoc, bool bMakeVisible);
    virtual void OnUpdateFrameTitle(bool bAddToTitle);
    void SetTitle(const CString& title) { m_strTitle = title; }
    CString GetTitle() const { return m_strTitle; }

    bool OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
    QWidget* GetSafeWidget() override { return this; }

    // Runs a command as the user's menu, button or key does: its enable handler
    // first, then the handler if the command is enabled. True if it ran.
    bool ExecuteCommand(UINT nID);
    // The accelerator for this key, if any, runs; true if the key was one.
    bool TranslateAccelerator(const QKeyCombination& key);
    // Runs the enable handlers of the menu's items (before it shows).
    void UpdateMenuItems(QMenu* pMenu);
    // Runs the enable handlers of the toolbar buttons and status-bar indicators.
    void OnIdleUpdateCmdUI();

    QAction* GetCommandAction(UINT nID);
    QAction* FindCommandAction(UINT nID) const;
    QMenu* FindMenu(const CString& title) const;

    // Bars by their window id, for the View menu's toggles.
    void RegisterControlBar(UINT nID, QWidget* pBar);
    QWidget* GetControlBar(UINT nID) const;
    void ShowControlBar(QWidget* pBar, bool bShow);
    void EnableDocking(DWORD dwDockStyle);
    void DockControlBar(CToolBar* pBar);
    void RecalcLayout();

    // Sets the message pane; an empty text shows the status line, if one is
    // shown, else the idle message.
    void SetMessageText(const CString& text);
    CString GetMessageText() const;

    // A line in the message pane that stays until the next selection or
    // command: the prompt of a menu item or button under the pointer passes
    // over it and gives it back, and a menu that closes or the pointer leaving
    // the toolbar does not write the idle message over it. A command clears it
    // before it runs, so its handler may show a new one; a handler that also
    // selects shows its line after selecting. An empty text clears it.
    void ShowStatusLine(const CString& text);
    // The idle message returns, if a status line was shown.
    void ClearStatusLine();
    CString GetStatusLine() const { return m_strStatusLine; }

    void DragAcceptFiles(bool bAccept = true) { setAcceptDrops(bAccept); }

    // No menu of its own on a right click on the bars: the View menu shows and hides them.
    QMenu* createPopupMenu() override { return nullptr; }

    void OnBarCheck(UINT nID);
    void OnUpdateControlBarMenu(CCmdUI* pCmdUI);
    void OnUpdateKeyIndicator(CCmdUI* pCmdUI);

    CStatusBar* m_pStatusBar = nullptr; // not owned; the status bar created on this frame

    DECLARE_MESSAGE_MAP()

protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

    CString m_strTitle;
    UINT m_nIDResource = 0;
    CString m_strStatusLine; // empty while none is shown

private:
    void BuildMenu(UINT nIDResource);
    void AddMenuItems(QMenu* pMenu, const MENUITEMRES& item);
    void OnFocusChanged(QWidget* pOld, QWidget* pNow);

    std::map<UINT, QPointer<QAction>> m_actions;
    std::map<int, UINT> m_accelerators; // QKeyCombination::toCombined() -> command
    std::map<UINT, QPointer<QWidget>> m_controlBars;
    QPointer<CView> m_pViewActive;
    CDocument* m_pDocument = nullptr; // not owned; the document the frame was made for
    bool m_bInDestructor = false;
};
