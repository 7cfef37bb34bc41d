// The document's life: New, Open and Save of the one ".trs" file, with the
// load and save messages, each with its reason, and the warning after a file
// that did not load whole. Saving goes through the safe-save routine, so a
// failed save never leaves a damaged file behind, and the first save over a
// file that did not load whole keeps a copy of its original bytes.

#include "LexariumDoc.h"

#include "CmdUI.h"
#include "DocumentMessages.h"
#include "EntryTree.h"
#include "Prompts.h"
#include "ResourceIds.h"
#include "check/LoadDamage.h"
#include "platform/FileBackup.h"
#include "support/tsFailureReason.h"
#include "support/tsResult.h"
#include "support/tsSafeSave.h"
#include "support/tsStream.h"
#include "support/tsTrace.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

CLexariumDoc* g_pDocument = nullptr;
CEntryTree* g_pTreeView = nullptr;

namespace {

constexpr const char* kModule = "Lexarium\\LexariumDoc.cpp";
// The trace line that callers rely on, kept on purpose whatever line the code is on.
constexpr int kLineOpenFailed = 240;

QByteArray FileName(const CString& path) {
    return QFile::encodeName(path);
}

// The file a path names once links are followed; empty when there is none.
CString RealFile(const CString& path) {
    return QFileInfo(path).canonicalFilePath();
}

// The path as the document's path name holds it.
CString AbsolutePath(const CString& path) {
    return QDir::cleanPath(QFileInfo(path).absoluteFilePath());
}

// Forgets the current entry before the entries it may point into go.
void ForgetCurrentEntry() {
    if (g_pTreeView != nullptr)
        g_pTreeView->m_pCurrentEntry = nullptr;
}

} // namespace

IMPLEMENT_DYNCREATE(CLexariumDoc, CDocument)

BEGIN_MESSAGE_MAP(CLexariumDoc, CDocument)
ON_COMMAND(ID_ENTRY_NEW, &CLexariumDoc::OnNewEntry)
ON_COMMAND(ID_ENTRY_DELETE, &CLexariumDoc::OnDeleteEntry)
ON_UPDATE_COMMAND_UI(ID_ENTRY_DELETE, &CLexariumDoc::OnUpdateDeleteEntry)
ON_COMMAND(ID_FILE_EXPORT, &CLexariumDoc::OnExport)
ON_UPDATE_COMMAND_UI(ID_FILE_EXPORT, &CLexariumDoc::OnUpdateNeedsEntries)
ON_COMMAND(ID_AUDIO_TEST, &CLexariumDoc::OnAudioTest)
ON_UPDATE_COMMAND_UI(ID_AUDIO_TEST, &CLexariumDoc::OnUpdateNeedsEntries)
ON_COMMAND(ID_EDIT_SEARCH, &CLexariumDoc::OnSearch)
ON_UPDATE_COMMAND_UI(ID_EDIT_SEARCH, &CLexariumDoc::OnUpdateNeedsEntries)
ON_COMMAND(ID_TOOLBAR_SEARCH, &CLexariumDoc::OnSearch)
ON_UPDATE_COMMAND_UI(ID_TOOLBAR_SEARCH, &CLexariumDoc::OnUpdateNeedsEntries)
ON_COMMAND(ID_EDIT_REPLACE, &CLexariumDoc::OnReplace)
ON_UPDATE_COMMAND_UI(ID_EDIT_REPLACE, &CLexariumDoc::OnUpdateNeedsEntries)
END_MESSAGE_MAP()

CLexariumDoc::CLexariumDoc() {
    g_pDocument = this;
}

CLexariumDoc::~CLexariumDoc() {
    g_pDocument = nullptr;
    ForgetCurrentEntry();
}

bool CLexariumDoc::OnNewDocument() {
    if (!CDocument::OnNewDocument())
        return false;
    m_strDamagedFile.clear();
    m_strContentsPath.clear();
    ++m_nFileChanges;
    m_bMarkedDamaged = false;
    ForgetCurrentEntry();
    m_textResources.Clear();
    m_checkReport.reset();
    NotifyEntriesChanged(EntriesChange::Reloaded);
    // The views' initial update that follows rebuilds the tree.
    return true;
}

bool CLexariumDoc::OnOpenDocument(const CString& path) {
    m_strContentsPath = AbsolutePath(path);
    ++m_nFileChanges;
    ForgetCurrentEntry();
    m_textResources.Clear();
    const std::int32_t code = LoadFile(path);
    ReportLoad(path, code);
    if (g_pTreeView != nullptr)
        g_pTreeView->RebuildTree();
    NotifyEntriesChanged(EntriesChange::Reloaded);
    if (code < 0)
        ASSERT_HRESULT(kModule, kLineOpenFailed, code);
    // Also a failed load counts as opened: the document takes the path.
    return true;
}

std::int32_t CLexariumDoc::LoadFile(const CString& path) {
    tsFileStream stream;
    m_loadReport = TextResourceReadReport();
    m_checkReport.reset();
    std::int32_t code = stream.Open(FileName(path).constData(), TS_OPEN_READ);
    m_bLoadOpened = code >= 0;
    if (code >= 0) {
        code = m_textResources.Read(stream, m_loadReport);
        if (code >= 0)
            SetModifiedFlag(false);
        m_checkReport = m_loadReport; // what the checks tell of the damage, if any
    }
    // Whatever stopped the reader (damage, a file it could not read) may have
    // left bytes that a save would drop; a file that is not there, or is
    // empty, has none.
    const bool empty = m_bLoadOpened && code == E_FAIL && m_loadReport.bytesRead == 0;
    const bool whole = code == TS_E_FILE_NOT_FOUND || code == TS_E_PATH_NOT_FOUND || empty ||
                       (code >= 0 && m_loadReport.LoadedWhole());
    m_strDamagedFile = whole ? CString() : RealFile(path);
    m_bMarkedDamaged = m_bLoadOpened && !whole;
    return code; // the stream closes as it goes out of scope
}

void CLexariumDoc::ReportLoad(const CString& path, std::int32_t code) {
    if (code < 0) {
        AfxMessageBox(LoadErrorMessage(path, tsLoadFailureReason(code, FileName(path).constData(),
                                                                 m_loadReport.bytesRead)),
                      MB_OK);
    } else if (const auto damage = check::DescribeLoadDamage(m_loadReport, m_textResources)) {
        // The file opens all the same; the user learns what a save would change.
        const std::vector<std::string> folders = platform::BackupFolders();
        const CString backups =
            folders.empty() ? CString() : QFile::decodeName(folders.front().c_str());
        AfxMessageBox(DamageWarning(path, *damage, m_textResources.GetEntryCount(), backups),
                      MB_OK | MB_ICONEXCLAMATION);
    }
    m_loadReport = TextResourceReadReport(); // the problems of a big file go
}

void CLexariumDoc::SetPathName(const CString& path, bool bAddToMRU) {
    CDocument::SetPathName(path, bAddToMRU);
    if (m_bMarkedDamaged)
        SetTitle(GetTitle() + QString::fromLatin1(kDamagedMark));
}

bool CLexariumDoc::OnSaveDocument(const CString& path) {
    if (SaveFile(path) < 0)
        return false;
    m_strContentsPath = AbsolutePath(path);
    return true;
}

std::int32_t CLexariumDoc::SaveFile(const CString& path) {
    // Every failure is told with its reason, also one before anything was
    // written (a file that cannot be created, or is held by another program).
    tsSafeSaveOptions options;
    options.keepOldContent = !m_strDamagedFile.isEmpty() && RealFile(path) == m_strDamagedFile;
    tsSafeSaveReport report;
    const QByteArray name = FileName(path);
    const bool existed = QFileInfo(path).isFile();
    const std::int32_t code = tsSaveFileSafely(
        name.constData(), [&](tsOutputStream& stream) { return m_textResources.Write(stream); },
        options, &report);
    if (options.keepOldContent && !report.backupPath.empty())
        m_strDamagedFile.clear(); // its original bytes are kept
    if (code < 0) {
        AfxMessageBox(SaveErrorMessage(path, tsSaveFailureReason(code, name.constData()), existed,
                                       report.backupPath),
                      MB_OK);
        return code;
    }
    SetModifiedFlag(false);
    if (m_bMarkedDamaged) {
        // What the file holds now is what the document shows.
        m_bMarkedDamaged = false;
        CString title = GetTitle();
        if (title.endsWith(QString::fromLatin1(kDamagedMark)))
            title.chop(qsizetype(std::char_traits<char>::length(kDamagedMark)));
        SetTitle(title);
    }
    NotifyEntriesChanged(EntriesChange::Saved);
    return code;
}

void CLexariumDoc::AddEntriesObserver(const void* owner, EntriesObserver observer) {
    m_entriesObservers[owner] = std::move(observer);
}

void CLexariumDoc::RemoveEntriesObserver(const void* owner) {
    m_entriesObservers.erase(owner);
}

void CLexariumDoc::NotifyEntriesChanged(EntriesChange change, std::uint32_t position) {
    if (change != EntriesChange::Saved)
        ++m_nEntriesGeneration;
    // The report describes the entries as loaded; after a change or a save
    // (which writes them whole) it no longer does.
    if (change != EntriesChange::Reloaded)
        m_checkReport.reset();
    // An observer may remove itself (or another) while it is told.
    const auto observers = m_entriesObservers;
    for (const auto& [owner, observer] : observers) {
        if (m_entriesObservers.count(owner) != 0)
            observer(change, position);
    }
}

void CLexariumDoc::OnUpdateDeleteEntry(CCmdUI* pCmdUI) {
    pCmdUI->Enable(m_textResources.GetEntryCount() > 0 && g_pTreeView != nullptr &&
                   g_pTreeView->m_pCurrentEntry != nullptr);
}

void CLexariumDoc::OnUpdateNeedsEntries(CCmdUI* pCmdUI) {
    pCmdUI->Enable(m_textResources.GetEntryCount() > 0);
}
