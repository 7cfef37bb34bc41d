// Creation of the main frame's bars and panes, and the switch of the right pane.

#include "MainFrame.h"

#include "LexariumDoc.h"
#include "LexariumView.h"
#include "LexariumView_Blank.h"
#include "LexariumView_Text.h"
#include "ResourceIds.h"
#include "ProblemsList.h"

#include <algorithm>

IMPLEMENT_DYNCREATE(CMainFrame, CFrameWnd)

BEGIN_MESSAGE_MAP(CMainFrame, CFrameWnd)
ON_COMMAND(ID_TOOLS_REFERENCE, &CMainFrame::OnOpenReference)
ON_COMMAND(ID_TOOLS_LENGTHS, &CMainFrame::OnLengthsFromRecordings)
ON_UPDATE_COMMAND_UI(ID_TOOLS_LENGTHS, &CMainFrame::OnUpdateLengthsFromRecordings)
ON_COMMAND_RANGE(ID_VIEW_REFERENCE, ID_VIEW_REFERENCE, &CFrameWnd::OnBarCheck)
ON_UPDATE_COMMAND_UI_RANGE(ID_VIEW_REFERENCE, ID_VIEW_REFERENCE, &CFrameWnd::OnUpdateControlBarMenu)
ON_COMMAND(ID_VIEW_FILTER, &CMainFrame::OnFocusFilter)
END_MESSAGE_MAP()

void CMainFrame::OnFocusFilter() {
    if (auto* tree = dynamic_cast<CLexariumView*>(g_pTreeView))
        tree->FocusFilter();
}

void (*CMainFrame::s_pfnShowSplashScreen)(CFrameWnd*) = nullptr;

namespace {

const UINT indicators[] = {ID_SEPARATOR, ID_INDICATOR_CAPS, ID_INDICATOR_NUM, ID_INDICATOR_SCRL};

} // namespace

CMainFrame::CMainFrame() : m_nRightPane(PANE_NONE) {}

bool CMainFrame::PreCreateWindow(CREATESTRUCT& cs) {
    return CFrameWnd::PreCreateWindow(cs);
}

int CMainFrame::OnCreate(LPCREATESTRUCT lpCreateStruct) {
    if (CFrameWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    if (!m_wndToolBar.CreateEx(this, TBSTYLE_FLAT,
                               WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_GRIPPER | CBRS_TOOLTIPS |
                                   CBRS_FLYBY | CBRS_SIZE_DYNAMIC,
                               QRect(), AFX_IDW_TOOLBAR) ||
        !m_wndToolBar.LoadToolBar(IDR_MAINFRAME))
        return -1;
    if (!m_wndStatusBar.Create(this, WS_CHILD | WS_VISIBLE | CBRS_BOTTOM, AFX_IDW_STATUS_BAR) ||
        !m_wndStatusBar.SetIndicators(indicators, int(sizeof(indicators) / sizeof(UINT))))
        return -1;
    m_wndToolBar.EnableDocking(CBRS_ALIGN_ANY);
    EnableDocking(CBRS_ALIGN_ANY);
    DockControlBar(&m_wndToolBar);
    CreateReferencePane();
    CreateToolsBars();
    if (s_pfnShowSplashScreen != nullptr)
        s_pfnShowSplashScreen(this);
    return 0;
}

void CMainFrame::CreateToolsBars() {
    // Without them the editor still works as it always has: a failure here
    // does not keep the frame from being created.
    if (m_wndToolsBar.CreateEx(this, TBSTYLE_FLAT,
                               WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_GRIPPER | CBRS_TOOLTIPS |
                                   CBRS_FLYBY | CBRS_SIZE_DYNAMIC,
                               QRect(), IDR_TOOLSBAR) &&
        m_wndToolsBar.LoadToolBar(IDR_TOOLSBAR)) {
        m_wndToolsBar.EnableDocking(CBRS_ALIGN_ANY);
        DockControlBar(&m_wndToolsBar);
    }
    m_problems.Create(this, g_pDocument);
    CreateRecordingStatus();
    // The tree's filter asks the problems list which entries have a finding
    // (problem:): the positions of the findings about entries, in order.
    if (auto* tree = dynamic_cast<CLexariumView*>(g_pTreeView)) {
        tree->SetProblemSource([this] {
            std::vector<std::uint32_t> positions;
            if (const ProblemsList* list = m_problems.List()) {
                for (const check::Finding& finding : list->Findings())
                    if (finding.scope == check::Scope::Entry)
                        positions.push_back(finding.position);
            }
            std::sort(positions.begin(), positions.end());
            positions.erase(std::unique(positions.begin(), positions.end()), positions.end());
            return positions;
        });
    }
}

bool CMainFrame::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
    if (CFrameWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return true;
    return m_problems.OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

bool CMainFrame::OnCreateClient(LPCREATESTRUCT, CCreateContext* pContext) {
    if (!m_wndSplitter.CreateStatic(this, 1, 2, WS_CHILD | WS_VISIBLE, AFX_IDW_PANE_FIRST))
        return false;
    if (!m_wndSplitter.CreateView(0, 0, RUNTIME_CLASS(CLexariumView), QSize(250, 0), pContext))
        return false;
    return m_wndSplitter.CreateView(0, 1, RUNTIME_CLASS(CLexariumView_Text), QSize(350, 1),
                                    pContext);
}

void CMainFrame::SwitchRightPane(int kind) {
    // A request while the statistics are shown always refreshes them.
    if (m_nRightPane == PANE_STATISTICS && g_pBlankView != nullptr)
        g_pBlankView->UpdateStatistics();
    if (kind == m_nRightPane)
        return;
    m_wndSplitter.DeleteView(0, 1);
    if (kind == PANE_EDITOR) {
        m_nRightPane = PANE_EDITOR;
        m_wndSplitter.CreateView(0, 1, RUNTIME_CLASS(CLexariumView_Text), QSize(0, 0), nullptr);
    } else if (kind == PANE_STATISTICS) {
        m_nRightPane = PANE_STATISTICS;
        if (m_wndSplitter.CreateView(0, 1, RUNTIME_CLASS(CLexariumView_Blank), QSize(0, 0),
                                     nullptr) &&
            g_pBlankView != nullptr)
            g_pBlankView->UpdateStatistics();
    }
    m_wndSplitter.RecalcLayout();
}
