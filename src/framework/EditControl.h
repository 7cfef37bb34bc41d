#pragma once

// The edit fields of dialogs and forms and the operations the application's
// Edit commands need on them. A multi-line field exchanges its text with line
// breaks as CR LF (the stored form), while the widget holds "\n"; a single-line
// field with ES_UPPERCASE shows letters in upper case.

#include "AfxDefs.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <functional>

class QWidget;

class CEditLine : public QLineEdit {
    Q_OBJECT
public:
    CEditLine(DWORD dwStyle, QWidget* parent);

    // Inserts the clipboard's text, in upper case for an upper-case field.
    void PasteText();

signals:
    void focusLost();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    bool m_bUpperCase;
};

class CEditMultiLine : public QPlainTextEdit {
    Q_OBJECT
public:
    CEditMultiLine(DWORD dwStyle, QWidget* parent);

    // Called for Enter when the field takes no returns (a dialog's default button).
    std::function<void()> m_onEnter;

signals:
    void focusLost();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    DWORD m_dwStyle;
};

// Text of any control kind: edit fields, statics, buttons and group boxes.
CString AfxGetWindowText(const QWidget* pWnd);
void AfxSetWindowText(QWidget* pWnd, const CString& text);

// Edit field operations; all of them accept any widget and do nothing (or
// answer false) for one that is not an edit field.
bool AfxIsEditField(const QWidget* pWnd);
bool AfxEditHasSelection(const QWidget* pWnd);
bool AfxEditCanUndo(const QWidget* pWnd);
void AfxEditSetSel(QWidget* pWnd, int nStart, int nEnd); // nEnd -1: to the end
void AfxEditCopy(QWidget* pWnd);
void AfxEditCut(QWidget* pWnd);
void AfxEditPaste(QWidget* pWnd);
void AfxEditUndo(QWidget* pWnd);

// Whether the clipboard holds text that a paste would insert.
bool AfxClipboardHasText();

// The widget with the keyboard focus, or null.
QWidget* GetFocus();
