// The recent-file list, its settings and its place in the File menu.

#include "RecentFileList.h"

#include "CmdUI.h"
#include "FrameWnd.h"
#include "WinApp.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QSettings>
#include <algorithm>

CRecentFileList::CRecentFileList(UINT nStart, const CString& section, const CString& entryFormat,
                                 int nSize, int nMaxDispLen)
    : m_strSectionName(section), m_strEntryFormat(entryFormat), m_nStart(nStart),
      m_nSize(std::clamp(nSize, 0, 16)), m_nMaxDisplayLength(nMaxDispLen) {
    m_strEntryFormat.replace(QLatin1String("%d"), QLatin1String("%1"));
}

void CRecentFileList::Add(const CString& path) {
    if (m_nSize == 0 || path.isEmpty())
        return;
    const CString full = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
    m_arrNames.erase(std::remove(m_arrNames.begin(), m_arrNames.end(), full), m_arrNames.end());
    m_arrNames.insert(m_arrNames.begin(), full);
    if (GetCount() > m_nSize)
        m_arrNames.resize(static_cast<size_t>(m_nSize));
}

void CRecentFileList::Remove(int nIndex) {
    if (nIndex >= 0 && nIndex < GetCount())
        m_arrNames.erase(m_arrNames.begin() + nIndex);
}

CString CRecentFileList::GetDisplayName(int nIndex) const {
    const CString& path = m_arrNames[static_cast<size_t>(nIndex)];
    const int max = m_nMaxDisplayLength;
    if (path.size() <= max)
        return path;
    const QString fileName = QFileInfo(path).fileName();
    const QString prefix = QStringLiteral("/...");
    if (prefix.size() + 1 + fileName.size() > max) {
        if (fileName.size() <= max)
            return fileName;
        return fileName.left(max - 3) + QStringLiteral("...");
    }
    // Keep as many of the last folders as fit after the root and "...".
    const QStringList folders = QFileInfo(path).path().split(QLatin1Char('/'), Qt::SkipEmptyParts);
    QString tail = QLatin1Char('/') + fileName;
    for (qsizetype i = folders.size() - 1; i >= 0; --i) {
        const QString longer = QLatin1Char('/') + folders[i] + tail;
        if (prefix.size() + longer.size() > max)
            break;
        tail = longer;
    }
    return prefix + tail;
}

void CRecentFileList::UpdateMenu(CCmdUI* pCmdUI) {
    QMenu* menu = pCmdUI->m_pMenu;
    QAction* placeholder = pCmdUI->m_pAction;
    CFrameWnd* frame = AfxGetMainWnd();
    if (menu == nullptr || placeholder == nullptr || frame == nullptr)
        return;
    if (m_strOriginal.isEmpty())
        m_strOriginal = placeholder->text();
    for (UINT nID = m_nStart + 1; nID <= ID_FILE_MRU_FILE16; ++nID) {
        if (QAction* action = frame->FindCommandAction(nID))
            menu->removeAction(action);
    }
    if (m_arrNames.empty()) {
        pCmdUI->SetText(m_strOriginal);
        pCmdUI->Enable(false);
        return;
    }
    auto label = [this](int i) {
        CString name = GetDisplayName(i);
        name.replace(QLatin1Char('&'), QLatin1String("&&"));
        const QString number = i < 9 ? QStringLiteral("&%1").arg(i + 1) : QStringLiteral("1&0");
        return number + QLatin1Char(' ') + name;
    };
    pCmdUI->SetText(label(0));
    pCmdUI->Enable(true);
    const QList<QAction*> actions = menu->actions();
    const qsizetype at = actions.indexOf(placeholder);
    QAction* before = at >= 0 && at + 1 < actions.size() ? actions[at + 1] : nullptr;
    for (int i = 1; i < GetCount() && i < 16; ++i) {
        QAction* action = frame->GetCommandAction(m_nStart + static_cast<UINT>(i));
        action->setText(label(i));
        action->setEnabled(true);
        menu->insertAction(before, action);
    }
}

void CRecentFileList::ReadList(QSettings& settings) {
    m_arrNames.clear();
    settings.beginGroup(m_strSectionName);
    for (int i = 1; i <= m_nSize; ++i) {
        const CString path = settings.value(m_strEntryFormat.arg(i)).toString();
        if (!path.isEmpty() &&
            std::find(m_arrNames.begin(), m_arrNames.end(), path) == m_arrNames.end())
            m_arrNames.push_back(path);
    }
    settings.endGroup();
}

void CRecentFileList::WriteList(QSettings& settings) const {
    settings.remove(m_strSectionName);
    settings.beginGroup(m_strSectionName);
    for (int i = 0; i < GetCount(); ++i)
        settings.setValue(m_strEntryFormat.arg(i + 1), m_arrNames[static_cast<size_t>(i)]);
    settings.endGroup();
    settings.sync();
}
