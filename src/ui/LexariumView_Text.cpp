// The editor form.

#include "LexariumView_Text.h"

#include "DataExchange.h"
#include "ResourceIds.h"

CLexariumView_Text* g_pTextView = nullptr;

IMPLEMENT_DYNCREATE(CLexariumView_Text, CFormView)

BEGIN_MESSAGE_MAP(CLexariumView_Text, CFormView)
END_MESSAGE_MAP()

CLexariumView_Text::CLexariumView_Text() : CFormView(IDD_TEXT_FORM) {
    g_pTextView = this;
}

CLexariumView_Text::~CLexariumView_Text() {
    if (g_pTextView == this)
        g_pTextView = nullptr;
}

void CLexariumView_Text::DoDataExchange(CDataExchange* pDX) {
    DDX_Text(pDX, 1000, m_dwId);
    DDX_Text(pDX, 1001, m_strIdentifier);
    DDX_Text(pDX, 1003, m_strAudioFile);
    DDX_Text(pDX, 1002, m_strText);
    DDX_Text(pDX, 1009, m_strComment);
    DDX_Text(pDX, 1015, m_strCommentWords);
    DDX_Text(pDX, 1014, m_strTextWords);
    DDX_Text(pDX, 1017, m_strCommentChars);
    DDX_Text(pDX, 1016, m_strTextChars);
    DDX_Text(pDX, 1020, m_strSpeaker);
    DDX_Text(pDX, 1041, m_dwLength);
}

void CLexariumView_Text::FillFromEntry() {}

void CLexariumView_Text::ShowEntryFields(bool) {}

void CLexariumView_Text::UpdateTextCounters() {}

void CLexariumView_Text::UpdateCommentCounters() {}
