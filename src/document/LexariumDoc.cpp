// The document's life: New, Open and Save of the one ".trs" file, with the
// load and save messages. Saving goes through the safe-save routine, so a
// failed save never leaves a damaged file behind, and the first save over a
// file that did not load whole keeps a copy of its original bytes.

#include "LexariumDoc.h"

#include "CmdUI.h"
#include "EntryTree.h"
#include "Prompts.h"
#include "ResourceIds.h"
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
    ForgetCurrentEntry();
    m_textResources.Clear();
    m_loadReport.reset();
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
    if (code < 0)
        AfxMessageBox(QStringLiteral("An error accured while loading this file!"), MB_OK);
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
    TextResourceReadReport report;
    m_loadReport.reset();
    std::int32_t code = stream.Open(FileName(path).constData(), TS_OPEN_READ);
    if (code >= 0) {
        code = m_textResources.Read(stream, report);
        if (code >= 0)
            SetModifiedFlag(false);
        m_loadReport = report; // what the checks tell of the damage, if any
    }
    // Whatever stopped the reader (damage, a file it could not read) may have
    // left bytes that a save would drop; a file that is not there has none.
    const bool whole = code == TS_E_FILE_NOT_FOUND || code == TS_E_PATH_NOT_FOUND ||
                       (code >= 0 && report.LoadedWhole());
    m_strDamagedFile = whole ? CString() : RealFile(path);
    return code; // the stream closes as it goes out of scope
}

bool CLexariumDoc::OnSaveDocument(const CString& path) {
    if (SaveFile(path) < 0)
        return false;
    m_strContentsPath = AbsolutePath(path);
    return true;
}

std::int32_t CLexariumDoc::SaveFile(const CString& path) {
    // A file that cannot be created or is held by another program fails before
    // any content is written, and that failure is silent.
    tsSafeSaveOptions options;
    options.keepOldContent = !m_strDamagedFile.isEmpty() && RealFile(path) == m_strDamagedFile;
    tsSafeSaveReport report;
    const std::int32_t code = tsSaveFileSafely(
        FileName(path).constData(),
        [&](tsOutputStream& stream) { return m_textResources.Write(stream); }, options, &report);
    if (options.keepOldContent && !report.backupPath.empty())
        m_strDamagedFile.clear(); // its original bytes are kept
    if (code < 0) {
        if (!report.notOpened) {
            CString text = QStringLiteral("An error accured while saving this file!");
            if (!report.backupPath.empty())
                text += QStringLiteral("\nThe file's previous content is kept in %1")
                            .arg(QFile::decodeName(report.backupPath.c_str()));
            AfxMessageBox(text, MB_OK);
        }
        return code;
    }
    SetModifiedFlag(false);
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
        m_loadReport.reset();
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
