#pragma once

// The editor form in the right pane (template 130): it shows and edits the
// tree's current entry field by field.

#include "FormView.h"

class CLexariumView_Text : public CFormView {
    DECLARE_DYNCREATE(CLexariumView_Text)

public:
    CLexariumView_Text();
    ~CLexariumView_Text() override;

    void DoDataExchange(CDataExchange* pDX) override;

    // Copies the current entry into the form.
    void FillFromEntry();
    // Shows or hides the entry's edit fields and their labels.
    void ShowEntryFields(bool show);
    void UpdateTextCounters();
    void UpdateCommentCounters();

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

    DECLARE_MESSAGE_MAP()
};

// The editor form while it exists, else null.
extern CLexariumView_Text* g_pTextView; // not owned
