#pragma once

// The main window: toolbar, status bar and a splitter with the entry tree on
// the left and, on the right, the editor form or the statistics form. The
// frame decides which form the right pane holds; the tree asks it to switch.

#include "ControlBars.h"
#include "FrameWnd.h"
#include "ProblemsCommands.h"
#include "RecordingStatus.h"
#include "ReferenceFile.h"
#include "SplitterWnd.h"

#include <cstdint>
#include <memory>
#include <string>

class CReferencePane;
class TextResourceEntry;

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
    // After the frame's own route, the commands of the panes that came later.
    bool OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;

    // Ctrl+L: the focus to the filter field above the tree.
    void OnFocusFilter();

    // Puts a view of the kind (PANE_EDITOR or PANE_STATISTICS) into the right pane.
    void SwitchRightPane(int kind);

    // Shows the start-up picture over the frame; the application sets it.
    static void (*s_pfnShowSplashScreen)(CFrameWnd* pFrame);

    // The reference file: Tools' Open Reference asks for one, the pane shows
    // the current entry's counterpart in it, and it is remembered for the
    // open file and opened again with it.
    void OnOpenReference();
    // Opens `path` as the reference and shows the pane; false (and the user
    // told why: in a message, or for a reference `remembered` with its file,
    // in the status bar) when it could not be read.
    bool OpenReference(const CString& path, bool remembered);
    const CReferenceFile* GetReference() const { return m_pReference.get(); }
    CReferencePane* GetReferencePane() const { return m_pReferencePane; }
    // The current entry changed: another selection, or its identifier.
    void OnCurrentEntryChanged();
    // Also runs in every idle pass: the reference follows the open file.
    void OnUpdateFrameTitle(bool bAddToTitle) override;

    // Tools' Lengths from recordings: each found recording's real length into
    // its entry's stored length, where they differ; one message says how many.
    void OnLengthsFromRecordings();
    void OnUpdateLengthsFromRecordings(CCmdUI* pCmdUI);

    // An entry was selected (null: the root, or none): the status line tells
    // of its recording once that is looked up.
    void OnEntrySelected(const TextResourceEntry* entry);
    CRecordingStatus* GetRecordingStatus() const { return m_pRecordingStatus.get(); }

    int m_nRightPane;
    CStatusBar m_wndStatusBar;
    CToolBar m_wndToolBar;
    CSplitterWnd m_wndSplitter;

    // Beyond the first editor: a second toolbar for the tools (after the
    // toolbar, which stays as it is) and the problems list in a pane below.
    CToolBar m_wndToolsBar;
    CProblemsCommands m_problems;

    DECLARE_MESSAGE_MAP()

private:
    void CreateReferencePane();
    // Opens the reference remembered for the file that has just been opened,
    // or closes the one of the file before; remembers it under a new name.
    void FollowDocument();
    void RefreshReferencePane(bool force);

    std::unique_ptr<CReferenceFile> m_pReference; // null: none open
    CReferencePane* m_pReferencePane = nullptr;   // not owned; a child of the frame
    // What FollowDocument saw last: the document's path and its New/Open count.
    CString m_strFollowedPath;
    std::uint64_t m_nFollowedChanges = ~std::uint64_t(0);
    // What the pane shows, so that an idle pass refills it only when it changed.
    const TextResourceEntry* m_pShownEntry = nullptr; // not owned
    std::string m_strShownIdentifier;
    const CReferenceFile* m_pShownReference = nullptr; // not owned
    void CreateToolsBars();
    void CreateRecordingStatus();

    std::unique_ptr<CRecordingStatus> m_pRecordingStatus;
};
