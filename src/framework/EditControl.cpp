// Edit fields and the text and clipboard operations on controls.

#include "EditControl.h"

#include "DialogTemplate.h"

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QTextDocument>
#include <algorithm>
#include <limits>

namespace {

// Each character to its capital, where that is one character too; a pair of
// surrogates counts as one character.
QString UpperOneToOne(const QString& text) {
    QString upper = text;
    for (qsizetype i = 0; i < upper.size(); ++i) {
        const QChar c = upper[i];
        if (c.isHighSurrogate() && i + 1 < upper.size() && upper[i + 1].isLowSurrogate()) {
            const char32_t capital = QChar::toUpper(QChar::surrogateToUcs4(c, upper[i + 1]));
            if (QChar::requiresSurrogates(capital)) {
                upper[i] = QChar(QChar::highSurrogate(capital));
                upper[i + 1] = QChar(QChar::lowSurrogate(capital));
            }
            ++i;
            continue;
        }
        const char32_t capital = QChar::toUpper(char32_t(c.unicode()));
        if (!QChar::requiresSurrogates(capital))
            upper[i] = QChar(char16_t(capital));
    }
    return upper;
}

} // namespace

CEditLine::CEditLine(DWORD dwStyle, QWidget* parent)
    : QLineEdit(parent), m_bUpperCase((dwStyle & ES_UPPERCASE) != 0) {
    setFrame((dwStyle & WS_BORDER) != 0);
    setReadOnly((dwStyle & ES_READONLY) != 0);
    // A stored value is never cut short by the widget's own limit.
    setMaxLength(std::numeric_limits<int>::max());
}

QString CEditLine::EnteringText(const QString& text, bool bPasted) const {
    QString entering = text;
    if (bPasted) {
        // A single-line field takes the text up to its first line break.
        const auto end = std::find_if(entering.cbegin(), entering.cend(),
                                      [](QChar c) { return c == u'\r' || c == u'\n'; });
        entering.truncate(end - entering.cbegin());
    }
    return m_bUpperCase ? UpperOneToOne(entering) : entering;
}

void CEditLine::PasteText(QClipboard::Mode mode) {
    if (isReadOnly())
        return;
    const QString text = EnteringText(QGuiApplication::clipboard()->text(mode), true);
    if (!text.isEmpty() || hasSelectedText())
        insert(text);
}

void CEditLine::keyPressEvent(QKeyEvent* event) {
    if (event == QKeySequence::Paste) {
        PasteText();
        event->accept();
        return;
    }
    // The typed text is changed, not the field afterwards, so the undo stays intact.
    const QString text = event->text();
    const QString entering = EnteringText(text, false);
    if (entering != text) {
        QKeyEvent upper(event->type(), event->key(), event->modifiers(), entering,
                        event->isAutoRepeat(), ushort(event->count()));
        QLineEdit::keyPressEvent(&upper);
        event->setAccepted(upper.isAccepted());
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void CEditLine::inputMethodEvent(QInputMethodEvent* event) {
    const QString commit = EnteringText(event->commitString(), false);
    const QString preedit = EnteringText(event->preeditString(), false);
    if (commit == event->commitString() && preedit == event->preeditString()) {
        QLineEdit::inputMethodEvent(event);
        return;
    }
    // The letters keep their number, so the attributes' positions still hold.
    QInputMethodEvent entering(preedit, event->attributes());
    entering.setCommitString(commit, event->replacementStart(), event->replacementLength());
    QLineEdit::inputMethodEvent(&entering);
    event->setAccepted(entering.isAccepted());
}

void CEditLine::dropEvent(QDropEvent* event) {
    const QMimeData* data = event->mimeData(); // not owned
    if (data == nullptr || !data->hasText() || isReadOnly()) {
        QLineEdit::dropEvent(event);
        return;
    }
    QMimeData entering;
    entering.setText(EnteringText(data->text(), true));
    QDropEvent drop(event->position(), event->possibleActions(), &entering, event->buttons(),
                    event->modifiers(), event->type());
    drop.setDropAction(event->dropAction());
    QLineEdit::dropEvent(&drop);
    event->setDropAction(drop.dropAction());
    event->setAccepted(drop.isAccepted());
}

void CEditLine::mouseReleaseEvent(QMouseEvent* event) {
    // The middle button pastes the selection where the system keeps one (X11).
    if (event->button() == Qt::MiddleButton && !isReadOnly() &&
        QGuiApplication::clipboard()->supportsSelection()) {
        deselect();
        PasteText(QClipboard::Selection);
        event->accept();
        return;
    }
    QLineEdit::mouseReleaseEvent(event);
}

void CEditLine::contextMenuEvent(QContextMenuEvent* event) {
    QMenu* menu = createStandardContextMenu(); // deletes itself when closed
    if (menu == nullptr)
        return;
    menu->setAttribute(Qt::WA_DeleteOnClose);
    const QString paste = QLineEdit::tr("&Paste");
    for (QAction* action : menu->actions()) {
        if (!action->isSeparator() && action->text().section(QLatin1Char('\t'), 0, 0) == paste) {
            QObject::disconnect(action, nullptr, this, nullptr);
            connect(action, &QAction::triggered, this, [this] { PasteText(); });
        }
    }
    menu->popup(event->globalPos());
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
    // Reported before textChanged, so the change notification finds the stored text updated.
    connect(document(), &QTextDocument::contentsChange, this, &CEditMultiLine::OnContentsChange);
}

void CEditMultiLine::SetStoredText(const CString& text) {
    m_bSetting = true;
    setPlainText(m_buffer.SetText(text));
    m_bSetting = false;
}

void CEditMultiLine::OnContentsChange(int nPos, int nRemoved, int nAdded) {
    if (m_bSetting)
        return;
    QTextDocument* doc = document();              // not owned
    const int length = doc->characterCount() - 1; // without the document's closing break
    nAdded = std::clamp(nAdded, 0, std::max(0, length - nPos));
    QTextCursor added(doc);
    added.setPosition(std::min(nPos, length));
    added.setPosition(std::min(nPos + nAdded, length), QTextCursor::KeepAnchor);
    m_buffer.ApplyEdit(nPos, nRemoved, added.selectedText(), doc->availableUndoSteps(), length,
                       [doc] { return doc->toRawText(); });
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
    if (auto* edit = qobject_cast<const CEditMultiLine*>(pWnd))
        return edit->StoredText();
    if (auto* edit = qobject_cast<const QPlainTextEdit*>(pWnd))
        return AfxStoredFromEntered(edit->document()->toRawText());
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
        edit->setCursorPosition(0); // shown from its start, as the program's texts are
    } else if (auto* multi = qobject_cast<CEditMultiLine*>(pWnd)) {
        multi->SetStoredText(text);
    } else if (auto* plain = qobject_cast<QPlainTextEdit*>(pWnd)) {
        plain->setPlainText(text);
    } else if (auto* label = qobject_cast<QLabel*>(pWnd)) {
        label->setText(text);
        AfxFitStaticToText(label);
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

void AfxEditSetReadOnly(QWidget* pWnd, bool bReadOnly) {
    if (auto* edit = qobject_cast<QLineEdit*>(pWnd))
        edit->setReadOnly(bReadOnly);
    else if (auto* edit = qobject_cast<QPlainTextEdit*>(pWnd))
        edit->setReadOnly(bReadOnly);
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

namespace {

// Runs `action` on the edit control `pWnd` is, of one line or of several;
// nothing for any other window.
template <class Action> void OnEditControl(QWidget* pWnd, Action action) {
    if (auto* edit = qobject_cast<QLineEdit*>(pWnd))
        action(edit);
    else if (auto* multi = qobject_cast<QPlainTextEdit*>(pWnd))
        action(multi);
}

} // namespace

void AfxEditCopy(QWidget* pWnd) {
    OnEditControl(pWnd, [](auto* edit) { edit->copy(); });
}

void AfxEditCut(QWidget* pWnd) {
    OnEditControl(pWnd, [](auto* edit) { edit->cut(); });
}

void AfxEditPaste(QWidget* pWnd) {
    if (auto* edit = qobject_cast<CEditLine*>(pWnd))
        edit->PasteText();
    else
        OnEditControl(pWnd, [](auto* edit) { edit->paste(); });
}

void AfxEditUndo(QWidget* pWnd) {
    OnEditControl(pWnd, [](auto* edit) { edit->undo(); });
}

bool AfxClipboardHasText() {
    const QMimeData* data = QApplication::clipboard()->mimeData();
    return data != nullptr && data->hasText();
}

QWidget* GetFocus() {
    return QApplication::focusWidget();
}
