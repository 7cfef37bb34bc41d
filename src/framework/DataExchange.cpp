// Data exchange of texts and unsigned numbers, with the number rules.

#include "DataExchange.h"

#include "EditControl.h"
#include "Prompts.h"
#include "Resources.h"
#include "Wnd.h"

#include <QAbstractButton>

QWidget* CDataExchange::PrepareCtrl(int nIDC) {
    m_pLastControl = m_pDlgWnd->GetDlgItem(nIDC);
    return m_pLastControl;
}

void CDataExchange::Fail() {
    if (m_pLastControl != nullptr) {
        m_pLastControl->setFocus(Qt::OtherFocusReason);
        AfxEditSetSel(m_pLastControl, 0, -1);
    }
    throw CUserException();
}

void CButton::SetCheck(int nCheck) {
    if (m_pButton != nullptr && m_pButton->isChecked() != (nCheck != 0))
        m_pButton->setChecked(nCheck != 0);
}

int CButton::GetCheck() const {
    return m_pButton != nullptr && m_pButton->isChecked() ? 1 : 0;
}

void DDX_Text(CDataExchange* pDX, int nIDC, CString& value) {
    QWidget* control = pDX->PrepareCtrl(nIDC);
    if (control == nullptr)
        return;
    if (pDX->m_bSaveAndValidate)
        value = AfxGetWindowText(control);
    else if (AfxGetWindowText(control) != value)
        AfxSetWindowText(control, value);
}

void DDX_Text(CDataExchange* pDX, int nIDC, DWORD& value) {
    QWidget* control = pDX->PrepareCtrl(nIDC);
    if (control == nullptr)
        return;
    if (!pDX->m_bSaveAndValidate) {
        const CString text = QString::number(value);
        if (AfxGetWindowText(control) != text)
            AfxSetWindowText(control, text);
        return;
    }
    const std::optional<DWORD> number = AfxParseUInt(AfxGetWindowText(control));
    if (!number) {
        AfxMessageBox(AFX_IDP_PARSE_UINT, MB_OK | MB_ICONEXCLAMATION);
        pDX->Fail();
    }
    value = *number;
}

void DDX_Control(CDataExchange* pDX, int nIDC, CButton& rControl) {
    if (rControl.m_pButton == nullptr)
        rControl.m_pButton = qobject_cast<QAbstractButton*>(pDX->PrepareCtrl(nIDC));
}

std::optional<DWORD> AfxParseUInt(const CString& text) {
    auto isBlank = [](QChar c) { return c == QLatin1Char(' ') || c == QLatin1Char('\t'); };
    qsizetype pos = 0;
    const qsizetype size = text.size();
    while (pos < size && isBlank(text[pos]))
        ++pos;
    const QChar first = pos < size ? text[pos] : QChar();
    if (first == QLatin1Char('-'))
        return std::nullopt;
    if (first == QLatin1Char('+'))
        ++pos;
    unsigned long long value = 0;
    while (pos < size && text[pos] >= QLatin1Char('0') && text[pos] <= QLatin1Char('9')) {
        value = value * 10 + static_cast<unsigned>(text[pos].unicode() - '0');
        if (value > 0xFFFFFFFFull)
            value = 0x100000000ull; // stays above the range however many digits follow
        ++pos;
    }
    while (pos < size && isBlank(text[pos]))
        ++pos;
    if (pos != size)
        return std::nullopt;
    if (value == 0 && first != QLatin1Char('0'))
        return std::nullopt;
    return value > 0xFFFFFFFFull ? DWORD(0xFFFFFFFF) : DWORD(value);
}
