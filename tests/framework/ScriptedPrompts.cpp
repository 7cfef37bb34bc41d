// Scripted answers to the program's prompts.

#include "ScriptedPrompts.h"

#include "Dialog.h"
#include "FileDialog.h"
#include "WinApp.h"

#include <QApplication>

int CScriptedPrompts::MessageBox(const CString& text, const CString& caption, UINT nType) {
    prompts.push_back({RecordedPrompt::Message, text, caption, nType});
    if (!m_messageAnswers.empty()) {
        const int answer = m_messageAnswers.front();
        m_messageAnswers.pop_front();
        return answer;
    }
    if ((nType & MB_TYPEMASK) == MB_OK)
        return IDOK;
    ++unexpected;
    return IDCANCEL;
}

int CScriptedPrompts::FileDialog(CFileDialog& dlg) {
    RecordedPrompt prompt{RecordedPrompt::File, dlg.m_strFileName, dlg.m_strTitle};
    prompt.open = dlg.m_bOpenFileDialog;
    prompt.filter = dlg.m_strFilter;
    prompt.defExt = dlg.m_strDefExt;
    prompt.flags = dlg.m_dwFlags;
    prompts.push_back(prompt);
    if (m_fileAnswers.empty()) {
        ++unexpected;
        return IDCANCEL;
    }
    const std::optional<CString> answer = m_fileAnswers.front();
    m_fileAnswers.pop_front();
    if (!answer)
        return IDCANCEL;
    dlg.m_strPathName = *answer;
    return IDOK;
}

INT_PTR CScriptedPrompts::RunModalDialog(CDialog& dlg) {
    prompts.push_back({RecordedPrompt::Dialog, dlg.windowTitle(), dlg.windowTitle()});
    if (m_dialogScripts.empty()) {
        ++unexpected;
        dlg.EndDialog(IDCANCEL);
        return IDCANCEL;
    }
    auto script = std::move(m_dialogScripts.front());
    m_dialogScripts.pop_front();
    dlg.show();
    QApplication::setActiveWindow(&dlg); // offscreen windows get the focus only when active
    script(dlg);
    if (!dlg.IsEnded()) {
        ++unexpected;
        dlg.EndDialog(IDCANCEL);
    }
    return dlg.result();
}

std::vector<CString> CScriptedPrompts::Messages() const {
    std::vector<CString> texts;
    for (const RecordedPrompt& prompt : prompts) {
        if (prompt.kind == RecordedPrompt::Message)
            texts.push_back(prompt.text);
    }
    return texts;
}

CScriptedPrompts& InstallScriptedPrompts(CWinApp& app) {
    auto handler = std::make_unique<CScriptedPrompts>();
    CScriptedPrompts& ref = *handler;
    app.SetPromptHandler(std::move(handler));
    return ref;
}
