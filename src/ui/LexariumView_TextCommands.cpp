// The entry editor form's commands: Cut, Copy, Paste and Undo for the edit
// field that has the keyboard focus, and the two listen buttons.

#include "CmdUI.h"
#include "EditControl.h"
#include "LexariumView_Text.h"

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

// The recordings are played by the audio player, which the program does not
// have yet; until then the buttons do nothing.
void CLexariumView_Text::OnListen() {}

void CLexariumView_Text::OnListenFemale() {}
