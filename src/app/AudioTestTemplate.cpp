// Dialog template 132, the audio test panel, in dialog units; controls in
// template order, which is also the tab order of those that take it.

#include "AppResources.h"
#include "AudioTestDlg.h"
#include "DialogTemplate.h"
#include "ResourceIds.h"
#include "Resources.h"

namespace {

constexpr DWORD kButton = WS_TABSTOP;
constexpr DWORD kField = SS_LEFT | SS_SUNKEN;

DLGITEMTEMPLATE Label(const char* text, int x, int y, int cx, int cy = 8) {
    return {IDC_STATIC, CtlKind::Static, QString::fromLatin1(text), QRect(x, y, cx, cy), SS_LEFT};
}

DLGITEMTEMPLATE Field(int id, int x, int y, int cx, int cy = 11) {
    return {id, CtlKind::Static, {}, QRect(x, y, cx, cy), kField};
}

} // namespace

const DLGTEMPLATE& AudioTestDlgTemplate() {
    static const DLGTEMPLATE tmpl{
        QStringLiteral("Audiotest"),
        499,
        284,
        QStringLiteral("Tahoma"),
        8,
        DS_MODALFRAME | WS_CAPTION | WS_SYSMENU,
        {
            {IDOK, CtlKind::DefPushButton, QStringLiteral("OK"), QRect(442, 7, 50, 14), kButton},
            {IDCANCEL, CtlKind::PushButton, QStringLiteral("Cancel"), QRect(442, 24, 50, 14),
             kButton},
            {IDC_AUDIO_FOLDER,
             CtlKind::Edit,
             {},
             QRect(7, 17, 418, 14),
             WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL},
            Label("mission folder:", 7, 7, 68, 9),
            {IDC_AUDIO_PRIOR, CtlKind::PushButton, QStringLiteral("prior"), QRect(7, 262, 50, 14),
             kButton},
            {IDC_AUDIO_NEXT, CtlKind::PushButton, QStringLiteral("next"), QRect(178, 262, 50, 14),
             kButton},
            Field(IDC_AUDIO_TEXT, 64, 135, 419, 111),
            {IDC_STATIC, CtlKind::GroupBox, QStringLiteral("text entry"), QRect(7, 59, 485, 195),
             0},
            Field(IDC_AUDIO_FILENAME, 64, 73, 419),
            Field(IDC_AUDIO_ID, 64, 88, 35),
            Field(IDC_AUDIO_IDENTIFIER, 64, 103, 419),
            Label("filename:", 20, 73, 29),
            Label("id:", 20, 88, 8),
            Label("identifier:", 20, 103, 29),
            Label("speaker:", 20, 118, 28),
            Field(IDC_AUDIO_SPEAKER, 64, 118, 419),
            Label("text:", 20, 135, 26),
            {IDC_AUDIO_LISTEN, CtlKind::PushButton, QStringLiteral("listen"),
             QRect(64, 262, 50, 14), kButton},
            {IDC_AUDIO_LISTEN_FEMALE, CtlKind::PushButton, QStringLiteral("listen female"),
             QRect(121, 262, 50, 14), kButton},
        }};
    return tmpl;
}

void RegisterAudioTestTemplate() {
    AfxGetResources().dialogs[IDD_AUDIO_TEST] = &AudioTestDlgTemplate();
}
