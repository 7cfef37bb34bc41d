#pragma once

// The statistics form in the right pane (template 131): totals of entries,
// words and characters over the whole file.

#include "FormView.h"

class CLexariumView_Blank : public CFormView {
    DECLARE_DYNCREATE(CLexariumView_Blank)

public:
    CLexariumView_Blank();
    ~CLexariumView_Blank() override;

    void DoDataExchange(CDataExchange* pDX) override;
    // Recomputes and shows the three totals.
    void UpdateStatistics();

    CString m_strEntries;
    CString m_strWords;
    CString m_strChars;

    DECLARE_MESSAGE_MAP()
};

// The statistics form while it exists, else null.
extern CLexariumView_Blank* g_pBlankView; // not owned
