// The frame: creation from resources, routing, active view, bars and caption.

#include "FrameWnd.h"

#include "CmdUI.h"
#include "ControlBars.h"
#include "Document.h"
#include "KeyState.h"
#include "Resources.h"
#include "View.h"
#include "WinApp.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFileInfo>
#include <QIcon>
#include <QLabel>
#include <QMenuBar>
#include <QMimeData>
#include <QScreen>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QStyle>
#include <QToolBar>

IMPLEMENT_DYNCREATE(CFrameWnd, CObject)

BEGIN_MESSAGE_MAP(CFrameWnd, CCmdTarget)
ON_COMMAND_RANGE(ID_VIEW_TOOLBAR, ID_VIEW_STATUS_BAR, &CFrameWnd::OnBarCheck)
ON_UPDATE_COMMAND_UI_RANGE(ID_VIEW_TOOLBAR, ID_VIEW_STATUS_BAR, &CFrameWnd::OnUpdateControlBarMenu)
ON_UPDATE_COMMAND_UI_RANGE(ID_INDICATOR_CAPS, ID_INDICATOR_SCRL, &CFrameWnd::OnUpdateKeyIndicator)
END_MESSAGE_MAP()

CFrameWnd::CFrameWnd() {
    connect(qApp, &QApplication::focusChanged, this,
            [this](QWidget* pOld, QWidget* pNow) { OnFocusChanged(pOld, pNow); });
}

CFrameWnd::~CFrameWnd() {
    m_bInDestructor = true;
    disconnect(qApp, nullptr, this, nullptr);
    // Views go first, while the frame they report to still exists.
    delete takeCentralWidget();
}

bool CFrameWnd::PreCreateWindow(CREATESTRUCT&) {
    return true;
}

bool CFrameWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, QWidget*,
                          CCreateContext* pContext) {
    m_nIDResource = nIDResource;
    CREATESTRUCT cs;
    cs.lpCreateParams = pContext;
    cs.style = dwDefaultStyle;
    if (!PreCreateWindow(cs))
        return false;
    m_strTitle = AfxLoadString(nIDResource).section(QLatin1Char('\n'), 0, 0);
    // The size a window gets by default, which it also takes back when it is
    // restored from maximized: three quarters of the work area, centred.
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        const QSize size = (area.size() * 3 / 4).expandedTo(QSize(640, 480)).boundedTo(area.size());
        setGeometry(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, size, area));
    }
    if (pContext != nullptr)
        m_pDocument = pContext->m_pCurrentDoc;
    const auto& icons = AfxGetResources().icons;
    if (const auto icon = icons.find(nIDResource); icon != icons.end())
        setWindowIcon(QIcon(icon->second));
    BuildMenu(nIDResource);
    const auto& tables = AfxGetResources().accelerators;
    if (const auto table = tables.find(nIDResource); table != tables.end()) {
        for (const ACCELRES& accel : table->second)
            m_accelerators[accel.key.toCombined()] = accel.nID;
    }
    if (OnCreate(&cs) == -1)
        return false;
    OnUpdateFrameTitle(true);
    return true;
}

int CFrameWnd::OnCreate(LPCREATESTRUCT lpcs) {
    if (!OnCreateClient(lpcs, static_cast<CCreateContext*>(lpcs->lpCreateParams)))
        return -1;
    RecalcLayout();
    return 0;
}

bool CFrameWnd::OnCreateClient(LPCREATESTRUCT, CCreateContext* pContext) {
    if (pContext == nullptr || pContext->m_pNewViewClass == nullptr)
        return true;
    CObject* object = pContext->m_pNewViewClass->CreateObject();
    auto* view = dynamic_cast<CView*>(object);
    if (view == nullptr) {
        delete object;
        return false;
    }
    view->setProperty("ctrlId", AFX_IDW_PANE_FIRST);
    setCentralWidget(view);
    if (pContext->m_pCurrentDoc != nullptr)
        pContext->m_pCurrentDoc->AddView(view);
    return true;
}

void CFrameWnd::BuildMenu(UINT nIDResource) {
    const auto& menus = AfxGetResources().menus;
    const auto it = menus.find(nIDResource);
    if (it == menus.end())
        return;
    for (const MENUITEMRES& popup : it->second.popups) {
        QMenu* menu = menuBar()->addMenu(popup.strText);
        AddMenuItems(menu, popup);
    }
}

void CFrameWnd::AddMenuItems(QMenu* pMenu, const MENUITEMRES& item) {
    connect(pMenu, &QMenu::aboutToShow, this, [this, pMenu] { UpdateMenuItems(pMenu); });
    for (const MENUITEMRES& child : item.popup) {
        if (child.IsSeparator()) {
            pMenu->addSeparator();
        } else if (!child.popup.empty()) {
            AddMenuItems(pMenu->addMenu(child.strText), child);
        } else {
            QAction* action = GetCommandAction(child.nID);
            // The menu shows the label; "\t" starts the shortcut column.
            action->setText(child.strText);
            pMenu->addAction(action);
        }
    }
}

QAction* CFrameWnd::FindCommandAction(UINT nID) const {
    const auto it = m_actions.find(nID);
    return it == m_actions.end() ? nullptr : it->second.data();
}

QAction* CFrameWnd::GetCommandAction(UINT nID) {
    if (QAction* action = FindCommandAction(nID))
        return action;
    auto* action = new QAction(this);
    action->setProperty("cmdId", nID);
    action->setIconVisibleInMenu(false);
    // The command's string: the status-bar prompt, "\n", the tooltip.
    const CString prompt = AfxLoadString(nID);
    action->setStatusTip(prompt.section(QLatin1Char('\n'), 0, 0));
    const CString tip = prompt.section(QLatin1Char('\n'), 1, 1);
    if (!tip.isEmpty()) {
        action->setToolTip(tip);
        action->setText(tip);
    }
    connect(action, &QAction::triggered, this, [this, nID] { ExecuteCommand(nID); });
    m_actions[nID] = action;
    return action;
}

QMenu* CFrameWnd::FindMenu(const CString& title) const {
    for (QAction* action : menuBar()->actions()) {
        if (action->menu() != nullptr && action->text() == title)
            return action->menu();
    }
    return nullptr;
}

CView* CFrameWnd::GetActiveView() const {
    return m_pViewActive.data();
}

void CFrameWnd::SetActiveView(CView* pViewNew, bool bNotify) {
    CView* pViewOld = m_pViewActive.data();
    if (pViewNew == pViewOld) {
        if (bNotify && pViewNew != nullptr)
            pViewNew->SetFocusToView();
        return;
    }
    m_pViewActive = pViewNew;
    if (bNotify) {
        if (pViewOld != nullptr)
            pViewOld->OnActivateView(false, pViewNew, pViewOld);
        if (pViewNew != nullptr) {
            pViewNew->OnActivateView(true, pViewNew, pViewOld);
            pViewNew->SetFocusToView();
        }
    }
    if (CWinApp* app = AfxGetApp())
        app->RequestIdleUpdate();
}

CDocument* CFrameWnd::GetActiveDocument() const {
    if (m_pViewActive != nullptr && m_pViewActive->GetDocument() != nullptr)
        return m_pViewActive->GetDocument();
    return m_pDocument;
}

void CFrameWnd::OnViewDestroyed(CView* pView) {
    if (m_bInDestructor)
        return;
    if (m_pViewActive == pView)
        m_pViewActive = nullptr;
}

void CFrameWnd::OnFocusChanged(QWidget*, QWidget* pNow) {
    if (pNow == nullptr || pNow->window() != this)
        return;
    // The innermost view around the focus becomes the active view.
    for (QWidget* w = pNow; w != nullptr && w != this; w = w->parentWidget()) {
        if (auto* view = dynamic_cast<CView*>(w)) {
            if (view->GetParentFrame() == this)
                SetActiveView(view, false);
            break;
        }
    }
}

void CFrameWnd::InitialUpdateFrame(CDocument* pDoc, bool bMakeVisible) {
    if (pDoc != nullptr)
        m_pDocument = pDoc;
    // Views carry no meta-object of their own, so they are told apart by dynamic_cast.
    std::vector<CView*> views;
    for (QWidget* child : findChildren<QWidget*>()) {
        if (auto* view = dynamic_cast<CView*>(child))
            views.push_back(view);
    }
    if (GetActiveView() == nullptr) {
        for (CView* view : views) {
            if (view->property("ctrlId").toUInt() == AFX_IDW_PANE_FIRST) {
                SetActiveView(view, false);
                break;
            }
        }
    }
    for (CView* view : views)
        view->OnInitialUpdate();
    OnUpdateFrameTitle(true);
    CWinApp* app = AfxGetApp();
    if (bMakeVisible && !(app != nullptr && app->m_nCmdShow == SW_HIDE)) {
        if (!isVisible())
            show();
        if (CView* view = GetActiveView())
            view->SetFocusToView();
    }
    if (app != nullptr)
        app->RequestIdleUpdate();
}

void CFrameWnd::OnUpdateFrameTitle(bool) {
    CString title = m_strTitle;
    if (CDocument* doc = GetActiveDocument())
        title = doc->GetTitle() + QStringLiteral(" - ") + m_strTitle;
    if (windowTitle() != title)
        setWindowTitle(title);
}

bool CFrameWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
    // The active view first (it passes on to its document), then the frame, then the application.
    if (CView* view = GetActiveView()) {
        if (view->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
            return true;
    } else if (m_pDocument != nullptr) {
        if (m_pDocument->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
            return true;
    }
    if (CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return true;
    CWinApp* app = AfxGetApp();
    return app != nullptr && app->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

bool CFrameWnd::ExecuteCommand(UINT nID) {
    CCmdUI state(nID);
    state.m_pAction = FindCommandAction(nID);
    if (!state.DoUpdate(this, true))
        return false; // a disabled command does not run
    ClearStatusLine();
    OnCmdMsg(nID, CN_COMMAND, nullptr, nullptr);
    if (CWinApp* app = AfxGetApp())
        app->RequestIdleUpdate();
    return true;
}

bool CFrameWnd::TranslateAccelerator(const QKeyCombination& key) {
    const auto it = m_accelerators.find(key.toCombined());
    if (it == m_accelerators.end())
        return false;
    ExecuteCommand(it->second);
    return true;
}

void CFrameWnd::UpdateMenuItems(QMenu* pMenu) {
    const QList<QAction*> actions = pMenu->actions();
    for (QAction* action : actions) {
        if (action->isSeparator() || action->menu() != nullptr)
            continue;
        const QVariant id = action->property("cmdId");
        if (!id.isValid())
            continue;
        CCmdUI state(id.toUInt());
        state.m_pAction = action;
        state.m_pMenu = pMenu;
        state.DoUpdate(this, true);
    }
}

void CFrameWnd::OnIdleUpdateCmdUI() {
    for (QToolBar* bar : findChildren<QToolBar*>()) {
        for (QAction* action : bar->actions()) {
            const QVariant id = action->property("cmdId");
            if (action->isSeparator() || !id.isValid())
                continue;
            CCmdUI state(id.toUInt());
            state.m_pAction = action;
            state.DoUpdate(this, true);
        }
    }
    if (m_pStatusBar != nullptr) {
        for (int i = 0; i < m_pStatusBar->GetCount(); ++i) {
            const UINT nID = m_pStatusBar->GetItemID(i);
            if (nID == ID_SEPARATOR)
                continue;
            CCmdUI state(nID);
            state.m_pPane = m_pStatusBar->GetPane(i);
            state.DoUpdate(this, false);
        }
    }
    OnUpdateFrameTitle(true);
}

void CFrameWnd::RegisterControlBar(UINT nID, QWidget* pBar) {
    m_controlBars[nID] = pBar;
}

QWidget* CFrameWnd::GetControlBar(UINT nID) const {
    const auto it = m_controlBars.find(nID);
    return it == m_controlBars.end() ? nullptr : it->second.data();
}

void CFrameWnd::ShowControlBar(QWidget* pBar, bool bShow) {
    if (pBar != nullptr)
        pBar->setVisible(bShow);
}

void CFrameWnd::EnableDocking(DWORD) {
    // A Qt main window docks toolbars at every side; which sides a bar accepts
    // is set on the bar itself (CToolBar::EnableDocking).
}

void CFrameWnd::DockControlBar(CToolBar* pBar) {
    if (pBar != nullptr && pBar->GetToolBar() != nullptr)
        addToolBar(Qt::TopToolBarArea, pBar->GetToolBar());
}

void CFrameWnd::RecalcLayout() {}

void CFrameWnd::SetMessageText(const CString& text) {
    if (m_pStatusBar == nullptr)
        return;
    if (!text.isEmpty())
        m_pStatusBar->SetPaneText(0, text);
    else if (!m_strStatusLine.isEmpty())
        m_pStatusBar->SetPaneText(0, m_strStatusLine);
    else
        m_pStatusBar->SetPaneText(0, AfxLoadString(AFX_IDS_IDLEMESSAGE));
}

void CFrameWnd::ShowStatusLine(const CString& text) {
    m_strStatusLine = text;
    SetMessageText(CString());
}

void CFrameWnd::ClearStatusLine() {
    if (m_strStatusLine.isEmpty())
        return;
    ShowStatusLine(CString());
}

CString CFrameWnd::GetMessageText() const {
    return m_pStatusBar != nullptr ? m_pStatusBar->GetPaneText(0) : CString();
}

void CFrameWnd::OnBarCheck(UINT nID) {
    if (QWidget* bar = GetControlBar(nID))
        ShowControlBar(bar, bar->isHidden());
}

void CFrameWnd::OnUpdateControlBarMenu(CCmdUI* pCmdUI) {
    QWidget* bar = GetControlBar(pCmdUI->m_nID);
    pCmdUI->Enable(bar != nullptr);
    if (bar != nullptr)
        pCmdUI->SetCheck(bar->isHidden() ? 0 : 1);
}

void CFrameWnd::OnUpdateKeyIndicator(CCmdUI* pCmdUI) {
    pCmdUI->Enable(AfxIsLockKeyOn(pCmdUI->m_nID));
}

bool CFrameWnd::event(QEvent* event) {
    if (event->type() == QEvent::StatusTip) {
        SetMessageText(static_cast<QStatusTipEvent*>(event)->tip());
        return true;
    }
    return QMainWindow::event(event);
}

void CFrameWnd::closeEvent(QCloseEvent* event) {
    CWinApp* app = AfxGetApp();
    if (app != nullptr && app->m_pMainWnd == this && !app->SaveAllModified()) {
        event->ignore(); // the user kept the program open
        return;
    }
    event->accept();
    if (app != nullptr && app->m_pMainWnd == this)
        app->OnMainFrameClosed();
}

void CFrameWnd::dragEnterEvent(QDragEnterEvent* event) {
    for (const QUrl& url : event->mimeData()->urls()) {
        if (url.isLocalFile()) {
            event->acceptProposedAction();
            return;
        }
    }
}

void CFrameWnd::dropEvent(QDropEvent* event) {
    QString path;
    for (const QUrl& url : event->mimeData()->urls()) {
        if (url.isLocalFile()) {
            path = url.toLocalFile();
            break;
        }
    }
    if (path.isEmpty())
        return;
    event->acceptProposedAction();
    activateWindow();
    if (CWinApp* app = AfxGetApp())
        app->OpenDocumentFile(path);
}
