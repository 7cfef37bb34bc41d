// The find and replace dialog and its template.
#include "ReplaceDlg.h"

#include "DialogTemplate.h"
#include "EntryTree.h"
#include "LexariumDoc.h"
#include "ReplacePreviewDlg.h"
#include "ResourceIds.h"
#include "Resources.h"

#include <algorithm>

namespace {

const DLGTEMPLATE kReplaceTemplate{
    "Replace",
    300,
    142,
    "Tahoma",
    8,
    DS_MODALFRAME | WS_CAPTION | WS_SYSMENU,
    {
        {IDC_STATIC, CtlKind::Static, "Find what:", QRect(7, 10, 50, 8), 0},
        {IDC_FIND_TEXT, CtlKind::Edit, "", QRect(60, 7, 170, 14),
         WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL},
        {IDC_STATIC, CtlKind::Static, "Replace with:", QRect(7, 28, 50, 8), 0},
        {IDC_REPLACE_TEXT, CtlKind::Edit, "", QRect(60, 25, 170, 14),
         WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL},
        {IDC_STATIC, CtlKind::GroupBox, "Field", QRect(7, 44, 110, 76), 0},
        {IDC_FIELD_TEXT, CtlKind::RadioButton, "text", QRect(14, 55, 90, 10),
         WS_GROUP | WS_TABSTOP},
        {IDC_FIELD_COMMENT, CtlKind::RadioButton, "comment", QRect(14, 66, 90, 10), 0},
        {IDC_FIELD_SPEAKER, CtlKind::RadioButton, "speaker", QRect(14, 77, 90, 10), 0},
        {IDC_FIELD_AUDIO, CtlKind::RadioButton, "audio file", QRect(14, 88, 90, 10), 0},
        {IDC_FIELD_IDENTIFIER, CtlKind::RadioButton, "identifier", QRect(14, 99, 90, 10), 0},
        {IDC_FIELD_ALL, CtlKind::RadioButton, "all fields", QRect(14, 110, 90, 10), 0},
        {IDC_MATCH_CASE, CtlKind::CheckBox, "Match case", QRect(125, 55, 100, 10),
         WS_GROUP | WS_TABSTOP},
        {IDC_WHOLE_WORDS, CtlKind::CheckBox, "Whole words", QRect(125, 68, 100, 10), WS_TABSTOP},
        {IDC_REGEX, CtlKind::CheckBox, "Regular expression", QRect(125, 81, 100, 10), WS_TABSTOP},
        {IDC_REPLACE_STATUS, CtlKind::Static, "", QRect(7, 125, 286, 16), 0},
        {IDOK, CtlKind::DefPushButton, "Find next", QRect(240, 7, 53, 14), WS_TABSTOP},
        {IDC_REPLACE_ONE, CtlKind::PushButton, "Replace", QRect(240, 25, 53, 14), WS_TABSTOP},
        {IDC_REPLACE_ALL, CtlKind::PushButton, "Replace all", QRect(240, 43, 53, 14), WS_TABSTOP},
        {IDCANCEL, CtlKind::PushButton, "Close", QRect(240, 61, 53, 14), WS_TABSTOP},
    },
};

UINT RegisteredReplaceTemplate() {
    AfxGetResources().dialogs[IDD_REPLACE] = &kReplaceTemplate;
    return IDD_REPLACE;
}

TextResourceObject* Entries() {
    return g_pDocument != nullptr ? &g_pDocument->m_textResources : nullptr;
}

} // namespace

const DLGTEMPLATE& ReplaceDlgTemplate() {
    return kReplaceTemplate;
}

BEGIN_MESSAGE_MAP(CReplaceDlg, CDialog)
ON_BN_CLICKED(IDC_REPLACE_ONE, &CReplaceDlg::OnReplace)
ON_BN_CLICKED(IDC_REPLACE_ALL, &CReplaceDlg::OnReplaceAll)
ON_EN_CHANGE(IDC_FIND_TEXT, &CReplaceDlg::OnChangeCriteria)
ON_BN_CLICKED(IDC_FIELD_TEXT, &CReplaceDlg::OnChangeCriteria)
ON_BN_CLICKED(IDC_FIELD_COMMENT, &CReplaceDlg::OnChangeCriteria)
ON_BN_CLICKED(IDC_FIELD_SPEAKER, &CReplaceDlg::OnChangeCriteria)
ON_BN_CLICKED(IDC_FIELD_AUDIO, &CReplaceDlg::OnChangeCriteria)
ON_BN_CLICKED(IDC_FIELD_IDENTIFIER, &CReplaceDlg::OnChangeCriteria)
ON_BN_CLICKED(IDC_FIELD_ALL, &CReplaceDlg::OnChangeCriteria)
ON_BN_CLICKED(IDC_MATCH_CASE, &CReplaceDlg::OnChangeCriteria)
ON_BN_CLICKED(IDC_WHOLE_WORDS, &CReplaceDlg::OnChangeCriteria)
ON_BN_CLICKED(IDC_REGEX, &CReplaceDlg::OnChangeCriteria)
END_MESSAGE_MAP()

CReplaceDlg::CReplaceDlg(QWidget* pParent) : CDialog(RegisteredReplaceTemplate(), pParent) {}

bool CReplaceDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    CheckDlgButton(IDC_FIELD_TEXT, 1);
    return true;
}

FindOptions CReplaceDlg::Options() const {
    FindOptions options;
    options.find = GetDlgItemText(IDC_FIND_TEXT);
    options.replace = GetDlgItemText(IDC_REPLACE_TEXT);
    options.matchCase = IsDlgButtonChecked(IDC_MATCH_CASE) != 0;
    options.wholeWords = IsDlgButtonChecked(IDC_WHOLE_WORDS) != 0;
    options.regularExpression = IsDlgButtonChecked(IDC_REGEX) != 0;
    return options;
}

ReplaceScope CReplaceDlg::Scope() const {
    if (IsDlgButtonChecked(IDC_FIELD_COMMENT))
        return ReplaceScope::Comment;
    if (IsDlgButtonChecked(IDC_FIELD_SPEAKER))
        return ReplaceScope::Speaker;
    if (IsDlgButtonChecked(IDC_FIELD_AUDIO))
        return ReplaceScope::AudioFile;
    if (IsDlgButtonChecked(IDC_FIELD_IDENTIFIER))
        return ReplaceScope::Identifier;
    if (IsDlgButtonChecked(IDC_FIELD_ALL))
        return ReplaceScope::All;
    return ReplaceScope::Text;
}

void CReplaceDlg::SetStatus(const QString& text) {
    SetDlgItemText(IDC_REPLACE_STATUS, text);
}

std::optional<FindPattern> CReplaceDlg::Pattern() {
    FindPattern pattern(Options());
    if (!pattern.IsValid()) {
        SetStatus(pattern.ErrorText());
        return std::nullopt;
    }
    return pattern;
}

void CReplaceDlg::OnChangeCriteria() {
    m_current.reset();
    SetStatus({});
}

void CReplaceDlg::ShowMatch(const CurrentMatch& match) {
    if (g_pTreeView == nullptr)
        return;
    g_pTreeView->SelectEntryAt(match.position);
    g_pTreeView->ShowFieldRange(match.field, match.from, match.to);
}

bool CReplaceDlg::FindNext(const FindPattern& pattern) {
    const TextResourceObject* entries = Entries();
    if (entries == nullptr || entries->GetEntryCount() == 0)
        return false;
    const std::vector<EntryField> fields = FieldsOf(Scope());
    const std::uint32_t count = entries->GetEntryCount();

    // Go on after the current match, or start at the entry the tree shows.
    std::uint32_t position = 0;
    std::size_t fieldIndex = 0;
    std::size_t from = 0;
    if (m_current && m_current->position < count) {
        position = m_current->position;
        const auto it = std::find(fields.begin(), fields.end(), m_current->field);
        fieldIndex = it == fields.end() ? fields.size() : std::size_t(it - fields.begin());
        from = m_current->next;
    } else if (g_pTreeView != nullptr && g_pTreeView->m_pCurrentEntry != nullptr) {
        const std::uint32_t current = entries->PositionOf(g_pTreeView->m_pCurrentEntry);
        position = current < count ? current : 0;
    }
    // One pass over every entry, wrapping around, and the start entry's
    // fields before the start once more.
    for (std::uint32_t step = 0; step <= count; ++step) {
        const TextResourceEntry& entry = *entries->GetEntry(position);
        for (; fieldIndex < fields.size(); ++fieldIndex) {
            const std::string& stored = FieldOf(entry, fields[fieldIndex]);
            if (from <= stored.size()) {
                if (const auto match = pattern.NextMatch(stored, from)) {
                    // An empty match must not be found again.
                    const std::size_t next = match->to + (match->from == match->to ? 1 : 0);
                    m_current =
                        CurrentMatch{position, fields[fieldIndex], match->from, match->to, next};
                    ShowMatch(*m_current);
                    return true;
                }
            }
            from = 0;
        }
        fieldIndex = 0;
        from = 0;
        position = position + 1 < count ? position + 1 : 0;
    }
    m_current.reset();
    return false;
}

void CReplaceDlg::OnOK() {
    const std::optional<FindPattern> pattern = Pattern();
    if (!pattern)
        return;
    SetStatus(FindNext(*pattern) ? QString() : QStringLiteral("No match found."));
}

void CReplaceDlg::OnReplace() {
    const std::optional<FindPattern> pattern = Pattern();
    TextResourceObject* entries = Entries();
    if (!pattern || entries == nullptr)
        return;
    // Replace acts on the match that Find next showed; without one it finds first.
    std::optional<FieldMatch> match;
    TextResourceEntry* entry = m_current ? entries->GetEntry(m_current->position) : nullptr;
    if (entry != nullptr) {
        match = pattern->NextMatch(FieldOf(*entry, m_current->field), m_current->from);
        if (match && (match->from != m_current->from || match->to != m_current->to))
            match.reset(); // the field changed since: find again
    }
    if (!match) {
        SetStatus(FindNext(*pattern) ? QString() : QStringLiteral("No match found."));
        return;
    }
    std::string& stored = FieldOf(*entry, m_current->field);
    const std::string after = SpliceMatches(stored, {*match});
    if (m_current->field == EntryField::Identifier) {
        int others = 0;
        for (std::uint32_t i = 0; i < entries->GetEntryCount(); ++i)
            if (i != m_current->position && entries->GetEntry(i)->identifier == after)
                ++others;
        const SkipReason broken = IdentifierRuleBroken(after, match->replacement, others);
        if (broken != SkipReason::None) {
            SetStatus(QStringLiteral("Not replaced: %1.").arg(SkipReasonText(broken)));
            return;
        }
    }
    const std::size_t end = match->from + match->replacement.size();
    if (after != stored) {
        stored = after;
        g_pDocument->SetModifiedFlag(true);
        g_pDocument->NotifyEntriesChanged(CLexariumDoc::EntriesChange::Edited, m_current->position);
        if (g_pTreeView != nullptr)
            g_pTreeView->EntriesEdited({m_current->position});
    }
    // Go on after the replacement, so it is not found again.
    m_current->next = end + (match->from == match->to && end == match->from ? 1 : 0);
    SetStatus(FindNext(*pattern) ? QString() : QStringLiteral("No further match."));
}

void CReplaceDlg::OnReplaceAll() {
    const std::optional<FindPattern> pattern = Pattern();
    CLexariumDoc* doc = g_pDocument; // not owned
    if (!pattern || doc == nullptr)
        return;
    const ReplacePlan plan = PlanReplaceAll(doc->m_textResources, *pattern, Scope());
    if (plan.changes.empty() && plan.skipped.empty()) {
        SetStatus(QStringLiteral("Nothing to replace."));
        return;
    }
    CReplacePreviewDlg preview(plan, doc->m_textResources, this);
    if (preview.DoModal() != IDOK || plan.changes.empty()) {
        SetStatus(QStringLiteral("Nothing was replaced."));
        return;
    }
    m_current.reset();
    doc->ApplyReplacePlan(plan);
    SetStatus(QStringLiteral("Replaced %1 matches in %2 fields; %3 left out.")
                  .arg(plan.matchCount)
                  .arg(plan.changes.size())
                  .arg(plan.skipped.size()));
}
