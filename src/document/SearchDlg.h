// The search dialog: stays open while the user presses "Search" again and
// again, each press selecting the next matching entry in the tree.
#pragma once

#include "DataExchange.h"
#include "Dialog.h"
#include "EntrySearch.h"
#include "ResourceIds.h"

#include <QWidget>

struct DLGTEMPLATE;

// Resource id of the dialog's template and its controls.
constexpr int IDC_SEARCH_TEXT = 1048;
constexpr int IDC_SEARCH_IN_ID = 1049;
constexpr int IDC_SEARCH_IN_TEXT = 1050;
constexpr int IDC_SEARCH_IN_IDENTIFIER = 1051;
constexpr int IDC_SEARCH_IN_AUDIO = 1052;
constexpr int IDC_SEARCH_IN_COMMENT = 1053;

// The dialog's layout in dialog units.
const DLGTEMPLATE& SearchDlgTemplate();

class CSearchDlg : public CDialog {
public:
    explicit CSearchDlg(QWidget* pParent = nullptr);

    // Marks the button of m_nSearchField and clears the other four.
    void UpdateFieldButtons();

    int m_nSearchField = SEARCH_IN_TEXT;
    // Where the next press starts looking; -1: from the first entry, no wrap-around.
    int m_nNextStart = -1;
    CButton m_btnSearchInIdentifier;
    CButton m_btnSearchInComment;
    CButton m_btnSearchInAudio;
    CButton m_btnSearchInText;
    CButton m_btnSearchInId;
    CString m_strSearch;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    bool OnInitDialog() override;
    // "Search": finds the next hit and selects it; the dialog stays open.
    void OnOK() override;

    // A field's button: searches that field.
    void OnSearchIn(UINT nID);

    DECLARE_MESSAGE_MAP()
};
