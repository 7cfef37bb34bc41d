#pragma once

// Dialog data exchange: DDX_Text moves a member to its control or back. Reading
// a number checks it; a refused field shows the framework's message, gets the
// focus with its text selected, and ends the exchange there.

#include "AfxDefs.h"

#include <optional>

class CWnd;
class QAbstractButton;
class QWidget;

class CUserException {};

class CDataExchange {
public:
    CDataExchange(CWnd* pDlgWnd, bool bSaveAndValidate)
        : m_bSaveAndValidate(bSaveAndValidate), m_pDlgWnd(pDlgWnd) {}

    // The control with this id; it becomes the one a failure refers to.
    QWidget* PrepareCtrl(int nIDC);
    // Shows nothing itself: selects and focuses the last prepared field, then ends the exchange.
    [[noreturn]] void Fail();

    bool m_bSaveAndValidate;
    CWnd* m_pDlgWnd; // not owned

private:
    QWidget* m_pLastControl = nullptr; // not owned
};

// A button bound to a member by DDX_Control.
class CButton {
public:
    void SetCheck(int nCheck);
    int GetCheck() const;
    QAbstractButton* m_pButton = nullptr; // not owned; set by DDX_Control
};

void DDX_Text(CDataExchange* pDX, int nIDC, CString& value);
void DDX_Text(CDataExchange* pDX, int nIDC, DWORD& value);
void DDX_Control(CDataExchange* pDX, int nIDC, CButton& rControl);

// The unsigned number in text, or none when the text is refused: blanks and
// tabs around it are skipped, "+" is accepted, "-" is not, values above the
// range read as 4294967295, a text that yields 0 must start with "0", and
// nothing but blanks and tabs may follow the digits.
std::optional<DWORD> AfxParseUInt(const CString& text);
