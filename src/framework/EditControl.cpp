// Edit fields and the text and clipboard operations on controls.

#include "EditControl.h"

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QMimeData>

CEditLine::CEditLine(DWORD dwStyle, QWidget* parent)
    : QLineEdit(parent), m_bUpperCase((dwStyle & ES_UPPERCASE) != 0) {
    setFrame((dwStyle & WS_BORDER) != 0);
    setReadOnly((dwStyle & ES_READONLY) != 0);
}

void CEditLine::PasteText() {
    if (isReadOnly())
        return;
    QString text = QApplication::clipboard()->text();
    // A single-line field takes the clipboard's first line.
    text = text.section(QLatin1Char('\n'), 0, 0);
    text.remove(QLatin1Char('\r'));
    insert(m_bUpperCase ? text.toUpper() : text);
}

void CEditLine::keyPressEvent(QKeyEvent* event) {
    // Upper case is applied to what is typed, so the field's undo stays intact.
    if (m_bUpperCase && event == QKeySequence::Paste) {
        PasteText();
        return;
    }
    const QString text = event->text();
    if (m_bUpperCase && !text.isEmpty() && text != text.toUpper()) {
        QKeyEvent upper(event->type(), event->key(), event->modifiers(), text.toUpper(),
                        event->isAutoRepeat(), ushort(event->count()));
        QLineEdit::keyPressEvent(&upper);
        event->setAccepted(upper.isAccepted());
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void CEditLine::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    emit focusLost();
}

CEditMultiLine::CEditMultiLine(DWORD dwStyle, QWidget* parent)
    : QPlainTextEdit(parent), m_dwStyle(dwStyle) {
    if (!(dwStyle & WS_BORDER))
        setFrameShape(QFrame::NoFrame);
    setReadOnly((dwStyle & ES_READONLY) != 0);
    setTabChangesFocus(true);
    // Without a horizontal scroll bar the lines wrap, unless the field scrolls sideways.
    const bool wrap = !(dwStyle & WS_HSCROLL) && !(dwStyle & ES_AUTOHSCROLL);
    setLineWrapMode(wrap ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
    setVerticalScrollBarPolicy((dwStyle & WS_VSCROLL) ? Qt::ScrollBarAlwaysOn
                                                      : Qt::ScrollBarAlwaysOff);
    setHorizontalScrollBarPolicy((dwStyle & WS_HSCROLL) ? Qt::ScrollBarAlwaysOn
                                                        : Qt::ScrollBarAlwaysOff);
}

void CEditMultiLine::keyPressEvent(QKeyEvent* event) {
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (!enter || isReadOnly()) {
        QPlainTextEdit::keyPressEvent(event);
        return;
    }
    // In a dialog Enter presses the default button; Ctrl+Enter still breaks the line.
    if (!(m_dwStyle & ES_WANTRETURN) && m_onEnter && !(event->modifiers() & Qt::ControlModifier)) {
        m_onEnter();
        return;
    }
    // Always a plain line break, never Qt's separate in-paragraph separator.
    insertPlainText(QStringLiteral("\n"));
}

void CEditMultiLine::focusOutEvent(QFocusEvent* event) {
    QPlainTextEdit::focusOutEvent(event);
    emit focusLost();
}

CString AfxGetWindowText(const QWidget* pWnd) {
    if (auto* edit = qobject_cast<const QLineEdit*>(pWnd))
        return edit->text();
    if (auto* edit = qobject_cast<const QPlainTextEdit*>(pWnd)) {
        CString text = edit->toPlainText();
        text.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
        return text;
    }
    if (auto* label = qobject_cast<const QLabel*>(pWnd))
        return label->text();
    if (auto* button = qobject_cast<const QAbstractButton*>(pWnd))
        return button->text();
    if (auto* group = qobject_cast<const QGroupBox*>(pWnd))
        return group->title();
    return pWnd != nullptr ? pWnd->windowTitle() : CString();
}

void AfxSetWindowText(QWidget* pWnd, const CString& text) {
    if (auto* edit = qobject_cast<QLineEdit*>(pWnd)) {
        edit->setText(text);
    } else if (auto* multi = qobject_cast<QPlainTextEdit*>(pWnd)) {
        CString plain = text;
        plain.replace(QLatin1String("\r\n"), QLatin1String("\n"));
        multi->setPlainText(plain);
    } else if (auto* label = qobject_cast<QLabel*>(pWnd)) {
        label->setText(text);
    } else if (auto* button = qobject_cast<QAbstractButton*>(pWnd)) {
        button->setText(text);
    } else if (auto* group = qobject_cast<QGroupBox*>(pWnd)) {
        group->setTitle(text);
    } else if (pWnd != nullptr) {
        pWnd->setWindowTitle(text);
    }
}

bool AfxIsEditField(const QWidget* pWnd) {
    return qobject_cast<const QLineEdit*>(pWnd) != nullptr ||
           qobject_cast<const QPlainTextEdit*>(pWnd) != nullptr;
}

bool AfxEditHasSelection(const QWidget* pWnd) {
    if (auto* edit = qobject_cast<const QLineEdit*>(pWnd))
        return edit->hasSelectedText();
    if (auto* edit = qobject_cast<const QPlainTextEdit*>(pWnd))
        return edit->textCursor().hasSelection();
    return false;
}

bool AfxEditCanUndo(const QWidget* pWnd) {
    if (auto* edit = qobject_cast<const QLineEdit*>(pWnd))
        return edit->isUndoAvailable();
    if (auto* edit = qobject_cast<const QPlainTextEdit*>(pWnd))
        return edit->document()->isUndoAvailable();
    return false;
}

void AfxEditSetSel(QWidget* pWnd, int nStart, int nEnd) {
    if (auto* edit = qobject_cast<QLineEdit*>(pWnd)) {
        const int end = nEnd < 0 ? int(edit->text().size()) : nEnd;
        edit->setSelection(nStart, end - nStart);
    } else if (auto* multi = qobject_cast<QPlainTextEdit*>(pWnd)) {
        QTextCursor cursor = multi->textCursor();
        cursor.setPosition(nStart);
        if (nEnd < 0)
            cursor.movePosition(QTextCursor::End, QTextCursor::KeepAnchor);
        else
            cursor.setPosition(nEnd, QTextCursor::KeepAnchor);
        multi->setTextCursor(cursor);
    }
}

void AfxEditCopy(QWidget* pWnd) {
    if (auto* edit = qobject_cast<QLineEdit*>(pWnd))
        edit->copy();
    else if (auto* multi = qobject_cast<QPlainTextEdit*>(pWnd))
        multi->copy();
}

void AfxEditCut(QWidget* pWnd) {
    if (auto* edit = qobject_cast<QLineEdit*>(pWnd))
        edit->cut();
    else if (auto* multi = qobject_cast<QPlainTextEdit*>(pWnd))
        multi->cut();
}

void AfxEditPaste(QWidget* pWnd) {
    if (auto* edit = qobject_cast<CEditLine*>(pWnd))
        edit->PasteText();
    else if (auto* edit = qobject_cast<QLineEdit*>(pWnd))
        edit->paste();
    else if (auto* multi = qobject_cast<QPlainTextEdit*>(pWnd))
        multi->paste();
}

void AfxEditUndo(QWidget* pWnd) {
    if (auto* edit = qobject_cast<QLineEdit*>(pWnd))
        edit->undo();
    else if (auto* multi = qobject_cast<QPlainTextEdit*>(pWnd))
        multi->undo();
}

bool AfxClipboardHasText() {
    const QMimeData* data = QApplication::clipboard()->mimeData();
    return data != nullptr && data->hasText();
}

QWidget* GetFocus() {
    return QApplication::focusWidget();
}
