#pragma once

// The one document: the open file's entries, loading and saving them, and the
// document's commands (entries, export, search, audio test). It reaches the
// tree through g_pTreeView and tells it to rebuild after the set of entries
// changed; it sends no view updates.

#include "Document.h"
#include "model/TextResourceObject.h"
#include "model/TextResourceReadReport.h"

#include <cstdint>
#include <functional>
#include <map>
#include <optional>

struct ReplacePlan;

class CLexariumDoc : public CDocument {
    DECLARE_DYNCREATE(CLexariumDoc)

public:
    CLexariumDoc();
    ~CLexariumDoc() override;

    bool OnNewDocument() override;
    bool OnOpenDocument(const CString& path) override;
    bool OnSaveDocument(const CString& path) override;
    // The title of a file that did not load whole says so until it is saved.
    void SetPathName(const CString& path, bool bAddToMRU = true) override;

    // Result codes (negative for failure).
    std::int32_t LoadFile(const CString& path);
    std::int32_t SaveFile(const CString& path);

    // Commands; each is defined in the file of its concern.
    void OnNewEntry();
    void OnDeleteEntry();
    void OnUpdateDeleteEntry(CCmdUI* pCmdUI);
    void OnUpdateNeedsEntries(CCmdUI* pCmdUI);
    void OnExport();
    void OnSearch();
    void OnReplace();
    void OnAudioTest();

    // The position of the next entry from `start` on (-1: from the first, no
    // wrap-around) whose `field` matches `text`, or -1.
    int SearchEntries(const CString& text, int field, int start);
    // Writes a previewed replace all into the entries, as one command: the
    // document is marked modified only when a field changed.
    void ApplyReplacePlan(const ReplacePlan& plan);
    // Writes the plain-text export to `path`; when it cannot be written, the
    // user is told why and the file that was there stays. False then.
    bool ExportText(const CString& path);

    // What happened to the entries, for those who keep results about them
    // (the problems list, an index of the entries): a field of the entry at a
    // position was changed, an entry was appended or removed at a position,
    // all entries were replaced (New, Open), or they were saved.
    enum class EntriesChange { Edited, Added, Removed, Reloaded, Saved };
    using EntriesObserver = std::function<void(EntriesChange change, std::uint32_t position)>;
    // Each owner has one observer; it must be removed before the owner goes.
    void AddEntriesObserver(const void* owner, EntriesObserver observer);
    void RemoveEntriesObserver(const void* owner);
    // Whoever changes the entries says so here, after the change.
    void NotifyEntriesChanged(EntriesChange change, std::uint32_t position = 0);
    // Counts the changes to the entries (not their saving): a result made at
    // one count is out of date at another.
    std::uint64_t EntriesGeneration() const { return m_nEntriesGeneration; }
    // The report of the load that gave the entries, while they are still
    // exactly what it gave; none after any change or a save.
    const TextResourceReadReport* LoadReport() const {
        return m_checkReport ? &*m_checkReport : nullptr;
    }

    // The audio test panel lives in the application layer, which sets this.
    static void (*s_pfnRunAudioTest)();

    TextResourceObject m_textResources;
    // The file whose contents the document holds (absolute; empty for a new
    // one), set as soon as Open reads it and when a save writes it under a
    // name, and a count of New and Open: what belongs to a file (its
    // reference file) follows another file, and the same one saved under a
    // new name, by these.
    CString m_strContentsPath;
    std::uint64_t m_nFileChanges = 0;

    DECLARE_MESSAGE_MAP()

private:
    // Tells the user about a load that failed or did not give the whole file.
    void ReportLoad(const CString& path, std::int32_t code);

    // The file last opened when it did not load whole (its real path), until a
    // copy of its original bytes has been kept; empty otherwise.
    CString m_strDamagedFile;
    // Whether the title marks the open file as damaged: it was read but not
    // whole, and has not been saved since.
    bool m_bMarkedDamaged = false;
    // What the last load met (kept for the messages after it).
    TextResourceReadReport m_loadReport;
    bool m_bLoadOpened = false; // whether the last load could open its file
    // The report of the last load while the entries are still exactly what
    // it gave, for the checks; none after any change or a save.
    std::optional<TextResourceReadReport> m_checkReport;
    std::uint64_t m_nEntriesGeneration = 0;
    std::map<const void*, EntriesObserver> m_entriesObservers;
};

// The one document, or null while there is none.
extern CLexariumDoc* g_pDocument; // not owned
