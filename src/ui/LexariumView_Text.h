// The entry editor form of the right pane: every field of the current entry,
// stored into the entry at each change, with word and character counters, the
// check that identifiers are unique, the Edit commands for its fields and the
// two listen buttons.
#pragma once

#include "FormView.h"

class CCmdUI;
class TextResourceEntry;

class CLexariumView_Text : public CFormView {
    DECLARE_DYNCREATE(CLexariumView_Text)

public:
    CLexariumView_Text();
    ~CLexariumView_Text() override;

    // Copies the current entry into the form; needs a current entry. The
    // fields take input again.
    void FillFromEntry();
    // With no current entry (before the first selection, after delete entry,
    // New and Open) the fields show nothing and take no input, greyed, so
    // nothing the user types is thrown away.
    void ShowNoEntry();
    void ShowEntryFields(bool show);
    void UpdateTextCounters();
    void UpdateCommentCounters();
    // The number of entries whose identifier is exactly this text.
    int CountIdentifier(CString text);
    // Plays the current entry's recording, or its female take, if it is found.
    void ListenToEntry(bool female);

    DWORD m_dwId = 0;
    CString m_strIdentifier;
    CString m_strAudioFile;
    CString m_strText;
    CString m_strComment;
    CString m_strCommentWords;
    CString m_strTextWords;
    CString m_strCommentChars;
    CString m_strTextChars;
    CString m_strSpeaker;
    DWORD m_dwLength = 0;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void OnInitialUpdate() override;

    void OnChangeId();
    void OnChangeIdentifier();
    void OnChangeAudioFile();
    void OnChangeText();
    void OnChangeComment();
    void OnChangeSpeaker();
    void OnChangeLength();
    void OnKillfocusIdentifier();
    void OnListen();
    void OnListenFemale();

    void OnEditCopy();
    void OnEditCut();
    void OnEditPaste();
    void OnEditUndo();
    void OnUpdateEditCopyCut(CCmdUI* pCmdUI);
    void OnUpdateEditPaste(CCmdUI* pCmdUI);
    void OnUpdateEditUndo(CCmdUI* pCmdUI);

    DECLARE_MESSAGE_MAP()

private:
    TextResourceEntry* CurrentEntry() const;
    // The storing pattern of the change handlers: read the form, then write the
    // handler's field into the current entry, or, without one, undo the change.
    TextResourceEntry* BeginChange();
    void UndoChange(CString& member);
    void UndoChange(DWORD& member);
    void MarkModified();
    // The entry's fields and listen buttons take input, or are greyed.
    void EnableEntryFields(bool enable);
};

extern CLexariumView_Text* g_pTextView; // not owned: the live editor form, or null
