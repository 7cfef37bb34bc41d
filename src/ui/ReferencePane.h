#pragma once

// The reference pane: for the current entry, the entry of the reference file
// with the same identifier, its text whole, speaker, comment and stored
// length, which the user can select and copy but not change. A dock widget
// the user can close; the View menu shows it again.

#include <QDockWidget>

class CReferenceFile;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QStackedWidget;
class TextResourceEntry;

class CReferencePane : public QDockWidget {
public:
    explicit CReferencePane(QWidget* parent);

    // Shows the reference's entry for `current` (null: no current entry);
    // `reference` null or closed: no reference is open.
    void ShowEntry(const CReferenceFile* reference, const TextResourceEntry* current);

    // What the pane shows, for a look from outside.
    QString FileLabel() const;
    QString Message() const; // empty while an entry is shown
    QString Text() const;
    QString Speaker() const;
    QString Comment() const;
    QString Length() const;
    QPlainTextEdit* TextField() const { return m_pText; }

private:
    void ShowMessage(const QString& message);

    QLabel* m_pFile = nullptr; // child widgets, owned by the pane
    QStackedWidget* m_pStack = nullptr;
    QLabel* m_pMessage = nullptr;
    QPlainTextEdit* m_pText = nullptr;
    QLineEdit* m_pSpeaker = nullptr;
    QPlainTextEdit* m_pComment = nullptr;
    QLineEdit* m_pLength = nullptr;
};
