// The main frame's reference file: the Tools command that opens one, the pane
// that shows the current entry's counterpart, and the settings that open it
// again with its file.

#include "EntryText.h"
#include "EntryTree.h"
#include "LexariumDoc.h"
#include "MainFrame.h"
#include "Prompts.h"
#include "ReferencePane.h"
#include "ReferenceSettings.h"
#include "ResourceIds.h"
#include "WinApp.h"
#include "model/TextResourceEntry.h"
#include "support/tsResult.h"

#include <QFileInfo>
#include <QSettings>

namespace {

// Why a file could not be opened for reading, in plain words.
QString OpenFailure(const CString& path, std::int32_t code) {
    const QFileInfo info(path);
    if (code == TS_E_FILE_NOT_FOUND || code == TS_E_PATH_NOT_FOUND || !info.exists())
        return QStringLiteral("The file is not there.");
    if (info.isDir())
        return QStringLiteral("It is a folder, not a file.");
    if (code == E_ACCESSDENIED || !info.isReadable())
        return QStringLiteral("There is no permission to read it.");
    return QStringLiteral("It could not be read (error 0x%1).")
        .arg(quint32(code), 8, 16, QLatin1Char('0'))
        .toUpper()
        .replace(QStringLiteral("0X"), QStringLiteral("0x"));
}

QString DamageWarning(const CString& path, const check::LoadDamage& damage) {
    QString text = QStringLiteral("The reference file %1 did not load whole; it is shown as far "
                                  "as it could be read.\n")
                       .arg(QFileInfo(path).fileName());
    const check::Finding& first = damage.first;
    if (first.OfEntry())
        text += QStringLiteral("Entry %1 (id %2, identifier \"%3\"): ")
                    .arg(first.position + 1)
                    .arg(first.id)
                    .arg(FromUtf8(first.identifier));
    text += FromUtf8(first.detail);
    if (damage.more > 0)
        text += QStringLiteral("\n%1 more %2; lexarium-tool check lists them all.")
                    .arg(damage.more)
                    .arg(damage.more == 1 ? QStringLiteral("problem") : QStringLiteral("problems"));
    return text;
}

std::unique_ptr<QSettings> Profile() {
    CWinApp* app = AfxGetApp();
    return app != nullptr ? app->OpenProfile() : nullptr;
}

} // namespace

void CMainFrame::CreateReferencePane() {
    m_pReferencePane = new CReferencePane(this);
    addDockWidget(Qt::RightDockWidgetArea, m_pReferencePane);
    // Out of the way until a reference is opened; the View menu shows it.
    m_pReferencePane->hide();
    RegisterControlBar(ID_VIEW_REFERENCE, m_pReferencePane);
}

void CMainFrame::OnOpenReference() {
    CString path = m_pReference ? m_pReference->GetPath() : CString();
    CWinApp* app = AfxGetApp();
    if (app == nullptr || !app->DoPromptFileName(path, AFX_IDS_OPENFILE, 0, true, nullptr))
        return; // cancelled
    if (!OpenReference(path, false))
        return;
    if (g_pDocument != nullptr)
        if (std::unique_ptr<QSettings> settings = Profile())
            RememberReference(*settings, g_pDocument->m_strContentsPath, m_pReference->GetPath());
}

bool CMainFrame::OpenReference(const CString& path, bool remembered) {
    auto reference = std::make_unique<CReferenceFile>();
    const CString absolute = QFileInfo(path).absoluteFilePath();
    const CReferenceFile::LoadResult result = reference->Load(absolute);
    if (result.code < 0) {
        const QString why = QStringLiteral("The reference file %1 could not be opened. %2")
                                .arg(absolute, OpenFailure(absolute, result.code));
        // Asked for: a message. Opened with its file: a hint is enough.
        if (remembered)
            SetMessageText(why);
        else
            AfxMessageBox(why, MB_OK | MB_ICONEXCLAMATION);
        return false;
    }
    m_pReference = std::move(reference);
    m_problems.SetReference(m_pReference->Shared());
    m_pReferencePane->show();
    m_pReferencePane->raise();
    RefreshReferencePane(true);
    if (result.damage)
        AfxMessageBox(DamageWarning(absolute, *result.damage), MB_OK | MB_ICONEXCLAMATION);
    return true;
}

void CMainFrame::FollowDocument() {
    if (g_pDocument == nullptr)
        return;
    const CString& path = g_pDocument->m_strContentsPath;
    const std::uint64_t changes = g_pDocument->m_nFileChanges;
    if (changes == m_nFollowedChanges && path == m_strFollowedPath)
        return;
    const bool anotherFile = changes != m_nFollowedChanges;
    m_nFollowedChanges = changes;
    m_strFollowedPath = path;
    if (m_pRecordingStatus)
        m_pRecordingStatus->Follow(ToUtf8(path));
    std::unique_ptr<QSettings> settings = Profile();
    if (!anotherFile) {
        // The same contents under a new name: the reference goes with them.
        if (m_pReference && settings)
            RememberReference(*settings, path, m_pReference->GetPath());
        return;
    }
    m_pReference.reset();
    m_problems.SetReference(nullptr);
    const CString remembered = settings ? RememberedReference(*settings, path) : CString();
    if (!remembered.isEmpty())
        OpenReference(remembered, true);
    RefreshReferencePane(true);
}

void CMainFrame::OnCurrentEntryChanged() {
    RefreshReferencePane(false);
}

void CMainFrame::OnUpdateFrameTitle(bool bAddToTitle) {
    CFrameWnd::OnUpdateFrameTitle(bAddToTitle);
    if (m_pReferencePane == nullptr)
        return; // still being created
    FollowDocument();
    RefreshReferencePane(false);
}

void CMainFrame::RefreshReferencePane(bool force) {
    if (m_pReferencePane == nullptr)
        return; // the frame is still being made
    const TextResourceEntry* current =
        g_pTreeView != nullptr ? g_pTreeView->m_pCurrentEntry : nullptr;
    const std::string identifier = current != nullptr ? current->identifier : std::string();
    if (!force && current == m_pShownEntry && identifier == m_strShownIdentifier &&
        m_pReference.get() == m_pShownReference)
        return;
    m_pShownEntry = current;
    m_strShownIdentifier = identifier;
    m_pShownReference = m_pReference.get();
    m_pReferencePane->ShowEntry(m_pReference.get(), current);
}
