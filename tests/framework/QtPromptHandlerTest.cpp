// The real prompt handler: the save question's German buttons and what each
// answers, and the caption. The box is answered from the event loop it runs.

#include "Prompts.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

// Clicks the button with this label on the box that is about to run; a box
// without such a button is closed with Escape, which the test then sees.
void AnswerNextBox(const QString& label, QString* caption) {
    QTimer::singleShot(0, [=] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr)
            return;
        *caption = box->windowTitle();
        for (QAbstractButton* button : box->buttons()) {
            if (button->text() == label) {
                button->click();
                return;
            }
        }
        box->reject();
    });
}

} // namespace

TEST(QtPromptHandler, SaveQuestionHasJaNeinAbbrechenAndMapsThemToTheAnswers) {
    CQtPromptHandler handler;
    const std::pair<QString, int> answers[] = {
        {"&Ja", IDYES}, {"&Nein", IDNO}, {"Abbrechen", IDCANCEL}};
    for (const auto& [label, expected] : answers) {
        QString caption;
        AnswerNextBox(label, &caption);
        EXPECT_EQ(handler.MessageBox("Änderungen in a.trs speichern?", "Lexarium",
                                     MB_YESNOCANCEL | MB_ICONEXCLAMATION),
                  expected)
            << label.toStdString();
        EXPECT_EQ(caption, "Lexarium");
    }
    QString caption;
    AnswerNextBox("OK", &caption);
    EXPECT_EQ(handler.MessageBox("An error accured while loading this file!", "Lexarium", MB_OK),
              IDOK);
}
