// The entry editor form's construction and its handler table.

#include "LexariumView_Text.h"

#include "FormControls.h"
#include "ResourceIds.h"

CLexariumView_Text* g_pTextView = nullptr;

IMPLEMENT_DYNCREATE(CLexariumView_Text, CFormView)

BEGIN_MESSAGE_MAP(CLexariumView_Text, CFormView)
ON_EN_CHANGE(IDC_ID, &CLexariumView_Text::OnChangeId)
ON_EN_CHANGE(IDC_IDENTIFIER, &CLexariumView_Text::OnChangeIdentifier)
ON_EN_CHANGE(IDC_AUDIOFILE, &CLexariumView_Text::OnChangeAudioFile)
ON_EN_CHANGE(IDC_TEXT, &CLexariumView_Text::OnChangeText)
ON_EN_CHANGE(IDC_COMMENT, &CLexariumView_Text::OnChangeComment)
ON_EN_CHANGE(IDC_SPEAKER, &CLexariumView_Text::OnChangeSpeaker)
ON_EN_CHANGE(IDC_LENGTH, &CLexariumView_Text::OnChangeLength)
ON_EN_KILLFOCUS(IDC_IDENTIFIER, &CLexariumView_Text::OnKillfocusIdentifier)
ON_BN_CLICKED(IDC_LISTEN, &CLexariumView_Text::OnListen)
ON_BN_CLICKED(IDC_LISTEN_FEMALE, &CLexariumView_Text::OnListenFemale)
ON_COMMAND(ID_EDIT_COPY, &CLexariumView_Text::OnEditCopy)
ON_COMMAND(ID_EDIT_CUT, &CLexariumView_Text::OnEditCut)
ON_COMMAND(ID_EDIT_PASTE, &CLexariumView_Text::OnEditPaste)
ON_COMMAND(ID_EDIT_UNDO, &CLexariumView_Text::OnEditUndo)
ON_UPDATE_COMMAND_UI(ID_EDIT_COPY, &CLexariumView_Text::OnUpdateEditCopyCut)
ON_UPDATE_COMMAND_UI(ID_EDIT_CUT, &CLexariumView_Text::OnUpdateEditCopyCut)
ON_UPDATE_COMMAND_UI(ID_EDIT_PASTE, &CLexariumView_Text::OnUpdateEditPaste)
ON_UPDATE_COMMAND_UI(ID_EDIT_UNDO, &CLexariumView_Text::OnUpdateEditUndo)
END_MESSAGE_MAP()

CLexariumView_Text::CLexariumView_Text() : CFormView(IDD_TEXT_FORM) {
    g_pTextView = this;
}

CLexariumView_Text::~CLexariumView_Text() {
    if (g_pTextView == this)
        g_pTextView = nullptr;
}
