#pragma once

// The edit fields of dialogs and forms and the operations the application's
// Edit commands need on them. Both kinds give back exactly the text they were
// given, changed only where the user edited it. A single-line field holds its
// text as it is (the widget keeps every character; control characters and
// line breaks show as blanks); a multi-line field keeps its stored text beside
// the widget (EditBuffer.h says how it is shown), and breaks the user types or
// pastes are stored as CR LF. A single-line field with ES_UPPERCASE shows the
// letters the user enters in upper case, by every way text enters it.

#include "AfxDefs.h"
#include "EditBuffer.h"

#include <QClipboard>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <functional>

class QWidget;

class CEditLine : public QLineEdit {
    Q_OBJECT
public:
    CEditLine(DWORD dwStyle, QWidget* parent);

    // Inserts the clipboard's text (its first line) as the user's input.
    void PasteText(QClipboard::Mode mode = QClipboard::Clipboard);
    // What text the user puts in becomes: a pasted or dropped text keeps its
    // first line; an upper-case field turns each letter into its capital where
    // that is one character too (so "ß" stays "ß").
    QString EnteringText(const QString& text, bool bPasted) const;

signals:
    void focusLost();

protected:
    // QLineEdit has no one place that sees only the user's input (its undo
    // and the program's texts pass the same ways), so each way in is taken
    // here and led through EnteringText: keys, input method, drop, middle
    // click and the context menu's Paste; the Edit menu calls PasteText.
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    bool m_bUpperCase;
};

class CEditMultiLine : public QPlainTextEdit {
    Q_OBJECT
public:
    CEditMultiLine(DWORD dwStyle, QWidget* parent);

    // The program's text: shown, and given back as it is until the user edits it.
    void SetStoredText(const CString& text);
    const CString& StoredText() const { return m_buffer.Text(); }

    // Called for Enter when the field takes no returns (a dialog's default button).
    std::function<void()> m_onEnter;

signals:
    void focusLost();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void OnContentsChange(int nPos, int nRemoved, int nAdded);

    DWORD m_dwStyle;
    CEditBuffer m_buffer;
    bool m_bSetting = false;
};

// Text of any control kind: edit fields, statics, buttons and group boxes.
CString AfxGetWindowText(const QWidget* pWnd);
void AfxSetWindowText(QWidget* pWnd, const CString& text);

// Edit field operations; all of them accept any widget and do nothing (or
// answer false) for one that is not an edit field.
bool AfxIsEditField(const QWidget* pWnd);
// EM_SETREADONLY: the field shows its text but takes no typing.
void AfxEditSetReadOnly(QWidget* pWnd, bool bReadOnly);
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
