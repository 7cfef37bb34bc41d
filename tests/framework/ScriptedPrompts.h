#pragma once

// The prompt handler of the window tests: it records every message box, file
// dialog and modal dialog, and answers from what the test queued. A message
// box with only an OK button is answered OK; any other prompt without a queued
// answer is answered with Cancel and counted as unexpected.

#include "Prompts.h"

#include <deque>
#include <functional>
#include <optional>
#include <vector>

class CWinApp;

struct RecordedPrompt {
    enum Kind { Message, File, Dialog } kind;
    CString text;        // message text, or the file dialog's proposed name
    CString caption;     // message caption, or the file dialog's title
    UINT type = 0;       // message-box type
    bool open = false;   // file dialog for opening
    CString filter = {}; // file dialog filter
    CString defExt = {}; // file dialog default extension
    DWORD flags = 0;     // file dialog flags
};

class CScriptedPrompts : public CPromptHandler {
public:
    int MessageBox(const CString& text, const CString& caption, UINT nType) override;
    int FileDialog(CFileDialog& dlg) override;
    INT_PTR RunModalDialog(CDialog& dlg) override;

    // Answers in the order the prompts come.
    void AnswerMessage(int answer) { m_messageAnswers.push_back(answer); }
    void AnswerFile(const CString& path) { m_fileAnswers.emplace_back(path); }
    void CancelFile() { m_fileAnswers.emplace_back(std::nullopt); }
    // The script drives the live dialog and ends it (EndDialog or its buttons).
    void DriveDialog(std::function<void(CDialog&)> script) {
        m_dialogScripts.push_back(std::move(script));
    }

    std::vector<RecordedPrompt> prompts;
    int unexpected = 0;

    std::vector<CString> Messages() const;
    void Clear() { prompts.clear(); }

private:
    std::deque<int> m_messageAnswers;
    std::deque<std::optional<CString>> m_fileAnswers;
    std::deque<std::function<void(CDialog&)>> m_dialogScripts;
};

// Installs a scripted handler in the application and returns it (owned by the application).
CScriptedPrompts& InstallScriptedPrompts(CWinApp& app);
