// Toolbar and status bar of the frame.

#include "ControlBars.h"

#include "FrameWnd.h"
#include "Resources.h"

#include <QAction>
#include <QIcon>
#include <QLabel>
#include <QStatusBar>
#include <QToolBar>

CToolBar::~CToolBar() {
    delete m_pBar.data();
}

bool CToolBar::CreateEx(CFrameWnd* pParentWnd, DWORD, DWORD dwStyle, QRect, UINT nID) {
    if (pParentWnd == nullptr || m_pBar != nullptr)
        return false;
    m_pFrame = pParentWnd;
    m_pBar = new QToolBar(pParentWnd);
    m_pBar->setObjectName(QStringLiteral("toolbar%1").arg(nID));
    m_pBar->setMovable(true);
    m_pBar->setFloatable(true);
    m_pBar->setAllowedAreas(Qt::TopToolBarArea);
    m_pBar->setToolButtonStyle(Qt::ToolButtonIconOnly);
    Qt::ToolBarArea area = Qt::TopToolBarArea;
    if (dwStyle & CBRS_ALIGN_BOTTOM)
        area = Qt::BottomToolBarArea;
    else if (dwStyle & CBRS_ALIGN_LEFT)
        area = Qt::LeftToolBarArea;
    else if (dwStyle & CBRS_ALIGN_RIGHT)
        area = Qt::RightToolBarArea;
    pParentWnd->addToolBar(area, m_pBar);
    pParentWnd->RegisterControlBar(nID, m_pBar);
    if (!(dwStyle & WS_VISIBLE))
        m_pBar->hide();
    return true;
}

bool CToolBar::LoadToolBar(UINT nIDResource) {
    const auto& toolbars = AfxGetResources().toolbars;
    const auto it = toolbars.find(nIDResource);
    if (m_pBar == nullptr || it == toolbars.end())
        return false;
    const TOOLBARRES& res = it->second;
    m_pBar->setIconSize(res.buttonSize);
    const auto& images = AfxGetResources().images;
    for (UINT nID : res.buttons) {
        if (nID == ID_SEPARATOR) {
            m_pBar->addSeparator();
            continue;
        }
        QAction* action = m_pFrame->GetCommandAction(nID);
        const auto image = images.find(nID);
        if (image != images.end())
            action->setIcon(QIcon(image->second));
        m_pBar->addAction(action);
    }
    return true;
}

void CToolBar::EnableDocking(DWORD dwDockStyle) {
    if (m_pBar == nullptr)
        return;
    Qt::ToolBarAreas areas;
    if (dwDockStyle & CBRS_ALIGN_TOP)
        areas |= Qt::TopToolBarArea;
    if (dwDockStyle & CBRS_ALIGN_BOTTOM)
        areas |= Qt::BottomToolBarArea;
    if (dwDockStyle & CBRS_ALIGN_LEFT)
        areas |= Qt::LeftToolBarArea;
    if (dwDockStyle & CBRS_ALIGN_RIGHT)
        areas |= Qt::RightToolBarArea;
    m_pBar->setAllowedAreas(areas);
}

CStatusBar::~CStatusBar() {
    delete m_pBar.data();
}

bool CStatusBar::Create(CFrameWnd* pParentWnd, DWORD dwStyle, UINT nID) {
    if (pParentWnd == nullptr || m_pBar != nullptr)
        return false;
    m_pBar = new QStatusBar(pParentWnd);
    m_pBar->setSizeGripEnabled(true);
    pParentWnd->setStatusBar(m_pBar);
    pParentWnd->RegisterControlBar(nID, m_pBar);
    pParentWnd->m_pStatusBar = this;
    if (!(dwStyle & WS_VISIBLE))
        m_pBar->hide();
    return true;
}

bool CStatusBar::SetIndicators(const UINT* lpIDArray, int nIDCount) {
    if (m_pBar == nullptr)
        return false;
    for (Pane& pane : m_panes)
        delete pane.label.data();
    m_panes.clear();
    for (int i = 0; i < nIDCount; ++i) {
        const UINT nID = lpIDArray[i];
        auto* label = new QLabel(m_pBar);
        label->setTextFormat(Qt::PlainText);
        if (nID == ID_SEPARATOR) {
            label->setText(AfxLoadString(AFX_IDS_IDLEMESSAGE));
            m_pBar->addWidget(label, 1);
        } else {
            const CString text = AfxLoadString(nID);
            if (text.isEmpty())
                return false; // an indicator needs its string
            label->setProperty("paneText", text);
            label->setText(text);
            label->setAlignment(Qt::AlignCenter);
            label->setMinimumWidth(label->fontMetrics().horizontalAdvance(text) + 12);
            label->setFrameShape(QFrame::Panel);
            label->setFrameShadow(QFrame::Sunken);
            m_pBar->addPermanentWidget(label);
        }
        m_panes.push_back({nID, label});
    }
    return true;
}

void CStatusBar::SetPaneText(int nIndex, const CString& text) {
    if (QLabel* label = GetPane(nIndex)) {
        if (label->text() != text)
            label->setText(text);
    }
}

CString CStatusBar::GetPaneText(int nIndex) const {
    QLabel* label = GetPane(nIndex);
    return label != nullptr ? label->text() : CString();
}

UINT CStatusBar::GetItemID(int nIndex) const {
    return nIndex >= 0 && nIndex < GetCount() ? m_panes[static_cast<size_t>(nIndex)].nID : 0;
}

QLabel* CStatusBar::GetPane(int nIndex) const {
    return nIndex >= 0 && nIndex < GetCount() ? m_panes[static_cast<size_t>(nIndex)].label.data()
                                              : nullptr;
}
