// The statistics form.

#include "LexariumView_Blank.h"

#include "DataExchange.h"
#include "ResourceIds.h"

CLexariumView_Blank* g_pBlankView = nullptr;

IMPLEMENT_DYNCREATE(CLexariumView_Blank, CFormView)

BEGIN_MESSAGE_MAP(CLexariumView_Blank, CFormView)
END_MESSAGE_MAP()

CLexariumView_Blank::CLexariumView_Blank() : CFormView(IDD_BLANK_FORM) {
    g_pBlankView = this;
}

CLexariumView_Blank::~CLexariumView_Blank() {
    if (g_pBlankView == this)
        g_pBlankView = nullptr;
}

void CLexariumView_Blank::DoDataExchange(CDataExchange* pDX) {
    DDX_Text(pDX, 1012, m_strEntries);
    DDX_Text(pDX, 1018, m_strWords);
    DDX_Text(pDX, 1019, m_strChars);
}

void CLexariumView_Blank::UpdateStatistics() {}
