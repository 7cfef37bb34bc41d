#include "ReferencePane.h"

#include "EntryText.h"
#include "ReferenceFile.h"
#include "model/TextResourceEntry.h"

#include <QFileInfo>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace {

// Line breaks of every form show as breaks; the text is never stored back.
QString Shown(const std::string& stored) {
    QString text = FromUtf8(stored);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

QPlainTextEdit* ReadOnlyText(QWidget* parent) {
    auto* field = new QPlainTextEdit(parent);
    field->setReadOnly(true);
    field->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    field->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    return field;
}

QLineEdit* ReadOnlyLine(QWidget* parent) {
    auto* field = new QLineEdit(parent);
    field->setReadOnly(true);
    return field;
}

} // namespace

CReferencePane::CReferencePane(QWidget* parent) : QDockWidget(QStringLiteral("Reference"), parent) {
    setObjectName(QStringLiteral("ReferencePane"));
    setFeatures(QDockWidget::DockWidgetClosable | QDockWidget::DockWidgetMovable |
                QDockWidget::DockWidgetFloatable);

    auto* body = new QWidget(this);
    auto* layout = new QVBoxLayout(body);
    m_pFile = new QLabel(body);
    m_pFile->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_pFile->setWordWrap(true);
    layout->addWidget(m_pFile);

    m_pStack = new QStackedWidget(body);
    m_pMessage = new QLabel(m_pStack);
    m_pMessage->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_pMessage->setWordWrap(true);
    m_pStack->addWidget(m_pMessage);

    auto* fields = new QWidget(m_pStack);
    auto* form = new QFormLayout(fields);
    form->setContentsMargins(0, 0, 0, 0);
    m_pText = ReadOnlyText(fields);
    m_pSpeaker = ReadOnlyLine(fields);
    m_pComment = ReadOnlyText(fields);
    m_pLength = ReadOnlyLine(fields);
    form->addRow(QStringLiteral("text:"), m_pText);
    form->addRow(QStringLiteral("speaker:"), m_pSpeaker);
    form->addRow(QStringLiteral("comment:"), m_pComment);
    form->addRow(QStringLiteral("length (ms):"), m_pLength);
    m_pStack->addWidget(fields);
    layout->addWidget(m_pStack, 1);
    setWidget(body);
    ShowEntry(nullptr, nullptr);
}

void CReferencePane::ShowMessage(const QString& message) {
    m_pMessage->setText(message);
    m_pText->clear();
    m_pSpeaker->clear();
    m_pComment->clear();
    m_pLength->clear();
    m_pStack->setCurrentWidget(m_pMessage);
}

void CReferencePane::ShowEntry(const CReferenceFile* reference, const TextResourceEntry* current) {
    if (reference == nullptr || !reference->IsOpen()) {
        m_pFile->clear();
        m_pFile->setToolTip({});
        ShowMessage(QStringLiteral("No reference file is open (Tools, Open Reference...)."));
        return;
    }
    m_pFile->setText(QFileInfo(reference->GetPath()).fileName());
    m_pFile->setToolTip(reference->GetPath());
    if (current == nullptr) {
        ShowMessage(QStringLiteral("No entry is selected."));
        return;
    }
    const TextResourceEntry* match = reference->Find(current->identifier);
    if (match == nullptr) {
        ShowMessage(QStringLiteral("Not in the reference file"));
        return;
    }
    m_pText->setPlainText(Shown(match->text));
    m_pSpeaker->setText(Shown(match->speaker));
    m_pSpeaker->setCursorPosition(0);
    m_pComment->setPlainText(Shown(match->comment));
    m_pLength->setText(QString::number(match->lengthMs));
    m_pStack->setCurrentIndex(1);
}

QString CReferencePane::FileLabel() const {
    return m_pFile->text();
}

QString CReferencePane::Message() const {
    return m_pStack->currentWidget() == m_pMessage ? m_pMessage->text() : QString();
}

QString CReferencePane::Text() const {
    return m_pText->toPlainText();
}

QString CReferencePane::Speaker() const {
    return m_pSpeaker->text();
}

QString CReferencePane::Comment() const {
    return m_pComment->toPlainText();
}

QString CReferencePane::Length() const {
    return m_pLength->text();
}
