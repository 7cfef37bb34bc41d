// The statistics form of the right pane, shown while the tree's root is
// selected: the number of entries and the words and characters of all texts.
#pragma once

#include "FormView.h"

class CLexariumView_Blank : public CFormView {
    DECLARE_DYNCREATE(CLexariumView_Blank)

public:
    CLexariumView_Blank();
    ~CLexariumView_Blank() override;

    // Recounts the open file and shows the three totals.
    void UpdateStatistics();

    CString m_strEntries;
    CString m_strWords;
    CString m_strChars;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
};

extern CLexariumView_Blank* g_pBlankView; // not owned: the live statistics form, or null
