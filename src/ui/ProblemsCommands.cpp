#include "ProblemsCommands.h"

#include "CheckOptionsDlg.h"
#include "CmdUI.h"
#include "FormControls.h"
#include "FrameWnd.h"
#include "LexariumDoc.h"
#include "LexariumView.h"
#include "LexariumView_Text.h"
#include "ProblemsList.h"
#include "ProblemsPane.h"
#include "RecordingLookup.h"
#include "ResourceIds.h"
#include "WinApp.h"

#include <QApplication>
#include <QTableView>
#include <QTreeView>
#include <iterator>

BEGIN_MESSAGE_MAP(CProblemsCommands, CCmdTarget)
ON_COMMAND(ID_TOOLS_CHECK, &CProblemsCommands::OnCheck)
ON_UPDATE_COMMAND_UI(ID_TOOLS_CHECK, &CProblemsCommands::OnUpdateNeedsDocument)
ON_COMMAND(ID_TOOLS_CHECK_OPTIONS, &CProblemsCommands::OnCheckOptions)
ON_COMMAND(ID_VIEW_PROBLEMS, &CProblemsCommands::OnViewProblems)
ON_UPDATE_COMMAND_UI(ID_VIEW_PROBLEMS, &CProblemsCommands::OnUpdateViewProblems)
// Next and previous problem, whose ids follow each other.
ON_COMMAND_RANGE(ID_NEXT_PROBLEM, ID_PREV_PROBLEM, &CProblemsCommands::OnStepProblem)
ON_UPDATE_COMMAND_UI_RANGE(ID_NEXT_PROBLEM, ID_PREV_PROBLEM,
                           &CProblemsCommands::OnUpdateNeedsDocument)
END_MESSAGE_MAP()

static_assert(ID_PREV_PROBLEM == ID_NEXT_PROBLEM + 1);

namespace {

// The editor form's control for the field a finding is about; 0 for none.
int FieldControl(check::Field field) {
    // In the order of the fields, None first.
    constexpr int kControls[] = {0,        IDC_ID,      IDC_IDENTIFIER, IDC_AUDIOFILE,
                                 IDC_TEXT, IDC_COMMENT, IDC_SPEAKER,    IDC_LENGTH};
    static_assert(std::size(kControls) == static_cast<std::size_t>(check::Field::Length) + 1);
    const auto index = static_cast<std::size_t>(field);
    return index < std::size(kControls) ? kControls[index] : 0;
}

CLexariumView* Tree() {
    return dynamic_cast<CLexariumView*>(g_pTreeView);
}

} // namespace

CProblemsCommands::CProblemsCommands() = default;

CProblemsCommands::~CProblemsCommands() {
    if (m_pDoc != nullptr && g_pDocument == m_pDoc)
        m_pDoc->RemoveEntriesObserver(this);
    // The pane and the list go first: what they report reaches this object.
    delete m_pPane.data();
}

void CProblemsCommands::Create(CFrameWnd* pFrame, CLexariumDoc* pDoc) {
    m_pFrame = pFrame;
    m_settings = CCheckSettings::Load();
    auto* list = new ProblemsList;
    m_pPane = new CProblemsPane(*list, pFrame);
    list->setParent(m_pPane);
    m_pList = list;
    pFrame->addDockWidget(Qt::BottomDockWidgetArea, m_pPane);
    pFrame->RegisterControlBar(IDW_PROBLEMS_PANE, m_pPane);
    m_pPane->hide();
    QObject::connect(m_pPane, &CProblemsPane::CheckRequested, m_pPane, [this] { OnCheck(); });
    QObject::connect(m_pPane, &CProblemsPane::CancelRequested, m_pPane, [this] {
        m_nPendingStep = 0;
        m_pList->Cancel();
        ShowStatusLine(QStringLiteral("The check was cancelled."));
    });
    QObject::connect(m_pPane, &CProblemsPane::FindingActivated, m_pPane,
                     [this](int row) { GoToFinding(row); });
    QObject::connect(m_pList, &ProblemsList::Finished, m_pPane, [this](bool completed) {
        const int step = m_nPendingStep;
        m_nPendingStep = 0;
        if (completed && step != 0 && CurrentPosition() == m_nPendingFrom)
            Step(step > 0);
        if (CWinApp* app = AfxGetApp())
            app->RequestIdleUpdate();
    });
    m_pDoc = pDoc;
    if (m_pDoc != nullptr)
        m_pDoc->AddEntriesObserver(
            this, [this](CLexariumDoc::EntriesChange change, std::uint32_t position) {
                m_pList->OnEntriesChanged(change, position);
                // Saving checks again by itself once the list is in use.
                if (change == CLexariumDoc::EntriesChange::Saved &&
                    m_pList->GetState() != ProblemsList::State::NotChecked)
                    StartCheck();
            });
}

void CProblemsCommands::OnUpdateNeedsDocument(CCmdUI* pCmdUI) {
    pCmdUI->Enable(g_pDocument != nullptr && m_pList != nullptr);
}

void CProblemsCommands::OnCheck() {
    m_nPendingStep = 0;
    StartCheck();
}

void CProblemsCommands::StartCheck() {
    if (g_pDocument == nullptr || m_pList == nullptr)
        return;
    m_pPane->show();
    const CString folder = g_pMissionFolder != nullptr ? *g_pMissionFolder : CString();
    ProblemsList::RecordedSource recorded;
    if (m_settings.bRecordings && m_recordedList)
        recorded = m_recordedList();
    m_pList->Check(*g_pDocument, m_settings.ToOptions(folder), m_reference, std::move(recorded));
    m_pPane->OnCheckStarted();
}

void CProblemsCommands::SetReference(std::shared_ptr<const TextResourceObject> reference) {
    if (reference == m_reference)
        return;
    m_reference = std::move(reference);
    if (m_pList != nullptr)
        m_pList->MarkOutOfDate();
}

void CProblemsCommands::OnCheckOptions() {
    const CString folder = g_pMissionFolder != nullptr ? *g_pMissionFolder : CString();
    CCheckOptionsDlg dlg(m_settings, folder, m_pFrame);
    if (dlg.DoModal() != IDOK)
        return;
    m_settings = dlg.m_settings;
    m_settings.Save();
}

void CProblemsCommands::OnViewProblems() {
    if (m_pPane != nullptr)
        m_pPane->setVisible(m_pPane->isHidden());
}

void CProblemsCommands::OnUpdateViewProblems(CCmdUI* pCmdUI) {
    pCmdUI->Enable(m_pPane != nullptr);
    pCmdUI->SetCheck(m_pPane != nullptr && !m_pPane->isHidden() ? 1 : 0);
}

void CProblemsCommands::OnStepProblem(UINT nID) {
    Step(nID == ID_NEXT_PROBLEM);
}

std::int64_t CProblemsCommands::CurrentPosition() const {
    if (g_pDocument == nullptr || g_pTreeView == nullptr || g_pTreeView->m_pCurrentEntry == nullptr)
        return -1;
    return g_pDocument->m_textResources.PositionOf(g_pTreeView->m_pCurrentEntry);
}

void CProblemsCommands::Step(bool forward) {
    if (m_pList == nullptr)
        return;
    // An empty or out-of-date list is checked first; the step follows when
    // the check ends, if the user is still where F8 was pressed.
    if (m_pList->GetState() != ProblemsList::State::Current || m_pList->IsRunning()) {
        if (!m_pList->IsRunning() || m_nPendingStep == 0) {
            m_nPendingStep = forward ? 1 : -1;
            m_nPendingFrom = CurrentPosition();
            if (!m_pList->IsRunning())
                StartCheck();
        }
        return;
    }
    const std::int64_t position = CurrentPosition();
    const int row = m_pPane->CurrentRow();
    bool wrapped = false;
    int next;
    // From the finding the user is on when it is about the current entry,
    // so that the findings of one entry are visited in turn.
    const auto& findings = m_pList->Findings();
    if (row >= 0 && std::size_t(row) < findings.size() && findings[std::size_t(row)].OfEntry() &&
        std::int64_t(findings[std::size_t(row)].position) == position)
        next = m_pList->NextEntryFinding(row, forward, wrapped);
    else
        next = m_pList->NextEntryFindingFrom(position, forward, wrapped);
    if (next < 0) {
        m_pPane->show();
        ShowStatusLine(m_pList->Findings().empty()
                           ? QStringLiteral("No problems found.")
                           : QStringLiteral("None of the problems is about an entry."));
        return;
    }
    GoToFinding(next);
    if (wrapped)
        ShowStatusLine(forward
                           ? QStringLiteral("Passed the last problem: continued from the first.")
                           : QStringLiteral("Passed the first problem: continued from the last."));
}

void CProblemsCommands::GoToFinding(int row) {
    const auto& findings = m_pList->Findings();
    if (row < 0 || std::size_t(row) >= findings.size())
        return;
    m_pPane->show();
    m_pPane->SetCurrentRow(row);
    const check::Finding& finding = findings[std::size_t(row)];
    if (!finding.OfEntry()) {
        switch (finding.scope) {
        case check::Scope::Reference:
            ShowStatusLine(QStringLiteral("This problem is about an entry of the reference file "
                                          "that this file lacks."));
            break;
        case check::Scope::Folder:
            ShowStatusLine(QStringLiteral("This problem is about the folder of recordings."));
            break;
        default:
            ShowStatusLine(QStringLiteral("This problem is about the file as a whole."));
            break;
        }
        return;
    }
    CLexariumView* tree = Tree();
    if (tree == nullptr)
        return;
    // Leaving a field of the form first runs its checks on the entry it
    // belongs to, as a click into the tree would, before another entry fills it.
    QWidget* focus = QApplication::focusWidget();
    if (g_pTextView != nullptr && focus != nullptr && g_pTextView->isAncestorOf(focus))
        tree->GetTreeCtrl().setFocus();
    if (!tree->SelectEntryAt(finding.position)) {
        ShowStatusLine(QStringLiteral("The entry of this problem is no longer there."));
        return;
    }
    const int control = FieldControl(finding.field);
    if (control != 0 && g_pTextView != nullptr) {
        if (QWidget* field = g_pTextView->GetDlgItem(control))
            field->setFocus(Qt::OtherFocusReason);
    }
}

void CProblemsCommands::ShowStatusLine(const CString& text) {
    // It stays until the next selection or command.
    if (m_pFrame != nullptr)
        m_pFrame->ShowStatusLine(text);
}
