// The entry editor form's data: filling it from the current entry, storing
// each change back into the entry, and the counters.

#include "DataExchange.h"
#include "EditControl.h"
#include "EntryText.h"
#include "FormControls.h"
#include "LexariumDoc.h"
#include "LexariumView.h"
#include "LexariumView_Text.h"
#include "model/CountWords.h"
#include "model/TextResourceEntry.h"

void CLexariumView_Text::DoDataExchange(CDataExchange* pDX) {
    CFormView::DoDataExchange(pDX);
    // The id comes first and the length last: a refused id keeps every other
    // change from the entry, a refused length stops nothing else.
    DDX_Text(pDX, IDC_ID, m_dwId);
    DDX_Text(pDX, IDC_IDENTIFIER, m_strIdentifier);
    DDX_Text(pDX, IDC_AUDIOFILE, m_strAudioFile);
    DDX_Text(pDX, IDC_TEXT, m_strText);
    DDX_Text(pDX, IDC_COMMENT, m_strComment);
    DDX_Text(pDX, IDC_COMMENT_WORDS, m_strCommentWords);
    DDX_Text(pDX, IDC_TEXT_WORDS, m_strTextWords);
    DDX_Text(pDX, IDC_COMMENT_CHARS, m_strCommentChars);
    DDX_Text(pDX, IDC_TEXT_CHARS, m_strTextChars);
    DDX_Text(pDX, IDC_SPEAKER, m_strSpeaker);
    DDX_Text(pDX, IDC_LENGTH, m_dwLength);
    // With no current entry the numbers show nothing rather than a 0 that no
    // entry holds (written here, where the fields' notifications are ignored).
    if (!pDX->m_bSaveAndValidate && CurrentEntry() == nullptr) {
        SetDlgItemText(IDC_ID, CString());
        SetDlgItemText(IDC_LENGTH, CString());
    }
}

TextResourceEntry* CLexariumView_Text::CurrentEntry() const {
    return g_pTreeView != nullptr ? g_pTreeView->m_pCurrentEntry : nullptr;
}

void CLexariumView_Text::OnInitialUpdate() {
    CFormView::OnInitialUpdate();
    if (CurrentEntry() == nullptr)
        ShowNoEntry();
}

void CLexariumView_Text::FillFromEntry() {
    const TextResourceEntry* entry = CurrentEntry();
    if (entry == nullptr)
        return;
    EnableEntryFields(true);
    m_dwId = entry->id;
    m_strIdentifier = FromUtf8(entry->identifier);
    m_strAudioFile = FromUtf8(entry->audioFile);
    m_strText = FromUtf8(entry->text);
    m_strComment = FromUtf8(entry->comment);
    m_strSpeaker = FromUtf8(entry->speaker);
    m_dwLength = entry->lengthMs;
    UpdateData(false);
    UpdateTextCounters();
    UpdateCommentCounters();
}

void CLexariumView_Text::ShowNoEntry() {
    m_dwId = 0;
    m_dwLength = 0;
    for (CString* member :
         {&m_strIdentifier, &m_strAudioFile, &m_strText, &m_strComment, &m_strCommentWords,
          &m_strTextWords, &m_strCommentChars, &m_strTextChars, &m_strSpeaker})
        member->clear();
    UpdateData(false);
    EnableEntryFields(false);
}

void CLexariumView_Text::EnableEntryFields(bool enable) {
    for (int id :
         {IDC_ID, IDC_IDENTIFIER, IDC_AUDIOFILE, IDC_TEXT, IDC_COMMENT, IDC_SPEAKER, IDC_LENGTH}) {
        if (QWidget* control = GetDlgItem(id)) {
            AfxEditSetReadOnly(control, !enable);
            control->setEnabled(enable);
        }
    }
    for (int id : {IDC_LISTEN, IDC_LISTEN_FEMALE}) {
        if (QWidget* control = GetDlgItem(id))
            control->setEnabled(enable);
    }
}

void CLexariumView_Text::ShowEntryFields(bool show) {
    for (int id : {IDC_ID, IDC_IDENTIFIER, IDC_AUDIOFILE, IDC_TEXT, IDC_COMMENT, IDC_LABEL_ID,
                   IDC_LABEL_IDENTIFIER, IDC_LABEL_AUDIOFILE, IDC_LABEL_TEXT, IDC_LABEL_COMMENT}) {
        if (QWidget* control = GetDlgItem(id))
            control->setVisible(show);
    }
}

// The counters describe the stored bytes: a line break counts 2, a character
// outside ASCII 2 to 4.
namespace {

// A field's words and characters (bytes as stored), into their members and
// controls.
void ShowCounters(CLexariumView_Text& form, const std::string& value, CString& words,
                  int wordsId, CString& chars, int charsId) {
    words = QString::number(CountWords(value));
    chars = QString::number(value.size());
    form.SetDlgItemText(wordsId, words);
    form.SetDlgItemText(charsId, chars);
}

} // namespace

void CLexariumView_Text::UpdateTextCounters() {
    if (const TextResourceEntry* entry = CurrentEntry())
        ShowCounters(*this, entry->text, m_strTextWords, IDC_TEXT_WORDS, m_strTextChars,
                     IDC_TEXT_CHARS);
}

void CLexariumView_Text::UpdateCommentCounters() {
    if (const TextResourceEntry* entry = CurrentEntry())
        ShowCounters(*this, entry->comment, m_strCommentWords, IDC_COMMENT_WORDS,
                     m_strCommentChars, IDC_COMMENT_CHARS);
}

TextResourceEntry* CLexariumView_Text::BeginChange() {
    // Without a current entry there is nothing to read the form for (its
    // empty numbers would be refused): the change is only undone.
    if (CurrentEntry() == nullptr)
        return nullptr;
    UpdateData(true); // a refused number has shown its message; go on with what the members hold
    return CurrentEntry();
}

// Without a current entry nothing may keep the change: the field is emptied
// and every other field shows its member again. Nothing changed, so the
// document is not marked modified.
void CLexariumView_Text::UndoChange(CString& member) {
    member.clear();
    UpdateData(false);
}

void CLexariumView_Text::UndoChange(DWORD& member) {
    member = 0;
    UpdateData(false);
}

void CLexariumView_Text::MarkModified() {
    if (g_pDocument == nullptr)
        return;
    g_pDocument->SetModifiedFlag(true);
    // Without a current entry the change was undone: the entries are as they were.
    if (const TextResourceEntry* entry = CurrentEntry())
        g_pDocument->NotifyEntriesChanged(CLexariumDoc::EntriesChange::Edited,
                                          g_pDocument->m_textResources.PositionOf(entry));
}

void CLexariumView_Text::OnChangeId() {
    if (TextResourceEntry* entry = BeginChange()) {
        entry->id = m_dwId;
        MarkModified();
    } else {
        UndoChange(m_dwId);
    }
}

void CLexariumView_Text::OnChangeIdentifier() {
    if (TextResourceEntry* entry = BeginChange()) {
        entry->identifier = ToUtf8(m_strIdentifier);
        g_pTreeView->SetCurrentItemText(m_strIdentifier);
        MarkModified();
    } else {
        m_strIdentifier.clear();
        if (g_pTreeView != nullptr)
            g_pTreeView->RebuildTree();
        UpdateData(false);
    }
}

void CLexariumView_Text::OnChangeAudioFile() {
    if (TextResourceEntry* entry = BeginChange()) {
        entry->audioFile = ToUtf8(m_strAudioFile);
        MarkModified();
    } else {
        UndoChange(m_strAudioFile);
    }
}

void CLexariumView_Text::OnChangeText() {
    if (TextResourceEntry* entry = BeginChange()) {
        entry->text = ToUtf8(m_strText);
        MarkModified();
        UpdateTextCounters();
    } else {
        UndoChange(m_strText);
    }
}

void CLexariumView_Text::OnChangeComment() {
    if (TextResourceEntry* entry = BeginChange()) {
        entry->comment = ToUtf8(m_strComment);
        MarkModified();
        UpdateCommentCounters();
    } else {
        UndoChange(m_strComment);
    }
}

void CLexariumView_Text::OnChangeSpeaker() {
    if (TextResourceEntry* entry = BeginChange()) {
        entry->speaker = ToUtf8(m_strSpeaker);
        MarkModified();
    } else {
        UndoChange(m_strSpeaker);
    }
}

void CLexariumView_Text::OnChangeLength() {
    if (TextResourceEntry* entry = BeginChange()) {
        entry->lengthMs = m_dwLength;
        MarkModified();
    } else {
        UndoChange(m_dwLength);
    }
}
