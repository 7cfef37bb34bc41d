// The real prompt handler: the save question's German buttons and what each
// answers, and the caption. The box is answered from the event loop it runs.
// Qt's own texts in the file dialog, its overwrite question and the edit
// fields' context menus are German too.

#include "EditControl.h"
#include "FileDialog.h"
#include "Prompts.h"
#include "WinApp.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
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

TEST(QtPromptHandler, FileDialogItsOverwriteQuestionAndTheEditMenusSpeakGerman) {
    CWinApp app; // its start-up loads Qt's German texts
    app.SetPromptHandler(std::make_unique<CQtPromptHandler>());
    app.InitApplication({});
    QTemporaryDir dir;
    const QString existing = dir.filePath("a.trs");
    QFile(existing).open(QIODevice::WriteOnly);

    // The dialog as the user meets it, then Save on a file that exists, "Nein"
    // to the question, and Cancel. Buttons are pressed from the event loop, so
    // the question's own loop does not run inside this timer's callback.
    QStringList dialogTexts;
    QString question;
    QStringList questionButtons;
    auto press = [](QAbstractButton* button) {
        QMetaObject::invokeMethod(button, &QAbstractButton::click, Qt::QueuedConnection);
    };
    QElapsedTimer watchdog;
    watchdog.start();
    QTimer poll;
    poll.setInterval(10);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (watchdog.elapsed() > 10000) { // never hang: give up and let the checks fail
            if (modal != nullptr)
                modal->close();
            return;
        }
        if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            if (!question.isEmpty())
                return;
            question = box->text();
            for (QAbstractButton* button : box->buttons()) {
                questionButtons << button->text();
                if (box->buttonRole(button) == QMessageBox::NoRole)
                    press(button);
            }
        } else if (auto* files = qobject_cast<QFileDialog*>(modal)) {
            if (!question.isEmpty()) {
                poll.stop();
                QMetaObject::invokeMethod(files, &QDialog::reject, Qt::QueuedConnection);
                return;
            }
            if (!dialogTexts.isEmpty())
                return; // the question is on its way
            dialogTexts << files->windowTitle();
            for (const QLabel* label : files->findChildren<QLabel*>())
                if (label->isVisible())
                    dialogTexts << label->text();
            for (QPushButton* button : files->findChildren<QPushButton*>()) {
                if (!button->isVisible())
                    continue;
                dialogTexts << button->text();
                if (button->text() == "S&peichern")
                    press(button);
            }
        }
    });
    poll.start();
    CFileDialog dlg(false, "trs", existing, OFN_OVERWRITEPROMPT,
                    "Filetyp Textresource (*.trs)|*.trs||");
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    poll.stop();
    for (const char* text : {"Speichern unter", "Suchen in:", "Datei&name:", "Dateien des Typs:",
                             "S&peichern", "Abbrechen"})
        EXPECT_TRUE(dialogTexts.contains(QString::fromUtf8(text))) << text;
    EXPECT_EQ(question, "Die Datei a.trs existiert bereits.\nSoll sie überschrieben werden?");
    EXPECT_EQ(questionButtons, QStringList({"&Ja", "&Nein"}));

    CEditLine line(0, nullptr);
    CEditMultiLine text(ES_MULTILINE, nullptr);
    for (QMenu* menu : {line.createStandardContextMenu(), text.createStandardContextMenu()}) {
        QStringList items;
        for (const QAction* action : menu->actions())
            if (!action->isSeparator())
                items << action->text().section(QLatin1Char('\t'), 0, 0);
        EXPECT_EQ(items, QStringList({"&Rückgängig", "Wieder&herstellen", "&Ausschneiden",
                                      "&Kopieren", "Einf&ügen", "Löschen", "Alles auswählen"}));
        delete menu;
    }
}
