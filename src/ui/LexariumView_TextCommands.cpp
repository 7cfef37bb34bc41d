// The entry editor form's commands: Cut, Copy, Paste and Undo for the edit
// field that has the keyboard focus, and the two listen buttons.

#include "CmdUI.h"
#include "EditControl.h"
#include "EntryText.h"
#include "FrameWnd.h"
#include "LexariumView_Text.h"
#include "MciWnd.h"
#include "RecordingLookup.h"
#include "WinApp.h"

namespace {

// The focused window, if it is an edit field.
QWidget* FocusedEditField() {
    QWidget* focus = GetFocus();
    return AfxIsEditField(focus) ? focus : nullptr;
}

} // namespace

void CLexariumView_Text::OnUpdateEditCopyCut(CCmdUI* pCmdUI) {
    QWidget* edit = FocusedEditField();
    pCmdUI->Enable(edit != nullptr && AfxEditHasSelection(edit));
}

void CLexariumView_Text::OnUpdateEditPaste(CCmdUI* pCmdUI) {
    pCmdUI->Enable(FocusedEditField() != nullptr && AfxClipboardHasText());
}

void CLexariumView_Text::OnUpdateEditUndo(CCmdUI* pCmdUI) {
    QWidget* edit = FocusedEditField();
    pCmdUI->Enable(edit != nullptr && AfxEditCanUndo(edit));
}

// A cut, paste or undo changes the field like typing; its change handler stores it.
void CLexariumView_Text::OnEditCopy() {
    if (QWidget* edit = FocusedEditField())
        AfxEditCopy(edit);
}

void CLexariumView_Text::OnEditCut() {
    if (QWidget* edit = FocusedEditField())
        AfxEditCut(edit);
}

void CLexariumView_Text::OnEditPaste() {
    if (QWidget* edit = FocusedEditField())
        AfxEditPaste(edit);
}

void CLexariumView_Text::OnEditUndo() {
    if (QWidget* edit = FocusedEditField())
        AfxEditUndo(edit);
}

void CLexariumView_Text::OnListen() {
    ListenToEntry(false);
}

void CLexariumView_Text::OnListenFemale() {
    ListenToEntry(true);
}

// Each press starts a player of its own, invisible, owned by the form; one
// still sounding goes on. A recording that is not found plays nothing and says
// so on the status line, which the next press clears.
void CLexariumView_Text::ListenToEntry(bool female) {
    const TextResourceEntry* entry = CurrentEntry();
    if (entry == nullptr)
        return;
    CFrameWnd* frame = AfxGetMainWnd();
    CString path;
    if (!FindRecordingInMissionFolder(*entry, female, path)) {
        if (frame != nullptr)
            frame->ShowStatusLine(RecordingNotFoundLine(*entry, female));
        return;
    }
    if (frame != nullptr)
        frame->ClearStatusLine();
    // The path goes to the player as the bytes that were found, UTF-8 or not.
    HWND player = MCIWndCreateA(this, AfxGetInstanceHandle(), WS_CHILD | MCIWNDF_NOMENU,
                                ToUtf8(path).c_str());
    SendMessageA(player, MCI_PLAY, 0, 0);
}
