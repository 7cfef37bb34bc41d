// The prompt handler that shows Qt's message boxes, file dialogs and dialogs.

#include "Prompts.h"

#include "Dialog.h"
#include "FileDialog.h"
#include "FileDialogTexts.h"
#include "Resources.h"
#include "WinApp.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>

int CQtPromptHandler::MessageBox(const CString& text, const CString& caption, UINT nType) {
    QMessageBox box(QApplication::activeWindow());
    box.setWindowTitle(caption);
    box.setText(text);
    switch (nType & MB_ICONMASK) {
    case MB_ICONERROR:
        box.setIcon(QMessageBox::Critical);
        break;
    case MB_ICONQUESTION:
        box.setIcon(QMessageBox::Question);
        break;
    case MB_ICONEXCLAMATION:
        box.setIcon(QMessageBox::Warning);
        break;
    case MB_ICONINFORMATION:
        box.setIcon(QMessageBox::Information);
        break;
    default:
        break;
    }
    // The framework's buttons carry their German labels in this build.
    std::vector<std::pair<QPushButton*, int>> buttons;
    auto add = [&](const QString& label, QMessageBox::ButtonRole role, int result) {
        buttons.emplace_back(box.addButton(label, role), result);
    };
    switch (nType & MB_TYPEMASK) {
    case MB_YESNOCANCEL:
        add(QStringLiteral("&Ja"), QMessageBox::YesRole, IDYES);
        add(QStringLiteral("&Nein"), QMessageBox::NoRole, IDNO);
        add(QStringLiteral("Abbrechen"), QMessageBox::RejectRole, IDCANCEL);
        break;
    case MB_YESNO:
        add(QStringLiteral("&Ja"), QMessageBox::YesRole, IDYES);
        add(QStringLiteral("&Nein"), QMessageBox::NoRole, IDNO);
        break;
    case MB_OKCANCEL:
        add(QStringLiteral("OK"), QMessageBox::AcceptRole, IDOK);
        add(QStringLiteral("Abbrechen"), QMessageBox::RejectRole, IDCANCEL);
        break;
    default:
        add(QStringLiteral("OK"), QMessageBox::AcceptRole, IDOK);
        break;
    }
    box.setDefaultButton(buttons.front().first);
    box.exec();
    for (const auto& [button, result] : buttons) {
        if (box.clickedButton() == button)
            return result;
    }
    // Closed without a button: the answer that abandons.
    return (nType & MB_TYPEMASK) == MB_OK ? IDOK
                                          : ((nType & MB_TYPEMASK) == MB_YESNO ? IDNO : IDCANCEL);
}

int CQtPromptHandler::FileDialog(CFileDialog& dlg) {
    CFileTypeNames typeNames(dlg.m_strTypeExt, dlg.m_strTypeName); // outlives the dialog
    QFileDialog fileDialog(QApplication::activeWindow(), dlg.m_strTitle);
    // Qt's own dialog everywhere: it speaks the framework's language, where a
    // desktop's dialog would speak the desktop's.
    fileDialog.setOption(QFileDialog::DontUseNativeDialog);
    fileDialog.setIconProvider(&typeNames);
    fileDialog.setProxyModel(new CFileDialogLocaleModel(&fileDialog)); // owned by the dialog
    fileDialog.setAcceptMode(dlg.m_bOpenFileDialog ? QFileDialog::AcceptOpen
                                                   : QFileDialog::AcceptSave);
    fileDialog.setFileMode(dlg.m_bOpenFileDialog ? QFileDialog::ExistingFile
                                                 : QFileDialog::AnyFile);
    // A save dialog replaces an existing file without a question unless asked to.
    fileDialog.setOption(QFileDialog::DontConfirmOverwrite,
                         (dlg.m_dwFlags & OFN_OVERWRITEPROMPT) == 0);
    fileDialog.setNameFilters(dlg.QtNameFilters());
    if (!dlg.m_strDefExt.isEmpty())
        fileDialog.setDefaultSuffix(dlg.m_strDefExt);
    if (!dlg.m_strFileName.isEmpty())
        fileDialog.selectFile(dlg.m_strFileName);
    if (fileDialog.exec() != QDialog::Accepted || fileDialog.selectedFiles().isEmpty())
        return IDCANCEL;
    dlg.m_strPathName = fileDialog.selectedFiles().constFirst();
    return IDOK;
}

INT_PTR CQtPromptHandler::RunModalDialog(CDialog& dlg) {
    return dlg.RunModalLoop();
}

int AfxMessageBox(const CString& text, UINT nType, UINT nIDHelp) {
    CWinApp* app = AfxGetApp();
    if (app == nullptr) {
        CQtPromptHandler handler;
        return handler.MessageBox(text, CString(), nType);
    }
    return app->DoMessageBox(text, nType, nIDHelp);
}

int AfxMessageBox(UINT nIDPrompt, UINT nType, UINT) {
    return AfxMessageBox(AfxLoadString(nIDPrompt), nType);
}
