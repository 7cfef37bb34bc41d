// The commands of the problems list: Check, Check Options, the View menu's
// toggle of the pane, and next and previous problem (F8, Shift+F8). The main
// frame owns it and routes to it the commands nobody before it took. It keeps
// the list in step with the document: out of date after a change to the
// entries, emptied by New and Open, checked again after a save.
#pragma once

#include "CheckSettings.h"
#include "CmdTarget.h"
#include "ProblemsList.h"

#include <QPointer>
#include <cstdint>
#include <functional>
#include <memory>

class CFrameWnd;
class CLexariumDoc;
class TextResourceObject;
#include "ProblemsPane.h"

class CProblemsCommands : public CCmdTarget {
public:
    CProblemsCommands();
    ~CProblemsCommands() override;

    // Makes the list and its pane (hidden, at the bottom of the frame) and
    // starts following the document.
    void Create(CFrameWnd* pFrame, CLexariumDoc* pDoc); // neither owned

    ProblemsList* List() const { return m_pList; }
    const CCheckSettings& Settings() const { return m_settings; }
    // Where a check gets the recorded list of the open file: `source` names
    // the list as the window sees it now, and what it gives reads the list on
    // the check's thread (may give null).
    void SetRecordedListSource(std::function<ProblemsList::RecordedSource()> source) {
        m_recordedList = std::move(source);
    }
    CProblemsPane* Pane() const { return m_pPane; }

    void OnCheck();
    void OnCheckOptions();
    void OnViewProblems();
    void OnUpdateViewProblems(CCmdUI* pCmdUI);
    // The next problem, or from its own command the previous one.
    void OnStepProblem(UINT nID);
    void OnUpdateNeedsDocument(CCmdUI* pCmdUI);

    // Selects the entry of the finding in this row and puts the focus into
    // the field the finding is about; a finding of the file or the folder
    // says so in the status bar instead.
    void GoToFinding(int row);

    // The reference file the entries are checked against, or null; another
    // one puts the findings out of date.
    void SetReference(std::shared_ptr<const TextResourceObject> reference);

    DECLARE_MESSAGE_MAP()

private:
    void StartCheck();
    void Step(bool forward);
    void ShowStatusLine(const CString& text);
    // The position of the current entry, or -1.
    std::int64_t CurrentPosition() const;

    CFrameWnd* m_pFrame = nullptr;   // not owned
    CLexariumDoc* m_pDoc = nullptr;  // not owned; the document followed
    ProblemsList* m_pList = nullptr; // owned by the pane
    QPointer<CProblemsPane> m_pPane; // a child of the frame, deleted with this
    CCheckSettings m_settings;
    std::function<ProblemsList::RecordedSource()> m_recordedList;
    std::shared_ptr<const TextResourceObject> m_reference; // null: none open
    // F8 that started a check goes on to the next finding when it ends,
    // unless the user moved meanwhile.
    int m_nPendingStep = 0; // +1, -1 or 0
    std::int64_t m_nPendingFrom = -1;
};
