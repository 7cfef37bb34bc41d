#include "LexariumView_Blank.h"

#include "DataExchange.h"
#include "FormControls.h"
#include "LexariumDoc.h"
#include "ResourceIds.h"
#include "model/CountWords.h"
#include "model/TextResourceObject.h"

CLexariumView_Blank* g_pBlankView = nullptr;

IMPLEMENT_DYNCREATE(CLexariumView_Blank, CFormView)

CLexariumView_Blank::CLexariumView_Blank() : CFormView(IDD_BLANK_FORM) {
    g_pBlankView = this;
}

CLexariumView_Blank::~CLexariumView_Blank() {
    if (g_pBlankView == this)
        g_pBlankView = nullptr;
}

void CLexariumView_Blank::DoDataExchange(CDataExchange* pDX) {
    CFormView::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_STAT_ENTRIES, m_strEntries);
    DDX_Text(pDX, IDC_STAT_WORDS, m_strWords);
    DDX_Text(pDX, IDC_STAT_CHARS, m_strChars);
}

void CLexariumView_Blank::UpdateStatistics() {
    // Totals in 64 bits: the texts of a large file can hold more than 2^31 bytes.
    std::uint32_t count = 0;
    std::int64_t words = 0;
    std::int64_t chars = 0;
    if (g_pDocument != nullptr) {
        const TextResourceObject& entries = g_pDocument->m_textResources;
        count = entries.GetEntryCount();
        for (std::uint32_t i = 0; i < count; ++i) {
            const std::string& text = entries.GetEntry(i)->text;
            words += CountWords(text);
            chars += static_cast<std::int64_t>(text.size());
        }
    }
    m_strEntries = QString::number(count);
    m_strWords = QString::number(words);
    m_strChars = QString::number(chars);
    for (int id : {IDC_STAT_ENTRIES, IDC_STAT_WORDS, IDC_STAT_CHARS}) {
        if (QWidget* control = GetDlgItem(id))
            control->show();
    }
    UpdateData(false);
}
